#include "files/StagingFolders.h"
#include "support/MemDisk.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

class StagingFoldersTest : public ::testing::Test {
protected:
    std::string make()
    {
        std::string base = "C:\\Data";
        const std::string made = folders.mach_temporaeres_verzeichnis(base, "REORG_AUSGANG");
        EXPECT_EQ(base, "C:\\Data\\");
        return made;
    }
    static std::string numbered(int n) { return "C:\\Data\\REORG_AUSGANG_03_05_" + std::to_string(n); }

    testsupport::MemDisk disk;
    StagingFolders folders{disk.env, disk.errors, disk.paths, disk.workspace};
};

TEST_F(StagingFoldersTest, TheFirstFreeNumberUpToHundredIsCreated)
{
    disk.mem.createFolders("C:\\Data");
    EXPECT_EQ(make(), numbered(0));
    EXPECT_TRUE(disk.paths.direxists(numbered(0)));
    disk.mem.createFolders(numbered(2));
    EXPECT_EQ(make(), numbered(1));
    for (int n = 3; n < 100; ++n)
        disk.mem.createFolders(numbered(n));
    EXPECT_EQ(make(), numbered(100));
    EXPECT_EQ(make(), "");
    EXPECT_EQ(disk.mem.folderEntries("C:\\Data").size(), 101u) << "all taken: nothing more is made";
    EXPECT_TRUE(disk.errors.reports.empty());
}

TEST_F(StagingFoldersTest, APlainFileBearingTheNameIsReportedAndTheNameHandedOut)
{
    disk.mem.putFile(numbered(0), "a plain file");
    EXPECT_EQ(make(), numbered(0));
    ASSERT_EQ(disk.errors.reports.size(), 1u);
    EXPECT_EQ(disk.errors.reports[0].location, "Error in E_Datei: Function mach_temporaeres_verzeichnis");
    EXPECT_EQ(disk.mem.fileBytes(numbered(0)), "a plain file");

    EXPECT_EQ(folders.TempDirectory(), "C:\\Temp\\");
    disk.env.failAlways(FaultInjectingEnv::Op::TempFolder, "", errnum::PathNotFound);
    EXPECT_EQ(folders.TempDirectory(), "") << "empty, without a report, when the query fails";
    EXPECT_EQ(disk.errors.reports.size(), 1u);
}

} // namespace
} // namespace torvane
