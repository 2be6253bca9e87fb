#include "cli/CliProgram.h"
#include "platform/Clock.h"
#include "support/platform/MemEnv.h"

#include <gtest/gtest.h>

#include <sstream>

namespace torvane {
namespace {

// torvane-cli as started, on a file system whose current folder is the
// root: the exit status and the first line on standard error; only the help
// goes to standard output.
TEST(CommandLineTest, ParsesTheArgumentsAndTakesARelativeTableFromTheCurrentFolder)
{
    struct Case { std::vector<std::string> arguments; int status; std::string firstError; };
    for (const Case& c : std::vector<Case>{
             {{"torvane-cli", "--help"}, cli::exitcode::Help, ""},
             {{"torvane-cli"}, cli::exitcode::Usage, cli::usageLine()},
             {{"torvane-cli", "--confirm=vielleicht", "person.kvt"}, cli::exitcode::Usage, cli::usageLine()},
             {{"torvane-cli", "praxis/person.kvt"}, cli::exitcode::Usage,
              "Die Patiententabelle wurde nicht gefunden: /praxis/person.kvt\n"},
             {{"torvane-cli", "./person.kvt"}, cli::exitcode::Usage,
              "Die Patiententabelle wurde nicht gefunden: /person.kvt\n"},
             {{"torvane-cli", "/praxis/person.kvt"}, cli::exitcode::Usage,
              "Die Patiententabelle wurde nicht gefunden: /praxis/person.kvt\n"}}) {
        MemEnv env;
        std::istringstream in;
        std::ostringstream out, err;
        cli::Terminal terminal{in, out, err};
        EXPECT_EQ(cli::runCommandLine(c.arguments, env, FixedClock({2011, 3, 5, 9, 30, 0}), terminal), c.status)
            << c.arguments.back();
        const std::string errors = err.str();
        EXPECT_EQ(errors.substr(0, errors.find('\n') + 1), c.firstError) << c.arguments.back();
        EXPECT_EQ(out.str().empty(), c.arguments.back() != "--help");
    }
}

} // namespace
} // namespace torvane
