#include "files/TableCopies.h"
#include "support/MemDisk.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace torvane {
namespace {

constexpr const char* Tables[] = {"person.kvt", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"};

class TableCopiesTest : public ::testing::Test {
protected:
    void put(const std::string& folder, const std::string& content, int count = 4)
    {
        for (int i = 0; i < count; ++i)
            disk.mem.putFile(folder + Tables[i], content + Tables[i]);
    }
    std::optional<std::string> out(const char* table) const
    {
        return disk.mem.fileBytes(std::string("C:\\Out\\") + table);
    }
    void copy()
    {
        std::string source = "C:\\In";
        std::string destination = "C:\\Out";
        copies.kopiere_datenbanken(source, destination);
        EXPECT_EQ(source + destination, "C:\\In\\C:\\Out\\");
    }

    testsupport::MemDisk disk;
    TableCopies copies{disk.env, disk.errors, disk.paths};
};

TEST_F(TableCopiesTest, ReplacesOnlyTheTablesPresentAtTheSource)
{
    put("C:\\In\\", "new ", 2);
    disk.mem.putFile("C:\\In\\notes.txt", "not a table");
    put("C:\\Out\\", "old ");
    copy();
    EXPECT_EQ(out("kvxdat1.kvt"), "new kvxdat1.kvt");
    EXPECT_EQ(out("kvxdat2.kvt"), "old kvxdat2.kvt");
    EXPECT_THAT(disk.mem.folderEntries("C:\\Out"), ::testing::SizeIs(4));
    EXPECT_TRUE(disk.errors.reports.empty());
}

TEST_F(TableCopiesTest, UndeletableDestinationIsReportedTwiceAndTheOthersStillCopied)
{
    put("C:\\In\\", "new ");
    put("C:\\Out\\", "old ");
    disk.mem.setAttributes("C:\\Out\\kvxdat1.kvt", attr::ReadOnly);
    copy();
    EXPECT_EQ(disk.errors.reports.size(), 2u);
    EXPECT_EQ(out("kvxdat1.kvt"), "old kvxdat1.kvt");
    EXPECT_EQ(out("kvxdat3.kvt"), "new kvxdat3.kvt");
}

TEST_F(TableCopiesTest, CopyFailingAfterTheDeleteLeavesTheTableAtTheSourceOnly)
{
    put("C:\\In\\", "new ");
    put("C:\\Out\\", "old ");
    disk.env.failAlways(FaultInjectingEnv::Op::CopyFile, "person", errnum::DiskFull);
    copy();
    ASSERT_EQ(disk.errors.reports.size(), 1u);
    EXPECT_EQ(disk.errors.reports[0].location, "Error in E_Datei: Sub kopiere_datenbanken");
    EXPECT_FALSE(out("person.kvt"));
    EXPECT_EQ(out("kvxdat1.kvt"), "new kvxdat1.kvt");
}

TEST(TableCopiesPosixTest, TableNamesMatchRegardlessOfCaseAndTheDestinationKeepsItsName)
{
    testsupport::MemDisk disk('/');
    disk.mem.putFile("/in/PERSON.KVT", "new");
    disk.mem.putFile("/out/Person.Kvt", "old");
    std::string source = "/in";
    std::string destination = "/out";
    TableCopies(disk.env, disk.errors, disk.paths).kopiere_datenbanken(source, destination);
    EXPECT_THAT(disk.mem.folderEntries("/out"), ::testing::ElementsAre("Person.Kvt"));
    EXPECT_EQ(disk.mem.fileBytes("/out/Person.Kvt"), "new");
}

} // namespace
} // namespace torvane
