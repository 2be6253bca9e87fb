#pragma once

#include "reorg/RunWindow.h"
#include "reorg/Session.h"

#include <optional>
#include <string>

namespace torvane {

// Before a run or a restore works on a data folder: the folder held against
// every other Torvane and torvane-cli (an operating-system lock, which the
// system drops with the process however it ends), and a copy-back that a
// crash or power cut interrupted finished first. What recovery found and
// did is logged as an information and handed back to be shown.
class DataFolderGuard {
public:
    enum class State {
        Ready,          // locked, and nothing interrupted is left
        HeldElsewhere,  // another run has it: nothing was touched
        NotLocked,      // the lock failed (reported): nothing was touched
        RecoveryFailed, // an interrupted copy-back could not be finished; files left where they are
    };

    struct Check {
        State state = State::Ready;
        std::optional<Message> notice; // for the user, when there is anything to tell
    };

    explicit DataFolderGuard(Session& session) : session_(session) {}

    // Locks the folder (completed in place) for the session, where it stays
    // until released or the program ends, and recovers. A folder the session
    // already holds was recovered when it was locked.
    Check sichere_datenordner(std::string& dataFolder);
    void release();

private:
    Check recover(std::string& dataFolder);

    Session& session_;
};

} // namespace torvane
