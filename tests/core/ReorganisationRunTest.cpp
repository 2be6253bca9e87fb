// Whole runs of torvane-cli compared byte for byte with the reference model.

#include "cli/CliProgram.h"
#include "platform/Cp1252.h"
#include "resources/Templates.h"
#include "sample/SamplePractice.h"
#include "support/RandomPractice.h"
#include "support/ReferenceReorganisation.h"
#include "support/ScratchFolder.h"
#include "support/TableFixture.h"
#include "support/TableImage.h"
#include "support/platform/DiskEnv.h"
#include "support/platform/MemEnv.h"
#include "support/platform/StatusMatchers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <tuple>

namespace torvane {
namespace {

using namespace testsupport;
using cli::ConfirmOption;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::string tableName(std::size_t k)
{
    return std::string(TableNames[k].base) + ".kvt";
}

// Tables in the practice's own layout are warned of only for patient
// numbers that occur twice: what standard error holds besides those (or
// besides any warning, for tables in layouts of their own).
std::string besidesWarnings(const std::string& err, bool ownLayouts)
{
    std::istringstream lines(err);
    std::string rest;
    for (std::string line; std::getline(lines, line);) {
        const bool doubled =
            line.rfind("Warnung: person.kvt: ", 0) == 0 && line.find("mehrfach vor") != std::string::npos;
        if (!doubled && !(ownLayouts && line.rfind("Warnung: ", 0) == 0))
            rest += line + "\n";
    }
    return rest;
}

Row patient(const std::string& key, const std::string& surname, const std::string& firstName = "Eva")
{
    return {{"DATNUMMER", key}, {"NACHNAME", surname}, {"VORNAME", firstName}};
}

PracticeFiles practice(const std::vector<Row>& person, const std::vector<Row>& kvxdat1 = {},
                       const std::vector<Row>& kvxdat2 = {}, const std::vector<Row>& kvxdat3 = {})
{
    return {tableFile(101, person), tableFile(102, kvxdat1), tableFile(103, kvxdat2), tableFile(104, kvxdat3)};
}

// A field of every record, blanks around removed, joined by '|'.
std::string column(const std::optional<std::string>& file, const std::string& field)
{
    const TableImage table(file.value_or(""));
    const ImageField& f = table.field(field);
    std::string values;
    for (std::int32_t r = 1; r <= table.count; ++r)
        values += (r > 1 ? "|" : "") + trimmed(table.record(r).substr(static_cast<std::size_t>(f.start - 1),
                                                                      static_cast<std::size_t>(f.length)));
    return values;
}

// A practice in /praxis/ on an in-memory disk, reorganised on 5 March.
class ReorganisationRunTest : public ::testing::Test {
protected:
    static constexpr const char* Data = "/praxis/";
    static constexpr const char* Temp = "/tmp/";

    ReorganisationRunTest() { env.createFolders("/praxis"); }

    PracticeFiles dataFolder() const
    {
        PracticeFiles files;
        for (std::size_t k = 0; k < 4; ++k)
            files[k] = env.fileBytes(Data + tableName(k));
        return files;
    }
    std::optional<std::string> result(std::size_t k) const { return env.fileBytes(Data + tableName(k)); }

    // Random practices have tables whose fields differ from the templates'.
    bool ownLayouts = false;

    // Puts the practice, runs (run n of the day) and compares every table the
    // run leaves with the model's.
    ReferenceResult reorganise(const PracticeFiles& files, ConfirmOption confirm = ConfirmOption::Backup,
                               int status = cli::exitcode::CopiedBack, int n = 0)
    {
        for (std::size_t k = 0; k < 4; ++k) {
            if (files[k])
                env.putFile(Data + tableName(k), *files[k]);
        }
        const ReferenceResult model = referenceReorganisation(files);
        std::istringstream in;
        std::ostringstream out, err;
        cli::Terminal terminal{in, out, err};
        const FixedClock clock({2011, 3, 5, 9, 30, 0});
        EXPECT_EQ(cli::runCli({confirm, Data + std::string("person.kvt"), false}, env, clock, terminal), status)
            << out.str() << err.str();
        EXPECT_EQ(besidesWarnings(err.str(), ownLayouts), "");
        printed = out.str();
        expectRunFolders(model, n);
        const std::string backup = Data + std::string("REORG_SICHERUNG_03_05_") + std::to_string(n) + "/";
        for (std::size_t k = 0; k < 4; ++k) {
            SCOPED_TRACE(tableName(k));
            EXPECT_TRUE(sameTable(status == cli::exitcode::CopiedBack ? model.fresh[k] : files[k], result(k)));
            // The originals are kept, a table the practice did not have is not.
            if (status == cli::exitcode::CopiedBack) {
                EXPECT_EQ(env.fileBytes(backup + tableName(k)), files[k]);
            }
            EXPECT_TRUE(sameTable(model.fresh[k], env.fileBytes(Temp + std::string(TableNames[k].base) + "temp.kvt")));
            EXPECT_EQ(env.fileBytes(Temp + std::string(TableNames[k].base) + "template.kvt"),
                      std::string(templateBlob(TableNames[k].resource)));
        }
        return model;
    }
    // The output folder and the working copies of run n.
    void expectRunFolders(const ReferenceResult& model, int n) const
    {
        const std::string suffix = "_03_05_" + std::to_string(n) + "/";
        for (std::size_t k = 0; k < 4; ++k) {
            SCOPED_TRACE(tableName(k) + " of run " + std::to_string(n));
            EXPECT_TRUE(sameTable(model.nothingToDo ? std::nullopt : model.fresh[k],
                                  env.fileBytes(Data + ("REORG_AUSGANG" + suffix) + tableName(k))));
            EXPECT_TRUE(
                sameTable(model.working[k], env.fileBytes(Temp + ("TEMP_REORG_EINGANG" + suffix) + tableName(k))));
        }
    }

    MemEnv env{'/'};
    std::string printed;
};

// A seed, and whether the practice has a kvxdat3.
class GeneratedPracticeTest : public ReorganisationRunTest,
                              public ::testing::WithParamInterface<std::tuple<std::uint32_t, bool>> {};

TEST_P(GeneratedPracticeTest, ComesOutExactlyAsTheRulesSayAndLeavesOnlyTheNamedFiles)
{
    sample::writeSamplePractice(env, Data, {250, std::get<0>(GetParam()), std::get<1>(GetParam())});
    const ReferenceResult model = reorganise(dataFolder());
    EXPECT_GT(model.carried, 225);
    EXPECT_LT(model.carried, 250);
    EXPECT_THAT(env.folderEntries("/praxis"), ElementsAre("REORG_AUSGANG_03_05_0", "REORG_SICHERUNG_03_05_0",
                                                          "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt", "person.kvt"));
    EXPECT_THAT(env.folderEntries("/tmp"),
                ElementsAre("TEMP_REORG_EINGANG_03_05_0", "kvxdat1temp.kvt", "kvxdat1template.kvt", "kvxdat2temp.kvt",
                            "kvxdat2template.kvt", "kvxdat3temp.kvt", "kvxdat3template.kvt", "persontemp.kvt",
                            "persontemplate.kvt"));
}

INSTANTIATE_TEST_SUITE_P(Seeds, GeneratedPracticeTest,
                         ::testing::Values(std::tuple(1u, true), std::tuple(2024u, true), std::tuple(42u, false)));

TEST_F(ReorganisationRunTest, SkipsKeysBelowOnePlaceholdersAndNamelessPatientsAndTakesTheFirstOfEachKey)
{
    const std::vector<Row> person = {
        patient("1", "Adler", "Anna"), patient("", "Ohne"),           patient("0", "Null"),    patient("-3", "Minus"),
        patient("5", "Neuer_Patient"), patient("6", "neuer_patient"), patient("7", "   ", ""), patient("8", "", "Bert"),
        patient("7.5", "Halb"),  // 8: carried with the data of the first patient 8
        patient("11.5", "Halb"), // 12: nobody has it, so the blank row appended for it is nameless
        patient(" 13", "Zorn"),        patient("0.6", "Fast"), // 1: Adler again
    };
    const std::vector<Row> kvxdat1 = {{{"DATNUMMER", "1"}, {"GESCHLECHT", "W"}},
                                      {{"DATNUMMER", "6"}, {"GESCHLECHT", "M"}},
                                      {{"DATNUMMER", "1"}, {"GESCHLECHT", "X"}}};
    const std::vector<Row> exams = keyRows({"1", "6", "8"});
    reorganise(practice(person, kvxdat1, exams, exams));
    for (std::size_t k = 0; k < 4; ++k)
        EXPECT_EQ(column(result(k), "DATNUMMER"), "1|2|3|4|5|6") << "renumbered in the order of the patients";
    EXPECT_EQ(column(result(0), "NACHNAME"), "Adler|neuer patient|||Zorn|Adler");
    EXPECT_EQ(column(result(0), "VORNAME"), "Anna|Eva|Bert|Bert|Eva|Anna");
    EXPECT_EQ(column(result(1), "GESCHLECHT"), "W|M||||W");
    // The working copies gained a row for every key looked up but missing,
    // skipped patients included, in the order of the lookups.
    EXPECT_EQ(column(env.fileBytes("/tmp/TEMP_REORG_EINGANG_03_05_0/person.kvt"), "DATNUMMER"),
              "1||0|-3|5|6|7|8|7.5|11.5|13|0.6|12");
    EXPECT_EQ(column(env.fileBytes("/tmp/TEMP_REORG_EINGANG_03_05_0/kvxdat2.kvt"), "DATNUMMER"), "1|6|8|5|7|12|13");
}

TEST_F(ReorganisationRunTest, CleansTextFieldsButLeavesDateFields)
{
    const std::vector<Row> person = {
        {{"DATNUMMER", "1"},
         {"NACHNAME", "M\xFCller_L\xFC"
                      "denscheidt"},
         {"VORNAME", "J\xC3\xBCrgen"},
         {"STRASSE", "Stra\xDF"
                     "e 5/2"},
         {"ORT", "K\xF6ln (S\xFC"
                 "d)"}},
        patient("2", "\xC4\xD6\xDC\xE4\xF6\xFC\xDF,.-"),
    };
    const std::vector<Row> kvxdat1 = {
        {{"DATNUMMER", "1"}, {"UNTDATUM", "12/05/20"}, {"TWW1121", "Schmerz! (rechts) " + std::string(200, 'x') + "#"}},
    };
    reorganise(practice(person, kvxdat1));

    EXPECT_EQ(column(result(0), "NACHNAME"), "M\xFCller L\xFC"
                                             "denscheidt|\xC4\xD6\xDC\xE4\xF6\xFC\xDF,.-");
    EXPECT_EQ(column(result(0), "VORNAME"), "J  rgen|Eva");
    EXPECT_EQ(column(result(0), "STRASSE"), "Stra\xDF"
                                            "e 5 2|");
    EXPECT_EQ(column(result(0), "ORT"), "K\xF6ln  S\xFC"
                                        "d|");
    EXPECT_EQ(column(result(1), "UNTDATUM"), "12/05/20|");
    EXPECT_EQ(column(result(1), "TWW1121"), "Schmerz   rechts  " + std::string(200, 'x') + "|");
}

TEST_F(ReorganisationRunTest, WithoutKvxdat3TheResultStillHasOneWithOnlyKeys)
{
    PracticeFiles source = practice({patient("4", "Abel"), patient("9", "Bach"), patient("2", "Cramer")}, {},
                                    {{{"DATNUMMER", "9"}, {"T1365", "x"}}});
    source[3].reset();
    reorganise(source);
    const std::string onlyKeys = tableFile(104, keyRows({"1", "2", "3"}));
    EXPECT_TRUE(sameTable(onlyKeys.substr(0, onlyKeys.size() - 1), result(3))) << "no end marker after appending";
    EXPECT_EQ(column(result(2), "T1365"), "|x|");
}

TEST_F(ReorganisationRunTest, NoneOrOnePatientRecordEndsWithoutAnOutputFolderAndLeavesTheDataAlone)
{
    for (int records = 0; records < 2; ++records) {
        const std::vector<Row> person(static_cast<std::size_t>(records), patient("1", "Einzig"));
        EXPECT_TRUE(reorganise(practice(person, {{{"DATNUMMER", "1"}}}), ConfirmOption::Backup,
                               cli::exitcode::NothingToDo, records)
                        .nothingToDo);
        EXPECT_THAT(printed, HasSubstr(cp1252::toUtf8("\nInformation\nKeine S\xE4tze zum Umsetzen vorhanden!\n")));
    }
    EXPECT_THAT(env.folderEntries("/praxis"), ElementsAre("kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt", "person.kvt"));
}

TEST_F(ReorganisationRunTest, TwoPatientRecordsAreEnough)
{
    EXPECT_EQ(reorganise(practice({patient("3", "Erster"), patient("3", "Zweiter")})).carried, 2);
}

TEST_F(ReorganisationRunTest, ASecondRunTheSameDayTakesTheNextFoldersAndDoubtLeavesTheDataFolderAlone)
{
    sample::writeSamplePractice(env, Data, {80, 11, true});
    const ReferenceResult first = reorganise(dataFolder());
    reorganise(dataFolder(), ConfirmOption::Doubt, cli::exitcode::Doubt, 1);
    expectRunFolders(first, 0);
    EXPECT_THAT(env.folderEntries("/praxis"),
                ElementsAre("REORG_AUSGANG_03_05_0", "REORG_AUSGANG_03_05_1", "REORG_SICHERUNG_03_05_0", "kvxdat1.kvt",
                            "kvxdat2.kvt", "kvxdat3.kvt", "person.kvt"));
    EXPECT_THAT(printed, HasSubstr(cp1252::toUtf8("\n...und fertig!\nDie Umsetzung ist vollst\xE4ndig erfolgt. "
                                                  "Sie finden die\nneuen Dateien unter:\n"
                                                  "/praxis/REORG_AUSGANG_03_05_1/\n")));
    EXPECT_THAT(printed, HasSubstr("\nKontrolliertes Ende\nDas Programm bricht jetzt ab"));
}

class RandomPracticeTest : public ReorganisationRunTest, public ::testing::WithParamInterface<std::uint32_t> {};

TEST_P(RandomPracticeTest, MatchesTheModelWithBackupOrDoubt)
{
    const bool backup = GetParam() % 2 == 0;
    ownLayouts = true;
    reorganise(randomPractice(GetParam()), backup ? ConfirmOption::Backup : ConfirmOption::Doubt,
               backup ? cli::exitcode::CopiedBack : cli::exitcode::Doubt);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomPracticeTest, ::testing::Range(1u, 41u));

} // namespace
} // namespace torvane

namespace torvane {
namespace {

// The real file system: reads there go through mapped windows, and the data
// folder's name has an umlaut, which must survive the code-page round trip.
TEST(ReorganisationOnDiskTest, ComesOutAsTheRulesSayInAFolderWithAnUmlaut)
{
    testsupport::ScratchFolder scratch;
    const char sep = scratch.path().back();
    const std::string data = scratch.path() + cp1252::ansi("Praxis Müller") + sep;
    const std::string temp = scratch.path() + "tmp" + sep;
    const std::unique_ptr<Env> diskEnv = testsupport::diskEnvWithTempFolder(temp);
    Env& disk = *diskEnv;
    ASSERT_THAT(disk.makeFolder(data), IsOk());
    ASSERT_THAT(disk.makeFolder(temp), IsOk());
    MemEnv memory('/');
    memory.createFolders("/p");
    sample::writeSamplePractice(memory, "/p/", {300, 7, true});
    testsupport::PracticeFiles files;
    for (std::size_t k = 0; k < 4; ++k) {
        files[k] = memory.fileBytes("/p/" + tableName(k));
        ASSERT_THAT(disk.writeNewFile(data + tableName(k), *files[k]), IsOk());
    }

    std::istringstream in;
    std::ostringstream out, err;
    cli::Terminal terminal{in, out, err};
    const FixedClock clock({2011, 3, 5, 9, 30, 0});
    EXPECT_EQ(cli::runCli({ConfirmOption::Backup, cp1252::toUtf8(data) + "person.kvt", false}, disk, clock, terminal),
              cli::exitcode::CopiedBack)
        << err.str();

    const testsupport::ReferenceResult model = testsupport::referenceReorganisation(files);
    for (std::size_t k = 0; k < 4; ++k) {
        SCOPED_TRACE(tableName(k));
        std::string bytes;
        ASSERT_THAT(disk.readFile(data + tableName(k), &bytes), IsOk());
        EXPECT_TRUE(testsupport::sameTable(model.fresh[k], bytes));
        ASSERT_THAT(disk.readFile(temp + "TEMP_REORG_EINGANG_03_05_0" + sep + tableName(k), &bytes), IsOk());
        EXPECT_TRUE(testsupport::sameTable(model.working[k], bytes));
    }
}

} // namespace
} // namespace torvane
