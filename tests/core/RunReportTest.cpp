// The run report of whole runs, compared with what the reference model of
// the run decided, and a report that cannot be written.

#include "cli/CliProgram.h"
#include "cli/TerminalText.h"
#include "errors/ProgramEnd.h"
#include "platform/Cp1252.h"
#include "support/platform/FaultInjectingEnv.h"
#include "support/platform/MemEnv.h"
#include "reorg/CsvText.h"
#include "reorg/ReorganisationRun.h"
#include "reorg/CheckTexts.h"
#include "reorg/ReportTexts.h"
#include "resources/Templates.h"
#include "sample/SamplePractice.h"
#include "support/RandomPractice.h"
#include "support/ReferenceReorganisation.h"
#include "support/ScriptedErrorDialogFactory.h"
#include "support/ScriptedRunWindow.h"
#include "support/TableFixture.h"
#include "support/TableImage.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <sstream>

namespace torvane {
namespace {

using namespace testsupport;
using ::testing::HasSubstr;
using Outcome = ReferencePatient::Outcome;

const std::string Data = "/praxis/";
const std::string Output = "/praxis/REORG_AUSGANG_03_05_0/";

std::string tableName(std::size_t k)
{
    return std::string(TableNames[k].base) + ".kvt";
}

// One line of a semicolon-separated file, quoted where a spreadsheet program needs it.
std::string csvLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        line += i > 0 ? ";" : "";
        if (field.find_first_of(";\"\r\n") == std::string::npos) {
            line += field;
            continue;
        }
        line += '"';
        for (const char c : field)
            line += c == '"' ? std::string("\"\"") : std::string(1, c);
        line += '"';
    }
    return line + "\r\n";
}

std::string nameOf(const std::string& surname, const std::string& firstName)
{
    return surname + (!surname.empty() && !firstName.empty() ? ", " : "") + firstName;
}

// What the report must say, worked out from the model's decisions.
struct ExpectedReport {
    std::string patients =
        csvLine({"Satz", "Alte Nummer", "Neue Nummer", "Nachname", "Vorname", "Geburtsdatum", "Ergebnis"});
    std::string examinations = csvLine({"Tabelle", "Satz", "Nummer", "Grund"});
    ReportSummary summary;
};

PatientOutcome outcomeOf(const ReferencePatient& p, std::int32_t personRows)
{
    const bool carried = p.outcome == Outcome::Carried;
    if (p.outcome == Outcome::NoNumber || p.rows[0] > personRows)
        return PatientOutcome::NoValidNumber;
    if (p.rows[0] != p.record)
        return carried ? PatientOutcome::CarriedWithDataOf : PatientOutcome::SameNumberAs;
    return carried                             ? PatientOutcome::Carried
           : p.outcome == Outcome::Placeholder ? PatientOutcome::Placeholder
                                               : PatientOutcome::Nameless;
}

std::string outcomeText(PatientOutcome outcome, std::int32_t other)
{
    const std::string n = std::to_string(other);
    const std::string texts[] = {"übernommen",
                                 "übernommen mit den Daten von Satz " + n + " (gleiche Nummer)",
                                 "entfällt: Platzhalter",
                                 "entfällt: ohne Namen",
                                 "entfällt: keine gültige Nummer",
                                 "entfällt: gleiche Nummer wie Satz " + n};
    return cp1252::ansi(texts[static_cast<std::size_t>(outcome)]);
}

void expectPatients(const PracticeFiles& sources, const ReferenceResult& model, ExpectedReport& expected)
{
    const std::int32_t personRows = TableImage(*sources[0]).count;
    expected.summary.patients.read = personRows;
    for (const ReferencePatient& p : model.patients) {
        const PatientOutcome outcome = outcomeOf(p, personRows);
        ++expected.summary.patients.outcomes[static_cast<std::size_t>(outcome)];
        expected.patients +=
            csvLine({std::to_string(p.record), p.number, p.newNumber ? std::to_string(p.newNumber) : "", p.surname,
                     p.firstName, p.birthDate, outcomeText(outcome, p.rows[0])});
        if (outcome == PatientOutcome::CarriedWithDataOf || outcome == PatientOutcome::SameNumberAs)
            expected.summary.sameNumbers.push_back({p.key, p.record, nameOf(p.surname, p.firstName), p.rows[0],
                                                    nameOf(p.dataSurname, p.dataFirstName), p.newNumber});
    }
}

// A row nobody carried: under a number a carried patient looked up it is a
// further row; under one only dropped patients looked up, theirs.
void expectExaminations(const PracticeFiles& sources, const ReferenceResult& model, ExpectedReport& expected)
{
    for (std::size_t k = 1; k <= 3; ++k) {
        ExamSummary& exam = expected.summary.exams[k - 1];
        exam.missing = !sources[k];
        const TableImage table(sources[k].value_or(std::string(templateBlob(TableNames[k].resource))));
        exam.read = exam.missing ? 0 : table.count;
        std::set<std::int32_t> carriedRows;
        for (const ReferencePatient& p : model.patients) {
            if (p.outcome == Outcome::Carried && p.rows[k] >= 1 && p.rows[k] <= exam.read)
                carriedRows.insert(p.rows[k]);
        }
        exam.carried = static_cast<std::int32_t>(carriedRows.size());
        const ImageField& key = table.field("DATNUMMER");
        for (std::int32_t row = 1; row <= exam.read; ++row) {
            if (carriedRows.contains(row))
                continue;
            const std::string number = trimmed(table.record(row).substr(static_cast<std::size_t>(key.start - 1),
                                                                        static_cast<std::size_t>(key.length)));
            // Shown as the number it reads as, or as it stands when that is no whole number.
            const double value = referenceNumber(number);
            const bool whole = std::floor(value) == value && std::abs(value) < 2147483648.0;
            const auto lookedUp = [&](bool carried) {
                return std::find_if(model.patients.begin(), model.patients.end(), [&](const ReferencePatient& p) {
                    return p.rows[0] != 0 && p.key == value && (p.outcome == Outcome::Carried) == carried;
                });
            };
            RowReason reason = RowReason::NoPatient;
            std::string text = "kein Patient mit dieser Nummer";
            if (lookedUp(true) != model.patients.end()) {
                reason = RowReason::FurtherRow;
                text = "weitere Zeile desselben Patienten";
            } else if (const auto dropped = lookedUp(false); dropped != model.patients.end()) {
                reason = RowReason::PatientDropped;
                text = cp1252::ansi("Patient entfällt (Satz ") + std::to_string(dropped->record) + ")";
            }
            ++exam.notCarried[static_cast<std::size_t>(reason)];
            expected.examinations += csvLine({tableName(k), std::to_string(row),
                                              whole ? std::to_string(static_cast<std::int64_t>(value)) : number, text});
        }
        for (const ReferencePatient& p : model.patients) {
            if (p.outcome == Outcome::Carried && (exam.missing || p.rows[k] > exam.read)) {
                ++exam.createdBlank;
                expected.examinations +=
                    csvLine({tableName(k), std::to_string(p.newNumber), std::to_string(p.key), "neu angelegt, leer"});
            }
        }
    }
}

ExpectedReport expectedReport(const PracticeFiles& sources, const ReferenceResult& model)
{
    ExpectedReport expected;
    expectPatients(sources, model, expected);
    expectExaminations(sources, model, expected);
    for (std::size_t t = 0; t < 4; ++t) {
        if (!sources[t])
            continue;
        const TableImage table(*sources[t]);
        for (const auto& [f, counted] : model.fields[t]) {
            const std::string& name = table.fields[static_cast<std::size_t>(f - 1)].name;
            if (counted.cleaned > 0)
                expected.summary.fields[t].cleaned.push_back({name, static_cast<std::uint32_t>(counted.cleaned)});
            if (counted.cut > 0)
                expected.summary.fields[t].cut.push_back({name, static_cast<std::uint32_t>(counted.cut)});
        }
    }
    expected.summary.started = {2011, 3, 5, 9, 30, 0};
    expected.summary.sourceFolder = Data;
    expected.summary.stagingFolder = "/tmp/TEMP_REORG_EINGANG_03_05_0/";
    expected.summary.outputFolder = Output;
    return expected;
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> all;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line, '\n');)
        all.push_back(line);
    return all;
}

// The first line in which two texts differ, both versions; empty when they are equal.
std::string firstDifference(const std::string& expected, const std::string& actual)
{
    const std::vector<std::string> want = lines(expected), got = lines(actual);
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string a = i < want.size() ? want[i] : "(none)", b = i < got.size() ? got[i] : "(none)";
        if (a != b)
            return "line " + std::to_string(i + 1) + ":\n expected " + cp1252::toUtf8(a) + "\n      got " +
                   cp1252::toUtf8(b);
    }
    return expected == actual ? "" : "line ends differ";
}

// The practice's tables reorganised by torvane-cli with doubt, and what that
// printed and wrote.
struct ReportedRun {
    explicit ReportedRun(const PracticeFiles& sources)
    {
        env.createFolders("/praxis");
        for (std::size_t k = 0; k < 4; ++k) {
            if (sources[k])
                env.putFile(Data + tableName(k), *sources[k]);
        }
        std::istringstream in;
        std::ostringstream out, err;
        cli::Terminal terminal{in, out, err};
        status = cli::runCli({cli::ConfirmOption::Doubt, Data + "person.kvt", false}, env,
                             FixedClock({2011, 3, 5, 9, 30, 0}), terminal);
        printed = out.str();
        errors = err.str();
    }
    std::string file(const char* name) const { return env.fileBytes(Output + name).value_or("missing"); }

    MemEnv env{'/'};
    int status = -1;
    std::string printed;
    std::string errors;
};

// Every line of both lists and the whole summary, as the model's decisions
// give them; the log lines before the completion message.
void expectReportAsTheModelSays(const PracticeFiles& sources, int* cases = nullptr)
{
    const ReferenceResult model = referenceReorganisation(sources);
    const ExpectedReport expected = expectedReport(sources, model);
    const ReportedRun run(sources);
    ASSERT_EQ(run.status, cli::exitcode::Doubt) << run.errors;
    // The protocol repeats the warnings shown before the confirmation.
    ExpectedReport warned = expected;
    for (const std::string& line : lines(run.errors)) {
        std::string warning;
        if (line.rfind(texts::WarningPrefix, 0) == 0 && cp1252::fromUtf8(line.substr(9), &warning))
            warned.summary.warnings.push_back(warning);
    }
    EXPECT_EQ(firstDifference(expected.patients, run.file(texts::PatientsFile)), "") << texts::PatientsFile;
    EXPECT_EQ(firstDifference(expected.examinations, run.file(texts::ExaminationsFile)), "") << texts::ExaminationsFile;
    EXPECT_EQ(firstDifference(texts::protocol(warned.summary), run.file(texts::ProtocolFile)), "")
        << texts::ProtocolFile;
    const std::string logged = cli::terminalText(texts::logLines(expected.summary, true));
    EXPECT_LT(run.printed.find("Die Datei wird reorganisiert\n" + logged), run.printed.find("...und fertig!"))
        << run.printed;
    if (cases != nullptr)
        *cases += static_cast<int>(lines(expected.patients).size() + lines(expected.examinations).size() - 2);
}

PracticeFiles generated(std::uint32_t seed, bool withKvxdat3)
{
    MemEnv env{'/'};
    env.createFolders("/p");
    sample::writeSamplePractice(env, "/p/", {250, seed, withKvxdat3});
    PracticeFiles files;
    for (std::size_t k = 0; k < 4; ++k)
        files[k] = env.fileBytes("/p/" + tableName(k));
    return files;
}

// Seeds whose practices hold every result a patient record can have.
TEST(RunReportTest, GeneratedPracticesAreReportedAsTheModelDecides)
{
    int cases = 0;
    expectReportAsTheModelSays(generated(20, true), &cases);
    expectReportAsTheModelSays(generated(46, false), &cases);
    std::cout << "report lines compared with the model: " << cases << std::endl;
}

Row patient(const std::string& key, const std::string& surname, const std::string& firstName = "Eva")
{
    return {{"DATNUMMER", key}, {"NACHNAME", surname}, {"VORNAME", firstName}, {"GEBDATUM", "19700101"}};
}

// Every result and reason once, written out, so that model and report
// cannot share a mistake in the texts.
TEST(RunReportTest, EveryKindOfCaseInOnePractice)
{
    const std::vector<Row> person = {
        patient("1", "Adler", "Anna"),       // 1
        patient("5", "Neuer_Patient", ""),   // 2 placeholder; its number's rows go with it
        patient("5", "Zweiter", "Hans"),     // 3 the placeholder's number
        patient("", "Ohne"),                 // 4
        patient("7", "   ", ""),             // 5 nameless
        patient("1", "Semi;Kolon", "\"Q\""), // 6 carried as Adler
        patient("11.5", "Halb"),             // 7 12: no patient record has it
        patient("9", "Bach"),                // 8 no examination rows
    };
    const std::vector<Row> kvxdat1 = {{{"DATNUMMER", "1"}, {"TWW1111", "Schmerz! (rechts)"}},
                                      {{"DATNUMMER", "1"}},
                                      {{"DATNUMMER", "5"}},
                                      {{"DATNUMMER", "12"}},
                                      {{"DATNUMMER", "900001"}},
                                      {{"DATNUMMER", "7.5"}}};
    const PracticeFiles sources = {tableFile(101, person), tableFile(102, kvxdat1), tableFile(103, keyRows({"1"})),
                                   tableFile(104, keyRows({"1"}))};
    expectReportAsTheModelSays(sources);

    const ReportedRun run(sources);
    EXPECT_THAT(lines(cp1252::toUtf8(run.file(texts::PatientsFile))),
                ::testing::ElementsAre(
                    "Satz;Alte Nummer;Neue Nummer;Nachname;Vorname;Geburtsdatum;Ergebnis\r",
                    "1;1;1;Adler;Anna;19700101;übernommen\r", "2;5;;Neuer_Patient;;19700101;entfällt: Platzhalter\r",
                    "3;5;;Zweiter;Hans;19700101;entfällt: gleiche Nummer wie Satz 2\r",
                    "4;;;Ohne;Eva;19700101;entfällt: keine gültige Nummer\r", "5;7;;;;19700101;entfällt: ohne Namen\r",
                    "6;1;2;\"Semi;Kolon\";\"\"\"Q\"\"\";19700101;übernommen mit den Daten von Satz 1 "
                    "(gleiche Nummer)\r",
                    "7;11.5;;Halb;Eva;19700101;entfällt: keine gültige Nummer\r",
                    "8;9;3;Bach;Eva;19700101;übernommen\r"));
    EXPECT_THAT(lines(cp1252::toUtf8(run.file(texts::ExaminationsFile))),
                ::testing::ElementsAre(
                    "Tabelle;Satz;Nummer;Grund\r", "kvxdat1.kvt;2;1;weitere Zeile desselben Patienten\r",
                    "kvxdat1.kvt;3;5;Patient entfällt (Satz 2)\r", "kvxdat1.kvt;4;12;Patient entfällt (Satz 7)\r",
                    "kvxdat1.kvt;5;900001;kein Patient mit dieser Nummer\r",
                    "kvxdat1.kvt;6;7.5;kein Patient mit dieser Nummer\r", "kvxdat1.kvt;3;9;neu angelegt, leer\r",
                    "kvxdat2.kvt;3;9;neu angelegt, leer\r", "kvxdat3.kvt;3;9;neu angelegt, leer\r"));
    const std::string protocol = cp1252::toUtf8(run.file(texts::ProtocolFile));
    EXPECT_THAT(protocol, HasSubstr("ACHTUNG: 2 Patientensätze mit der Nummer eines anderen Satzes\r\n"));
    EXPECT_THAT(protocol, HasSubstr("  Nummer 1: Satz 6 (Semi;Kolon, \"Q\") wurde mit den Daten von Satz 1 (Adler, "
                                    "Anna) als neue Nummer 2 übernommen.\r\n"));
    EXPECT_THAT(protocol, HasSubstr("  Nummer 5: Satz 3 (Zweiter, Hans) entfällt, weil Satz 2 (Neuer_Patient) mit "
                                    "derselben Nummer nicht übernommen wird.\r\n"));
    EXPECT_THAT(protocol, HasSubstr("  kvxdat1.kvt: 2 Werte durch die Bereinigung geändert, 0 auf ein schmaleres "
                                    "Feld gekürzt\r\n    geändert:\r\n      TWW1111 2\r\n"));
    EXPECT_THAT(run.printed, HasSubstr("Die Datei wird reorganisiert\nPatienten: 8 gelesen, 3 übernommen, 5 entfallen "
                                       "(1 Platzhalter, 1 ohne Namen, 2 ohne gültige Nummer, 1 mit der Nummer eines "
                                       "anderen Satzes)\n"));
}

// Small practices with odd layouts, keys and values; half of them without kvxdat3.
TEST(RunReportTest, RandomPracticesAreReportedAsTheModelDecides)
{
    int cases = 0;
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        expectReportAsTheModelSays(randomPractice(seed), &cases);
    }
    std::cout << "report lines compared with the model: " << cases << std::endl;
}

// A report file that cannot be written is reported under its own procedure;
// the run goes on to the confirmation and the copy-back with the same result.
class ReportWriteFailureTest : public ::testing::TestWithParam<const char*> {};

TEST_P(ReportWriteFailureTest, IsReportedAndChangesNothingElse)
{
    MemEnv disk{'/'};
    disk.createFolders("/praxis");
    sample::writeSamplePractice(disk, Data, {30, 20, true});
    PracticeFiles sources;
    for (std::size_t k = 0; k < 4; ++k)
        sources[k] = disk.fileBytes(Data + tableName(k));
    FaultInjectingEnv env(disk);
    env.failAlways(FaultInjectingEnv::Op::WriteNewFile, GetParam(), errnum::DiskFull);
    const FixedClock clock{{2011, 3, 5, 9, 30, 0}};
    ScriptedErrorDialogFactory dialogs;
    ScriptedRunWindow window{Confirmation::Backup};
    Session session(env, clock, dialogs);
    session.load();
    session.workspace.quellpfad[0] = Data;
    EndReason end = EndReason::Aborted;
    try {
        ReorganisationRun(session, window).cmdsynchronisieren_Click(0);
    } catch (const ProgramEnd& ended) {
        end = ended.reason;
    }

    EXPECT_EQ(end, EndReason::CopiedBack);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_THAT(dialogs.shown[0].details, HasSubstr("Error 61: "));
    EXPECT_THAT(dialogs.shown[0].details, HasSubstr("Procedure: Error in E_Datei: Sub schreibe_protokoll"));
    const ReferenceResult model = referenceReorganisation(sources);
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_TRUE(sameTable(model.fresh[k], disk.fileBytes(Output + tableName(k)))) << tableName(k);
        EXPECT_TRUE(sameTable(model.fresh[k], disk.fileBytes(Data + tableName(k)))) << tableName(k);
    }
    for (const char* file : {texts::PatientsFile, texts::ExaminationsFile, texts::ProtocolFile})
        EXPECT_EQ(disk.fileBytes(Output + file).has_value(), file != std::string(GetParam())) << file;
    EXPECT_THAT(window.log, HasSubstr("\r\nPatienten: 30 gelesen, "));
    EXPECT_THAT(window.log, ::testing::Not(HasSubstr("Bericht im Ausgabeordner")));
    EXPECT_THAT(window.events, ::testing::Contains(HasSubstr("...und fertig!")));
    EXPECT_THAT(window.events, ::testing::Contains("confirmation"));
}

INSTANTIATE_TEST_SUITE_P(Files, ReportWriteFailureTest,
                         ::testing::Values(texts::PatientsFile, texts::ExaminationsFile, texts::ProtocolFile));

TEST(RunReportTest, CsvFieldsAreQuotedOnlyWhereNeeded)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Müller", "Müller"},
        {"", ""},
        {"a;b", "\"a;b\""},
        {"Sagt \"Hallo\"", "\"Sagt \"\"Hallo\"\"\""},
        {"zwei\r\nZeilen", "\"zwei\r\nZeilen\""},
        {"nur\nLF", "\"nur\nLF\""},
        {"' , .", "' , ."},
    };
    for (const auto& [value, quoted] : cases) {
        CsvText text;
        text.field(value).field(std::int64_t{7}).skip();
        text.endLine();
        EXPECT_EQ(text.text(), quoted + ";7;\r\n");
    }
}

} // namespace
} // namespace torvane
