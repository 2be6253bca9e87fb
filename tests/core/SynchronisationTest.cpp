#include "support/TableFixture.h"

#include <gtest/gtest.h>

#include <random>

namespace torvane {
namespace {

using namespace testsupport;

const std::string Daten = "C:\\Daten\\";
const std::string Temp = "C:\\Temp\\";

class SynchronisationTest : public ::testing::Test, protected TableFixture {
protected:
    void synchronise(std::uint8_t set, std::int32_t key)
    {
        bool missing = true;
        keyed.synchronisiere_datenbanken(set, key, missing);
        EXPECT_FALSE(missing);
    }
    std::int32_t cursor(std::size_t k, bool inTemp = false) const
    {
        return (inTemp ? sets.db_temp : sets.db_main)[k].hole_nummer();
    }
};

TEST_F(SynchronisationTest, NewKeysFollowThePersonRecordCountAndWithoutKvxdat3TableFourIsLeftAlone)
{
    putTables(Temp, {});
    putTables(Temp, {}, true);
    putTables(Daten, {}, false, 3);
    open(main, Temp); // a kvxdat3 the next opening must not keep
    open(main, Daten);
    open(temp, Temp);
    EXPECT_EQ(keyed.erzeuge_neuen_datensatz(temp), 1);
    EXPECT_EQ(keyed.erzeuge_neuen_datensatz(temp), 2);
    EXPECT_EQ(keyed.erzeuge_neuen_datensatz(main), 1) << "the lower bound holds in the main set too";
    keyed.setze_auf_leeren_datensatz(main);
    synchronise(main, 7);
    close(main);
    close(temp);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_TRUE(holds(Temp, k, keyRows({"1", "2"}), true)) << k;
        EXPECT_TRUE(k == 3 ? holds(Temp, 3, {}) : holds(Daten, k, keyRows({"1", "2", "7"}))) << k;
    }
    EXPECT_FALSE(env.fileBytes(Daten + "kvxdat3.kvt"));
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(SynchronisationTest, GroessteDatnummerIsTheRecordCountAndReloadsTheNotedRecord)
{
    putTables(Daten, {keyRows({"3", "9", "11", "20", "21", "22", "30"}), {}, {}, {}});
    putTables(Temp, {keyRows({"1", "2"}), {}, {}, {}});
    open(main, Daten);
    std::string db1 = "DB1";
    EXPECT_EQ(keyed.groesste_Datnummer(main, db1), 7);
    EXPECT_EQ(cursor(0), 7) << "on no record before: ends on the last";
    sets.db_main[0].Go(4);
    sets.db_main[0].WriteData(Variant("DATNUMMER"), Variant("999"));
    EXPECT_EQ(keyed.groesste_Datnummer(main, db1), 7);
    EXPECT_EQ(cursor(0), 4);
    EXPECT_EQ(sets.db_main[0].GetData(Variant("DATNUMMER")), Variant("20"));

    sets.db_main[0].Go(7);
    open(main, Temp); // a cursor left from a longer table counts as none
    EXPECT_EQ(keyed.groesste_Datnummer(main, db1), 2);
    EXPECT_EQ(cursor(0), 2);
}

TEST_F(SynchronisationTest, TablesWithTheKeyStandOnItsFirstRecordTheOthersGainAWrittenOne)
{
    putTables(Temp, {keyRows({"4", "5  ", "5"}), keyRows({""}), keyRows({"5", "7"}), {}}, true);
    open(temp, Temp);
    synchronise(temp, 5);
    const std::int32_t positioned[] = {2, 2, 1, 1};
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(cursor(k, true), positioned[k]);
    EXPECT_EQ(sets.db_temp[1].GetData(Variant("DATNUMMER")), Variant("5"));
    synchronise(temp, 0);
    EXPECT_EQ(cursor(1, true), 1) << "a blank key reads as 0";
    close(temp);
    const TableFixture::Tables written = {keyRows({"4", "5  ", "5", "0"}), keyRows({"", "5"}), keyRows({"5", "7", "0"}),
                                          keyRows({"5", "0"})};
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_TRUE(holds(Temp, k, written[k], true)) << k;
}

// Positioning as a plain scan from record 1; a keyed record is appended
// when none matches.
void scanSynchronise(TableFixture& world, std::int32_t key)
{
    for (dbases& table : world.sets.db_main) {
        std::int32_t i = 1;
        while (i <= table.NoRecords() &&
               (table.Go(i), leadingNumber(table.GetData(Variant("DATNUMMER")).toText()) != key))
            ++i;
        if (i > table.NoRecords()) {
            table.Go(dbases::AppendRecord);
            table.Go(dbases::LastRecord);
            table.WriteData(Variant("DATNUMMER"), Variant(std::to_string(key)));
            table.UpDate();
        }
    }
}

// Two identical folders, one positioned through the key indexes, one by
// scanning: the same random steps must leave the same cursors, buffers and files.
void compareIndexWithScan(unsigned seed, int steps)
{
    const std::vector<std::string> texts = {"", "0", "1", "2", "5", "5  ", " 7", "12", "12.5", "-3", "+4", "8x", "40"};
    const std::vector<std::int32_t> keys = {-3, 0, 1, 2, 4, 5, 7, 8, 12, 13, 40};
    std::mt19937 random(seed);
    auto pick = [&](std::int32_t n) { return std::uniform_int_distribution<std::int32_t>(0, n - 1)(random); };
    auto anyText = [&] { return texts[static_cast<std::size_t>(pick(static_cast<std::int32_t>(texts.size())))]; };
    TableFixture::Tables start;
    for (auto& rows : start) { // odd seeds start with larger tables, even ones with tiny or empty ones
        for (std::int32_t n = pick(seed % 2 == 1 ? 30 : 4); n > 0; --n)
            rows.push_back({{"DATNUMMER", anyText()}});
    }
    TableFixture indexed, scanned;
    for (TableFixture* world : {&indexed, &scanned}) {
        world->putTables(Daten, start);
        world->open(world->main, Daten);
    }
    for (int step = 0; step < steps; ++step) {
        const std::size_t k = static_cast<std::size_t>(pick(4));
        const int action = pick(6);
        dbases &table = indexed.sets.db_main[k], &scan = scanned.sets.db_main[k];
        const Variant field("DATNUMMER"), text(anyText());
        std::int32_t key = action == 4 ? pick(48) - 4 : keys[static_cast<std::size_t>(pick(11))];
        if (action <= 1) { // a key rewritten in place, or a row appended, between lookups
            const std::int32_t record = action == 0 && table.NoRecords() > 0 ? 1 + pick(table.NoRecords()) : -5;
            for (dbases* each : {&table, &scan}) {
                each->Go(record);
                each->WriteData(field, text);
                each->UpDate();
            }
        } else if (action == 3) { // the scan loads every record in turn, then the noted one
            const std::int32_t noted = scan.hole_nummer();
            for (std::int32_t i = 1; i <= scan.NoRecords(); ++i)
                scan.Go(i);
            scan.Go(noted);
            std::string name(DatabaseSets::HandleNames[k]);
            EXPECT_EQ(indexed.keyed.groesste_Datnummer(indexed.main, name),
                      scan.NoRecords() > 0 ? scan.NoRecords() : -10);
        } else {
            if (action == 2) { // an unwritten change, then the key the table stands on
                key = static_cast<std::int32_t>(leadingNumber(table.GetData(field).toText()));
                table.WriteData(field, text);
                scan.WriteData(field, text);
            }
            bool missing = true;
            indexed.keyed.synchronisiere_datenbanken(indexed.main, key, missing);
            scanSynchronise(scanned, key);
            EXPECT_FALSE(missing);
        }
        for (std::size_t t = 0; t < 4; ++t) {
            ASSERT_EQ(indexed.sets.db_main[t].hole_nummer(), scanned.sets.db_main[t].hole_nummer()) << step;
            ASSERT_EQ(indexed.sets.db_main[t].buffer(), scanned.sets.db_main[t].buffer()) << step;
        }
    }
    indexed.close(indexed.main);
    scanned.close(scanned.main);
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
