// torvane-cli as the operating system runs it: killed with SIGKILL while it
// puts the new tables in place, watched through inotify, and then started
// again, whose recovery must leave all the old tables or all the new ones;
// and two of them on one data folder at once, the second refused.

#include "files/BackupNote.h"
#include "files/IntentRecord.h"
#include "platform/Cp1252.h"
#include "platform/PosixEnv.h"
#include "sample/SamplePractice.h"
#include "support/ScratchFolder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <thread>

extern char** environ;

namespace torvane {
namespace {

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;
using ::testing::HasSubstr;

Files filesIn(const fs::path& folder)
{
    Files files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return files;
}

// The output folder's tables, without the run report beside them.
Files tablesIn(const fs::path& folder)
{
    Files files = filesIn(folder);
    std::erase_if(files, [](const auto& file) { return !file.first.ends_with(".kvt"); });
    return files;
}

std::string text(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A data folder with a generated practice, and a temporary folder of its own.
struct Practice {
    testsupport::ScratchFolder scratch;
    fs::path root = cp1252::toUtf8(scratch.path());
    fs::path data = root / "praxis";
    fs::path temp = root / "tmp";

    explicit Practice(int patients)
    {
        fs::create_directories(data);
        fs::create_directories(temp);
        PosixEnv env;
        sample::writeSamplePractice(env, scratch.path() + "praxis/", {patients, 13, true});
    }
    std::string table() const { return (data / "person.kvt").string(); }
};

// torvane-cli started with the practice's temporary folder, its output in files.
class Cli {
public:
    Cli(const Practice& practice, std::vector<std::string> arguments, int input = -1)
        : out_(practice.root / ("out" + std::to_string(++started_))), err_(out_.string() + ".err")
    {
        arguments.insert(arguments.begin(), TORVANE_CLI);
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        std::vector<std::string> variables{"TMPDIR=" + practice.temp.string(), "LANG=C.UTF-8"};
        for (char** variable = environ; *variable != nullptr; ++variable) {
            if (std::string_view(*variable).starts_with("ASAN_OPTIONS=") ||
                std::string_view(*variable).starts_with("UBSAN_OPTIONS="))
                variables.emplace_back(*variable);
        }
        std::vector<char*> envp;
        for (std::string& variable : variables)
            envp.push_back(variable.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        if (input >= 0)
            posix_spawn_file_actions_adddup2(&actions, input, STDIN_FILENO);
        else
            posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int spawned = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0)
            throw std::runtime_error("cannot start " + std::string(TORVANE_CLI));
    }
    ~Cli()
    {
        if (!ended_)
            kill();
    }
    Cli(const Cli&) = delete;
    Cli& operator=(const Cli&) = delete;

    // The exit status; -1 when a signal ended it.
    int wait()
    {
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        ended_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    bool running() const
    {
        siginfo_t info{};
        return ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
    }
    int kill()
    {
        ::kill(pid_, SIGKILL);
        return wait();
    }
    std::string out() const { return text(out_); }
    std::string err() const { return text(err_); }

private:
    static inline int started_ = 0;
    fs::path out_;
    fs::path err_;
    pid_t pid_ = 0;
    bool ended_ = false;
};

struct Event {
    std::uint32_t mask;
    std::string name;
};

// Reads the folder's events until one matches or the program ends; true
// when one matched while it was still running.
bool watchFor(int inotify, const Cli& cli, const std::function<bool(const Event&)>& matches)
{
    alignas(inotify_event) char buffer[64 * 1024];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    while (std::chrono::steady_clock::now() < deadline) {
        pollfd ready{inotify, POLLIN, 0};
        if (::poll(&ready, 1, 20) <= 0) {
            if (!cli.running())
                return false;
            continue;
        }
        const ssize_t length = ::read(inotify, buffer, sizeof buffer);
        for (ssize_t at = 0; at < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
            if (matches({event->mask, event->len > 0 ? event->name : ""}))
                return true;
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return false;
}

struct KillPoint {
    const char* when;
    std::function<bool(const Event&)> matches;
};

const KillPoint KillPoints[] = {
    {"the first staged table appears",
     [](const Event& e) { return (e.mask & IN_CREATE) && e.name.ends_with(IntentRecord::StagedSuffix); }},
    {"the last staged table is written",
     [](const Event& e) { return (e.mask & IN_CLOSE_WRITE) && e.name == "kvxdat3.kvt.torvane-neu"; }},
    {"the intent record appears",
     [](const Event& e) { return (e.mask & IN_CREATE) && e.name == IntentRecord::FileName; }},
    {"the backup folder appears",
     [](const Event& e) { return (e.mask & IN_CREATE) && e.name.starts_with("REORG_SICHERUNG_"); }},
    {"the first original leaves for the backup folder",
     [](const Event& e) { return (e.mask & IN_MOVED_FROM) && e.name == "person.kvt"; }},
    {"the first new table takes its place",
     [](const Event& e) { return (e.mask & IN_MOVED_TO) && e.name == "person.kvt"; }},
    {"the last new table takes its place",
     [](const Event& e) { return (e.mask & IN_MOVED_TO) && e.name == "kvxdat3.kvt"; }},
    {"the intent record goes", [](const Event& e) { return (e.mask & IN_DELETE) && e.name == IntentRecord::FileName; }},
};

std::string leftovers(const fs::path& data)
{
    std::string names;
    for (const auto& entry : fs::directory_iterator(data)) {
        const std::string name = entry.path().filename().string();
        if (name == IntentRecord::FileName || name.ends_with(IntentRecord::StagedSuffix) ||
            name.starts_with("REORG_SICHERUNG_"))
            names += " " + name;
    }
    return names.empty() ? " nothing" : names;
}

TEST(CliProcessTest, KilledWhileItReplacesTheTablesTheNextStartEndsWithTheOldOrTheNew)
{
    for (const KillPoint& point : KillPoints) {
        Practice practice(400);
        const Files originals = filesIn(practice.data);
        const int inotify = ::inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
        ASSERT_GE(inotify, 0);
        ASSERT_GE(::inotify_add_watch(inotify, practice.data.c_str(),
                                      IN_CREATE | IN_CLOSE_WRITE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE),
                  0);
        Cli run(practice, {"--confirm=backup", practice.table()});
        const bool caught = watchFor(inotify, run, point.matches);
        const int status = caught ? run.kill() : run.wait();
        ::close(inotify);
        const std::string left = leftovers(practice.data);

        Cli next(practice, {"--confirm=doubt", practice.table()});
        EXPECT_EQ(next.wait(), 3) << point.when << "\n" << next.err();
        const Files after = filesIn(practice.data);
        fs::path output;
        for (const auto& entry : fs::directory_iterator(practice.data))
            if (entry.path().filename().string().ends_with("_0") &&
                entry.path().filename().string().starts_with("REORG_AUSGANG_"))
                output = entry.path();
        std::string ending;
        if (after == originals) {
            ending = "the originals";
            EXPECT_THAT(leftovers(practice.data), " nothing") << point.when;
        } else {
            ending = "the result";
            ASSERT_FALSE(output.empty()) << point.when;
            EXPECT_EQ(after, tablesIn(output)) << point.when;
            fs::path backup;
            for (const auto& entry : fs::directory_iterator(practice.data))
                if (entry.path().filename().string().starts_with("REORG_SICHERUNG_"))
                    backup = entry.path();
            Files saved = filesIn(backup);
            EXPECT_EQ(saved.erase(BackupNote::FileName), 1u) << point.when;
            EXPECT_EQ(saved, originals) << point.when;
        }
        const bool told = next.err().find("Information") != std::string::npos;
        std::cout << "killed when " << point.when << ": " << (caught ? "SIGKILL" : "had ended, status ")
                  << (caught ? "" : std::to_string(status)) << "; left" << left << "; the next start "
                  << (told ? "recovered and " : "found nothing and ") << "ended with " << ending << std::endl;
    }
}

// The first waits at its confirmation, holding the data folder; the second
// is refused before it copies anything.
TEST(CliProcessTest, ASecondRunOnTheSameDataFolderIsRefused)
{
    Practice practice(50);
    const Files originals = filesIn(practice.data);
    int answer[2];
    ASSERT_EQ(::pipe2(answer, O_CLOEXEC), 0);
    Cli first(practice, {practice.table()}, answer[0]);
    ::close(answer[0]);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    while (first.out().find("Auswahl (1 oder 2): ") == std::string::npos && first.running() &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(first.running()) << first.out() << first.err();

    Cli second(practice, {"--confirm=backup", practice.table()});
    EXPECT_EQ(second.wait(), 7);
    EXPECT_THAT(second.err(), HasSubstr("arbeitet gerade eine andere Reorganisation"));
    EXPECT_EQ(second.out(), "");

    ASSERT_EQ(::write(answer[1], "2\n", 2), 2);
    ::close(answer[1]);
    EXPECT_EQ(first.wait(), 3);
    EXPECT_EQ(filesIn(practice.data), originals);
    Cli third(practice, {"--confirm=doubt", practice.table()});
    EXPECT_EQ(third.wait(), 3) << "the lock went with the first";
}

} // namespace
} // namespace torvane
