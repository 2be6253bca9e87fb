#include "platform/Cp1252.h"
#include "platform/PosixEnv.h"
#include "support/ScratchFolder.h"
#include "support/platform/StatusMatchers.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

namespace torvane {
namespace {

TEST(PosixEnvTest, NamesAreUtf8OnDiskAndErrorsKeepTheSystemCodeAndPath)
{
    const testsupport::ScratchFolder scratch;
    PosixEnv env;
    ASSERT_THAT(env.writeNewFile(scratch.path() + cp1252::ansi("Müller €.kvt"), "x"), IsOk());
    EXPECT_TRUE(std::filesystem::exists(cp1252::toUtf8(scratch.path()) + "M\xC3\xBCller \xE2\x82\xAC.kvt"));

    std::string bytes;
    const Status missing = env.readFile(scratch.path() + "fehlt.kvt", &bytes);
    EXPECT_EQ(missing.number(), errnum::FileNotFound);
    EXPECT_EQ(missing.osError(), ENOENT);
    EXPECT_EQ(missing.path(), scratch.path() + "fehlt.kvt");
    EXPECT_EQ(env.readFile(std::string("a\0b", 3), &bytes).number(), errnum::BadFileName);
}

// The failure is reported and the device is not removed as if it were a half-written file.
TEST(PosixEnvTest, FullDeviceGivesDiskFull)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const testsupport::ScratchFolder scratch;
    PosixEnv env;
    ASSERT_THAT(env.writeNewFile(scratch.path() + "q.kvt", "abc"), IsOk());
    EXPECT_EQ(env.writeNewFile("/dev/full", "abc").number(), errnum::DiskFull);
    EXPECT_EQ(env.copyFile(scratch.path() + "q.kvt", "/dev/full").number(), errnum::DiskFull);
    EXPECT_EQ(env.appendTextLine("/dev/full", "abc").number(), errnum::DiskFull);
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}

} // namespace
} // namespace torvane
