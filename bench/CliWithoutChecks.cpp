// torvane-cli without the checks before the run and before the copy-back:
// the benchmarks time what the checks add.

#include "cli/CliProgram.h"
#include "platform/Clock.h"
#include "platform/Console.h"
#include "platform/Env.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace torvane;
    cli::Terminal terminal{std::cin, consoleStream(StandardStream::Output), consoleStream(StandardStream::Error),
                           isTerminal(StandardStream::Input), isTerminal(StandardStream::Error)};
    const SystemClock clock;
    return cli::runCommandLine(commandLineArguments(argc, argv), Env::Default(), clock, terminal,
                               ReorganisationRun::Report::Written, ReorganisationRun::Checks::Omitted);
}
