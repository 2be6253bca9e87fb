#include "files/CopyBack.h"
#include "platform/PosixEnv.h"
#include "support/MemDisk.h"
#include "support/RecordingReporter.h"
#include "support/ScratchFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace torvane {
namespace {

using ::testing::ElementsAre;
using Op = FaultInjectingEnv::Op;

class CopyBackTest : public ::testing::Test {
protected:
    CopyBackTest()
    {
        for (const char* table : {"PERSON.KVT", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"})
            disk.mem.putFile(std::string("C:\\Daten\\") + table, std::string("old ") + table);
        for (const char* table : {"person.kvt", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"})
            disk.mem.putFile(std::string("C:\\Daten\\REORG_AUSGANG_03_05_0\\") + table, std::string("new ") + table);
    }

    CopyBack::Outcome replace()
    {
        std::string output = "C:\\Daten\\REORG_AUSGANG_03_05_0";
        std::string data = "C:\\Daten";
        return CopyBack(disk.env, disk.errors, disk.paths).ersetze_datenbanken(output, data);
    }

    std::string data(const std::string& name) const
    {
        return disk.mem.fileBytes("C:\\Daten\\" + name).value_or("(missing)");
    }

    // The data folder's tables in table order, and nothing beside them.
    std::vector<std::string> tables() const
    {
        EXPECT_THAT(disk.mem.folderEntries("C:\\Daten"),
                    ElementsAre("PERSON.KVT", "REORG_AUSGANG_03_05_0", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"));
        return {data("PERSON.KVT"), data("kvxdat1.kvt"), data("kvxdat2.kvt"), data("kvxdat3.kvt")};
    }

    void expectOneReport(int number)
    {
        ASSERT_EQ(disk.errors.reports.size(), 1u);
        EXPECT_EQ(disk.errors.reports[0].number, number);
        EXPECT_EQ(disk.errors.reports[0].location, "Error in E_Datei: Sub ersetze_datenbanken");
    }

    const std::vector<std::string> originals{"old PERSON.KVT", "old kvxdat1.kvt", "old kvxdat2.kvt", "old kvxdat3.kvt"};
    testsupport::MemDisk disk;
};

TEST_F(CopyBackTest, ReplacesWhatTheOutputHoldsUnderTheExistingNamesAndLeavesNoTemporaryFile)
{
    disk.mem.deleteFile("C:\\Daten\\kvxdat3.kvt");
    disk.mem.deleteFile("C:\\Daten\\REORG_AUSGANG_03_05_0\\kvxdat2.kvt");
    EXPECT_EQ(replace(), CopyBack::Outcome::Replaced);
    EXPECT_THAT(tables(), ElementsAre("new person.kvt", "new kvxdat1.kvt", "old kvxdat2.kvt", "new kvxdat3.kvt"));
    EXPECT_TRUE(disk.errors.reports.empty());
}

TEST_F(CopyBackTest, AnOriginalThatCannotBeReplacedStopsItBeforeAnythingChanges)
{
    disk.mem.setAttributes("C:\\Daten\\kvxdat2.kvt", attr::ReadOnly);
    EXPECT_EQ(replace(), CopyBack::Outcome::KeptOriginals);
    EXPECT_EQ(tables(), originals);
    expectOneReport(errnum::PathFileAccess);
}

TEST_F(CopyBackTest, NeverOverwritesAnOriginalKeptByAnEarlierCopyBack)
{
    disk.mem.putFile("C:\\Daten\\kvxdat1.kvt.torvane-alt", "kept");
    EXPECT_EQ(replace(), CopyBack::Outcome::KeptOriginals);
    EXPECT_EQ(data("kvxdat1.kvt.torvane-alt"), "kept");
    disk.mem.deleteFile("C:\\Daten\\kvxdat1.kvt.torvane-alt");
    EXPECT_EQ(tables(), originals);
    expectOneReport(errnum::FileExists);
}

TEST_F(CopyBackTest, AFailedCopyRemovesTheCopiesMadeSoFar)
{
    disk.env.failAlways(Op::SyncFile, "kvxdat3", errnum::DeviceIO);
    EXPECT_EQ(replace(), CopyBack::Outcome::KeptOriginals);
    EXPECT_EQ(tables(), originals);
    expectOneReport(errnum::DeviceIO);
}

TEST_F(CopyBackTest, AFailedRenamePutsBackTheTablesAlreadyReplaced)
{
    disk.env.failAlways(Op::RenameFile, "kvxdat2.kvt.torvane-neu", errnum::PermissionDenied);
    EXPECT_EQ(replace(), CopyBack::Outcome::KeptOriginals);
    EXPECT_EQ(tables(), originals);
    expectOneReport(errnum::PermissionDenied);
}

TEST_F(CopyBackTest, WhenPuttingBackFailsTooTheOriginalStaysUnderItsKeptName)
{
    // 12 checks and 8 copies and flushes; renames 21 to 25 succeed, 26
    // brings in kvxdat2, then 27 to 29 put back kvxdat2, kvxdat1, person.
    disk.env.failOperation(26, errnum::PermissionDenied);
    disk.env.failOperation(28, errnum::DeviceIO);
    EXPECT_EQ(replace(), CopyBack::Outcome::RestoreFailed);
    EXPECT_EQ(FaultInjectingEnv::describe(disk.env.log().at(27)),
              "28 renameFile C:\\Daten\\kvxdat1.kvt.torvane-alt -> C:\\Daten\\kvxdat1.kvt failed with 57");
    EXPECT_EQ(data("kvxdat1.kvt.torvane-alt"), "old kvxdat1.kvt");
    EXPECT_EQ(data("PERSON.KVT"), "old PERSON.KVT");
    EXPECT_EQ(data("kvxdat2.kvt"), "old kvxdat2.kvt");
    EXPECT_EQ(disk.errors.reports.size(), 2u);
}

TEST(CopyBackPosixTest, RenamesOnADiskKeepTheExistingNamesAndLeaveNothingBehind)
{
    testsupport::ScratchFolder scratch;
    Env& env = PosixEnv::defaultEnv();
    testsupport::RecordingReporter errors;
    const Paths paths(env, errors);
    std::string data = scratch.path();
    std::string output = data + "REORG_AUSGANG_03_05_0";
    ASSERT_TRUE(env.makeFolder(output).isOk());
    for (const char* table : {"PERSON.KVT", "kvxdat1.kvt"})
        ASSERT_TRUE(env.writeNewFile(data + table, std::string("old ") + table).isOk());
    for (const char* table : {"person.kvt", "kvxdat1.kvt", "kvxdat3.kvt"})
        ASSERT_TRUE(env.writeNewFile(output + "/" + table, std::string("new ") + table).isOk());

    EXPECT_EQ(CopyBack(env, errors, paths).ersetze_datenbanken(output, data), CopyBack::Outcome::Replaced);
    EXPECT_THAT(scratch.entries(), ElementsAre("PERSON.KVT", "REORG_AUSGANG_03_05_0", "kvxdat1.kvt", "kvxdat3.kvt"));
    std::string bytes;
    ASSERT_TRUE(env.readFile(data + "PERSON.KVT", &bytes).isOk());
    EXPECT_EQ(bytes, "new person.kvt");
    EXPECT_TRUE(errors.reports.empty());
}

} // namespace
} // namespace torvane
