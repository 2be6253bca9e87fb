// A power cut at every file operation k of an unattended run (torvane-cli
// --confirm=backup) on a small practice: everything after k fails, and the
// reboot loses what was not on the device; or the process killed there,
// which loses nothing the system already had. Then the recovery the next
// start does, and the check: the data folder holds its four original tables
// byte for byte, or the complete result with the originals in the backup
// folder, and no file of the copy-back's own. The recovery itself is cut at
// every one of its operations too, followed by one more recovery.

#include "cli/CliProgram.h"
#include "files/BackupNote.h"
#include "files/IntentRecord.h"
#include "platform/Clock.h"
#include "reorg/DataFolderGuard.h"
#include "reorg/Session.h"
#include "sample/SamplePractice.h"
#include "support/ScriptedErrorDialogFactory.h"
#include "support/platform/CrashSimulatingEnv.h"

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <set>
#include <sstream>

namespace torvane {
namespace {

using Files = std::map<std::string, std::string>; // name -> bytes
// Every folder (no bytes) and file of a disk, by full path.
using Disk = std::map<std::string, std::optional<std::string>>;

const std::string DataFolder = "C:\\Praxis\\";
const FixedClock Clock({2011, 3, 5, 9, 30, 0});

Files filesIn(const MemEnv& mem, const std::string& folder)
{
    Files files;
    for (const std::string& name : mem.folderEntries(folder)) {
        if (std::optional<std::string> bytes = mem.fileBytes(folder + name))
            files[name] = *bytes;
    }
    return files;
}

void collect(const MemEnv& mem, const std::string& folder, Disk& disk)
{
    for (const std::string& name : mem.folderEntries(folder)) {
        const std::string path = folder + "\\" + name;
        disk[path] = mem.fileBytes(path);
        if (!disk[path])
            collect(mem, path, disk);
    }
}

Disk diskOf(const MemEnv& mem)
{
    Disk disk;
    collect(mem, "C:", disk);
    return disk;
}

// A machine whose disk holds exactly this, all of it on the device.
void boot(CrashSimulatingEnv& env, const Disk& disk)
{
    for (const auto& [path, bytes] : disk) {
        if (bytes)
            env.mem().putFile(path, *bytes);
        else
            env.mem().createFolders(path);
    }
    env.settle();
}

int runCli(Env& env)
{
    std::istringstream in;
    std::ostringstream out, err;
    cli::Terminal terminal{in, out, err};
    return cli::runCommandLine({"torvane-cli", "--confirm=backup", DataFolder + "person.kvt"}, env, Clock, terminal);
}

// What the next start does before anything else.
void recover(Env& env)
{
    testsupport::ScriptedErrorDialogFactory dialogs;
    Session session(env, Clock, dialogs);
    session.load();
    std::string data = DataFolder;
    DataFolderGuard(session).sichere_datenordner(data);
}

bool holdsLeftovers(const MemEnv& mem)
{
    for (const std::string& name : mem.folderEntries(DataFolder))
        if (name == IntentRecord::FileName || name.ends_with(IntentRecord::StagedSuffix))
            return true;
    return false;
}

enum class Cut { Power, Kill };

struct Sweep {
    const char* name;
    bool withKvxdat3;
    Cut cut;
};

void PrintTo(const Sweep& sweep, std::ostream* out)
{
    *out << sweep.name;
}

// The machine or the program starts again after the cut.
void restart(CrashSimulatingEnv& env, Cut cut)
{
    if (cut == Cut::Power)
        env.reboot();
    else
        env.settle();
}

struct Tally {
    std::uint64_t runOperations = 0;
    std::uint64_t cuts = 0;
    std::uint64_t originals = 0;
    std::uint64_t results = 0;
    std::uint64_t forward = 0;      // cuts after which the recovery finished the copy-back
    std::uint64_t back = 0;         // cuts after which it discarded the staged tables
    std::uint64_t recoveryCuts = 0; // cuts inside those recoveries
};

class CrashSweepTest : public ::testing::TestWithParam<Sweep> {
protected:
    void SetUp() override
    {
        MemEnv sample('\\');
        sample.createFolders("C:\\Praxis");
        sample::writeSamplePractice(sample, DataFolder, {8, 20110305, GetParam().withKvxdat3});
        practice_ = diskOf(sample);
        originals_ = filesIn(sample, DataFolder);
    }

    // What is wrong with the data folder after recovery; empty when nothing is.
    std::string violation(const MemEnv& mem)
    {
        const Files files = filesIn(mem, DataFolder);
        std::map<std::string, Files> backups;
        for (const std::string& name : mem.folderEntries(DataFolder)) {
            if (name.starts_with("REORG_SICHERUNG_"))
                backups[name] = filesIn(mem, DataFolder + name + "\\");
        }
        if (holdsLeftovers(mem))
            return "a file of the copy-back is left";
        if (files == originals_)
            return backups.empty() ? "" : "a backup folder beside the originals";
        if (files != result_)
            return "neither the originals nor the result";
        if (backups.size() != 1)
            return "the result without exactly one backup folder";
        Files saved = backups.begin()->second;
        const std::optional<BackupNote> note = BackupNote::parse(saved[BackupNote::FileName]);
        saved.erase(BackupNote::FileName);
        if (saved != originals_)
            return "the backup folder does not hold the originals";
        return note && note->saved.size() == originals_.size() ? "" : "the backup folder's note is wrong";
    }

    Disk practice_;
    Files originals_;
    Files result_;
};

TEST_P(CrashSweepTest, ACutAnywhereEndsAfterRecoveryWithTheOriginalsOrTheResult)
{
    CrashSimulatingEnv faultFree;
    boot(faultFree, practice_);
    ASSERT_EQ(runCli(faultFree), cli::exitcode::CopiedBack);
    Tally tally;
    tally.runOperations = faultFree.operations();
    result_ = filesIn(faultFree.mem(), DataFolder);
    ASSERT_NE(result_, originals_);
    faultFree.reboot();
    ASSERT_EQ(violation(faultFree.mem()), "") << "the power cut right after a run";

    const Cut cut = GetParam().cut;
    for (std::uint64_t k = 1; k <= tally.runOperations + 1; ++k) {
        CrashSimulatingEnv env;
        boot(env, practice_);
        env.cutPowerBefore(k);
        runCli(env);
        restart(env, cut);
        const Disk afterCut = diskOf(env.mem());
        const bool work = holdsLeftovers(env.mem());
        const bool recorded =
            IntentRecord::parse(env.mem().fileBytes(DataFolder + IntentRecord::FileName).value_or("")).has_value();
        recover(env);
        const std::string wrong = violation(env.mem());
        ASSERT_EQ(wrong, "") << "cut before operation " << k;
        ++tally.cuts;
        ++(filesIn(env.mem(), DataFolder) == originals_ ? tally.originals : tally.results);
        if (!work)
            continue;
        ++(recorded ? tally.forward : tally.back);
        const std::uint64_t recoveryOperations = env.operations();
        for (std::uint64_t j = 1; j <= recoveryOperations; ++j) {
            CrashSimulatingEnv again;
            boot(again, afterCut);
            again.cutPowerBefore(j);
            recover(again);
            restart(again, cut);
            recover(again);
            ASSERT_EQ(violation(again.mem()), "")
                << "cut before operation " << k << " of the run and " << j << " of the recovery";
            ++tally.recoveryCuts;
        }
    }

    std::cout << GetParam().name << ": " << tally.runOperations << " operations, "
              << (cut == Cut::Power ? "power cut" : "process killed") << " before each of " << tally.cuts
              << " points: " << tally.originals << " ended with the originals, " << tally.results
              << " with the result; the recovery went forward after " << tally.forward << " and back after "
              << tally.back << ", and was itself cut at " << tally.recoveryCuts
              << " points in all; no folder lost, mixed or damaged" << std::endl;
}

constexpr Sweep Sweeps[] = {
    {"FourTablesPowerCut", true, Cut::Power},
    {"NoKvxdat3PowerCut", false, Cut::Power},
    {"FourTablesKilled", true, Cut::Kill},
    {"NoKvxdat3Killed", false, Cut::Kill},
};

INSTANTIATE_TEST_SUITE_P(Practice, CrashSweepTest, ::testing::ValuesIn(Sweeps),
                         [](const ::testing::TestParamInfo<Sweep>& sweep) { return sweep.param.name; });

} // namespace
} // namespace torvane
