// The running number is a 16-bit counter: the transfer must refuse the
// 32,768th patient instead of writing a wrapped or repeated number.

#include "reorg/RecordTransfer.h"
#include "reorg/Session.h"
#include "resources/Templates.h"
#include "support/ScriptedErrorDialogFactory.h"
#include "support/TableFixture.h"
#include "support/platform/MemEnv.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(RecordTransferTest, TheLastNumberIsGivenOutAndTheNextPatientRefused)
{
    MemEnv env{'/'};
    env.putFile("/praxis/person.kvt", testsupport::tableFile(101, {{{"DATNUMMER", "1"}, {"NACHNAME", "Weber"}}}));
    env.putFile("/praxis/kvxdat1.kvt", testsupport::tableFile(102, {{{"DATNUMMER", "1"}}}));
    env.putFile("/praxis/kvxdat2.kvt", testsupport::tableFile(103, {}));
    for (const TableName& name : TableNames)
        env.putFile(std::string("/frisch/") + name.base + "temp.kvt", std::string(templateBlob(name.resource)));
    const FixedClock clock{{2011, 3, 5, 9, 30, 0}};
    testsupport::ScriptedErrorDialogFactory dialogs;
    Session session{env, clock, dialogs};
    session.load();
    std::uint8_t main = DatabaseSets::MainSet, temp = DatabaseSets::TempSet;
    std::string working = "/praxis", fresh = "/frisch";
    session.databases.sets.open_database(main, working);
    session.databases.sets.open_database(temp, fresh);

    RecordTransfer transfer(session);
    std::int16_t running = RecordTransfer::MaxPatients - 1;
    EXPECT_EQ(transfer.transfer(1, running), TransferResult::CarriedOver);
    EXPECT_EQ(session.databases.sets.db_temp[0].GetData("DATNUMMER").toText(), "32767");
    EXPECT_EQ(transfer.transfer(1, running), TransferResult::LimitReached);
    EXPECT_EQ(running, RecordTransfer::MaxPatients);
    for (const dbases& table : session.databases.sets.db_temp)
        EXPECT_EQ(table.NoRecords(), 1) << "nothing appended for the refused patient";
    EXPECT_TRUE(dialogs.shown.empty());
}

} // namespace
} // namespace torvane
