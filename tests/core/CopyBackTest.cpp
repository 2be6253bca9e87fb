#include "files/CopyBack.h"
#include "support/MemDisk.h"
#include "support/ScratchFolder.h"
#include "support/platform/StatusMatchers.h"

#include <gtest/gtest.h>

#include <functional>

namespace torvane {
namespace {

using Op = FaultInjectingEnv::Op;
using Strings = std::vector<std::string>;

const Strings Originals{"old PERSON.KVT", "old kvxdat1.kvt", "old kvxdat2.kvt", "old kvxdat3.kvt"};

// A data folder holding four old tables and an output folder with four new ones.
struct DataFolder : testsupport::MemDisk {
    DataFolder()
    {
        for (const char* table : {"PERSON.KVT", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"})
            mem.putFile(std::string("C:\\Daten\\") + table, std::string("old ") + table);
        for (const char* table : {"person.kvt", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"})
            mem.putFile(std::string("C:\\Daten\\REORG_AUSGANG_03_05_0\\") + table, std::string("new ") + table);
    }
    CopyBack::Outcome replace()
    {
        std::string output = "C:\\Daten\\REORG_AUSGANG_03_05_0", data = "C:\\Daten";
        return CopyBack(env, errors, paths).ersetze_datenbanken(output, data);
    }
    std::string data(const std::string& name) const { return mem.fileBytes("C:\\Daten\\" + name).value_or("(missing)"); }
    // The data folder's tables in table order, and nothing beside them.
    Strings tables() const
    {
        EXPECT_EQ(mem.folderEntries("C:\\Daten"),
                  (Strings{"PERSON.KVT", "REORG_AUSGANG_03_05_0", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"}));
        return {data("PERSON.KVT"), data("kvxdat1.kvt"), data("kvxdat2.kvt"), data("kvxdat3.kvt")};
    }
};

TEST(CopyBackTest, ReplacesWhatTheOutputHoldsUnderTheExistingNamesAndLeavesNoTemporaryFile)
{
    DataFolder folder;
    folder.mem.deleteFile("C:\\Daten\\kvxdat3.kvt");
    folder.mem.deleteFile("C:\\Daten\\REORG_AUSGANG_03_05_0\\kvxdat2.kvt");
    EXPECT_EQ(folder.replace(), CopyBack::Outcome::Replaced);
    EXPECT_EQ(folder.tables(), (Strings{"new person.kvt", "new kvxdat1.kvt", "old kvxdat2.kvt", "new kvxdat3.kvt"}));
    EXPECT_TRUE(folder.errors.reports.empty());
}

TEST(CopyBackTest, AnyFailureBeforeAllAreInPutsEveryOriginalBack)
{
    // An original that cannot be replaced, an original kept by an earlier
    // copy-back (never overwritten), a failed copy, a failed rename.
    const std::pair<std::function<void(DataFolder&)>, int> failures[] = {
        {[](DataFolder& f) { f.mem.setAttributes("C:\\Daten\\kvxdat2.kvt", attr::ReadOnly); }, errnum::PathFileAccess},
        {[](DataFolder& f) { f.mem.putFile("C:\\Daten\\kvxdat1.kvt.torvane-alt", "kept"); }, errnum::FileExists},
        {[](DataFolder& f) { f.env.failAlways(Op::SyncFile, "kvxdat3", errnum::DeviceIO); }, errnum::DeviceIO},
        {[](DataFolder& f) { f.env.failAlways(Op::RenameFile, "kvxdat2.kvt.torvane-neu", errnum::PermissionDenied); },
         errnum::PermissionDenied},
    };
    for (const auto& [fail, number] : failures) {
        DataFolder folder;
        fail(folder);
        EXPECT_EQ(folder.replace(), CopyBack::Outcome::KeptOriginals) << number;
        EXPECT_EQ(folder.data("kvxdat1.kvt.torvane-alt"), number == errnum::FileExists ? "kept" : "(missing)");
        folder.mem.deleteFile("C:\\Daten\\kvxdat1.kvt.torvane-alt");
        EXPECT_EQ(folder.tables(), Originals) << number;
        ASSERT_EQ(folder.errors.reports.size(), 1u) << number;
        EXPECT_EQ(folder.errors.reports[0].number, number);
        EXPECT_EQ(folder.errors.reports[0].location, "Error in E_Datei: Sub ersetze_datenbanken");
    }
}

TEST(CopyBackTest, WhenPuttingBackFailsTooTheOriginalStaysUnderItsKeptName)
{
    DataFolder folder;
    // Bringing in the new kvxdat2 fails; so does putting back the old
    // kvxdat1, kvxdat1's second rename under its kept name.
    folder.env.failNth(Op::RenameFile, "kvxdat2.kvt.torvane-neu", 1, errnum::PermissionDenied);
    folder.env.failNth(Op::RenameFile, "kvxdat1.kvt.torvane-alt", 2, errnum::DeviceIO);
    EXPECT_EQ(folder.replace(), CopyBack::Outcome::RestoreFailed);
    Strings failed;
    for (const FaultInjectingEnv::Record& record : folder.env.log()) {
        if (record.injected != 0)
            failed.push_back(FaultInjectingEnv::describe(record));
    }
    EXPECT_EQ(failed,
              (Strings{"renameFile C:\\Daten\\kvxdat2.kvt.torvane-neu -> C:\\Daten\\kvxdat2.kvt failed with 70",
                       "renameFile C:\\Daten\\kvxdat1.kvt.torvane-alt -> C:\\Daten\\kvxdat1.kvt failed with 57"}));
    EXPECT_EQ(folder.data("kvxdat1.kvt.torvane-alt"), "old kvxdat1.kvt");
    EXPECT_EQ(folder.data("PERSON.KVT") + folder.data("kvxdat2.kvt"), "old PERSON.KVTold kvxdat2.kvt");
    EXPECT_EQ(folder.errors.reports.size(), 2u);
}

TEST(CopyBackDiskTest, RenamesOnADiskKeepTheExistingNamesAndLeaveNothingBehind)
{
    testsupport::ScratchFolder scratch;
    Env& env = Env::Default();
    testsupport::RecordingReporter errors;
    std::string data = scratch.path(), output = data + "REORG_AUSGANG_03_05_0";
    ASSERT_THAT(env.makeFolder(output), IsOk());
    for (const char* table : {"PERSON.KVT", "kvxdat1.kvt"})
        ASSERT_THAT(env.writeNewFile(data + table, std::string("old ") + table), IsOk());
    for (const char* table : {"person.kvt", "kvxdat1.kvt", "kvxdat3.kvt"})
        ASSERT_THAT(env.writeNewFile(output + env.separator() + table, std::string("new ") + table), IsOk());

    EXPECT_EQ(CopyBack(env, errors, Paths(env, errors)).ersetze_datenbanken(output, data), CopyBack::Outcome::Replaced);
    EXPECT_EQ(scratch.entries(), (Strings{"PERSON.KVT", "REORG_AUSGANG_03_05_0", "kvxdat1.kvt", "kvxdat3.kvt"}));
    std::string bytes;
    ASSERT_THAT(env.readFile(data + "PERSON.KVT", &bytes), IsOk());
    EXPECT_EQ(bytes, "new person.kvt");
    EXPECT_TRUE(errors.reports.empty());
}

} // namespace
} // namespace torvane
