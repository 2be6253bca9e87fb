#pragma once

#include "errors/ErrorReporter.h"
#include "files/Paths.h"
#include "platform/Env.h"

#include <string>
#include <vector>

namespace torvane {

// Finishes a copy-back that a crash, a killed process or a power cut cut
// short, before anything else works on the data folder: forward when its
// intent record is there, since every new table was staged and on the
// device by then; back otherwise, by deleting the staged tables, since no
// original had been touched yet. Interrupted itself at any point, the next
// recovery still ends with all the old tables or all the new ones.
class CopyBackRecovery {
public:
    enum class Found {
        Nothing,
        Record,     // an intent record: finished forward
        Staged,     // staged tables without a complete record: discarded
        Unreadable, // the data folder could not be looked at
    };

    struct Result {
        Found found = Found::Nothing;
        bool done = true;                   // otherwise the files stay where they are
        std::string backupFolder;           // Record: where the originals went, with its trailing separator
        std::vector<std::string> leftovers; // Staged: the names found
        std::string whereTablesAre;         // Record, not done: one line per table, each ended by CR
    };

    CopyBackRecovery(Env& env, ErrorReporter& errors, const Paths& paths) : env_(env), errors_(errors), paths_(paths) {}

    // The data folder is completed in place. Failures are reported.
    Result schliesse_uebernahme_ab(std::string& data);

private:
    // False when the record is not complete: it was being written.
    bool finishForward(const std::string& path, const std::string& data, Result& result);
    void discardLeftovers(const std::string& data, Result& result);

    Env& env_;
    ErrorReporter& errors_;
    const Paths& paths_;
};

} // namespace torvane
