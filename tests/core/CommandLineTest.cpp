#include "cli/CliProgram.h"
#include "platform/Clock.h"
#include "platform/Cp1252.h"
#include "sample/SamplePractice.h"
#include "support/platform/MemEnv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

namespace torvane {
namespace {

// torvane-cli as started, on a file system whose current folder is the
// root: the exit status and the first line on standard error; only the help
// goes to standard output.
TEST(CommandLineTest, ParsesTheArgumentsAndTakesARelativeTableFromTheCurrentFolder)
{
    const std::string usage(cli::usageLine(), std::string_view(cli::usageLine()).find('\n') + 1);
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string firstError;
    };
    for (const Case& c : std::vector<Case>{
             {{"torvane-cli", "--help"}, cli::exitcode::Help, ""},
             {{"torvane-cli"}, cli::exitcode::Usage, usage},
             {{"torvane-cli", "--confirm=vielleicht", "person.kvt"}, cli::exitcode::Usage, usage},
             {{"torvane-cli", "--restore"}, cli::exitcode::Usage, usage},
             {{"torvane-cli", "--restore", "--confirm=backup", "person.kvt"}, cli::exitcode::Usage, usage},
             {{"torvane-cli", "--restore=REORG_SICHERUNG_03_05_0", "person.kvt"}, cli::exitcode::Usage, usage},
             {{"torvane-cli", "--restore", "praxis/person.kvt"},
              cli::exitcode::Usage,
              "Die Patiententabelle wurde nicht gefunden: /praxis/person.kvt\n"},
             {{"torvane-cli", "--restore=praxis/REORG_SICHERUNG_03_05_0"},
              cli::exitcode::Usage,
              "Der Sicherungsordner wurde nicht gefunden: /praxis/REORG_SICHERUNG_03_05_0\n"},
             {{"torvane-cli", "praxis/person.kvt"},
              cli::exitcode::Usage,
              "Die Patiententabelle wurde nicht gefunden: /praxis/person.kvt\n"},
             {{"torvane-cli", "./person.kvt"},
              cli::exitcode::Usage,
              "Die Patiententabelle wurde nicht gefunden: /person.kvt\n"},
             {{"torvane-cli", "/praxis/person.kvt"},
              cli::exitcode::Usage,
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

struct Ended {
    int status;
    std::string out;
    std::string err;
};

Ended run(Env& env, const std::vector<std::string>& arguments)
{
    std::istringstream in;
    std::ostringstream out, err;
    cli::Terminal terminal{in, out, err};
    const int status = cli::runCommandLine(arguments, env, FixedClock({2011, 3, 5, 9, 30, 0}), terminal);
    return {status, out.str(), err.str()};
}

// Undone from a terminal: the newest backup, or the one named; each restore
// keeps what it replaces, so it can be undone in turn. Without a backup, or
// with a folder that is none, nothing changes.
TEST(CommandLineTest, RestorePutsBackTheNewestOrTheChosenBackup)
{
    using ::testing::HasSubstr;
    MemEnv env('/');
    env.createFolders("/praxis");
    sample::writeSamplePractice(env, "/praxis/", {20, 5, false});
    const auto tables = [&] {
        std::vector<std::optional<std::string>> bytes;
        for (const char* table : {"person.kvt", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"})
            bytes.push_back(env.fileBytes(std::string("/praxis/") + table));
        return bytes;
    };
    const auto originals = tables();
    const std::vector<std::string> newest{"torvane-cli", "--restore", "/praxis/person.kvt"};

    Ended ended = run(env, newest);
    EXPECT_EQ(ended.status, cli::exitcode::NothingToRestore);
    EXPECT_THAT(ended.err, HasSubstr("gibt es keinen Sicherungsordner"));
    ASSERT_EQ(run(env, {"torvane-cli", "--confirm=backup", "/praxis/person.kvt"}).status, cli::exitcode::CopiedBack);
    const auto result = tables();
    ASSERT_NE(result, originals);

    ended = run(env, newest);
    EXPECT_EQ(ended.status, 0) << ended.err;
    EXPECT_EQ(ended.out,
              cp1252::toUtf8("\nInformation\nDie Dateien aus der Sicherung\n/praxis/REORG_SICHERUNG_03_05_0/\n"
                             "sind zur\xFC"
                             "ckgeholt. Die Dateien, die sie ersetzt haben, liegen im Ordner:\n"
                             "/praxis/REORG_SICHERUNG_03_05_1/\n"));
    EXPECT_EQ(tables(), originals) << "and the kvxdat3 the practice did not have is gone";

    ended = run(env, {"torvane-cli", "--restore=/praxis/REORG_AUSGANG_03_05_0"});
    EXPECT_EQ(ended.status, cli::exitcode::NothingToRestore);
    EXPECT_THAT(ended.err, HasSubstr("ist kein Sicherungsordner von Torvane"));
    EXPECT_EQ(run(env, {"torvane-cli", "--restore=/praxis/REORG_SICHERUNG_03_05_1/"}).status, 0);
    EXPECT_EQ(tables(), result);
    EXPECT_EQ(run(env, newest).status, 0);
    EXPECT_EQ(tables(), originals);
}

} // namespace
} // namespace torvane
