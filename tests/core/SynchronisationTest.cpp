#include "support/TableFixture.h"

#include <gtest/gtest.h>

#include <random>

namespace torvane {
namespace {

using namespace testsupport;

const std::string Daten = "C:\\Daten\\";
const std::string Temp = "C:\\Temp\\";

std::string keyOf(const std::string& file, std::size_t k, int record)
{
    return recordImage(file, TableNames[k].resource, record).substr(1, 6);
}

class SynchronisationTest : public ::testing::Test, protected TableFixture {
protected:
    void synchronise(std::uint8_t set, std::int32_t key)
    {
        bool missing = true;
        keyed.synchronisiere_datenbanken(set, key, missing);
        EXPECT_FALSE(missing);
    }
    std::int32_t cursor(std::size_t k) const { return sets.db_main[k].hole_nummer(); }
};

TEST_F(SynchronisationTest, NewKeysStartAtOneAndFollowThePersonRecordCount)
{
    putTables(Temp, {}, true);
    open(temp, Temp);
    EXPECT_EQ(keyed.erzeuge_neuen_datensatz(temp), 1);
    EXPECT_EQ(keyed.erzeuge_neuen_datensatz(temp), 2);
    close(temp);
    for (std::size_t k = 0; k < 4; ++k) {
        const std::string file = bytes(Temp, k, true);
        EXPECT_EQ(headerCount(file), 2);
        const std::string first = recordImage(file, TableNames[k].resource, 1);
        EXPECT_EQ(first, " 1     " + std::string(first.size() - 7, ' '));
        EXPECT_EQ(keyOf(file, k, 2), "2     ");
    }
    std::uint8_t third = 3;
    EXPECT_EQ(keyed.erzeuge_neuen_datensatz(third), 0);
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(SynchronisationTest, GroessteDatnummerIsTheRecordCountAndReturnsToTheNotedRecord)
{
    putTables(Daten, {keyRows({"3", "9", "11", "20", "21", "22", "30"}), {}, {}, {}});
    open(main, Daten);
    std::string db1 = "db1", db2 = "DB2", unknown = "DB9";
    EXPECT_EQ(keyed.groesste_Datnummer(main, db1), 7);
    EXPECT_EQ(cursor(0), 7) << "on no record before: ends on the last";
    EXPECT_EQ(db1, "DB1");

    sets.db_main[0].Go(4);
    sets.db_main[0].WriteData(Variant("DATNUMMER"), Variant("999"));
    EXPECT_EQ(keyed.groesste_Datnummer(main, db1), 7);
    EXPECT_EQ(cursor(0), 4);
    EXPECT_EQ(sets.db_main[0].GetData(Variant("DATNUMMER")), Variant("20")) << "read again";

    // A cursor left from a longer table of an earlier opening counts as none.
    putTables(Temp, {keyRows({"1", "2"}), {}, {}, {}});
    sets.db_main[0].Go(7);
    open(main, Temp);
    EXPECT_EQ(keyed.groesste_Datnummer(main, db1), 2);
    EXPECT_EQ(cursor(0), 2);

    EXPECT_EQ(keyed.groesste_Datnummer(main, db2), -10);
    EXPECT_EQ(keyed.groesste_Datnummer(main, unknown), -10);
}

TEST_F(SynchronisationTest, TablesWithTheKeyArePositionedTheOthersGainAWrittenRecord)
{
    putTables(Temp, {keyRows({"4", "5"}), keyRows({"4"}), keyRows({"5", "7"}), {}}, true);
    open(temp, Temp);
    synchronise(temp, 5);
    const std::int32_t positioned[] = {2, 2, 1, 1};
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(sets.db_temp[k].hole_nummer(), positioned[k]);
    EXPECT_EQ(sets.db_temp[1].GetData(Variant("DATNUMMER")), Variant("5"));
    close(temp);
    EXPECT_EQ(bytes(Temp, 0, true), tableFile(101, keyRows({"4", "5"})));
    EXPECT_EQ(headerCount(bytes(Temp, 1, true)), 2);
    EXPECT_EQ(keyOf(bytes(Temp, 1, true), 1, 2), "5     ");
    EXPECT_EQ(keyOf(bytes(Temp, 3, true), 3, 1), "5     ");

    std::uint8_t third = 3;
    std::int32_t key = 5;
    bool missing = true;
    keyed.synchronisiere_datenbanken(third, key, missing);
    EXPECT_TRUE(missing) << "an unknown set leaves the flag";
}

TEST_F(SynchronisationTest, KeysMatchByLeadingNumberAndTheEarlierOfTwoWins)
{
    putTables(Daten, {keyRows({"", "12.5", "12  ", "12", "-3"}), {}, {}, {}});
    open(main, Daten);
    for (auto [key, record] : std::vector<std::pair<int, int>>{{12, 3}, {0, 1}, {-3, 5}, {13, 6}}) {
        synchronise(main, key);
        EXPECT_EQ(cursor(0), record) << key;
    }
}

TEST_F(SynchronisationTest, WithoutKvxdat3TheMainSetNeverTouchesTableFour)
{
    putTables(Daten, {}, false, 3);
    putTables(Temp, {});
    open(main, Temp);  // a kvxdat3 the next opening must not keep
    open(main, Daten);
    EXPECT_EQ(keyed.erzeuge_neuen_datensatz(main), 1) << "the lower bound holds in the main set too";
    keyed.setze_auf_leeren_datensatz(main);
    synchronise(main, 7);
    EXPECT_EQ(sets.db_main[1].NoRecords(), 3);
    close(main);
    EXPECT_EQ(bytes(Temp, 3), tableFile(104, {}));
    EXPECT_FALSE(env.fileBytes(Daten + "kvxdat3.kvt"));
    EXPECT_TRUE(errors.reports.empty());
}

// Positioning as a plain scan from record 1: Go i, read "Datnummer",
// compare its numeric value; append a keyed record when none matches.
void scanSynchronise(DatabaseSets& sets, std::uint8_t nSet, std::int32_t key)
{
    for (std::size_t k = 0; k < 4; ++k) {
        if (nSet == DatabaseSets::MainSet && k == 3 && sets.db4_missing)
            continue;
        dbases& table = (*sets.set(nSet))[k];
        std::string name(DatabaseSets::HandleNames[k]);
        bool present = false;
        for (std::int32_t i = 1; i <= table.NoRecords() && !present; ++i) {
            table.Go(i);
            Variant field("Datnummer");
            present = leadingNumber(sets.hole_datum(nSet, name, field).toText()) == key;
        }
        if (!present) {
            table.Go(-5);
            table.Go(-2);
            Variant field("DATNUMMER"), text(std::to_string(key));
            sets.schreibe_datum(nSet, name, field, text);
            sets.update_db(nSet, name);
        }
    }
}

std::int32_t scanLargest(DatabaseSets& sets, std::uint8_t nSet, std::string name)
{
    dbases* table = sets.select(nSet, name);
    std::int32_t noted = table->hole_nummer(), largest = -10;
    for (std::int32_t i = 1; i <= sets.anzahl_datensaetze(nSet, name); ++i) {
        sets.erster_satz(nSet, name, i);
        largest = std::max(largest, table->datnummer());
    }
    sets.erster_satz(nSet, name, noted);
    return largest;
}

// Two identical folders, one positioned through the key indexes, one by
// scanning: the same random steps must leave the same cursors, buffers and files.
void compareIndexWithScan(unsigned seed, int steps)
{
    const std::vector<std::string> texts = {"", "0", "1", "2", "5", "5  ", " 7", "12", "12.5", "-3", "+4", "8x", "40"};
    const std::vector<std::int32_t> keys = {-3, 0, 1, 2, 4, 5, 7, 8, 12, 13, 40};
    std::mt19937 random(seed);
    auto pick = [&](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    auto randomRows = [&] {  // odd seeds start with larger tables, even ones with tiny or empty ones
        std::vector<std::string> rows(pick(seed % 2 == 1 ? 30 : 4));
        for (auto& key : rows)
            key = texts[pick(texts.size())];
        return keyRows(rows);
    };
    const TableFixture::Tables start = {randomRows(), randomRows(), randomRows(), randomRows()};
    TableFixture indexed, scanned;
    std::uint8_t main = DatabaseSets::MainSet;
    for (TableFixture* world : {&indexed, &scanned}) {
        world->putTables(Daten, start);
        world->open(main, Daten);
    }
    DatabaseSets* both[] = {&indexed.sets, &scanned.sets};
    auto lookup = [&](std::int32_t key) {
        bool missing = true;
        indexed.keyed.synchronisiere_datenbanken(main, key, missing);
        scanSynchronise(scanned.sets, main, key);
        EXPECT_FALSE(missing);
    };

    for (int step = 0; step < steps; ++step) {
        const std::size_t k = pick(4);
        std::string name(DatabaseSets::HandleNames[k]);
        Variant field("DATNUMMER"), text(texts[pick(texts.size())]);
        std::int32_t record = -5;
        switch (pick(6)) {
        case 0:  // a key rewritten in place
            if (const std::int32_t count = indexed.sets.db_main[k].NoRecords(); count > 0)
                record = 1 + static_cast<std::int32_t>(pick(static_cast<std::size_t>(count)));
            [[fallthrough]];
        case 1:  // a row appended between lookups
            for (DatabaseSets* s : both) {
                s->erster_satz(main, name, record);
                s->schreibe_datum(main, name, field, text);
                s->update_db(main, name);
            }
            break;
        case 2: {  // an unwritten change, then the key the table stands on
            const double current = leadingNumber(indexed.sets.hole_datum(main, name, field).toText());
            for (DatabaseSets* s : both)
                s->schreibe_datum(main, name, field, text);
            lookup(static_cast<std::int32_t>(current));
            break;
        }
        case 3:
            EXPECT_EQ(indexed.keyed.groesste_Datnummer(main, name), scanLargest(scanned.sets, main, name));
            break;
        default:
            lookup(pick(4) == 0 ? static_cast<std::int32_t>(pick(48)) - 4 : keys[pick(keys.size())]);
        }
        for (std::size_t t = 0; t < 4; ++t) {
            ASSERT_EQ(indexed.sets.db_main[t].hole_nummer(), scanned.sets.db_main[t].hole_nummer()) << step;
            ASSERT_EQ(indexed.sets.db_main[t].buffer(), scanned.sets.db_main[t].buffer()) << step;
        }
    }
    indexed.close(main);
    scanned.close(main);
    for (std::size_t t = 0; t < 4; ++t)
        EXPECT_EQ(indexed.bytes(Daten, t), scanned.bytes(Daten, t)) << t;
    EXPECT_TRUE(indexed.errors.reports.empty() && scanned.errors.reports.empty());
}

TEST(SynchronisationProperty, IndexedPositioningAgreesWithAScanFromRecordOne)
{
    for (unsigned seed = 1; seed <= 6; ++seed) {
        SCOPED_TRACE(seed);
        compareIndexWithScan(seed, 150);
    }
}

} // namespace
} // namespace torvane
