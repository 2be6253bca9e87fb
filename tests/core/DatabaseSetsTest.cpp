#include "support/TableFixture.h"
#include "support/platform/StatusMatchers.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

using namespace testsupport;

const std::string Daten = "C:\\Daten\\";
const std::string Andere = "C:\\Andere\\";

class DatabaseSetsTest : public ::testing::Test, protected TableFixture {
protected:
    DatabaseSetsTest()
    {
        const std::vector<Row> persons = {{{"DATNUMMER", "1"}}, {{"DATNUMMER", "2"}, {"NACHNAME", "  M\xFCller  "}}};
        putTables(Daten, {persons, keyRows({"1", "2"}), keyRows({"1"}), {}});
        putTables(Andere, {}, false, 3);
        putTables(Andere, {}, true);
    }
};

TEST_F(DatabaseSetsTest, EachOpeningOfTheMainSetRecordsWhetherKvxdat3IsThere)
{
    std::string folder = "C:\\Andere";
    sets.open_database(main, folder);
    EXPECT_EQ(folder, Andere);
    EXPECT_TRUE(sets.db4_missing && sets.db_main[2].isOpen());
    EXPECT_FALSE(sets.db_main[3].isOpen());
    open(main, Daten);
    EXPECT_FALSE(sets.db4_missing);
    EXPECT_TRUE(sets.db_main[3].isOpen());
    open(main, Andere);
    EXPECT_FALSE(sets.db_main[3].isOpen()) << "no kvxdat3 of the earlier folder is kept";
    open(temp, Daten);
    EXPECT_EQ(errors.reports.size(), 4u) << "the temp files are opened without a test";
    open(temp, Andere);
    EXPECT_TRUE(sets.db4_missing) << "only the main set records it";

    std::uint8_t zero = 0, third = 3;
    sets.Close_db(zero);
    EXPECT_TRUE(sets.db_main[0].isOpen());
    EXPECT_FALSE(sets.db_temp[0].isOpen()) << "every number but the main set's closes the temp set";
    folder = "C:\\Daten";
    sets.open_database(third, folder);
    EXPECT_EQ(folder, "C:\\Daten") << "an unknown set opens nothing";
}

TEST_F(DatabaseSetsTest, AFileThatFailsIsReportedAndTheOthersAreStillOpened)
{
    ASSERT_THAT(env.deleteFile(Andere + "person.kvt"), IsOk());
    open(main, Andere);
    ASSERT_EQ(errors.reports.size(), 1u);
    EXPECT_EQ(errors.reports[0].location, "Error in D_Datenbank: Sub open_database");
    EXPECT_FALSE(sets.db_main[0].isOpen());
    EXPECT_TRUE(sets.db_main[1].isOpen() && sets.db_main[2].isOpen());
}

TEST_F(DatabaseSetsTest, HandleNamesAreUpperCasedInPlaceAndComparedExactly)
{
    open(main, Daten);
    std::string lower = "db2", padded = " db2", other = "DB5", db1 = "db1";
    std::uint8_t third = 3;
    EXPECT_EQ(sets.anzahl_datensaetze(main, lower), 2);
    EXPECT_EQ(lower, "DB2");
    EXPECT_EQ(sets.anzahl_datensaetze(main, padded), 0);
    EXPECT_EQ(sets.anzahl_datensaetze(main, other), 0);
    EXPECT_EQ(sets.anzahl_datensaetze(third, lower), 0);

    Variant field("nachname");
    std::int32_t second = 2;
    sets.erster_satz(main, db1, second);
    EXPECT_EQ(sets.hole_datum(main, db1, field), Variant("M\xFCller"));
    EXPECT_EQ(db1 + field.toText(), "DB1NACHNAME");
    EXPECT_TRUE(sets.hole_datum(third, db1, field).isEmpty());
}

TEST_F(DatabaseSetsTest, AFieldReachesTheFileOnlyThroughUpdateDbOrSchreibeGesamt)
{
    std::string db2 = "DB2", db3 = "db3";
    Variant field("Datnummer");
    std::int32_t first = 1, append = -5;
    for (const std::string how : {"none", "update_db", "schreibe_gesamt"}) {
        open(main, Daten);
        Variant value(how);
        sets.erster_satz(main, db2, first);
        sets.schreibe_datum(main, db2, field, value);
        EXPECT_EQ(sets.hole_datum(main, db2, field), Variant(how.substr(0, 6)));
        if (how[0] == 'u')
            sets.update_db(main, db2);
        if (how[0] == 's')
            sets.schreibe_gesamt(main, db2);
        close(main);
        EXPECT_TRUE(holds(Daten, 1, keyRows({how[0] == 'n' ? "1" : how.substr(0, 6), "2"}))) << how;
    }
    open(main, Daten);
    sets.erster_satz(main, db3, append);
    EXPECT_EQ(sets.db_main[2].hole_nummer(), 2);
    close(main);
    EXPECT_TRUE(holds(Daten, 2, keyRows({"1", ""})));
}

} // namespace
} // namespace torvane
