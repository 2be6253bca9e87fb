// Whole runs of torvane-cli compared byte for byte with the reference model.

#include "cli/CliProgram.h"
#include "platform/Cp1252.h"
#include "platform/MemEnv.h"
#include "platform/PosixEnv.h"
#include "resources/Templates.h"
#include "sample/SamplePractice.h"
#include "support/ReferenceReorganisation.h"
#include "support/ScratchFolder.h"
#include "support/TableImage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <random>
#include <sstream>
#include <stdlib.h>

namespace torvane {
namespace {

using cli::ConfirmOption;
using testsupport::layoutTable;
using testsupport::PracticeFiles;
using testsupport::ReferenceResult;
using testsupport::Row;
using testsupport::sameTable;
using testsupport::TableImage;
using testsupport::tableFile;
using testsupport::TemplateField;
using testsupport::templateFields;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const LocalDateTime FifthOfMarch{2011, 3, 5, 9, 30, 0};

std::string tableName(std::size_t k) { return std::string(TableNames[k].base) + ".kvt"; }

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

Outcome runCli(Env& env, const std::string& patientTable, ConfirmOption confirm)
{
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    cli::Terminal terminal{in, out, err};
    FixedClock clock(FifthOfMarch);
    const int status = cli::runCli(cli::CliOptions{confirm, patientTable, false}, env, clock, terminal);
    return {status, out.str(), err.str()};
}

PracticeFiles practice(const std::vector<Row>& person, const std::vector<Row>& kvxdat1, const std::vector<Row>& kvxdat2,
                       const std::vector<Row>& kvxdat3)
{
    return {tableFile(101, person), tableFile(102, kvxdat1), tableFile(103, kvxdat2), tableFile(104, kvxdat3)};
}

Row patient(const std::string& key, const std::string& surname, const std::string& firstName = "Eva")
{
    return {{"DATNUMMER", key}, {"NACHNAME", surname}, {"VORNAME", firstName}, {"ORT", "Bonn " + key}};
}

// A practice on an in-memory disk with '/' paths, reorganised on 5 March.
class ReorganisationRunTest : public ::testing::Test {
protected:
    static constexpr const char* Data = "/praxis/";
    static constexpr const char* Temp = "/tmp/";

    ReorganisationRunTest() { env.createFolders("/praxis"); }

    static std::string output(int n = 0)
    {
        return Data + std::string("REORG_AUSGANG_03_05_") + std::to_string(n) + "/";
    }
    static std::string staging(int n = 0)
    {
        return Temp + std::string("TEMP_REORG_EINGANG_03_05_") + std::to_string(n) + "/";
    }

    void put(const PracticeFiles& files)
    {
        for (std::size_t k = 0; k < 4; ++k) {
            if (files[k])
                env.putFile(Data + tableName(k), *files[k]);
        }
    }
    PracticeFiles tablesIn(const std::string& folder) const
    {
        PracticeFiles files;
        for (std::size_t k = 0; k < 4; ++k)
            files[k] = env.fileBytes(folder + tableName(k));
        return files;
    }
    Outcome run(ConfirmOption confirm) { return runCli(env, Data + std::string("person.kvt"), confirm); }

    // Puts the practice, works out the model's result, and runs.
    ReferenceResult reorganise(const PracticeFiles& files, ConfirmOption confirm = ConfirmOption::Backup,
                               int expectedStatus = cli::exitcode::CopiedBack)
    {
        put(files);
        const ReferenceResult model = testsupport::referenceReorganisation(files);
        outcome = run(confirm);
        EXPECT_EQ(outcome.status, expectedStatus) << outcome.out << outcome.err;
        EXPECT_EQ(outcome.err, "") << "no error reported";
        return model;
    }

    // The output folder, the fresh and template tables in the temporary
    // folder and the working copies in the staging folder of run n.
    void expectRunFolders(const ReferenceResult& model, int n = 0) const
    {
        for (std::size_t k = 0; k < 4; ++k) {
            const std::string base = TableNames[k].base;
            SCOPED_TRACE(base);
            EXPECT_TRUE(sameTable(model.fresh[k], env.fileBytes(output(n) + base + ".kvt")));
            EXPECT_TRUE(sameTable(model.fresh[k], env.fileBytes(Temp + base + "temp.kvt")));
            EXPECT_EQ(env.fileBytes(Temp + base + "template.kvt"), std::string(templateBlob(TableNames[k].resource)));
            if (model.working[k])
                EXPECT_TRUE(sameTable(*model.working[k], env.fileBytes(staging(n) + base + ".kvt")));
            else
                EXPECT_FALSE(env.fileBytes(staging(n) + base + ".kvt"));
        }
    }
    void expectDataFolder(const PracticeFiles& tables) const
    {
        for (std::size_t k = 0; k < 4; ++k) {
            SCOPED_TRACE(tableName(k));
            if (tables[k])
                EXPECT_TRUE(sameTable(*tables[k], env.fileBytes(Data + tableName(k))));
            else
                EXPECT_FALSE(env.fileBytes(Data + tableName(k)));
        }
    }
    PracticeFiles freshTables(const ReferenceResult& model) const
    {
        return {model.fresh[0], model.fresh[1], model.fresh[2], model.fresh[3]};
    }
    TableImage result(std::size_t k) const { return TableImage(env.fileBytes(output() + tableName(k)).value_or("")); }

    MemEnv env{'/'};
    Outcome outcome;
};

// Every fresh table holds one row per patient carried over, keyed 1..n.
void expectRenumbered(const ReferenceResult& model)
{
    for (const std::string& file : model.fresh) {
        const TableImage table(file);
        ASSERT_EQ(table.count, model.carried);
        for (std::int32_t r = 1; r <= table.count; ++r)
            ASSERT_EQ(table.value(r, "DATNUMMER"), (std::to_string(r) + "      ").substr(0, 6)) << r;
    }
}

struct Generated {
    int patients;
    std::uint32_t seed;
    bool withKvxdat3;
};

void PrintTo(const Generated& sample, std::ostream* out)
{
    *out << sample.patients << " patients, seed " << sample.seed << (sample.withKvxdat3 ? "" : ", no kvxdat3");
}

class GeneratedPracticeTest : public ReorganisationRunTest, public ::testing::WithParamInterface<Generated> {};

TEST_P(GeneratedPracticeTest, ComesOutExactlyAsTheRulesSay)
{
    const Generated sample = GetParam();
    sample::writeSamplePractice(env, Data, {sample.patients, sample.seed, sample.withKvxdat3});
    const PracticeFiles source = tablesIn(Data);
    const ReferenceResult model = reorganise(source);

    EXPECT_GT(model.carried, sample.patients * 9 / 10);
    EXPECT_LT(model.carried, sample.patients);
    expectRenumbered(model);
    expectRunFolders(model);
    expectDataFolder(freshTables(model));
    EXPECT_THAT(env.folderEntries("/praxis"), ElementsAre("REORG_AUSGANG_03_05_0", "kvxdat1.kvt", "kvxdat2.kvt",
                                                          "kvxdat3.kvt", "person.kvt"));
    EXPECT_THAT(env.folderEntries("/tmp"),
                ElementsAre("TEMP_REORG_EINGANG_03_05_0", "kvxdat1temp.kvt", "kvxdat1template.kvt", "kvxdat2temp.kvt",
                            "kvxdat2template.kvt", "kvxdat3temp.kvt", "kvxdat3template.kvt", "persontemp.kvt",
                            "persontemplate.kvt"));
}

INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedPracticeTest,
                         ::testing::Values(Generated{300, 1, true}, Generated{250, 7, true}, Generated{320, 2024, true},
                                           Generated{300, 42, false}));

TEST_F(ReorganisationRunTest, SkipsKeysBelowOnePlaceholdersAndNamelessPatients)
{
    const std::vector<Row> person = {
        patient("1", "Adler", "Anna"),
        patient("", "Ohne"),
        patient("0", "Null"),
        patient("-3", "Minus"),
        patient("5", "Neuer_Patient"),
        patient("6", "neuer_patient"),
        patient("7", "   ", ""),
        patient("8", "", "Bert"),
        patient("7.5", "Halb"),    // 8: carried with the data of the first patient 8
        patient("11.5", "Halb"),   // 12: nobody has it, so an appended blank patient is found
        patient(" 13", "Zorn"),
        patient("0.6", "Fast"),    // 1: Adler again
    };
    const std::vector<Row> exams = {{{"DATNUMMER", "1"}}, {{"DATNUMMER", "6"}}, {{"DATNUMMER", "8"}}};
    const PracticeFiles source = practice(person, exams, exams, exams);
    const ReferenceResult model = reorganise(source);
    expectRunFolders(model);

    const TableImage result = this->result(0);
    ASSERT_EQ(result.count, 6);
    const std::vector<std::pair<std::string, std::string>> names = {
        {"Adler", "Anna"}, {"neuer patient", "Eva"}, {"", "Bert"}, {"", "Bert"}, {"Zorn", "Eva"}, {"Adler", "Anna"}};
    for (std::int32_t r = 1; r <= 6; ++r) {
        EXPECT_THAT(result.value(r, "NACHNAME"), ::testing::StartsWith(names[r - 1].first + "  ")) << r;
        EXPECT_THAT(result.value(r, "VORNAME"), ::testing::StartsWith(names[r - 1].second + "  ")) << r;
    }
    // The working copies gained a row for every key looked up but missing,
    // skipped patients included, in the order of the lookups.
    const TableImage working(env.fileBytes(staging() + "person.kvt").value_or(""));
    ASSERT_EQ(working.count, 13);
    EXPECT_EQ(working.record(13), " 12" + std::string(working.recordLength - 3, ' '));
    const TableImage exam(env.fileBytes(staging() + "kvxdat2.kvt").value_or(""));
    ASSERT_EQ(exam.count, 7);
    const std::vector<std::string> appended = {"5     ", "7     ", "12    ", "13    "};
    for (std::int32_t r = 4; r <= 7; ++r)
        EXPECT_EQ(exam.value(r, "DATNUMMER"), appended[static_cast<std::size_t>(r - 4)]);
}

TEST_F(ReorganisationRunTest, DuplicateKeysCarryTheFirstRowsDataTwice)
{
    const std::vector<Row> person = {patient("1", "Alt"), patient("2", "Berg"), patient("1", "Clausen")};
    const std::vector<Row> kvxdat1 = {{{"DATNUMMER", "1"}, {"GESCHLECHT", "W"}},
                                      {{"DATNUMMER", "2"}, {"GESCHLECHT", "M"}},
                                      {{"DATNUMMER", "1"}, {"GESCHLECHT", "X"}}};
    const std::vector<Row> kvxdat2 = {{{"DATNUMMER", "1"}, {"T1111", "k"}}};
    const PracticeFiles source = practice(person, kvxdat1, kvxdat2, kvxdat2);
    const ReferenceResult model = reorganise(source);
    expectRunFolders(model);
    expectRenumbered(model);

    EXPECT_THAT(result(0).value(3, "NACHNAME"), ::testing::StartsWith("Alt "));
    EXPECT_EQ(result(1).value(3, "GESCHLECHT"), "W");
    EXPECT_EQ(result(1).value(2, "GESCHLECHT"), "M");
    EXPECT_EQ(result(2).value(3, "T1111"), "k");
    EXPECT_EQ(result(2).record(2), " 2" + std::string(result(2).recordLength - 2, ' ')) << "only the key";
}

TEST_F(ReorganisationRunTest, CleansTextFieldsButLeavesDateFields)
{
    const std::vector<Row> person = {
        {{"DATNUMMER", "1"}, {"NACHNAME", "M\xFCller_L\xFC" "denscheidt"}, {"VORNAME", "J\xC3\xBCrgen"},
         {"STRASSE", "Stra\xDF" "e 5/2"}, {"ORT", "K\xF6ln (S\xFC" "d)"}, {"PLZ", "5O667"}},
        patient("2", "\xC4\xD6\xDC\xE4\xF6\xFC\xDF,.-"),
    };
    const std::vector<Row> kvxdat1 = {
        {{"DATNUMMER", "1"}, {"UNTDATUM", "12/05/20"}, {"TWW1121", "Schmerz! (rechts) " + std::string(200, 'x') + "#"}},
    };
    const PracticeFiles source = practice(person, kvxdat1, {}, {});
    const ReferenceResult model = reorganise(source);
    expectRunFolders(model);

    const TableImage fresh = result(0);
    EXPECT_THAT(fresh.value(1, "NACHNAME"), ::testing::StartsWith("M\xFCller L\xFC" "denscheidt "));
    EXPECT_THAT(fresh.value(1, "VORNAME"), ::testing::StartsWith("J  rgen "));
    EXPECT_THAT(fresh.value(1, "STRASSE"), ::testing::StartsWith("Stra\xDF" "e 5 2 "));
    EXPECT_THAT(fresh.value(1, "ORT"), ::testing::StartsWith("K\xF6ln  S\xFC" "d  "));
    EXPECT_EQ(fresh.value(1, "PLZ"), "5O667");
    EXPECT_THAT(fresh.value(2, "NACHNAME"), ::testing::StartsWith("\xC4\xD6\xDC\xE4\xF6\xFC\xDF,.- "));
    EXPECT_EQ(result(1).value(1, "UNTDATUM"), "12/05/20");
    EXPECT_EQ(result(1).value(1, "TWW1121"),
              "Schmerz   rechts  " + std::string(200, 'x') + " " + std::string(254 - 219, ' '));
}

TEST_F(ReorganisationRunTest, WithoutKvxdat3TheResultStillHasOneWithOnlyKeys)
{
    const std::vector<Row> person = {patient("4", "Abel"), patient("9", "Bach"), patient("2", "Cramer")};
    PracticeFiles source = practice(person, {}, {{{"DATNUMMER", "9"}, {"T1365", "x"}}}, {});
    source[3].reset();
    const ReferenceResult model = reorganise(source);
    expectRunFolders(model);
    expectDataFolder(freshTables(model));
    expectRenumbered(model);

    const TableImage kvxdat3(env.fileBytes(Data + std::string("kvxdat3.kvt")).value_or(""));
    ASSERT_EQ(kvxdat3.count, 3);
    for (std::int32_t r = 1; r <= 3; ++r)
        EXPECT_EQ(kvxdat3.record(r), " " + std::to_string(r) + std::string(kvxdat3.recordLength - 2, ' '));
    EXPECT_EQ(result(2).value(2, "T1365"), "x");
}

class TooFewRecordsTest : public ReorganisationRunTest, public ::testing::WithParamInterface<int> {};

TEST_P(TooFewRecordsTest, EndWithoutAnOutputFolderAndLeaveTheDataAlone)
{
    const std::vector<Row> person(static_cast<std::size_t>(GetParam()), patient("1", "Einzig"));
    const PracticeFiles source = practice(person, {{{"DATNUMMER", "1"}}}, {}, {});
    const ReferenceResult model = reorganise(source, ConfirmOption::Backup, cli::exitcode::NothingToDo);
    ASSERT_TRUE(model.nothingToDo);

    EXPECT_THAT(outcome.out, HasSubstr(cp1252::toUtf8("\nInformation\nKeine S\xE4tze zum Umsetzen vorhanden!\n")));
    EXPECT_THAT(env.folderEntries("/praxis"), ElementsAre("kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt", "person.kvt"));
    expectDataFolder(source);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_TRUE(sameTable(*source[k], env.fileBytes(staging() + tableName(k))));
        EXPECT_EQ(model.fresh[k], templateBlob(TableNames[k].resource));
        EXPECT_TRUE(sameTable(model.fresh[k], env.fileBytes(Temp + std::string(TableNames[k].base) + "temp.kvt")));
    }
}

INSTANTIATE_TEST_SUITE_P(NoneOrOne, TooFewRecordsTest, ::testing::Values(0, 1));

TEST_F(ReorganisationRunTest, TwoPatientRecordsAreEnough)
{
    const PracticeFiles source = practice({patient("3", "Erster"), patient("3", "Zweiter")}, {}, {}, {});
    const ReferenceResult model = reorganise(source);
    EXPECT_EQ(model.carried, 2);
    expectRunFolders(model);
    expectDataFolder(freshTables(model));
}

TEST_F(ReorganisationRunTest, DoubtLeavesTheDataFolderByteForByte)
{
    sample::writeSamplePractice(env, Data, {60, 5, true});
    const PracticeFiles source = tablesIn(Data);
    const ReferenceResult model = reorganise(source, ConfirmOption::Doubt, cli::exitcode::Doubt);

    EXPECT_THAT(outcome.out, HasSubstr("\nKontrolliertes Ende\nDas Programm bricht jetzt ab"));
    expectDataFolder(source);
    expectRunFolders(model);
    EXPECT_THAT(outcome.out, HasSubstr(cp1252::toUtf8("\n...und fertig!\nDie Umsetzung ist vollst\xE4ndig erfolgt. "
                                                      "Sie finden die\nneuen Dateien unter:\n"
                                                      "/praxis/REORG_AUSGANG_03_05_0/\n")));
}

TEST_F(ReorganisationRunTest, ASecondRunTheSameDayTakesTheNextFoldersAndLeavesTheFirst)
{
    sample::writeSamplePractice(env, Data, {80, 11, true});
    const ReferenceResult first = reorganise(tablesIn(Data));
    std::map<std::string, std::optional<std::string>> firstFolders;
    for (const std::string& folder : {output(0), staging(0)}) {
        for (std::size_t k = 0; k < 4; ++k)
            firstFolders[folder + tableName(k)] = env.fileBytes(folder + tableName(k));
    }

    const ReferenceResult second = reorganise(freshTables(first));
    expectRunFolders(second, 1);
    expectDataFolder(freshTables(second));
    for (const auto& [path, bytes] : firstFolders)
        EXPECT_EQ(env.fileBytes(path), bytes) << path;
    EXPECT_THAT(env.folderEntries("/praxis"), ElementsAre("REORG_AUSGANG_03_05_0", "REORG_AUSGANG_03_05_1",
                                                          "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt", "person.kvt"));
}

TEST_F(ReorganisationRunTest, FlaggedRecordsAndEndMarkers)
{
    const std::vector<Row> person = {patient("1", "Erich"), patient("2", "Frieda"), patient("3", "Gustav")};
    PracticeFiles source = practice(person, {{{"DATNUMMER", "2"}, {"GESCHLECHT", "W"}}}, {}, {});
    source[0] = testsupport::flagged(layoutTable(templateFields(101), person, /*endMarker=*/false), 2);
    source[1] = testsupport::flagged(*source[1], 1);
    const ReferenceResult model = reorganise(source);
    expectRunFolders(model);

    EXPECT_EQ(result(0).record(2)[0], ' ') << "a fresh row is written with a blank flag";
    EXPECT_THAT(result(0).value(2, "NACHNAME"), ::testing::StartsWith("Frieda "));
    EXPECT_EQ(result(1).value(2, "GESCHLECHT"), "W");
    const TableImage working(env.fileBytes(staging() + "kvxdat1.kvt").value_or(""));
    EXPECT_EQ(working.record(1)[0], '*');
    EXPECT_EQ(working.file.size(), working.dataStart + 3u * static_cast<std::size_t>(working.recordLength))
        << "the appended rows overwrote the end marker";
    EXPECT_EQ(env.fileBytes(staging() + "person.kvt"), source[0]);
}

// Working copies whose layout is not the template's: the copy goes by the
// field names of the working copy and the widths of the fresh table's field
// at the same position.
struct OddLayout {
    const char* name;
    std::size_t table;
    std::vector<TemplateField> (*fields)();
};

std::vector<TemplateField> reordered(int resource, std::vector<std::size_t> order)
{
    const std::vector<TemplateField>& all = templateFields(resource);
    std::vector<TemplateField> fields;
    for (std::size_t i : order)
        fields.push_back(all[i]);
    return fields;
}

std::vector<TemplateField> withChanges(int resource, std::size_t at, std::optional<TemplateField> replacement)
{
    std::vector<TemplateField> fields = templateFields(resource);
    if (replacement)
        fields[at] = *replacement;
    else
        fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(at));
    return fields;
}

const OddLayout OddLayouts[] = {
    {"PersonInAnotherOrder", 0, [] { return reordered(101, {0, 6, 5, 1, 2, 3, 4, 7, 8, 9, 10, 11, 12, 13}); }},
    {"PersonWithoutPLZ", 0, [] { return withChanges(101, 5, std::nullopt); }},
    {"PersonWithTwoNachname", 0, [] { return withChanges(101, 4, TemplateField{"NACHNAME", 'C', 40}); }},
    {"PersonKeyNotFirst", 0, [] { return reordered(101, {1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13}); }},
    {"Kvxdat1WithLowerCaseNameAndOtherTypes", 1,
     [] {
         std::vector<TemplateField> fields = withChanges(102, 1, TemplateField{"geschlecht", 'C', 1});
         fields[2].type = 'N';
         fields[4].type = 'c';
         fields[5].length = 30;
         return fields;
     }},
    {"Kvxdat3WithNumberNamesAndAnExtraField", 3,
     [] {
         std::vector<TemplateField> fields = withChanges(104, 2, TemplateField{"3", 'C', 64});
         fields[7].name = "EXTRA";
         fields.push_back({"12", 'C', 255});
         fields.push_back({"0", 'C', 4});
         return fields;
     }},
};

class OddLayoutTest : public ReorganisationRunTest, public ::testing::WithParamInterface<OddLayout> {};

// Values that differ in every field and carry characters to clean.
std::vector<Row> filledRows(const std::vector<TemplateField>& fields, const std::vector<std::string>& keys)
{
    std::vector<Row> rows;
    for (std::size_t r = 0; r < keys.size(); ++r) {
        Row row{{"DATNUMMER", keys[r]}};
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (fields[f].name != "DATNUMMER" && (f + r) % 3 != 0)
                row.push_back({fields[f].name, "W" + std::to_string(r) + "_" + std::to_string(f) + "\xE4/" +
                                                   std::string(f % 40, static_cast<char>('a' + f % 26)) + "!z"});
        }
        rows.push_back(row);
    }
    return rows;
}

TEST_P(OddLayoutTest, MatchesTheModel)
{
    const OddLayout layout = GetParam();
    const std::vector<std::string> keys = {"1", "2", "3", "3", "5", "6", "8", "9", "10", "12", "2"};
    std::vector<Row> person;
    for (const std::string& key : keys)
        person.push_back(patient(key, "Name" + key));
    PracticeFiles source = practice(person, testsupport::keyRows({"1", "2", "3", "5"}),
                                    testsupport::keyRows({"9", "8"}), testsupport::keyRows({"6", "3", "1"}));
    const std::vector<TemplateField> fields = layout.fields();
    const std::vector<std::string> rowKeys = {"3", "1", "12", "6", "5", "11"};
    source[layout.table] = layoutTable(fields, filledRows(fields, layout.table == 0 ? keys : rowKeys));
    const ReferenceResult model = reorganise(source);
    EXPECT_GT(model.carried, 5);
    expectRunFolders(model);
    expectDataFolder(freshTables(model));
}

void PrintTo(const OddLayout& layout, std::ostream* out) { *out << layout.name; }

INSTANTIATE_TEST_SUITE_P(Layouts, OddLayoutTest, ::testing::ValuesIn(OddLayouts),
                         [](const ::testing::TestParamInfo<OddLayout>& info) { return info.param.name; });

// Small practices with everything mixed: layouts changed at random, odd
// and duplicate keys, rows missing or doubled, flags, dirty values.
class RandomPractice {
public:
    explicit RandomPractice(std::uint32_t seed) : random_(seed) {}

    PracticeFiles make()
    {
        std::vector<std::string> keys;
        const int patients = pick(15, 40);
        for (int i = 1; i <= patients; ++i)
            keys.push_back(pick(0, 5) == 0 ? OddKeys[pick(0, std::size(OddKeys) - 1)]
                                           : std::to_string(pick(1, patients)));
        PracticeFiles files;
        for (std::size_t k = 0; k < 4; ++k) {
            std::vector<TemplateField> fields = templateFields(TableNames[k].resource);
            for (int changes = pick(0, 3); changes > 0; --changes)
                change(fields);
            // Examination rows: some patients' missing, some doubled, in any order.
            std::vector<std::string> rowKeys = keys;
            if (k > 0) {
                std::shuffle(rowKeys.begin(), rowKeys.end(), random_);
                rowKeys.resize(static_cast<std::size_t>(pick(0, patients)));
            }
            files[k] = table(fields, rowKeys);
        }
        if (pick(0, 3) == 0)
            files[3].reset();
        return files;
    }

private:
    static constexpr const char* OddKeys[] = {"",   "0",   "-3", "7.5", "0.6", "+4",     "1e2", "12abc",
                                              " 9", "3 4", ".5", "2.5", "-0",  "999999", "1,5"};
    static constexpr const char* OddNames[] = {"2", "5", "1.5", "-1", "300", "EXTRA", "NACHNAME", "T1111", "ort"};

    void change(std::vector<TemplateField>& fields)
    {
        const auto at = static_cast<std::size_t>(pick(1, static_cast<int>(fields.size()) - 1));
        switch (pick(0, 4)) {
        case 0:
            std::swap(fields[at], fields[static_cast<std::size_t>(pick(1, static_cast<int>(fields.size()) - 1))]);
            break;
        case 1:
            if (fields[at].name != "NACHNAME" && fields[at].name != "VORNAME")
                fields.erase(fields.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        case 2:
            fields[at].length = pick(0, 60);
            break;
        case 3:
            fields[at].type = "DNc"[pick(0, 2)];
            break;
        default:
            if (fields.size() < 255)  // the most a table can hold
                fields.insert(fields.begin() + static_cast<std::ptrdiff_t>(at),
                              {OddNames[pick(0, std::size(OddNames) - 1)], 'C', pick(1, 30)});
        }
    }

    std::string table(const std::vector<TemplateField>& fields, const std::vector<std::string>& keys)
    {
        std::vector<Row> rows;
        for (const std::string& key : keys) {
            Row row{{"DATNUMMER", key}};
            for (const TemplateField& field : fields) {
                if (field.name != "DATNUMMER" && pick(0, 2) != 0)
                    row.push_back({field.name, value(field.length)});
            }
            rows.push_back(row);
        }
        std::string file = layoutTable(fields, rows, pick(0, 1) == 0);
        for (std::size_t r = 1; r <= rows.size(); ++r) {
            if (pick(0, 9) == 0)
                file = testsupport::flagged(file, static_cast<std::int32_t>(r));
        }
        return file;
    }

    std::string value(int width)
    {
        static const std::string Bytes = "  aeimnrstAEZ\xE4\xFC\xDF\xC3\xA9_/()!0123456789,.-";
        std::string text(static_cast<std::size_t>(pick(0, width)), ' ');
        for (char& c : text)
            c = Bytes[static_cast<std::size_t>(pick(0, static_cast<int>(Bytes.size()) - 1))];
        return text;
    }

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

    std::mt19937 random_;
};

class RandomPracticeTest : public ReorganisationRunTest, public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(RandomPracticeTest, MatchesTheModel)
{
    const PracticeFiles source = RandomPractice(GetParam()).make();
    const ReferenceResult model = reorganise(source, ConfirmOption::Doubt, cli::exitcode::Doubt);
    expectRunFolders(model);
    expectDataFolder(source);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomPracticeTest, ::testing::Range(1u, 41u));

TEST(ReorganisationRunOnDisk, MatchesTheModelOnAPosixFileSystem)
{
    testsupport::ScratchFolder scratch;
    const std::string data = scratch.path() + "Praxis Dr. M\xFCller/";
    const std::string temp = scratch.path() + "tmp/";
    PosixEnv env;
    ASSERT_TRUE(env.makeFolder(data).isOk());
    ASSERT_TRUE(env.makeFolder(temp).isOk());
    sample::writeSamplePractice(env, data, {150, 3, true});
    PracticeFiles source;
    for (std::size_t k = 0; k < 4; ++k) {
        std::string bytes;
        ASSERT_TRUE(env.readFile(data + tableName(k), &bytes).isOk());
        source[k] = bytes;
    }
    const ReferenceResult model = testsupport::referenceReorganisation(source);

    const char* previous = std::getenv("TMPDIR");
    const std::optional<std::string> saved = previous ? std::optional<std::string>(previous) : std::nullopt;
    ::setenv("TMPDIR", cp1252::toUtf8(temp).c_str(), 1);
    const Outcome outcome = runCli(env, cp1252::toUtf8(data + "person.kvt"), ConfirmOption::Backup);
    saved ? ::setenv("TMPDIR", saved->c_str(), 1) : ::unsetenv("TMPDIR");

    ASSERT_EQ(outcome.status, cli::exitcode::CopiedBack) << outcome.out << outcome.err;
    const auto bytesOf = [&env](const std::string& path) {
        std::string bytes;
        return env.readFile(path, &bytes).isOk() ? std::optional<std::string>(bytes) : std::nullopt;
    };
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(tableName(k));
        EXPECT_TRUE(sameTable(model.fresh[k], bytesOf(data + tableName(k))));
        EXPECT_TRUE(sameTable(model.fresh[k], bytesOf(data + "REORG_AUSGANG_03_05_0/" + tableName(k))));
        EXPECT_TRUE(sameTable(model.fresh[k], bytesOf(temp + TableNames[k].base + "temp.kvt")));
        EXPECT_TRUE(sameTable(*model.working[k], bytesOf(temp + "TEMP_REORG_EINGANG_03_05_0/" + tableName(k))));
    }
    // Nothing left behind beyond the named files and folders.
    const auto entries = [](const std::string& folder) {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(cp1252::toUtf8(folder)))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    };
    EXPECT_THAT(entries(data),
                ElementsAre("REORG_AUSGANG_03_05_0", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt", "person.kvt"));
    EXPECT_THAT(entries(temp), ElementsAre("TEMP_REORG_EINGANG_03_05_0", "kvxdat1temp.kvt", "kvxdat1template.kvt",
                                           "kvxdat2temp.kvt", "kvxdat2template.kvt", "kvxdat3temp.kvt",
                                           "kvxdat3template.kvt", "persontemp.kvt", "persontemplate.kvt"));
    EXPECT_THAT(entries(temp + "TEMP_REORG_EINGANG_03_05_0"),
                ElementsAre("kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt", "person.kvt"));
}

} // namespace
} // namespace torvane
