#include "files/CopyBack.h"
#include "files/CopyBackRecovery.h"
#include "support/MemDisk.h"
#include "support/ScratchFolder.h"
#include "support/platform/StatusMatchers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace torvane {
namespace {

using Op = FaultInjectingEnv::Op;
using Strings = std::vector<std::string>;
using ::testing::HasSubstr;

const Strings Originals{"old PERSON.KVT", "old kvxdat1.kvt", "old kvxdat2.kvt", "old kvxdat3.kvt"};
const Strings NewTables{"new person.kvt", "new kvxdat1.kvt", "new kvxdat2.kvt", "new kvxdat3.kvt"};
const std::string Backup = "C:\\Daten\\REORG_SICHERUNG_03_05_0\\";

// A data folder holding four old tables and an output folder with four new ones.
struct DataFolder : testsupport::MemDisk {
    DataFolder()
    {
        for (const char* table : {"PERSON.KVT", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"})
            mem.putFile(std::string("C:\\Daten\\") + table, std::string("old ") + table);
        for (const char* table : {"person.kvt", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"})
            mem.putFile(std::string("C:\\Daten\\REORG_AUSGANG_03_05_0\\") + table, std::string("new ") + table);
    }
    CopyBack copyBack() { return CopyBack(env, errors, paths, staging, clock); }
    CopyBack::Result replace()
    {
        std::string output = "C:\\Daten\\REORG_AUSGANG_03_05_0", data = "C:\\Daten";
        return copyBack().ersetze_datenbanken(output, data);
    }
    CopyBack::Result restore(const std::string& folder)
    {
        std::string data = "C:\\Daten";
        return copyBack().hole_sicherung_zurueck(*BackupFolders(env).read(folder), data);
    }
    std::string data(const std::string& name) const
    {
        return mem.fileBytes("C:\\Daten\\" + name).value_or("(missing)");
    }
    Strings entries() const { return mem.folderEntries("C:\\Daten"); }
    // The data folder's tables in table order.
    Strings tables() const
    {
        return {data("PERSON.KVT"), data("kvxdat1.kvt"), data("kvxdat2.kvt"), data("kvxdat3.kvt")};
    }

    StagingFolders staging{env, errors, paths, workspace};
    FixedClock clock{{2011, 3, 5, 9, 30, 0}};
};

TEST(CopyBackTest, PutsTheNewTablesInUnderTheExistingNamesAndKeepsTheOriginalsInANotedBackupFolder)
{
    DataFolder folder;
    folder.mem.deleteFile("C:\\Daten\\kvxdat3.kvt");
    folder.mem.deleteFile("C:\\Daten\\REORG_AUSGANG_03_05_0\\kvxdat2.kvt");
    const CopyBack::Result result = folder.replace();
    EXPECT_EQ(result.outcome, CopyBack::Outcome::Replaced);
    EXPECT_EQ(result.backupFolder, Backup);
    EXPECT_EQ(folder.tables(), (Strings{"new person.kvt", "new kvxdat1.kvt", "old kvxdat2.kvt", "new kvxdat3.kvt"}));
    EXPECT_EQ(folder.entries(), (Strings{"PERSON.KVT", "REORG_AUSGANG_03_05_0", "REORG_SICHERUNG_03_05_0",
                                         "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"}));
    EXPECT_EQ(folder.mem.folderEntries(Backup), (Strings{"PERSON.KVT", "SICHERUNG.txt", "kvxdat1.kvt"}));
    const std::optional<BackupFolders::Backup> backup = BackupFolders(folder.env).read(Backup);
    ASSERT_TRUE(backup);
    EXPECT_EQ(backup->note, (BackupNote{1, "05.03.2011 09:30:00", {"PERSON.KVT", "kvxdat1.kvt"}, {"kvxdat3.kvt"}}));
    EXPECT_TRUE(folder.errors.reports.empty());
}

// Flushed: the staged table, the record, then the data folder, before the
// first rename; the backup folder before the data folder after the renames.
TEST(CopyBackTest, EverythingTheRenamesDependOnIsOnTheDeviceFirst)
{
    DataFolder folder;
    folder.replace();
    Strings steps;
    for (const FaultInjectingEnv::Record& record : folder.env.log()) {
        const std::set<Op> shown{Op::CopyFile,   Op::SyncFile,   Op::WriteNewFile, Op::SyncFolder,
                                 Op::MakeFolder, Op::RenameFile, Op::DeleteFile};
        if (shown.contains(record.op) && record.path.find("kvxdat") == std::string::npos &&
            record.secondPath.find("kvxdat") == std::string::npos)
            steps.push_back(FaultInjectingEnv::describe(record));
    }
    EXPECT_EQ(steps, (Strings{
                         "copyFile C:\\Daten\\REORG_AUSGANG_03_05_0\\person.kvt -> C:\\Daten\\PERSON.KVT.torvane-neu",
                         "syncFile C:\\Daten\\PERSON.KVT.torvane-neu",
                         "writeNewFile C:\\Daten\\REORG_UEBERNAHME.txt",
                         "syncFile C:\\Daten\\REORG_UEBERNAHME.txt",
                         "syncFolder C:\\Daten\\",
                         "makeFolder " + Backup,
                         "syncFolder C:\\Daten\\",
                         "renameFile C:\\Daten\\PERSON.KVT -> " + Backup + "PERSON.KVT",
                         "renameFile C:\\Daten\\PERSON.KVT.torvane-neu -> C:\\Daten\\PERSON.KVT",
                         "syncFolder " + Backup,
                         "syncFolder C:\\Daten\\",
                         "writeNewFile " + Backup + "SICHERUNG.txt",
                         "syncFile " + Backup + "SICHERUNG.txt",
                         "syncFolder " + Backup,
                         "deleteFile C:\\Daten\\REORG_UEBERNAHME.txt",
                         "syncFolder C:\\Daten\\",
                     }));
}

TEST(CopyBackTest, AnyFailureBeforeAllAreInPutsEveryOriginalBackAndLeavesNothingOfItsOwn)
{
    // An original that cannot be replaced, a record already there, a failed
    // copy, a failed record, a failed backup folder, failed renames and flushes.
    const std::pair<std::function<void(DataFolder&)>, int> failures[] = {
        {[](DataFolder& f) { f.mem.setAttributes("C:\\Daten\\kvxdat2.kvt", attr::ReadOnly); }, errnum::PathFileAccess},
        {[](DataFolder& f) { f.mem.putFile("C:\\Daten\\REORG_UEBERNAHME.txt", "x"); }, errnum::FileExists},
        {[](DataFolder& f) { f.env.failAlways(Op::SyncFile, "kvxdat3", errnum::DeviceIO); }, errnum::DeviceIO},
        {[](DataFolder& f) { f.env.failAlways(Op::WriteNewFile, "UEBERNAHME", errnum::DiskFull); }, errnum::DiskFull},
        {[](DataFolder& f) { f.env.failAlways(Op::MakeFolder, "", errnum::PermissionDenied); },
         errnum::PermissionDenied},
        {[](DataFolder& f) { f.env.failNth(Op::RenameFile, "kvxdat2.kvt.torvane-neu", 1, errnum::PermissionDenied); },
         errnum::PermissionDenied},
        {[](DataFolder& f) { f.env.failNth(Op::RenameFile, "kvxdat3.kvt", 1, errnum::PathFileAccess); },
         errnum::PathFileAccess},
        {[](DataFolder& f) { f.env.failNth(Op::SyncFolder, "SICHERUNG", 1, errnum::DeviceIO); }, errnum::DeviceIO},
    };
    for (const auto& [fail, number] : failures) {
        DataFolder folder;
        fail(folder);
        EXPECT_EQ(folder.replace().outcome, CopyBack::Outcome::KeptOriginals) << number;
        folder.mem.deleteFile("C:\\Daten\\REORG_UEBERNAHME.txt"); // the one that was there
        EXPECT_EQ(folder.tables(), Originals) << number;
        EXPECT_EQ(folder.entries(),
                  (Strings{"PERSON.KVT", "REORG_AUSGANG_03_05_0", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"}))
            << number;
        ASSERT_EQ(folder.errors.reports.size(), 1u) << number;
        EXPECT_EQ(folder.errors.reports[0].number, number);
        EXPECT_EQ(folder.errors.reports[0].location, "Error in E_Datei: Sub ersetze_datenbanken");
    }
}

// Bringing in the new kvxdat2 fails; so does putting back the old kvxdat1.
// The record stays, so the next start finishes it; the message says where
// every table is meanwhile.
TEST(CopyBackTest, WhenPuttingBackFailsTooTheNextStartFinishesIt)
{
    DataFolder folder;
    folder.env.failNth(Op::RenameFile, "kvxdat2.kvt.torvane-neu", 1, errnum::PermissionDenied);
    folder.env.failNth(Op::RenameFile, "kvxdat1.kvt.torvane-neu", 2, errnum::DeviceIO);
    const CopyBack::Result result = folder.replace();
    EXPECT_EQ(result.outcome, CopyBack::Outcome::Interrupted);
    EXPECT_EQ(result.whereTablesAre,
              "PERSON.KVT: neu unter C:\\Daten\\PERSON.KVT.torvane-neu, Original unter " + Backup +
                  "PERSON.KVT\r"
                  "kvxdat1.kvt: neu unter C:\\Daten\\kvxdat1.kvt, Original unter " +
                  Backup +
                  "kvxdat1.kvt\r"
                  "kvxdat2.kvt: neu unter C:\\Daten\\kvxdat2.kvt.torvane-neu, Original unter " +
                  Backup +
                  "kvxdat2.kvt\r"
                  "kvxdat3.kvt: neu unter C:\\Daten\\kvxdat3.kvt.torvane-neu, Original unter C:\\Daten\\kvxdat3.kvt\r");
    EXPECT_EQ(folder.errors.reports.size(), 2u);

    std::string data = "C:\\Daten";
    const CopyBackRecovery::Result recovered =
        CopyBackRecovery(folder.env, folder.errors, folder.paths).schliesse_uebernahme_ab(data);
    EXPECT_EQ(recovered.found, CopyBackRecovery::Found::Record);
    EXPECT_TRUE(recovered.done);
    EXPECT_EQ(folder.tables(), NewTables);
    EXPECT_EQ(folder.mem.folderEntries(Backup),
              (Strings{"PERSON.KVT", "SICHERUNG.txt", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"}));
}

TEST(CopyBackTest, WithoutRoomForTheNewTablesNothingIsTouched)
{
    DataFolder folder;
    folder.mem.setCapacity(folder.mem.usedBytes() + 40);
    const CopyBack::Result result = folder.replace();
    EXPECT_EQ(result.outcome, CopyBack::Outcome::NoRoom);
    EXPECT_EQ(std::pair(result.needed, result.available), std::pair(std::uint64_t{59}, std::uint64_t{40}));
    EXPECT_EQ(folder.tables(), Originals);
    EXPECT_EQ(folder.entries().size(), 5u);
    EXPECT_TRUE(folder.errors.reports.empty());
}

// Undone and undone again: each restore keeps what it replaced in a fresh
// backup, and a table the data folder did not have goes again.
TEST(CopyBackTest, ARestorePutsBackTheBackupAndCanItselfBeUndone)
{
    DataFolder folder;
    folder.mem.deleteFile("C:\\Daten\\kvxdat3.kvt");
    ASSERT_EQ(folder.replace().outcome, CopyBack::Outcome::Replaced);

    const CopyBack::Result undone = folder.restore(Backup);
    EXPECT_EQ(undone.outcome, CopyBack::Outcome::Replaced);
    EXPECT_EQ(undone.backupFolder, "C:\\Daten\\REORG_SICHERUNG_03_05_1\\");
    EXPECT_EQ(folder.tables(), (Strings{"old PERSON.KVT", "old kvxdat1.kvt", "old kvxdat2.kvt", "(missing)"}));
    EXPECT_EQ(BackupFolders(folder.env).read(undone.backupFolder)->note,
              (BackupNote{2, "05.03.2011 09:30:00", {"PERSON.KVT", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"}, {}}));
    EXPECT_EQ(folder.mem.folderEntries(Backup), (Strings{"PERSON.KVT", "SICHERUNG.txt", "kvxdat1.kvt", "kvxdat2.kvt"}));

    const std::vector<BackupFolders::Backup> backups = BackupFolders(folder.env).inDataFolder("C:\\Daten\\");
    ASSERT_EQ(backups.size(), 2u);
    EXPECT_EQ(folder.restore(backups.back().folder).outcome, CopyBack::Outcome::Replaced);
    EXPECT_EQ(folder.tables(), NewTables);
    EXPECT_TRUE(folder.errors.reports.empty());
}

TEST(CopyBackDiskTest, RenamesOnADiskKeepTheExistingNamesAndLeaveOnlyTheBackup)
{
    testsupport::ScratchFolder scratch;
    Env& env = Env::Default();
    testsupport::RecordingReporter errors;
    Workspace workspace;
    workspace.tag = "05";
    workspace.monat = "03";
    Paths paths(env, errors);
    StagingFolders staging(env, errors, paths, workspace);
    std::string data = scratch.path(), output = data + "REORG_AUSGANG_03_05_0";
    ASSERT_THAT(env.makeFolder(output), IsOk());
    for (const char* table : {"PERSON.KVT", "kvxdat1.kvt"})
        ASSERT_THAT(env.writeNewFile(data + table, std::string("old ") + table), IsOk());
    for (const char* table : {"person.kvt", "kvxdat1.kvt", "kvxdat3.kvt"})
        ASSERT_THAT(env.writeNewFile(output + env.separator() + table, std::string("new ") + table), IsOk());

    const FixedClock clock({2011, 3, 5, 9, 30, 0});
    EXPECT_EQ(CopyBack(env, errors, paths, staging, clock).ersetze_datenbanken(output, data).outcome,
              CopyBack::Outcome::Replaced);
    EXPECT_EQ(scratch.entries(), (Strings{"PERSON.KVT", "REORG_AUSGANG_03_05_0", "REORG_SICHERUNG_03_05_0",
                                          "kvxdat1.kvt", "kvxdat3.kvt"}));
    std::string bytes;
    ASSERT_THAT(env.readFile(data + "PERSON.KVT", &bytes), IsOk());
    EXPECT_EQ(bytes, "new person.kvt");
    ASSERT_THAT(env.readFile(data + "REORG_SICHERUNG_03_05_0/PERSON.KVT", &bytes), IsOk());
    EXPECT_EQ(bytes, "old PERSON.KVT");
    EXPECT_TRUE(errors.reports.empty());
}

} // namespace
} // namespace torvane
