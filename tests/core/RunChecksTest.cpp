// The checks of a run: refused up front, one run per temporary folder,
// warned before the confirmation, and a copy-back that replaces only what
// it copied.

#include "cli/CliProgram.h"
#include "errors/ProgramEnd.h"
#include "platform/Cp1252.h"
#include "reorg/ReorganisationRun.h"
#include "reorg/Session.h"
#include "resources/Templates.h"
#include "support/ScriptedErrorDialogFactory.h"
#include "support/ScriptedRunWindow.h"
#include "support/TableFixture.h"
#include "support/platform/FaultInjectingEnv.h"
#include "support/platform/MemEnv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace torvane {
namespace {

using ::testing::HasSubstr;
using testsupport::Row;
using Names = std::vector<std::string>;

constexpr const char* Data = "/praxis/";

std::string fileOf(std::size_t k)
{
    return std::string(TableNames[k].base) + ".kvt";
}

// A table file written field by field, as other programs write them.
struct TableMaker {
    struct Field {
        std::string name;
        char type;
        int length;
    };
    std::vector<Field> fields;
    std::vector<std::vector<std::string>> rows; // values in field order
    unsigned char version = 0x03;
    int areaBehindFields = 0; // as FoxPro keeps 263 bytes there
    int claimedRows = -1;     // the record count, when it is not the rows written
    int recordLengthOff = 0;

    std::string bytes() const
    {
        int width = 1;
        for (const Field& field : fields)
            width += field.length;
        const auto count = static_cast<std::uint32_t>(claimedRows < 0 ? static_cast<int>(rows.size()) : claimedRows);
        const int headerLength = 32 + 32 * static_cast<int>(fields.size()) + 1 + areaBehindFields;
        const int recordLength = width + recordLengthOff;
        std::string out(32, '\0');
        out[0] = static_cast<char>(version);
        out[1] = 110, out[2] = 2, out[3] = 18;
        for (int i = 0; i < 4; ++i)
            out[static_cast<std::size_t>(4 + i)] = static_cast<char>((count >> (8 * i)) & 0xFF);
        out[8] = static_cast<char>(headerLength & 0xFF), out[9] = static_cast<char>(headerLength >> 8);
        out[10] = static_cast<char>(recordLength & 0xFF), out[11] = static_cast<char>(recordLength >> 8);
        for (const Field& field : fields) {
            std::string descriptor(32, '\0');
            descriptor.replace(0, field.name.size(), field.name);
            descriptor[11] = field.type;
            descriptor[16] = static_cast<char>(field.length);
            out += descriptor;
        }
        out += '\x0D';
        out += std::string(static_cast<std::size_t>(areaBehindFields), '\0');
        for (const std::vector<std::string>& row : rows) {
            out += ' ';
            for (std::size_t f = 0; f < fields.size(); ++f) {
                std::string value = f < row.size() ? row[f] : "";
                value.resize(static_cast<std::size_t>(fields[f].length), ' ');
                out += value;
            }
        }
        return out;
    }
};

// Three patients, 1 to 3, with a row each in the examination tables.
struct Practice {
    Practice()
    {
        env.createFolders("/praxis");
        const std::vector<Row> person{{{"DATNUMMER", "1"}, {"NACHNAME", "Albers"}},
                                      {{"DATNUMMER", "2"}, {"NACHNAME", "Brandt"}},
                                      {{"DATNUMMER", "3"}, {"NACHNAME", "Claasen"}}};
        for (std::size_t k = 0; k < 4; ++k)
            put(k, testsupport::tableFile(TableNames[k].resource,
                                          k == 0 ? person : testsupport::keyRows({"1", "2", "3"})));
    }
    void put(std::size_t k, const std::string& bytes) { env.putFile(Data + fileOf(k), bytes); }

    // torvane-cli as a practice starts it, unattended.
    int cli(const char* confirm = "--confirm=backup")
    {
        std::istringstream in;
        std::ostringstream out, err;
        cli::Terminal terminal{in, out, err};
        const int status =
            cli::runCommandLine({"torvane-cli", confirm, std::string(Data) + "person.kvt"}, faulty, clock, terminal);
        printed = out.str();
        errors = err.str();
        return status;
    }
    std::vector<std::string> warnings() const
    {
        std::vector<std::string> lines;
        std::istringstream in(errors);
        for (std::string line; std::getline(in, line);)
            if (line.rfind("Warnung: ", 0) == 0)
                lines.push_back(line);
        return lines;
    }
    std::string log() const { return env.fileBytes("/tmp/Errorlog.txt").value_or(""); }

    MemEnv env{'/'};
    FaultInjectingEnv faulty{env};
    const FixedClock clock{{2011, 3, 5, 9, 30, 0}};
    std::string printed;
    std::string errors;
};

std::size_t count(const std::string& text, const std::string& part)
{
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(RunChecksTest, ARunThatCannotFinishIsRefusedOnceAndCreatesNothing)
{
    struct Case {
        const char* what;
        std::function<void(Practice&)> make;
        const char* message; // UTF-8
    };
    const auto replace = [](std::size_t k, std::string bytes) { return [k, bytes](Practice& p) { p.put(k, bytes); }; };
    const std::string person = testsupport::tableFile(101, {});
    const std::vector<Case> cases{
        {"kvxdat1 missing", [](Practice& p) { p.env.deleteFile(std::string(Data) + "kvxdat1.kvt"); },
         "Die Tabelle kvxdat1.kvt fehlt im Datenordner\n/praxis/\n"},
        {"shorter than its header", replace(2, std::string(20, 'x')),
         "Die Tabelle kvxdat2.kvt im Datenordner\n/praxis/\nlässt sich nicht als Tabelle lesen: Tabellenkopf fehlt"},
        {"no terminator", replace(1, person.substr(0, 32 + 32 * 3)), "kvxdat1.kvt im Datenordner"},
        {"field list past the end", replace(3, person.substr(0, 32 + 32 * 3 + 7)),
         "Feldliste bricht mitten in einer Feldbeschreibung ab"},
        {"full temporary folder", [](Practice& p) { p.faulty.reportFreeSpace("/tmp", 4096); },
         "Im temporären Ordner\n/tmp/\nist nicht genug Platz"},
        {"full data folder", [](Practice& p) { p.faulty.reportFreeSpace("/praxis", 4096); },
         "Im Datenordner\n/praxis/\nist nicht genug Platz"},
        {"both on one full volume", [](Practice& p) { p.faulty.reportFreeSpace("/", 50000); },
         "liegen auf demselben Laufwerk"},
        // The first row appended behind ten million claimed rows would take gigabytes.
        {"a record count far beyond the file",
         [](Practice& p) {
             std::string bytes = testsupport::tableFile(TableNames[2].resource, testsupport::keyRows({"1", "2", "3"}));
             bytes.replace(4, 4, std::string("\x80\x96\x98\x00", 4));
             p.put(2, bytes);
             p.faulty.reportFreeSpace("/tmp", 64u << 20);
         },
         "Im temporären Ordner\n/tmp/\nist nicht genug Platz"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Practice practice;
        c.make(practice);
        const Names before = practice.env.folderEntries("/praxis");
        EXPECT_EQ(practice.cli(), cli::exitcode::Refused) << practice.errors;
        EXPECT_THAT(practice.errors, HasSubstr(c.message));
        EXPECT_THAT(practice.errors, ::testing::Not(HasSubstr("TEMP_REORG")));
        EXPECT_EQ(practice.env.folderEntries("/praxis"), before);
        EXPECT_EQ(practice.env.folderEntries("/tmp"), Names{"Errorlog.txt"});
        EXPECT_EQ(count(practice.log(), "Error 1000: "), 1u);
        EXPECT_EQ(count(practice.log(), "Procedure: "), 1u) << "and no other error";
    }
}

// Every run writes its templates and temp tables under the same names into
// the temporary folder: while one holds it, another writes nothing there.
TEST(RunChecksTest, ASecondRunOnTheSameTemporaryFolderIsRefusedBeforeItWrites)
{
    Practice practice;
    std::unique_ptr<FolderLock> first;
    ASSERT_TRUE(practice.env.tryLockFolder("/tmp/", &first).isOk() && first);
    EXPECT_EQ(practice.cli(), cli::exitcode::Locked);
    EXPECT_THAT(practice.printed, HasSubstr("Im temporären Ordner\n/tmp/\narbeitet gerade eine andere Reorganisation"));
    EXPECT_EQ(practice.env.folderEntries("/tmp"), Names{});
    EXPECT_EQ(practice.env.folderEntries("/praxis"),
              (Names{"kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt", "person.kvt"}));
    first.reset();
    EXPECT_EQ(practice.cli(), cli::exitcode::CopiedBack) << practice.errors;
}

// Tables of other programs in place of one of the practice's: each warning
// names the table and says what the run does; the run goes on unattended.
TEST(RunChecksTest, TablesNotLikeThePracticesAreWarnedOfBeforeTheConfirmation)
{
    struct Case {
        const char* what;
        std::size_t table;
        TableMaker file;
        Names warnings; // UTF-8, in order
    };
    const std::vector<Case> cases{
        // Its rows are read from behind the terminator, where the area lies.
        {"FoxPro with its area behind the field list",
         2,
         {{{"DATNUMMER", 'C', 6}, {"T1111", 'C', 1}}, {{"1", "x"}}, 0x30, 263},
         {"Warnung: kvxdat2.kvt: Keine der 1 Zeilen gelangt ins Ergebnis; jeder Patient erhält eine leere Zeile.",
          "Warnung: kvxdat2.kvt: Die Datei hat die Kennung 0x30 statt 0x03 und stammt wohl nicht aus dem "
          "Praxisprogramm; sie wird trotzdem wie eine Praxistabelle gelesen.",
          "Warnung: kvxdat2.kvt: Laut Dateikopf beginnen die Sätze bei Byte 360, gelesen werden sie ab Byte 97; "
          "die Werte können verschoben oder leer ankommen."}},
        {"a memo field",
         1,
         {{{"DATNUMMER", 'C', 6}, {"NOTIZ", 'M', 10}}, {{"1", "0000000001"}}},
         {"Warnung: kvxdat1.kvt: Das Feld NOTIZ ist ein Memofeld; sein Inhalt steht in einer anderen Datei und "
          "wird nicht übernommen.",
          "Warnung: kvxdat1.kvt: Das Feld NOTIZ gibt es in der neuen Tabelle nicht; 1 Wert geht verloren."}},
        {"a currency field",
         3,
         {{{"DATNUMMER", 'C', 6}, {"BETRAG", 'Y', 8}}, {{"1", ""}}},
         {"Warnung: kvxdat3.kvt: Das Feld BETRAG hat den Typ Y, der keinen Klartext enthält; übernommen wird nur, "
          "was davon als Text lesbar ist.",
          "Warnung: kvxdat3.kvt: Das Feld BETRAG gibt es in der neuen Tabelle nicht; 0 Werte gehen verloren."}},
        {"a short file",
         3,
         {{{"DATNUMMER", 'C', 6}}, {{"1"}, {"2"}, {"3"}}, 0x03, 0, 5},
         {"Warnung: kvxdat3.kvt: Die Datei ist kürzer, als ihre Satzzahl verlangt: 2 von 5 Sätzen fehlen und "
          "werden als leere Sätze gelesen."}},
        {"a record length off",
         3,
         {{{"DATNUMMER", 'C', 6}}, {{"1"}}, 0x03, 0, -1, 4},
         {"Warnung: kvxdat3.kvt: Die Datei ist kürzer, als ihre Satzzahl verlangt: 1 von 1 Sätzen fehlen und "
          "werden als leere Sätze gelesen.",
          "Warnung: kvxdat3.kvt: Die Satzlänge im Dateikopf (11) passt nicht zu den Feldern (7); die Werte können "
          "verschoben oder leer ankommen."}},
        {"no DATNUMMER",
         2,
         {{{"NUMMER", 'C', 6}, {"T1111", 'C', 1}}, {{"1", "x"}}},
         {"Warnung: kvxdat2.kvt: Die Tabelle hat kein Feld DATNUMMER; keine ihrer Zeilen lässt sich einem "
          "Patienten zuordnen, jeder Patient erhält eine leere Zeile."}},
        {"an extra field",
         1,
         {{{"DATNUMMER", 'C', 6}, {"EXTRA", 'C', 20}}, {{"1", "Bemerkung"}, {"2", "noch eine"}, {"3"}}},
         {"Warnung: kvxdat1.kvt: Das Feld EXTRA gibt es in der neuen Tabelle nicht; 2 Werte gehen verloren."}},
        {"a wider field",
         0,
         {{{"DATNUMMER", 'C', 6}, {"NACHNAME", 'C', 40}, {"VORNAME", 'C', 25}},
          {{"1", "Albers-Oberhausen-Mittelstaedt"}, {"2", "Brandt"}, {"3", "Claasen"}}},
         {"Warnung: person.kvt: 1 Wert im Feld NACHNAME wird gekürzt, weil das Feld der neuen Tabelle schmaler ist."}},
        {"no row reaches the result",
         3,
         {{{"DATNUMMER", 'C', 6}}, {{"90"}, {"91"}}},
         {"Warnung: kvxdat3.kvt: Keine der 2 Zeilen gelangt ins Ergebnis; jeder Patient erhält eine leere Zeile."}},
        {"a patient number twice",
         0,
         {{{"DATNUMMER", 'C', 6}, {"NACHNAME", 'C', 25}}, {{"1", "Albers"}, {"1", "Brandt"}, {"3", "Claasen"}}},
         {"Warnung: person.kvt: 1 Patientennummer kommt mehrfach vor (1); der spätere Patient erhält die Daten "
          "des ersten (siehe Protokoll.txt)."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Practice practice;
        practice.put(c.table, c.file.bytes());
        EXPECT_EQ(practice.cli(), cli::exitcode::CopiedBack) << practice.errors;
        EXPECT_EQ(practice.warnings(), c.warnings) << practice.errors;
        EXPECT_LT(practice.errors.find("Warnung: "), std::string::npos);
        const std::string protocol = practice.env.fileBytes("/praxis/REORG_AUSGANG_03_05_0/Protokoll.txt").value_or("");
        for (const std::string& warning : c.warnings) {
            std::string text;
            ASSERT_TRUE(cp1252::fromUtf8(warning.substr(9), &text));
            EXPECT_THAT(protocol, HasSubstr("- " + text + "\r\n"));
        }
    }
}

// While the confirmation waits the practice program may write to its
// tables: the copy-back then replaces nothing, and the result stays.
TEST(RunChecksTest, ATableChangedWhileTheConfirmationWaitsIsNotReplaced)
{
    struct Case {
        const char* what;
        std::function<void(Practice&)> change;
        const char* table;
    };
    const auto editByte = [](std::size_t k) {
        return [k](Practice& p) {
            std::string bytes = *p.env.fileBytes(Data + fileOf(k));
            bytes[bytes.size() - 2] = 'Z';
            p.put(k, bytes);
        };
    };
    const std::vector<Case> cases{
        {"a byte in kvxdat2, same size", editByte(2), "kvxdat2.kvt"},
        {"a row added to person",
         [](Practice& p) {
             p.put(0, testsupport::tableFile(101, {{{"DATNUMMER", "1"}},
                                                   {{"DATNUMMER", "2"}},
                                                   {{"DATNUMMER", "3"}},
                                                   {{"DATNUMMER", "4"}, {"NACHNAME", "Neu"}}}));
         },
         "person.kvt"},
        {"kvxdat3 appeared", [](Practice& p) { p.put(3, testsupport::tableFile(104, {})); }, "kvxdat3.kvt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Practice practice;
        if (std::string(c.table) == "kvxdat3.kvt")
            practice.env.deleteFile("/praxis/kvxdat3.kvt");
        testsupport::ScriptedRunWindow window(Confirmation::Backup);
        window.whileConfirming = [&] { c.change(practice); };
        testsupport::ScriptedErrorDialogFactory dialogs;
        Session session(practice.env, practice.clock, dialogs);
        session.load();
        session.workspace.quellpfad[0] = Data;
        EndReason reason = EndReason::Quit;
        try {
            ReorganisationRun(session, window).cmdsynchronisieren_Click(0);
        } catch (const ProgramEnd& end) {
            reason = end.reason;
        }
        EXPECT_EQ(reason, EndReason::CopyBackFailed);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_THAT(dialogs.shown[0].message,
                    HasSubstr("Die Tabelle " + std::string(c.table) +
                              cp1252::ansi(" im Datenordner wurde während der Reorganisation verändert")));
        EXPECT_THAT(dialogs.shown[0].message, HasSubstr("/praxis/REORG_AUSGANG_03_05_0/"));
        EXPECT_THAT(dialogs.shown[0].details, HasSubstr("Error 1001: "));
        EXPECT_EQ(practice.env.folderEntries("/praxis"),
                  (Names{"REORG_AUSGANG_03_05_0", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt", "person.kvt"}));
        EXPECT_EQ(count(practice.log(), "Error 1001: "), 1u);
    }
}

} // namespace
} // namespace torvane
