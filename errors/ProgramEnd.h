#pragma once

namespace torvane {

// Why the program ended. Front ends turn it into their exit.
enum class EndReason {
    CopiedBack,           // the run finished with the copy-back
    Doubt,                // the user declined in the final confirmation
    NothingToDo,          // fewer than two patient records
    Refused,              // the run could not start or would overflow the numbering
    Aborted,              // "&Abbruch" in the error dialog
    NoFolder,             // the first file choice was cancelled
    Quit,                 // "Ende" or the main window closed
    ErrorsBeforeCopyBack, // unattended, and errors were reported: nothing copied back
    CopyBackFailed,       // the new tables could not be put in place
    Locked,               // another run holds the data folder, or it could not be locked
    NothingToRestore,     // no backup folder to put back
    RecoveryFailed,       // an interrupted copy-back could not be finished; files left where they are
    Restored,             // a backup's tables put back
};

// Ending the program. Deliberately not a std::exception and not a RunError,
// so that no trap catches it: once thrown, no further statement of any
// procedure runs; only the front end's outermost frame receives it.
struct ProgramEnd {
    EndReason reason;
};

// The process's exit status for each way of ending, the same for every front end.
constexpr int exitStatus(EndReason reason)
{
    switch (reason) {
    case EndReason::CopiedBack:
    case EndReason::Quit:
    case EndReason::Restored:
        return 0;
    case EndReason::Doubt:
        return 3;
    case EndReason::NothingToDo:
        return 4;
    case EndReason::Refused:
        return 5;
    case EndReason::ErrorsBeforeCopyBack:
    case EndReason::CopyBackFailed:
        return 6;
    case EndReason::Locked:
        return 7;
    case EndReason::NothingToRestore:
        return 8;
    case EndReason::RecoveryFailed:
        return 9;
    case EndReason::Aborted:
    case EndReason::NoFolder:
        break;
    }
    return 1;
}

[[noreturn]] inline void endProgram(EndReason reason)
{
    throw ProgramEnd{reason};
}

} // namespace torvane
