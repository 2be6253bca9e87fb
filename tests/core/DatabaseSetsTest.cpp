#include "support/TableFixture.h"

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
    }
    std::vector<std::string> locations() const
    {
        std::vector<std::string> all;
        for (const auto& report : errors.reports)
            all.push_back(report.location);
        return all;
    }
};

TEST_F(DatabaseSetsTest, EachOpeningOfTheMainSetRecordsWhetherKvxdat3IsThere)
{
    std::string folder = "C:\\Andere";
    sets.open_database(main, folder);
    EXPECT_EQ(folder, Andere);
    EXPECT_TRUE(sets.db4_missing);
    EXPECT_TRUE(sets.db_main[2].isOpen());
    EXPECT_FALSE(sets.db_main[3].isOpen());

    open(main, Daten);
    EXPECT_FALSE(sets.db4_missing);
    EXPECT_TRUE(sets.db_main[3].isOpen());
    open(main, Andere);
    EXPECT_FALSE(sets.db_main[3].isOpen()) << "no kvxdat3 of the earlier folder is kept";
    open(temp, Daten);
    EXPECT_TRUE(sets.db4_missing) << "only the main set records it";
    EXPECT_EQ(locations().size(), 4u) << "the temp files are opened without a test";
}

TEST_F(DatabaseSetsTest, AFileThatFailsIsReportedAndTheOthersAreStillOpened)
{
    ASSERT_TRUE(env.deleteFile(Andere + "person.kvt").isOk());
    open(main, Andere);
    EXPECT_EQ(locations(), std::vector<std::string>{"Error in D_Datenbank: Sub open_database"});
    EXPECT_FALSE(sets.db_main[0].isOpen());
    EXPECT_TRUE(sets.db_main[1].isOpen() && sets.db_main[2].isOpen());

    std::uint8_t third = 3;
    std::string folder = "C:\\Daten";
    sets.open_database(third, folder);
    EXPECT_EQ(folder, "C:\\Daten") << "an unknown set opens nothing";
}

TEST_F(DatabaseSetsTest, HandleNamesAreUpperCasedInPlaceAndComparedExactly)
{
    open(main, Daten);
    std::string lower = "db2", padded = " db2", other = "DB5", db1 = "db1";
    std::uint8_t third = 3;
    EXPECT_EQ(sets.anzahl_datensaetze(main, lower), 2);
    EXPECT_EQ(lower, "DB2");
    EXPECT_EQ(sets.anzahl_datensaetze(main, padded), 0);
    EXPECT_EQ(padded, " DB2");
    EXPECT_EQ(sets.anzahl_datensaetze(main, other), 0);
    EXPECT_EQ(sets.anzahl_datensaetze(third, lower), 0);

    Variant field("nachname");
    std::int32_t second = 2;
    sets.erster_satz(main, db1, second);
    EXPECT_EQ(sets.hole_datum(main, db1, field), Variant("M\xFCller"));
    EXPECT_EQ(db1, "DB1");
    EXPECT_EQ(field, Variant("NACHNAME"));
    EXPECT_TRUE(sets.hole_datum(third, db1, field).isEmpty());
}

TEST_F(DatabaseSetsTest, AFieldReachesTheFileOnlyThroughUpdateDbOrSchreibeGesamt)
{
    const std::string before = bytes(Daten, 1);
    std::string db2 = "DB2";
    Variant field("Datnummer");
    std::int32_t first = 1;
    for (const char* how : {"none", "update_db", "schreibe_gesamt"}) {
        open(main, Daten);
        Variant value(how);
        sets.erster_satz(main, db2, first);
        sets.schreibe_datum(main, db2, field, value);
        EXPECT_EQ(sets.hole_datum(main, db2, field), Variant(std::string(how).substr(0, 6)));
        if (how[0] == 'u')
            sets.update_db(main, db2);
        if (how[0] == 's')
            sets.schreibe_gesamt(main, db2);
        close(main);
        EXPECT_EQ(recordImage(bytes(Daten, 1), 102, 1).substr(1, 6), how[0] == 'n' ? "1     " : std::string(how).substr(0, 6));
    }
}

TEST_F(DatabaseSetsTest, CloseDbClosesTheTempSetForEveryNumberButOne)
{
    putTables(Daten, {}, true);
    open(main, Daten);
    open(temp, Daten);
    std::uint8_t zero = 0;
    sets.Close_db(zero);
    EXPECT_TRUE(sets.db_main[0].isOpen());
    EXPECT_FALSE(sets.db_temp[0].isOpen());
}

TEST_F(DatabaseSetsTest, ErsterSatzWithMinusFiveAppendsABlankRecord)
{
    open(main, Daten);
    std::string db3 = "db3";
    std::int32_t append = -5;
    sets.erster_satz(main, db3, append);
    EXPECT_EQ(sets.db_main[2].hole_nummer(), 2);
    close(main);
    EXPECT_EQ(headerCount(bytes(Daten, 2)), 2);
    EXPECT_EQ(recordImage(bytes(Daten, 2), 103, 2), std::string(sets.db_main[2].buffer().size(), ' '));
}

TEST_F(DatabaseSetsTest, EachRoutineReportsUnderItsOwnLocationAndCarriesOn)
{
    open(main, Daten);
    close(main);  // the objects keep their counts but hold no file
    std::string db1 = "DB1";
    Variant tooLarge(40000), value("x");
    std::int32_t first = 1;
    EXPECT_TRUE(sets.hole_datum(main, db1, tooLarge).isEmpty());
    sets.schreibe_datum(main, db1, tooLarge, value);
    sets.update_db(main, db1);
    sets.schreibe_gesamt(main, db1);
    sets.erster_satz(main, db1, first);
    EXPECT_EQ(locations(), (std::vector<std::string>{
                               "Error in D_Datenbank: Function hole_datum",
                               "Error in D_Datenbank: Sub schreibe_datum",
                               "Error in D_Datenbank: Sub update_db",
                               "Error in D_Datenbank: Sub schreibe_gesamt",
                               "Error in D_Datenbank: Sub erster_satz",
                           }));
}

} // namespace
} // namespace torvane
