// torvane-cli: the reorganisation from a terminal.

#include "cli/CliOptions.h"
#include "cli/CliProgram.h"
#include "platform/AbsolutePath.h"
#include "platform/Clock.h"
#include "platform/PosixEnv.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char** argv)
{
    using namespace torvane::cli;
    std::optional<CliOptions> options = parseOptions(argc, argv);
    if (!options) {
        std::cerr << usageLine();
        return exitcode::Usage;
    }
    if (!options->help)
        options->patientTable = torvane::absolutePath(options->patientTable);
    Terminal terminal{std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) == 1, isatty(STDERR_FILENO) == 1};
    torvane::SystemClock clock;
#ifdef TORVANE_WITHOUT_REPORT
    // Built only for the benchmarks, to show what the run report costs.
    constexpr auto report = torvane::ReorganisationRun::Report::Omitted;
#else
    constexpr auto report = torvane::ReorganisationRun::Report::Written;
#endif
    return runCli(*options, torvane::PosixEnv::defaultEnv(), clock, terminal, report);
}
