#pragma once

#include "cli/CliOptions.h"
#include "cli/Terminal.h"
#include "errors/ProgramEnd.h"
#include "platform/Clock.h"
#include "platform/Env.h"
#include "reorg/ReorganisationRun.h"

namespace torvane::cli {

// Exit statuses of torvane-cli: those of the ends, and a usage error.
namespace exitcode {
inline constexpr int CopiedBack = exitStatus(EndReason::CopiedBack);
inline constexpr int Aborted = exitStatus(EndReason::Aborted);
inline constexpr int Usage = 2;
inline constexpr int Doubt = exitStatus(EndReason::Doubt);
inline constexpr int NothingToDo = exitStatus(EndReason::NothingToDo);
inline constexpr int Refused = exitStatus(EndReason::Refused);
inline constexpr int ErrorsBeforeCopyBack = exitStatus(EndReason::ErrorsBeforeCopyBack);
} // namespace exitcode

// Does what the main window does at load, takes the patient table as the
// chosen file (its folder is the data folder) and runs the reorganisation.
// The patient table is a full path in the Env's own notation (UTF-8 here,
// converted to the logic's code page). Returns the exit status.
int runCli(const CliOptions& options, Env& env, const Clock& clock, Terminal& terminal,
           ReorganisationRun::Report report = ReorganisationRun::Report::Written);

} // namespace torvane::cli
