#pragma once

namespace torvane {

// Why the program ended. Front ends turn it into their exit.
enum class EndReason {
    CopiedBack,    // the run finished with the copy-back
    Doubt,         // the user declined in the final confirmation
    NothingToDo,   // fewer than two patient records
    Refused,       // the run could not start or would overflow the numbering
    Aborted,       // "&Abbruch" in the error dialog
    NoFolder,      // the first file choice was cancelled
    Quit,          // "Ende" or the main window closed
    ErrorsBeforeCopyBack,  // unattended, and errors were reported: nothing copied back
};

// Ending the program. Deliberately not a std::exception and not a RunError,
// so that no trap catches it: once thrown, no further statement of any
// procedure runs; only the front end's outermost frame receives it.
struct ProgramEnd {
    EndReason reason;
};

[[noreturn]] inline void endProgram(EndReason reason)
{
    throw ProgramEnd{reason};
}

} // namespace torvane
