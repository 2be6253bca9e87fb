#include "files/TableCopies.h"
#include "support/MemDisk.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

using Strings = std::vector<std::string>;

const Strings Tables = {"person.kvt", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"};

class TableCopiesTest : public ::testing::Test {
protected:
    TableCopiesTest()
    {
        for (const std::string& table : Tables)
            disk.mem.putFile("C:\\Out\\" + table, "old " + table);
    }
    // Copies the first `present` tables and gives the four at the destination.
    Strings copy(std::size_t present = 4)
    {
        for (std::size_t i = 0; i < present; ++i)
            disk.mem.putFile("C:\\In\\" + Tables[i], "new " + Tables[i]);
        std::string source = "C:\\In", destination = "C:\\Out";
        copies.kopiere_datenbanken(source, destination);
        EXPECT_EQ(source + destination, "C:\\In\\C:\\Out\\");
        Strings out;
        for (const std::string& table : Tables)
            out.push_back(disk.mem.fileBytes("C:\\Out\\" + table).value_or("(missing)"));
        return out;
    }

    testsupport::MemDisk disk;
    TableCopies copies{disk.env, disk.errors, disk.paths};
};

TEST_F(TableCopiesTest, ReplacesOnlyTheTablesPresentAtTheSource)
{
    disk.mem.putFile("C:\\In\\notes.txt", "not a table");
    EXPECT_EQ(copy(2), (Strings{"new person.kvt", "new kvxdat1.kvt", "old kvxdat2.kvt", "old kvxdat3.kvt"}));
    EXPECT_EQ(disk.mem.folderEntries("C:\\Out").size(), 4u);
    EXPECT_TRUE(disk.errors.reports.empty());
}

TEST_F(TableCopiesTest, FailuresAreReportedAndTheOtherTablesStillCopied)
{
    // An undeletable table is reported for the delete and the copy; a copy
    // failing after the delete leaves the table at the source only.
    disk.mem.setAttributes("C:\\Out\\kvxdat1.kvt", attr::ReadOnly);
    disk.env.failAlways(FaultInjectingEnv::Op::CopyFile, "person", errnum::DiskFull);
    EXPECT_EQ(copy(), (Strings{"(missing)", "old kvxdat1.kvt", "new kvxdat2.kvt", "new kvxdat3.kvt"}));
    ASSERT_EQ(disk.errors.reports.size(), 3u);
    EXPECT_EQ(disk.errors.reports[0].location, "Error in E_Datei: Sub kopiere_datenbanken");
}

TEST(TableCopiesPosixTest, TableNamesMatchRegardlessOfCaseAndTheDestinationKeepsItsName)
{
    testsupport::MemDisk disk('/');
    disk.mem.putFile("/in/PERSON.KVT", "new");
    disk.mem.putFile("/out/Person.Kvt", "old");
    std::string source = "/in", destination = "/out";
    TableCopies(disk.env, disk.errors, disk.paths).kopiere_datenbanken(source, destination);
    EXPECT_EQ(disk.mem.folderEntries("/out"), Strings{"Person.Kvt"});
    EXPECT_EQ(disk.mem.fileBytes("/out/Person.Kvt"), "new");
}

} // namespace
} // namespace torvane
