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

using testsupport::Row;
using testsupport::ScriptedRunWindow;
using testsupport::tableFile;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

class ReorganisationRunWindowTest : public ::testing::Test {
protected:
    void put(int patients)
    {
        std::vector<Row> person;
        for (int i = 1; i <= patients; ++i)
            person.push_back({{"DATNUMMER", std::to_string(i % 4 == 0 ? 0 : i)}, {"NACHNAME", "Patient"}});
        env.createFolders("/praxis");
        env.putFile("/praxis/person.kvt", tableFile(101, person));
        env.putFile("/praxis/kvxdat1.kvt", tableFile(102, {}));
        env.putFile("/praxis/kvxdat2.kvt", tableFile(103, {}));
        env.putFile("/praxis/kvxdat3.kvt", tableFile(104, {}));
    }
    EndReason run(ScriptedRunWindow& window)
    {
        Session session(env, clock, dialogs);
        session.load();
        session.workspace.quellpfad[0] = "/praxis/";
        try {
            ReorganisationRun(session, window).cmdsynchronisieren_Click(0);
        } catch (const ProgramEnd& end) {
            return end.reason;
        }
    }

    MemEnv env{'/'};
    FixedClock clock{{2011, 3, 5, 9, 30, 0}};
    testsupport::ScriptedErrorDialogs dialogs;
};

TEST_F(ReorganisationRunWindowTest, CountsEveryRecordAndNamesTheOutputFolderBetweenSingleCarriageReturns)
{
    put(12);
    ScriptedRunWindow window(Confirmation::Backup);
    EXPECT_EQ(run(window), EndReason::CopiedBack);

    std::vector<std::string> captions;
    std::vector<float> values;
    for (int r = 1; r <= 12; ++r) {
        captions.push_back(" " + std::to_string(r));
        values.push_back(static_cast<float>(r));
    }
    EXPECT_THAT(window.captions, ElementsAreArray(captions)) << "skipped records are counted too";
    EXPECT_THAT(window.values, ElementsAreArray(values));
    EXPECT_EQ(window.repaints, 12);
    EXPECT_THAT(window.events, ElementsAre("log", "log", "show progress", "min 0", "max 12", "hide progress",
                                           "message ...und fertig!", "confirmation"));
    EXPECT_EQ(window.log, "Die Datei wird reorganisiert\r\n");
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, cp1252::ansi("Die Umsetzung ist vollständig erfolgt. Sie finden die") +
                                           "\rneuen Dateien unter:\r/praxis/REORG_AUSGANG_03_05_0/\r");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ReorganisationRunWindowTest, DoubtEndsWithTheControlledEndMessage)
{
    put(3);
    const auto before = env.fileBytes("/praxis/person.kvt");
    ScriptedRunWindow window(Confirmation::Doubt);
    EXPECT_EQ(run(window), EndReason::Doubt);
    ASSERT_EQ(window.messages.size(), 2u);
    EXPECT_EQ(window.messages[1].title, "Kontrolliertes Ende");
    EXPECT_EQ(env.fileBytes("/praxis/person.kvt"), before);
}

TEST_F(ReorganisationRunWindowTest, OneRecordEndsWithTheInformationBeforeAnyCount)
{
    put(1);
    ScriptedRunWindow window(Confirmation::Backup);
    EXPECT_EQ(run(window), EndReason::NothingToDo);
    EXPECT_THAT(window.events, ElementsAre("log", "log", "show progress", "min 0", "message Information"));
    EXPECT_EQ(window.messages[0].text, "Keine S\xE4tze zum Umsetzen vorhanden!");
    EXPECT_EQ(window.messages[0].icon, MessageIcon::Information);
    EXPECT_TRUE(window.captions.empty());
    EXPECT_THAT(env.folderEntries("/praxis"), ElementsAre("kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt", "person.kvt"));
}

} // namespace
} // namespace torvane
