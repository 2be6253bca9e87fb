// What one run shows in the main window, seen through a scripted window.

#include "errors/ProgramEnd.h"
#include "platform/Cp1252.h"
#include "platform/MemEnv.h"
#include "reorg/ReorganisationRun.h"
#include "reorg/Session.h"
#include "support/ScriptedErrorDialogs.h"
#include "support/ScriptedRunWindow.h"
#include "support/TableFixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(ReorganisationRunWindowTest, CountsEveryRecordAndNamesTheOutputFolderBetweenSingleCarriageReturns)
{
    MemEnv env{'/'};
    std::vector<testsupport::Row> person;
    for (int i = 1; i <= 12; ++i)  // every fourth patient has the key 0 and is skipped
        person.push_back({{"DATNUMMER", std::to_string(i % 4 == 0 ? 0 : i)}, {"NACHNAME", "Patient"}});
    for (std::size_t k = 0; k < 4; ++k)
        env.putFile("/praxis/" + std::string(TableNames[k].base) + ".kvt",
                    testsupport::tableFile(TableNames[k].resource, k == 0 ? person : std::vector<testsupport::Row>{}));
    const FixedClock clock{{2011, 3, 5, 9, 30, 0}};
    testsupport::ScriptedErrorDialogs dialogs;
    testsupport::ScriptedRunWindow window{Confirmation::Backup};
    Session session(env, clock, dialogs);
    session.load();
    session.workspace.quellpfad[0] = "/praxis/";
    try {
        ReorganisationRun(session, window).cmdsynchronisieren_Click(0);
    } catch (const ProgramEnd& end) {
        EXPECT_EQ(end.reason, EndReason::CopiedBack);
    }

    std::vector<std::string> expected = {"log ", "log Die Datei wird reorganisiert\r\n", "show progress", "min 0",
                                         "max 12"};
    for (int r = 1; r <= 12; ++r)
        expected.insert(expected.end(), {"value " + std::to_string(r), "caption  " + std::to_string(r), "repaint"});
    expected.push_back("hide progress");
    // The run report's summary: the patients with key 0 have no valid number.
    std::string report = "Patienten: 12 gelesen, 9 \xFC" "bernommen, 3 entfallen (3 ohne g\xFCltige Nummer)\r\n";
    for (int k = 1; k <= 3; ++k)
        report += "kvxdat" + std::to_string(k) + ".kvt: 0 Zeilen gelesen, 0 \xFC" "bernommen, 0 nicht \xFC" "bernommen, "
                  "9 leer neu angelegt\r\n";
    report += "Textwerte: 0 durch die Bereinigung ge\xE4ndert, 0 gek\xFCrzt\r\n"
              "Bericht im Ausgabeordner: Patienten.csv, Untersuchungen.csv, Protokoll.txt\r\n";
    expected.push_back("log Die Datei wird reorganisiert\r\n" + report);
    expected.push_back(cp1252::ansi("...und fertig! (!): Die Umsetzung ist vollständig erfolgt. Sie finden die") +
                       "\rneuen Dateien unter:\r/praxis/REORG_AUSGANG_03_05_0/\r");
    expected.push_back("confirmation");
    EXPECT_THAT(window.events, ::testing::ElementsAreArray(expected)) << "skipped records are counted too";
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace torvane
