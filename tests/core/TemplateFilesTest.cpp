#include "files/TemplateFiles.h"
#include "resources/Templates.h"
#include "support/MemDisk.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

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

TEST_F(TemplateFilesTest, AFailedDeleteIsReportedAndKeptAFailedWriteIsSilent)
{
    disk.mem.putFile("C:\\Temp\\persontemplate.kvt", "stale");
    disk.env.failAlways(FaultInjectingEnv::Op::DeleteFile, "persontemplate", errnum::PermissionDenied);
    disk.mem.setCapacity(5 + 2404); // room for kvxdat1's template only
    disk.workspace.temppfad = "C:\\Temp\\";
    templates.extrahiere_aus_resource();
    ASSERT_EQ(disk.errors.reports.size(), 1u);
    EXPECT_EQ(disk.errors.reports[0].location, "Error in E_Datei: Sub extrahiere_aus_resource");
    EXPECT_EQ(onDisk("person"), "stale");
    EXPECT_EQ(onDisk("kvxdat1"), templateBlob(102));
    EXPECT_FALSE(onDisk("kvxdat2"));
}

} // namespace
} // namespace torvane
