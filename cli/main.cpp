// torvane-cli: the reorganisation from a terminal.

#include "cli/CliOptions.h"
#include "cli/CliProgram.h"
#include "platform/Clock.h"
#include "platform/Console.h"
#include "platform/Env.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace torvane;
    using namespace torvane::cli;
    const std::vector<std::string> arguments = commandLineArguments(argc, argv);
    std::ostream& out = consoleStream(StandardStream::Output);
    std::ostream& err = consoleStream(StandardStream::Error);
    Env& env = Env::Default();
    const std::optional<CliOptions> options = parseOptions(arguments);
    if (!options) {
        err << usageLine();
        return exitcode::Usage;
    }
    Terminal terminal{std::cin, out, err, isTerminal(StandardStream::Input), isTerminal(StandardStream::Error)};
    SystemClock clock;
    return runCli(*options, env, clock, terminal);
}
