#include "reorg/FieldCopyPlan.h"

#include "dbset/DatabaseSets.h"
#include "dbset/ValueFitting.h"
#include "platform/MemEnv.h"
#include "support/RecordingReporter.h"
#include "support/TableImage.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>

namespace torvane {
namespace {

using testsupport::TemplateField;

// Names that meet in both tables, appear twice, differ only in case, or
// read as numbers (in range, out of range, beyond 16 bits).
const char* const Names[] = {"DATNUMMER", "NACHNAME", "VORNAME", "ORT", "PLZ", "T1111", "nachname", " X",
                             "X",         "12",       "2",       "0",   "1.5", "-1",    "300",      "40000", "1e1"};
const char TypeLetters[] = {'C', 'C', 'C', 'D', 'N', 'c'};

// The plan must leave exactly what reading, cleaning, fitting and writing
// each field through the generic routines leaves, failures included.
class FieldCopyPlanTest : public ::testing::Test {
protected:
    std::vector<TemplateField> randomLayout()
    {
        std::vector<TemplateField> fields{{"DATNUMMER", 'C', 6}};
        const int count = pick(0, 30);
        for (int i = 0; i < count; ++i) {
            const int length = pick(0, 9) == 0 ? pick(240, 255) : pick(0, 40);
            const char type = TypeLetters[pick(0, std::size(TypeLetters) - 1)];
            fields.push_back({Names[pick(0, std::size(Names) - 1)], type, length});
        }
        return fields;
    }
    // Blanks around and between values, permitted and other bytes.
    std::string randomRecord(const std::vector<TemplateField>& fields)
    {
        std::size_t length = 1;
        for (const TemplateField& field : fields)
            length += static_cast<std::size_t>(field.length);
        std::string record(length, ' ');
        for (char& c : record) {
            const int kind = pick(0, 9);
            c = kind < 4 ? ' ' : kind < 7 ? static_cast<char>(pick('a', 'z')) : static_cast<char>(pick(0, 255));
        }
        return record;
    }
    dbases& open(dbases& table, const std::string& path, const std::vector<TemplateField>& fields)
    {
        env.putFile(path, testsupport::layoutTable(fields, {{}}));
        table.FileOpen(path);
        table.Go(1);
        table.setze_buffer(randomRecord(fields));
        return table;
    }
    static void readFields(dbases& table, FieldLists::Table& into)
    {
        for (int f = 1; f <= table.NoFields(); ++f) {
            FieldInfo& info = into[static_cast<std::size_t>(f)];
            table.hole_feldinfo(static_cast<std::uint8_t>(f), info.name, info.typ, info.laenge);
        }
    }
    // hole_datum, geprueft, setze_um and schreibe_datum, field after field.
    void copyFieldByField(const FieldLists& lists)
    {
        for (int f = 2; f <= lists.feldanzahl_main[1]; ++f) {
            const FieldInfo& source = lists.feldinfo_main[1][static_cast<std::size_t>(f)];
            FieldInfo target = lists.feldinfo_temp[1][static_cast<std::size_t>(f)];
            std::uint8_t main = DatabaseSets::MainSet;
            std::uint8_t temp = DatabaseSets::TempSet;
            std::string table = "db1";
            Variant name(source.name);
            std::string type = source.typ;
            std::int16_t length = source.laenge;
            Variant value = sets.hole_datum(main, table, name);
            fitting.geprueft(value, type, length);
            fitting.setze_um(value, target.typ, target.laenge);
            sets.schreibe_datum(temp, table, name, value);
        }
    }
    std::vector<std::string> reports()
    {
        std::vector<std::string> all;
        for (const auto& report : errors.reports)
            all.push_back(std::to_string(report.number) + " " + report.location);
        errors.reports.clear();
        return all;
    }
    static std::string describe(const std::vector<TemplateField>& fields)
    {
        std::ostringstream text;
        for (const TemplateField& field : fields)
            text << "[" << field.name << " " << field.type << field.length << "]";
        return text.str();
    }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }

    std::mt19937 random{20110305};
    MemEnv env{'/'};
    testsupport::RecordingReporter errors;
    Paths paths{env, errors};
    DatabaseSets sets{env, errors, paths};
    ValueFitting fitting{errors};
};

TEST_F(FieldCopyPlanTest, LeavesTheBuffersOfTheFieldByFieldRoutinesOnRandomLayouts)
{
    for (int round = 0; round < 400; ++round) {
        const std::vector<TemplateField> mainFields = randomLayout();
        const std::vector<TemplateField> tempFields = randomLayout();
        SCOPED_TRACE("round " + std::to_string(round) + ": working copy " + describe(mainFields) + ", fresh table " +
                     describe(tempFields));
        dbases& main = open(sets.db_main[0], "/main.kvt", mainFields);
        dbases& temp = open(sets.db_temp[0], "/temp.kvt", tempFields);
        FieldLists lists;
        lists.feldanzahl_main[1] = main.NoFields();
        readFields(main, lists.feldinfo_main[1]);
        readFields(temp, lists.feldinfo_temp[1]);
        const std::string before = temp.buffer();

        copyFieldByField(lists);
        const std::string expected = temp.buffer();
        const std::vector<std::string> expectedReports = reports();
        temp.setze_buffer(before);
        FieldCopyPlan(main, temp, lists, 1).apply(main, temp, errors);

        ASSERT_EQ(temp.buffer(), expected);
        ASSERT_EQ(reports(), expectedReports);
        main.FileClose();
        temp.FileClose();
    }
}

} // namespace
} // namespace torvane
