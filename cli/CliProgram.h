#pragma once

#include "cli/CliOptions.h"
#include "cli/Terminal.h"
#include "errors/ProgramEnd.h"
#include "platform/Clock.h"
#include "platform/Env.h"
#include "reorg/ReorganisationRun.h"

#include <string>
#include <vector>

namespace torvane::cli {

// Exit statuses of torvane-cli: those of the ends, the help, and a usage error.
namespace exitcode {
inline constexpr int Help = 0;
inline constexpr int CopiedBack = exitStatus(EndReason::CopiedBack);
inline constexpr int Aborted = exitStatus(EndReason::Aborted);
inline constexpr int Usage = 2;
inline constexpr int Doubt = exitStatus(EndReason::Doubt);
inline constexpr int NothingToDo = exitStatus(EndReason::NothingToDo);
inline constexpr int Refused = exitStatus(EndReason::Refused);
inline constexpr int ErrorsBeforeCopyBack = exitStatus(EndReason::ErrorsBeforeCopyBack);
inline constexpr int Locked = exitStatus(EndReason::Locked);
inline constexpr int NothingToRestore = exitStatus(EndReason::NothingToRestore);
inline constexpr int RecoveryFailed = exitStatus(EndReason::RecoveryFailed);
} // namespace exitcode

// Does what the main window does at load, takes the patient table as the
// chosen file (its folder is the data folder), locks the data folder and
// finishes a copy-back a crash interrupted there (telling so on standard
// error), and runs the reorganisation; or, asked to, puts a backup back.
// Paths are full paths in the Env's own notation (UTF-8 here, converted to
// the logic's code page). Returns the exit status.
int runCli(const CliOptions& options, Env& env, const Clock& clock, Terminal& terminal,
           ReorganisationRun::Report report = ReorganisationRun::Report::Written,
           ReorganisationRun::Checks checks = ReorganisationRun::Checks::Made);

// torvane-cli as started: the arguments (UTF-8, the program's name first)
// parsed, a patient table or backup folder relative to the current folder
// made absolute, as
// the file chooser gives full names, then runCli. Returns the exit status.
int runCommandLine(const std::vector<std::string>& arguments, Env& env, const Clock& clock, Terminal& terminal,
                   ReorganisationRun::Report report = ReorganisationRun::Report::Written,
                   ReorganisationRun::Checks checks = ReorganisationRun::Checks::Made);

} // namespace torvane::cli
