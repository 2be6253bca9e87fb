// A whole unattended run (torvane-cli --confirm=backup) on a small practice,
// once for every file operation k of that run, with operation k failing: the
// n-th operation of its kind, as the run without faults made them.
// Whatever k is, the data folder must afterwards hold either its original
// tables or exactly the result of a run without faults: never a mix, never a
// missing or damaged table, and no temporary file of the copy-back. With
// the result in place the originals are in the backup folder.

#include "cli/CliProgram.h"
#include "files/BackupNote.h"
#include "files/IntentRecord.h"
#include "platform/Clock.h"
#include "sample/SamplePractice.h"
#include "support/platform/FaultInjectingEnv.h"
#include "support/platform/MemEnv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace torvane {
namespace {

using Op = FaultInjectingEnv::Op;
using Files = std::map<std::string, std::string>; // name in the data folder -> bytes

const std::string DataFolder = "C:\\Praxis\\";

struct Sweep {
    const char* name;
    bool withKvxdat3;
    int error;
};

void PrintTo(const Sweep& sweep, std::ostream* out)
{
    *out << sweep.name;
}

struct RunOutcome {
    int status = -1;
    std::string err;
    std::vector<FaultInjectingEnv::Record> operations;
    Files files;
    std::map<std::string, Files> backups; // backup folder -> its files
};

Files filesIn(const MemEnv& mem, const std::string& folder = DataFolder)
{
    Files files;
    for (const std::string& name : mem.folderEntries(folder)) {
        if (std::optional<std::string> bytes = mem.fileBytes(folder + name))
            files[name] = *bytes;
    }
    return files;
}

std::map<std::string, Files> backupsIn(const MemEnv& mem)
{
    std::map<std::string, Files> backups;
    for (const std::string& name : mem.folderEntries(DataFolder)) {
        if (name.starts_with("REORG_SICHERUNG_"))
            backups[name] = filesIn(mem, DataFolder + name + "\\");
    }
    return backups;
}

// The n-th operation of a kind; n = 0 for none.
struct Fault {
    Op op = Op::OpenReadWrite;
    std::uint64_t n = 0;
};

// Operation k of a run, as the n-th of its kind.
Fault faultAt(const std::vector<FaultInjectingEnv::Record>& operations, std::uint64_t k)
{
    const Op op = operations.at(k - 1).op;
    const auto sameKind = [op](const FaultInjectingEnv::Record& record) { return record.op == op; };
    const auto end = operations.begin() + static_cast<std::ptrdiff_t>(k);
    return {op, static_cast<std::uint64_t>(std::count_if(operations.begin(), end, sameKind))};
}

RunOutcome runWithFault(const Files& practice, Fault fault, int error)
{
    MemEnv mem('\\');
    for (const auto& [name, bytes] : practice)
        mem.putFile(DataFolder + name, bytes);
    FaultInjectingEnv env(mem);
    if (fault.n > 0)
        env.failNth(fault.op, "", fault.n, error);
    std::istringstream in;
    std::ostringstream out, err;
    cli::Terminal terminal{in, out, err};
    const int status = cli::runCli({cli::ConfirmOption::Backup, DataFolder + "person.kvt", false}, env,
                                   FixedClock({2011, 3, 5, 9, 30, 0}), terminal);
    return {status, err.str(), env.log(), filesIn(mem), backupsIn(mem)};
}

class FaultSweepTest : public ::testing::TestWithParam<Sweep> {
protected:
    // What is wrong with the outcome of a run whose operation k failed; empty when nothing is.
    std::string violation(const RunOutcome& outcome, std::uint64_t k)
    {
        const FaultInjectingEnv::Record& failed = outcome.operations.at(k - 1);
        // Where the dialog showed an error of this number.
        const std::regex report("Error " + std::to_string(GetParam().error) + ": [\\s\\S]*?Procedure: ([^\n]*)");
        std::sregex_iterator location(outcome.err.begin(), outcome.err.end(), report);
        // The existence tests and the template writer swallow their failures,
        // and without the temporary folder the root folder serves instead.
        const std::set<Op> silent{Op::Attributes, Op::FindPlainFile, Op::WriteNewFile, Op::TempFolder};
        if (location == std::sregex_iterator() && !silent.contains(failed.op))
            return "the failure was not reported";
        for (; location != std::sregex_iterator(); ++location) {
            if (!std::regex_match((*location)[1].str(), std::regex("Error in \\w+: (Sub|Function) \\w+")))
                return "reported under \"" + (*location)[1].str() + "\"";
        }
        Files tables;
        for (const auto& [name, bytes] : outcome.files) {
            if (name == IntentRecord::FileName) {
                // With every new table in place, a step after the renames
                // failed: the next start finishes it.
                if (outcome.status != cli::exitcode::CopiedBack)
                    return "left the intent record behind without the result";
            } else if (!name.ends_with(IntentRecord::StagedSuffix)) {
                tables[name] = bytes;
            } else if (!(failed.op == Op::DeleteFile && failed.path.ends_with(name))) {
                return "left " + name + " behind"; // only an undeletable staged table may stay
            }
        }
        if (const std::string wrong = backupViolation(outcome); !wrong.empty())
            return wrong;
        if (outcome.err.find("Die Originaldaten werden nicht ersetzt") != std::string::npos &&
            (outcome.err.find("C:\\Praxis\\REORG_AUSGANG_03_05_0\\,") == std::string::npos ||
             outcome.err.find("C:\\Temp\\Errorlog.txt") == std::string::npos))
            return "refused without saying where the results and the log are";
        if (outcome.status == cli::exitcode::CopiedBack)
            return tables == result_ ? "" : "exit 0 without the complete result";
        // Any other end the front end knows; Usage when it found no patient table to start with.
        if (outcome.status < cli::exitcode::Aborted || outcome.status > cli::exitcode::RecoveryFailed)
            return "ended with exit status " + std::to_string(outcome.status);
        return tables == practice_ ? "" : "the original tables changed";
    }

    // The originals in one backup folder after a copy-back, in none otherwise.
    std::string backupViolation(const RunOutcome& outcome) const
    {
        if (outcome.status != cli::exitcode::CopiedBack)
            return outcome.backups.empty() ? "" : "left a backup folder without a copy-back";
        if (outcome.backups.size() != 1)
            return "not exactly one backup folder";
        Files saved = outcome.backups.begin()->second;
        const bool noted = saved.erase(BackupNote::FileName) == 1;
        if (saved != practice_)
            return "the backup folder does not hold the originals";
        const bool recordLeft = outcome.files.contains(IntentRecord::FileName);
        return noted || recordLeft ? "" : "the backup folder has no note and nothing will write it";
    }

    Files practice_;
    Files result_;
};

TEST_P(FaultSweepTest, EveryFailedOperationLeavesTheOriginalsOrTheCompleteResult)
{
    MemEnv sample('\\');
    sample.createFolders("C:\\Praxis");
    sample::writeSamplePractice(sample, DataFolder, {8, 20110305, GetParam().withKvxdat3});
    practice_ = filesIn(sample);
    const RunOutcome faultFree = runWithFault(practice_, {}, 0);
    ASSERT_EQ(faultFree.status, cli::exitcode::CopiedBack) << faultFree.err;
    ASSERT_EQ(faultFree.err, "");
    result_ = faultFree.files;
    ASSERT_EQ(result_.size(), 4u);
    ASSERT_NE(result_, practice_);

    const std::uint64_t operations = faultFree.operations.size();
    std::map<int, int> endings;
    for (std::uint64_t k = 1; k <= operations; ++k) {
        const RunOutcome outcome = runWithFault(practice_, faultAt(faultFree.operations, k), GetParam().error);
        ASSERT_EQ(outcome.operations.at(k - 1).injected, GetParam().error) << "k = " << k;
        // Reporting adds a few operations per error; nothing may go round in circles.
        EXPECT_LE(outcome.operations.size(), 3 * operations) << "k = " << k;
        EXPECT_EQ(violation(outcome, k), "")
            << "operation " << k << ": " << FaultInjectingEnv::describe(outcome.operations.at(k - 1))
            << ", exit status " << outcome.status << "\n"
            << outcome.err;
        ++endings[outcome.status];
    }

    std::cout << GetParam().name << ": " << operations << " operations failed one at a time; exit status:";
    for (const auto& [status, count] : endings)
        std::cout << " " << status << " x " << count;
    std::cout << std::endl;
}

constexpr Sweep Sweeps[] = {
    {"FourTablesDiskFull61", true, errnum::DiskFull},
    {"FourTablesPermissionDenied70", true, errnum::PermissionDenied},
    {"FourTablesDeviceIo57", true, errnum::DeviceIO},
    {"NoKvxdat3DiskFull61", false, errnum::DiskFull},
    {"NoKvxdat3PermissionDenied70", false, errnum::PermissionDenied},
    {"NoKvxdat3DeviceIo57", false, errnum::DeviceIO},
};

INSTANTIATE_TEST_SUITE_P(Practice, FaultSweepTest, ::testing::ValuesIn(Sweeps),
                         [](const ::testing::TestParamInfo<Sweep>& sweep) { return sweep.param.name; });

} // namespace
} // namespace torvane
