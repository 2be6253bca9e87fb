#include "files/Paths.h"
#include "files/StartDate.h"
#include "platform/MemEnv.h"
#include "support/RecordingReporter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

namespace torvane {
namespace {

using testsupport::RecordingReporter;

// Runs each case with '\' and with '/'. Paths are written Windows-style and
// translated: with '/' the drive "C:" becomes the root.
class PathsTest : public ::testing::TestWithParam<char> {
protected:
    PathsTest()
    {
        env.createFolders(p("C:\\Daten"));
        for (const auto& [name, bits] : {std::pair{"person.kvt", attr::Archive}, {"kvxdat1.kvt", attr::Hidden},
                                         {"kvxdat2.kvt", 0u}, {"kvxdat3.kvt", attr::ReadOnly}}) {
            env.putFile(p("C:\\Daten\\") + name, "x");
            env.setAttributes(p("C:\\Daten\\") + name, bits);
        }
    }

    std::string p(std::string path) const
    {
        if (GetParam() == '/' && path.rfind("C:", 0) == 0)
            path.erase(0, 2);
        std::replace(path.begin(), path.end(), '\\', GetParam());
        return path;
    }

    MemEnv env{GetParam()};
    RecordingReporter errors;
    Paths paths{env, errors};
};

INSTANTIATE_TEST_SUITE_P(Separators, PathsTest, ::testing::Values('\\', '/'),
                         [](const ::testing::TestParamInfo<char>& info) {
                             return info.param == '\\' ? "Backslash" : "Slash";
                         });

TEST_P(PathsTest, PathcompleteChangesTheCallersVariable)
{
    for (const std::string& before : {std::string(), p("C:\\Daten"), p("C:\\Daten\\")}) {
        std::string folder = before;
        const std::string completed = before.empty() ? p("\\") : p("C:\\Daten\\");
        EXPECT_EQ(paths.pathcomplete(folder), completed);
        EXPECT_EQ(folder, completed);
    }
}

TEST_P(PathsTest, NurpfadKeepsTheFolderWithItsSeparator)
{
    EXPECT_EQ(paths.nurpfad(p("C:\\Daten\\person.kvt")), p("C:\\Daten\\"));
    EXPECT_EQ(paths.nurpfad(p("C:\\Daten\\")), p("C:\\Daten\\"));
    EXPECT_EQ(paths.nurpfad(p("C:\\person.kvt")), p("C:\\"));
    EXPECT_EQ(paths.nurpfad(p("C:\\")), p("C:\\"));
    EXPECT_EQ(paths.nurpfad(p("\\\\server\\share\\x.kvt")), p("\\\\server\\share\\"));
    EXPECT_EQ(paths.nurpfad(""), "");
    EXPECT_TRUE(errors.reports.empty());

    EXPECT_EQ(paths.nurpfad("person.kvt"), p("person.kvt\\"));
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].number, 5);
    EXPECT_EQ(errors.reports[0].location, "Error in y_work_together: Function nurpfad");
}

TEST_P(PathsTest, NurdateiKeepsTheNameAfterTheLastSeparator)
{
    for (const auto& [full, name] : {std::pair{p("C:\\Daten\\person.kvt"), "person.kvt"}, {p("C:\\Daten\\"), ""},
                                     {"person.kvt", "person.kvt"}, {"", ""}}) {
        std::string argument = full;
        EXPECT_EQ(paths.nurdatei(argument), name);
        EXPECT_EQ(argument, full);
    }
}

TEST_P(PathsTest, DateivorhandenFindsListedFilesWithAnAttributeAndFolders)
{
    EXPECT_TRUE(paths.dateivorhanden("  " + p("C:\\Daten\\person.kvt") + "  "));
    EXPECT_TRUE(paths.dateivorhanden(p("C:\\Daten\\kvxdat3.kvt")));
    EXPECT_TRUE(paths.dateivorhanden(p("C:\\Daten\\")));
    EXPECT_TRUE(paths.dateivorhanden(""));
    EXPECT_FALSE(paths.dateivorhanden(p("C:\\Daten")));
    EXPECT_FALSE(paths.dateivorhanden(p("C:\\Daten\\kvxdat1.kvt")));
    EXPECT_FALSE(paths.dateivorhanden(p("C:\\Daten\\kvxdat2.kvt")));
    EXPECT_FALSE(paths.dateivorhanden(p("C:\\Daten\\fehlt.kvt")));
    EXPECT_FALSE(paths.dateivorhanden(p("C:\\Fehlt\\")));
    EXPECT_TRUE(errors.reports.empty());

    EXPECT_TRUE(paths.direxists(p("C:\\Daten")));
    EXPECT_TRUE(paths.direxists(p("C:\\Daten\\")));
    EXPECT_FALSE(paths.direxists(p("C:\\Daten\\person.kvt")));
    EXPECT_FALSE(paths.direxists(p("C:\\Fehlt")));
    EXPECT_TRUE(errors.reports.empty());
}

TEST_P(PathsTest, ShellFolderIsEmptyWhenTheQueryFails)
{
    EXPECT_EQ(paths.getappfolder(), env.separator() == '\\' ? "C:\\ProgramData" : "/etc/xdg");
    env.setCommonAppDataFolder(std::nullopt);
    EXPECT_EQ(paths.GetShellFolder(35), "");
    EXPECT_EQ(paths.getappfolder(), "");
    EXPECT_TRUE(errors.reports.empty());
}

TEST(StartDateTest, DatumzerlegenFillsTheTwoDigitTexts)
{
    const FixedClock clock({2011, 3, 5, 23, 59, 59});
    RecordingReporter errors;
    Workspace workspace;
    datumzerlegen(clock, errors, workspace);
    EXPECT_EQ(workspace.jahr, "2011");
    EXPECT_EQ(workspace.tag, "05");
    EXPECT_EQ(workspace.monat, "03");
}

} // namespace
} // namespace torvane
