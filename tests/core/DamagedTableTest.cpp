// Tables whose header claims more records than the file holds, as a disk
// failure or another program can leave them.

#include "platform/MemEnv.h"
#include "support/TableFixture.h"
#include "tables/dbases.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(DamagedTableTest, KeysAreFoundWithoutVisitingRecordsTheFileDoesNotHold)
{
    MemEnv env('\\');
    std::string file = testsupport::tableFile(101, testsupport::keyRows({"4", "7"}));
    file.replace(4, 4, std::string("\xFF\xFF\xFF\x7F", 4));  // 2147483647 records
    env.putFile("C:\\person.kvt", file);
    dbases table(env);
    table.FileOpen("C:\\person.kvt");

    EXPECT_EQ(table.firstRecordWithKey(7), 2);
    EXPECT_EQ(table.firstRecordWithKey(5), 0);
    // Behind the end every record reads as blanks, and blanks read as 0.
    EXPECT_EQ(table.firstRecordWithKey(0), 3);
    table.FileClose();
    EXPECT_EQ(env.fileBytes("C:\\person.kvt"), file);
}

// A count a few records too high, as an interrupted append leaves it, is
// indexed like any table: the missing records read as blanks, key 0.
TEST(DamagedTableTest, AFewMissingRecordsAreIndexedAsBlank)
{
    MemEnv env('\\');
    std::string file = testsupport::tableFile(101, testsupport::keyRows({"4", "7"}));
    file.replace(4, 4, std::string("\x05\0\0\0", 4));
    env.putFile("C:\\person.kvt", file);
    dbases table(env);
    table.FileOpen("C:\\person.kvt");

    EXPECT_EQ(table.firstRecordWithKey(0), 3);
    table.Go(-5);  // the new record 6 lies behind two more missing ones
    table.WriteData("DATNUMMER", 9);
    table.UpDate();
    EXPECT_EQ(table.firstRecordWithKey(9), 6);
    EXPECT_EQ(table.firstRecordWithKey(0), 3);
    EXPECT_EQ(table.firstRecordWithKey(7), 2);
}

} // namespace
} // namespace torvane
