// A whole unattended run (torvane-cli --confirm=backup) on a small practice,
// once for every file operation k of that run, with operation k failing.
// Whatever k is, the data folder must afterwards hold either its original
// tables or exactly the result of a run without faults: never a mix, never a
// missing or damaged table, and no temporary file of the copy-back.

#include "cli/CliProgram.h"
#include "files/CopyBack.h"
#include "platform/Clock.h"
#include "platform/FaultInjectingEnv.h"
#include "platform/MemEnv.h"
#include "sample/SamplePractice.h"

#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace torvane {
namespace {

using Op = FaultInjectingEnv::Op;
using Files = std::map<std::string, std::string>;  // name in the data folder -> bytes

constexpr const char* DataFolder = "C:\\Praxis";

struct Fault {
    int number;
    const char* name;
};

struct Sweep {
    bool withKvxdat3;
    Fault fault;
};

struct RunOutcome {
    int exitStatus = -1;
    std::string err;
    std::vector<FaultInjectingEnv::Record> operations;
    Files files;                       // the plain files of the data folder
    std::vector<std::string> folders;  // the folders inside it
};

Files samplePractice(bool withKvxdat3)
{
    MemEnv mem('\\');
    mem.createFolders(DataFolder);
    sample::writeSamplePractice(mem, std::string(DataFolder) + "\\", {8, 20110305, withKvxdat3});
    Files files;
    for (const std::string& name : mem.folderEntries(DataFolder))
        files[name] = mem.fileBytes(std::string(DataFolder) + "\\" + name).value();
    return files;
}

// k = 0 runs without a fault.
RunOutcome runWithFault(const Files& practice, std::uint64_t k, int number)
{
    MemEnv mem('\\');
    for (const auto& [name, bytes] : practice)
        mem.putFile(std::string(DataFolder) + "\\" + name, bytes);
    FaultInjectingEnv env(mem);
    if (k > 0)
        env.failOperation(k, number);
    const FixedClock clock({2011, 3, 5, 9, 30, 0});
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    cli::Terminal terminal{in, out, err, false, false};
    cli::CliOptions options;
    options.confirm = cli::ConfirmOption::Backup;
    options.patientTable = std::string(DataFolder) + "\\person.kvt";

    RunOutcome outcome;
    outcome.exitStatus = cli::runCli(options, env, clock, terminal);
    outcome.err = err.str();
    outcome.operations = env.log();
    for (const std::string& name : mem.folderEntries(DataFolder)) {
        if (std::optional<std::string> bytes = mem.fileBytes(std::string(DataFolder) + "\\" + name))
            outcome.files[name] = *bytes;
        else
            outcome.folders.push_back(name);
    }
    return outcome;
}

// The location texts under which the dialog showed an error of this number.
std::vector<std::string> reportedLocations(const std::string& err, int number)
{
    std::vector<std::string> locations;
    const std::string entry = "Error " + std::to_string(number) + ": ";
    for (std::size_t at = err.find(entry); at != std::string::npos; at = err.find(entry, at + 1)) {
        const std::size_t procedure = err.find("Procedure: ", at);
        if (procedure != std::string::npos)
            locations.push_back(err.substr(procedure + 11, err.find('\n', procedure) - procedure - 11));
    }
    return locations;
}

// The existence tests and the template writer swallow their failures, and
// without the temporary folder the root folder serves instead.
bool mayFailSilently(const FaultInjectingEnv::Record& operation)
{
    return operation.op == Op::Attributes || operation.op == Op::FindPlainFile || operation.op == Op::WriteNewFile ||
           operation.op == Op::TempFolder;
}

bool isTemporary(const std::string& name)
{
    return name.ends_with(CopyBack::NewSuffix) || name.ends_with(CopyBack::OldSuffix);
}

class FaultSweepTest : public ::testing::TestWithParam<Sweep> {
protected:
    // What is wrong with the outcome of a run whose operation k failed; empty when nothing is.
    std::string violation(const RunOutcome& outcome, std::uint64_t k)
    {
        const FaultInjectingEnv::Record& failed = outcome.operations.at(k - 1);
        const std::vector<std::string> locations = reportedLocations(outcome.err, GetParam().fault.number);
        if (locations.empty() && !mayFailSilently(failed))
            return "the failure was not reported";
        for (const std::string& location : locations) {
            if (!std::regex_match(location, std::regex("Error in \\w+: (Sub|Function) \\w+")))
                return "reported under \"" + location + "\"";
        }
        if (!locations.empty())
            ++locationsSeen_[locations.front()];

        Files tables;
        for (const auto& [name, bytes] : outcome.files) {
            if (!isTemporary(name))
                tables[name] = bytes;
            else if (!(failed.op == Op::DeleteFile && failed.path.ends_with(name)))
                return "left " + name + " behind";  // only an undeletable kept original may stay
        }
        const bool refused = outcome.err.find("Die Originaldaten werden nicht ersetzt") != std::string::npos;
        if (refused && (outcome.err.find("C:\\Praxis\\REORG_AUSGANG_03_05_0\\,") == std::string::npos ||
                        outcome.err.find("C:\\Temp\\Errorlog.txt") == std::string::npos))
            return "did not say where the results and the log are";
        if (outcome.exitStatus == cli::exitcode::CopiedBack)
            return tables == result_ ? "" : "exit 0 without the complete result";
        // Usage: the front end found no patient table to start the run with.
        const std::set<int> ends{cli::exitcode::Aborted, cli::exitcode::Usage, cli::exitcode::Doubt,
                                 cli::exitcode::NothingToDo, cli::exitcode::Refused,
                                 cli::exitcode::ErrorsBeforeCopyBack};
        if (!ends.contains(outcome.exitStatus))
            return "ended with exit status " + std::to_string(outcome.exitStatus);
        return tables == practice_ ? "" : "the original tables changed";
    }

    Files practice_ = samplePractice(GetParam().withKvxdat3);
    Files result_;
    std::map<std::string, int> locationsSeen_;
};

TEST_P(FaultSweepTest, EveryFailedOperationLeavesTheOriginalsOrTheCompleteResult)
{
    const Fault fault = GetParam().fault;
    const RunOutcome faultFree = runWithFault(practice_, 0, 0);
    ASSERT_EQ(faultFree.exitStatus, cli::exitcode::CopiedBack) << faultFree.err;
    ASSERT_EQ(faultFree.err, "");
    for (const auto& [name, bytes] : faultFree.files)
        result_[name] = bytes;
    ASSERT_EQ(result_.size(), 4u);
    ASSERT_NE(result_, practice_);

    const std::uint64_t operations = faultFree.operations.size();
    std::map<int, int> endings;
    for (std::uint64_t k = 1; k <= operations; ++k) {
        const RunOutcome outcome = runWithFault(practice_, k, fault.number);
        ASSERT_EQ(outcome.operations.at(k - 1).injected, fault.number);
        // Reporting adds a few operations per error; nothing may go round in circles.
        EXPECT_LE(outcome.operations.size(), 3 * operations) << "k = " << k;
        const std::string problem = violation(outcome, k);
        EXPECT_EQ(problem, "") << FaultInjectingEnv::describe(outcome.operations.at(k - 1)) << ", exit status "
                               << outcome.exitStatus << "\n"
                               << outcome.err;
        ++endings[outcome.exitStatus];
    }

    std::cout << fault.name << (GetParam().withKvxdat3 ? ", four tables" : ", no kvxdat3") << ": " << operations
              << " operations failed one at a time; exit status:";
    for (const auto& [status, count] : endings)
        std::cout << " " << status << " x " << count;
    std::cout << "\n  reported under:";
    for (const auto& [location, count] : locationsSeen_)
        std::cout << "\n    " << location << " (" << count << ")";
    std::cout << std::endl;
}

constexpr Fault DiskFull{errnum::DiskFull, "disk full (61)"};
constexpr Fault PermissionDenied{errnum::PermissionDenied, "permission denied (70)"};
constexpr Fault DeviceIO{errnum::DeviceIO, "device I/O error (57)"};

INSTANTIATE_TEST_SUITE_P(Practice, FaultSweepTest,
                         ::testing::Values(Sweep{true, DiskFull}, Sweep{true, PermissionDenied},
                                           Sweep{true, DeviceIO}, Sweep{false, DiskFull},
                                           Sweep{false, PermissionDenied}, Sweep{false, DeviceIO}),
                         [](const ::testing::TestParamInfo<Sweep>& info) {
                             return std::string(info.param.withKvxdat3 ? "FourTables" : "NoKvxdat3") + "Error" +
                                    std::to_string(info.param.fault.number);
                         });

} // namespace
} // namespace torvane
