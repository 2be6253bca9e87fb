#include "files/Paths.h"
#include "files/StartDate.h"
#include "support/RecordingReporter.h"
#include "support/platform/MemEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>

namespace torvane {
namespace {

// Runs each case with '\' and with '/'. Paths are written Windows-style and
// translated: with '/' the drive "C:" becomes the root.
class PathsTest : public ::testing::TestWithParam<char> {
protected:
    std::string p(std::string path) const
    {
        if (GetParam() == '/' && path.rfind("C:", 0) == 0)
            path.erase(0, 2);
        std::replace(path.begin(), path.end(), '\\', GetParam());
        return path;
    }

    MemEnv env{GetParam()};
    testsupport::RecordingReporter errors;
    Paths paths{env, errors};
};

INSTANTIATE_TEST_SUITE_P(Separators, PathsTest, ::testing::Values('\\', '/'),
                         [](const auto& separator) { return separator.param == '\\' ? "Backslash" : "Slash"; });

TEST_P(PathsTest, CompletingAndSplittingKeepTheSeparator)
{
    for (const std::string& before : {std::string(), p("C:\\Daten"), p("C:\\Daten\\")}) {
        std::string folder = before;
        const std::string completed = before.empty() ? p("\\") : p("C:\\Daten\\");
        EXPECT_EQ(paths.pathcomplete(folder), completed);
        EXPECT_EQ(folder, completed);
    }
    // full name, nurpfad, nurdatei
    const std::tuple<std::string, std::string, std::string> names[] = {
        {p("C:\\Daten\\person.kvt"), p("C:\\Daten\\"), "person.kvt"},
        {p("C:\\Daten\\"), p("C:\\Daten\\"), ""},
        {p("C:\\person.kvt"), p("C:\\"), "person.kvt"},
        {p("C:\\"), p("C:\\"), ""},
        {p("\\\\server\\share\\x.kvt"), p("\\\\server\\share\\"), "x.kvt"},
        {"", "", ""}};
    for (const auto& row : names) {
        auto [full, folder, name] = row;
        EXPECT_EQ(paths.nurpfad(full), folder) << full;
        EXPECT_EQ(paths.nurdatei(full), name) << full;
        EXPECT_EQ(full, std::get<0>(row)) << "nurdatei leaves its argument";
    }
    EXPECT_TRUE(errors.reports.empty());

    std::string bare = "person.kvt";
    EXPECT_EQ(paths.nurdatei(bare), bare);
    EXPECT_EQ(paths.nurpfad(bare), p("person.kvt\\"));
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].number, errnum::InvalidArgument);
    EXPECT_EQ(errors.reports[0].location, "Error in y_work_together: Function nurpfad");
}

TEST_P(PathsTest, ExistenceNeedsAListedFileWithAnAttributeOrAFolder)
{
    env.createFolders(p("C:\\Daten"));
    for (const auto& [name, bits] : {std::pair{"person.kvt", attr::Archive},
                                     {"kvxdat1.kvt", attr::Hidden},
                                     {"kvxdat2.kvt", 0u},
                                     {"kvxdat3.kvt", attr::ReadOnly}}) {
        env.putFile(p("C:\\Daten\\") + name, "x");
        env.setAttributes(p("C:\\Daten\\") + name, bits);
    }
    for (const auto& [name, exists] : {std::pair{"  " + p("C:\\Daten\\person.kvt") + "  ", true},
                                       {p("C:\\Daten\\kvxdat3.kvt"), true},
                                       {p("C:\\Daten\\"), true},
                                       {"", true},
                                       {p("C:\\Daten"), false},
                                       {p("C:\\Daten\\kvxdat1.kvt"), false},
                                       {p("C:\\Daten\\kvxdat2.kvt"), false},
                                       {p("C:\\Daten\\fehlt.kvt"), false},
                                       {p("C:\\Fehlt\\"), false}})
        EXPECT_EQ(paths.dateivorhanden(name), exists) << name;
    EXPECT_TRUE(paths.direxists(p("C:\\Daten")) && paths.direxists(p("C:\\Daten\\")));
    EXPECT_FALSE(paths.direxists(p("C:\\Daten\\person.kvt")) || paths.direxists(p("C:\\Fehlt")));
    EXPECT_TRUE(errors.reports.empty());
}

TEST(StartDateTest, DatumzerlegenFillsTheTwoDigitTexts)
{
    const FixedClock clock({2011, 3, 5, 23, 59, 59});
    testsupport::RecordingReporter errors;
    Workspace workspace;
    datumzerlegen(clock, errors, workspace);
    EXPECT_EQ(workspace.jahr + workspace.tag + workspace.monat, "20110503");
}

} // namespace
} // namespace torvane
