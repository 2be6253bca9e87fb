#include "files/StagingFolders.h"
#include "support/MemDisk.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace torvane {
namespace {

class StagingFoldersTest : public ::testing::Test {
protected:
    std::string make(std::string base = "C:\\Data")
    {
        return folders.mach_temporaeres_verzeichnis(base, "REORG_AUSGANG");
    }
    static std::string numbered(int n) { return "C:\\Data\\REORG_AUSGANG_03_05_" + std::to_string(n); }

    testsupport::MemDisk disk;
    StagingFolders folders{disk.env, disk.errors, disk.paths, disk.workspace};
};

TEST_F(StagingFoldersTest, FirstFolderOfTheDayCompletesTheCallersBase)
{
    disk.mem.createFolders("C:\\Data");
    std::string base = "C:\\Data";
    EXPECT_EQ(folders.mach_temporaeres_verzeichnis(base, "REORG_AUSGANG"), numbered(0));
    EXPECT_EQ(base, "C:\\Data\\");
    EXPECT_THAT(disk.mem.folderEntries("C:\\Data"), ::testing::ElementsAre("REORG_AUSGANG_03_05_0"));
}

TEST_F(StagingFoldersTest, FillsGapsUpToHundredThenCreatesNothing)
{
    for (int n = 0; n < 100; n += 2)
        disk.mem.createFolders(numbered(n));
    EXPECT_EQ(make(), numbered(1));
    for (int n = 3; n < 100; n += 2)
        disk.mem.createFolders(numbered(n));
    EXPECT_EQ(make(), numbered(100));
    EXPECT_EQ(make(), "");
    EXPECT_EQ(disk.mem.folderEntries("C:\\Data").size(), 101u);
    EXPECT_TRUE(disk.errors.reports.empty());
}

TEST_F(StagingFoldersTest, PlainFileBearingTheNameIsReportedAndTheNameHandedOut)
{
    disk.mem.putFile(numbered(0), "a plain file");
    EXPECT_EQ(make(), numbered(0));
    ASSERT_EQ(disk.errors.reports.size(), 1u);
    EXPECT_EQ(disk.errors.reports[0].location, "Error in E_Datei: Function mach_temporaeres_verzeichnis");
    EXPECT_EQ(disk.mem.fileBytes(numbered(0)), "a plain file");
}

TEST_F(StagingFoldersTest, TempDirectoryIsEmptyWithoutReportWhenTheQueryFails)
{
    EXPECT_EQ(folders.TempDirectory(), "C:\\Temp\\");
    disk.env.failAlways(FaultInjectingEnv::Op::TempFolder, "", errnum::PathNotFound);
    EXPECT_EQ(folders.TempDirectory(), "");
    EXPECT_TRUE(disk.errors.reports.empty());
}

} // namespace
} // namespace torvane
