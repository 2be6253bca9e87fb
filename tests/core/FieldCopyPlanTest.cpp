#include "reorg/FieldCopyPlan.h"

#include "dbset/DatabaseSets.h"
#include "dbset/ValueFitting.h"
#include "support/RecordingReporter.h"
#include "support/TableImage.h"
#include "support/platform/MemEnv.h"

#include <gtest/gtest.h>

#include <random>

namespace torvane {
namespace {

using testsupport::TemplateField;

// Names that meet in both tables, appear twice, differ only in case, or
// read as numbers (in range, out of range, beyond 16 bits). One-character
// fields are frequent, and so are fresh tables laid out like the working copy:
// runs of one-character fields are copied as one.
const char* const Names[] = {"DATNUMMER", "NACHNAME", "VORNAME", "ORT", "PLZ", "T1111", "nachname", " X", "X",
                             "12",        "2",        "0",       "1.5", "-1",  "300",   "40000",    "1e1"};

// The plan must leave exactly what reading, cleaning, fitting and writing
// each field through the generic routines leaves, failures included.
TEST(FieldCopyPlanTest, LeavesTheBuffersOfTheFieldByFieldRoutinesOnRandomLayouts)
{
    std::mt19937 random{20110305};
    const auto pick = [&random](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    MemEnv env{'/'};
    testsupport::RecordingReporter errors;
    Paths paths{env, errors};
    DatabaseSets sets{env, errors, paths};
    ValueFitting fitting{errors};
    const auto randomLayout = [&] {
        std::vector<TemplateField> fields{{"DATNUMMER", 'C', 6}};
        for (int i = pick(0, 30); i > 0; --i) {
            const int length = pick(0, 9) == 0 ? pick(240, 255) : pick(0, 1) == 0 ? 1 : pick(0, 40);
            const int shared = pick(0, 1); // a name many tables share, or one of its own
            fields.emplace_back(shared ? Names[pick(0, std::size(Names) - 1)] : "T" + std::to_string(1111 + i),
                                "CCCDNc"[pick(0, 5)], length);
        }
        return fields;
    };
    // One record of blanks, letters and any bytes; its field list goes into list.
    const auto open = [&](dbases& table, const std::string& path, const std::vector<TemplateField>& fields,
                          FieldLists::Table& list) {
        env.putFile(path, testsupport::layoutTable(fields, {{}}));
        table.FileOpen(path);
        table.Go(1);
        std::string record = table.buffer();
        for (char& c : record)
            c = static_cast<char>(pick(0, 9) < 4 ? ' ' : pick(0, 2) < 2 ? pick('a', 'z') : pick(0, 255));
        table.setze_buffer(record);
        for (std::size_t f = 1; f <= static_cast<std::size_t>(table.NoFields()); ++f)
            table.hole_feldinfo(static_cast<std::uint8_t>(f), list[f].name, list[f].typ, list[f].laenge);
        std::string described;
        for (const TemplateField& field : fields)
            described += "[" + field.name + " " + field.type + std::to_string(field.length) + "]";
        return described;
    };
    const auto reports = [&errors] {
        std::vector<std::string> all;
        for (const auto& report : errors.reports)
            all.push_back(std::to_string(report.number) + " " + report.location);
        errors.reports.clear();
        return all;
    };

    for (int round = 0; round < 1000; ++round) {
        FieldLists lists;
        dbases& main = sets.db_main[0];
        dbases& temp = sets.db_temp[0];
        // Every other fresh table has the working copy's fields, as the
        // templates mostly do, but other types and two fields swapped.
        const std::vector<TemplateField> mainFields = randomLayout();
        std::vector<TemplateField> tempFields = round % 2 == 0 ? randomLayout() : mainFields;
        for (TemplateField& field : tempFields) {
            if (round % 2 == 1)
                field.type = "CCCDNc"[pick(0, 5)];
        }
        const auto last = static_cast<int>(tempFields.size()) - 1;
        std::swap(tempFields[static_cast<std::size_t>(pick(0, last))],
                  tempFields[static_cast<std::size_t>(pick(0, last))]);
        const std::string described = "round " + std::to_string(round) + ": working copy " +
                                      open(main, "/main.kvt", mainFields, lists.feldinfo_main[1]) + ", fresh table " +
                                      open(temp, "/temp.kvt", tempFields, lists.feldinfo_temp[1]);
        SCOPED_TRACE(described);
        lists.feldanzahl_main[1] = main.NoFields();
        const std::string before = temp.buffer();

        // hole_datum, geprueft, setze_um and schreibe_datum, field after field.
        for (std::size_t f = 2; f <= static_cast<std::size_t>(lists.feldanzahl_main[1]); ++f) {
            FieldInfo source = lists.feldinfo_main[1][f];
            FieldInfo target = lists.feldinfo_temp[1][f];
            std::uint8_t mainSet = DatabaseSets::MainSet;
            std::uint8_t tempSet = DatabaseSets::TempSet;
            std::string table = "db1";
            Variant name(source.name);
            Variant value = sets.hole_datum(mainSet, table, name);
            fitting.geprueft(value, source.typ, source.laenge);
            fitting.setze_um(value, target.typ, target.laenge);
            sets.schreibe_datum(tempSet, table, name, value);
        }
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
