#include "platform/Cp1252.h"
#include "platform/PosixEnv.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>

namespace torvane {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        if (value != nullptr)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    }
    ~ScopedVariable()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

class PosixEnvTest : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return scratch.path() + name; }
    std::filesystem::path onDisk(const std::string& name) const { return cp1252::toUtf8(at(name)); }

    testsupport::ScratchFolder scratch;
    PosixEnv env;
};

TEST_F(PosixEnvTest, NamesAreUtf8OnDisk)
{
    const std::string name = cp1252::ansi("Müller €.kvt");
    ASSERT_TRUE(env.writeNewFile(at(name), "x").isOk());
    EXPECT_TRUE(std::filesystem::exists(onDisk(name)));
    EXPECT_EQ(onDisk(name).filename().string(), "M\xC3\xBCller \xE2\x82\xAC.kvt");

    std::uint32_t bits = 0;
    EXPECT_EQ(env.attributes(at(std::string("a\0b", 3)), &bits).number(), errnum::BadFileName);
}

TEST_F(PosixEnvTest, ErrorsKeepTheSystemCodeAndPath)
{
    std::string bytes;
    const Status missing = env.readFile(at("fehlt.kvt"), &bytes);
    EXPECT_EQ(missing.number(), errnum::FileNotFound);
    EXPECT_EQ(missing.osError(), ENOENT);
    EXPECT_EQ(missing.path(), at("fehlt.kvt"));

    ASSERT_TRUE(env.makeFolder(at("Daten")).isOk());
    EXPECT_EQ(env.readFile(at("Daten"), &bytes).number(), errnum::PathFileAccess);
    EXPECT_EQ(env.writeNewFile(at("Daten"), "x").number(), errnum::PathFileAccess);
}

TEST_F(PosixEnvTest, NewFilesAreWritableForOwnerAsUmaskAllows)
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    std::unique_ptr<RandomRWFile> file;
    ASSERT_TRUE(env.openReadWrite(at("t.kvt"), &file).isOk());
    ASSERT_TRUE(env.copyFile(at("t.kvt"), at("k.kvt")).isOk());
    for (const char* name : {"t.kvt", "k.kvt"}) {
        struct stat info {};
        ASSERT_EQ(::stat(onDisk(name).c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << name;
    }
}

// A device that is always full: the failure is reported and the device is
// not removed as if it were a half-written file.
TEST_F(PosixEnvTest, FullDeviceGivesDiskFull)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    ASSERT_TRUE(env.writeNewFile(at("q.kvt"), "abc").isOk());
    EXPECT_EQ(env.writeNewFile("/dev/full", "abc").number(), errnum::DiskFull);
    EXPECT_EQ(env.copyFile(at("q.kvt"), "/dev/full").number(), errnum::DiskFull);
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}

TEST_F(PosixEnvTest, TempFolderFollowsTmpdirWithTrailingSeparator)
{
    std::string folder;
    {
        const ScopedVariable tmpdir("TMPDIR", "/var/tmp/x");
        ASSERT_TRUE(env.tempFolder(&folder).isOk());
        EXPECT_EQ(folder, "/var/tmp/x/");
    }
    const ScopedVariable tmpdir("TMPDIR", nullptr);
    ASSERT_TRUE(env.tempFolder(&folder).isOk());
    EXPECT_EQ(folder, "/tmp/");
}

TEST_F(PosixEnvTest, CommonAppDataIsFirstConfigFolder)
{
    std::string folder;
    {
        const ScopedVariable dirs("XDG_CONFIG_DIRS", "/opt/praxis/xdg/:/etc/xdg");
        ASSERT_TRUE(env.specialFolder(35, &folder).isOk());
        EXPECT_EQ(folder, "/opt/praxis/xdg");
    }
    const ScopedVariable dirs("XDG_CONFIG_DIRS", "");
    ASSERT_TRUE(env.specialFolder(35, &folder).isOk());
    EXPECT_EQ(folder, "/etc/xdg");
    EXPECT_FALSE(env.specialFolder(26, &folder).isOk());
    EXPECT_EQ(folder, "");
}

} // namespace
} // namespace torvane
