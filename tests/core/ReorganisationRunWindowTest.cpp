// What one run shows in the main window, seen through a scripted window.

#include "errors/ProgramEnd.h"
#include "platform/Cp1252.h"
#include "reorg/ReorganisationRun.h"
#include "reorg/Session.h"
#include "support/ScriptedErrorDialogFactory.h"
#include "support/ScriptedRunWindow.h"
#include "support/TableFixture.h"
#include "support/platform/MemEnv.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace torvane {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// A practice of twelve patients in /praxis/; every fourth has the key 0 and is skipped.
struct Practice {
    Practice()
    {
        std::vector<testsupport::Row> person;
        for (int i = 1; i <= 12; ++i)
            person.push_back({{"DATNUMMER", std::to_string(i % 4 == 0 ? 0 : i)}, {"NACHNAME", "Patient"}});
        for (std::size_t k = 0; k < 4; ++k)
            env.putFile(
                "/praxis/" + std::string(TableNames[k].base) + ".kvt",
                testsupport::tableFile(TableNames[k].resource, k == 0 ? person : std::vector<testsupport::Row>{}));
    }

    EndReason run(Confirmation answer, ReorganisationRun::Checks checks = ReorganisationRun::Checks::Made)
    {
        window = std::make_unique<testsupport::ScriptedRunWindow>(answer);
        Session session(env, clock, dialogs);
        session.load();
        session.workspace.quellpfad[0] = "/praxis/";
        try {
            ReorganisationRun(session, *window, ReorganisationRun::Report::Written, checks).cmdsynchronisieren_Click(0);
        } catch (const ProgramEnd& end) {
            return end.reason;
        }
        return EndReason::Quit;
    }

    MemEnv env{'/'};
    const FixedClock clock{{2011, 3, 5, 9, 30, 0}};
    testsupport::ScriptedErrorDialogFactory dialogs;
    std::unique_ptr<testsupport::ScriptedRunWindow> window;
};

// The run report's summary: the patients with key 0 have no valid number.
std::string summary()
{
    std::string report = "Patienten: 12 gelesen, 9 \xFC"
                         "bernommen, 3 entfallen (3 ohne g\xFCltige Nummer)\r\n";
    for (int k = 1; k <= 3; ++k)
        report += "kvxdat" + std::to_string(k) +
                  ".kvt: 0 Zeilen gelesen, 0 \xFC"
                  "bernommen, 0 nicht \xFC"
                  "bernommen, "
                  "9 leer neu angelegt\r\n";
    return report + "Textwerte: 0 durch die Bereinigung ge\xE4ndert, 0 gek\xFCrzt\r\n"
                    "Bericht im Ausgabeordner: Patienten.csv, Untersuchungen.csv, Protokoll.txt\r\n";
}

// Busy from the start to the completion message and again while copying back;
// doubt is told while the confirmation window is still open.
TEST(ReorganisationRunWindowTest, CountsEveryRecordIsBusyUntilTheCompletionAndTellsDoubtInsideTheConfirmation)
{
    for (const Confirmation answer : {Confirmation::Backup, Confirmation::Doubt}) {
        Practice practice;
        EXPECT_EQ(practice.run(answer), answer == Confirmation::Backup ? EndReason::CopiedBack : EndReason::Doubt);

        std::vector<std::string> expected = {"busy",          "log ",  "log Die Datei wird reorganisiert\r\n",
                                             "show progress", "min 0", "max 12"};
        for (int r = 1; r <= 12; ++r)
            expected.insert(expected.end(), {"value " + std::to_string(r), "caption  " + std::to_string(r), "repaint"});
        expected.push_back("hide progress");
        expected.push_back("log Die Datei wird reorganisiert\r\n" + summary());
        expected.insert(expected.end(),
                        {"idle",
                         cp1252::ansi("...und fertig! (!): Die Umsetzung ist vollständig erfolgt. Sie finden die") +
                             "\rneuen Dateien unter:\r/praxis/REORG_AUSGANG_03_05_0/\r",
                         "confirmation"});
        if (answer == Confirmation::Doubt)
            expected.push_back(
                cp1252::ansi("Kontrolliertes Ende (i): Das Programm bricht jetzt ab, ohne Änderungen an") +
                "\rden Originaldaten vorzunehmen.\r" +
                cp1252::ansi("Damit ist Artiqon 2.71 zur Zeit nicht lauffähig.\r") +
                cp1252::ansi("Klären Sie bitte die Umgebungsbedingungen und starten Sie \r") +
                "dann Torvane nch einmal.");
        expected.push_back("confirmation closed");
        if (answer == Confirmation::Backup)
            expected.insert(expected.end(), {"busy", "log Die Datei wird reorganisiert\r\n" + summary() +
                                                         "Die bisherigen Dateien liegen im Ordner "
                                                         "/praxis/REORG_SICHERUNG_03_05_0/\r\n"});
        EXPECT_THAT(practice.window->events, ::testing::ElementsAreArray(expected));
        EXPECT_TRUE(practice.dialogs.shown.empty());
    }
}

// The user knows the data folder's tables, not the working copies: the
// message names the table a copy was made from, the log the copy itself.
// (With the checks such a table is refused before it is copied.)
TEST(ReorganisationRunWindowTest, AnErrorInAWorkingCopyNamesThePracticesTable)
{
    Practice practice;
    practice.env.putFile("/praxis/kvxdat1.kvt", std::string(20, 'x'));
    practice.run(Confirmation::Doubt, ReorganisationRun::Checks::Omitted);

    ASSERT_FALSE(practice.dialogs.shown.empty());
    const auto& first = practice.dialogs.shown.front();
    EXPECT_EQ(first.message, cp1252::ansi("Ungültiges Dateiformat: Tabellenkopf fehlt oder ist unvollständig ") +
                                 "(Kopie von /praxis/kvxdat1.kvt)");
    for (const auto& shown : practice.dialogs.shown)
        EXPECT_THAT(shown.message, Not(HasSubstr("TEMP_REORG_EINGANG")));
    EXPECT_THAT(first.details, HasSubstr("TEMP_REORG_EINGANG_03_05_0/kvxdat1.kvt)"));
}

} // namespace
} // namespace torvane
