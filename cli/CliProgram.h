#pragma once

#include "cli/CliOptions.h"
#include "cli/Terminal.h"
#include "platform/Clock.h"
#include "platform/Env.h"

namespace torvane::cli {

// Exit statuses of torvane-cli.
namespace exitcode {
inline constexpr int CopiedBack = 0;
inline constexpr int Aborted = 1;
inline constexpr int Usage = 2;
inline constexpr int Doubt = 3;
inline constexpr int NothingToDo = 4;
inline constexpr int Refused = 5;
inline constexpr int ErrorsBeforeCopyBack = 6;
} // namespace exitcode

// Does what the main window does at load, takes the patient table as the
// chosen file (its folder is the data folder) and runs the reorganisation.
// The patient table is a full path in the Env's own notation (UTF-8 here,
// converted to the logic's code page). Returns the exit status.
int runCli(const CliOptions& options, Env& env, const Clock& clock, Terminal& terminal);

} // namespace torvane::cli
