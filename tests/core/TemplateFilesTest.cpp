#include "files/TemplateFiles.h"
#include "resources/Templates.h"
#include "support/MemDisk.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

using Op = FaultInjectingEnv::Op;

class TemplateFilesTest : public ::testing::Test {
protected:
    std::optional<std::string> onDisk(const std::string& base) const
    {
        return disk.mem.fileBytes("C:\\Temp\\" + base + "template.kvt");
    }

    testsupport::MemDisk disk;
    TemplateFiles templates{disk.env, disk.errors, disk.paths, disk.workspace};
};

TEST_F(TemplateFilesTest, RewritesAllFourByteForByteOverAModifiedFile)
{
    disk.mem.putFile("C:\\Temp\\kvxdat2template.kvt", std::string(templateBlob(103)).replace(40, 1, "X") + "tail");
    disk.workspace.temppfad = "C:\\Temp";
    templates.extrahiere_aus_resource();
    EXPECT_EQ(disk.workspace.temppfad, "C:\\Temp\\");
    EXPECT_EQ(onDisk("kvxdat2").value_or("").size(), 8164u);
    for (const TableName& table : TableNames)
        EXPECT_EQ(onDisk(table.base), templateBlob(table.resource)) << table.base;
    EXPECT_TRUE(disk.errors.reports.empty());
}

TEST_F(TemplateFilesTest, FailedDeleteIsReportedAndTheOldFileLeftAlone)
{
    disk.mem.putFile("C:\\Temp\\persontemplate.kvt", "stale");
    disk.env.failAlways(Op::DeleteFile, "persontemplate", errnum::PermissionDenied);
    disk.workspace.temppfad = "C:\\Temp\\";
    templates.extrahiere_aus_resource();
    ASSERT_EQ(disk.errors.reports.size(), 1u);
    EXPECT_EQ(disk.errors.reports[0].location, "Error in E_Datei: Sub extrahiere_aus_resource");
    EXPECT_EQ(onDisk("person"), "stale");
    EXPECT_EQ(onDisk("kvxdat1"), templateBlob(102));
}

TEST_F(TemplateFilesTest, WriterKeepsAnExistingFileAndFailsSilently)
{
    disk.mem.putFile("C:\\Temp\\persontemplate.kvt", "keep");
    std::string folder = "C:\\Temp";
    templates.schreibe_resource(101, "CUSTOM", "persontemplate.kvt", folder);
    EXPECT_EQ(folder, "C:\\Temp\\");
    EXPECT_EQ(onDisk("person"), "keep");

    templates.schreibe_resource(102, "BITMAP", "kvxdat1template.kvt", folder);
    templates.schreibe_resource(105, "CUSTOM", "kvxdat1template.kvt", folder);
    disk.mem.setCapacity(1000);
    templates.schreibe_resource(103, "CUSTOM", "kvxdat2template.kvt", folder);
    EXPECT_EQ(disk.mem.folderEntries("C:\\Temp").size(), 1u);
    EXPECT_TRUE(disk.errors.reports.empty());
}

} // namespace
} // namespace torvane
