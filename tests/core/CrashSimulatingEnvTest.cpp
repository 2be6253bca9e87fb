#include "support/platform/CrashSimulatingEnv.h"
#include "support/platform/StatusMatchers.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

using Names = std::vector<std::string>;

// Contents count from their file's flush, names from their folder's; a file
// moved between folders comes back wherever its move was flushed.
TEST(CrashSimulatingEnvTest, OnlyWhatWasFlushedSurvivesTheReboot)
{
    CrashSimulatingEnv env('/');
    env.mem().putFile("/d/alt", "alt");
    env.mem().putFile("/d/weg", "weg");
    env.mem().createFolders("/b");
    env.settle();
    ASSERT_THAT(env.writeNewFile("/d/nie", "nie geflusht"), IsOk());
    ASSERT_THAT(env.writeNewFile("/d/fest", "fest"), IsOk());
    ASSERT_THAT(env.syncFile("/d/fest"), IsOk());
    ASSERT_THAT(env.writeNewFile("/d/leer", "nur der Name"), IsOk());
    ASSERT_THAT(env.renameFile("/d/alt", "/b/alt"), IsOk());
    ASSERT_THAT(env.syncFolder("/b"), IsOk());
    ASSERT_THAT(env.deleteFile("/d/nie"), IsOk());
    ASSERT_THAT(env.writeNewFile("/d/nie", "wieder"), IsOk());
    ASSERT_THAT(env.syncFolder("/d"), IsOk());
    ASSERT_THAT(env.writeNewFile("/d/fest", "danach"), IsOk());
    ASSERT_THAT(env.deleteFile("/d/weg"), IsOk());
    ASSERT_THAT(env.makeFolder("/d/neu"), IsOk());
    env.reboot();

    EXPECT_EQ(env.mem().folderEntries("/d"), (Names{"fest", "leer", "nie", "weg"}));
    EXPECT_EQ(env.mem().fileBytes("/d/fest"), "fest");
    EXPECT_EQ(env.mem().fileBytes("/d/leer"), "");
    EXPECT_EQ(env.mem().fileBytes("/d/nie"), "");
    EXPECT_EQ(env.mem().fileBytes("/d/weg"), "weg");
    EXPECT_EQ(env.mem().fileBytes("/b/alt"), "alt");
}

TEST(CrashSimulatingEnvTest, FromTheCutEveryOperationFailsAndChangesNothing)
{
    CrashSimulatingEnv env('/');
    env.mem().createFolders("/d");
    env.settle();
    env.cutPowerBefore(3);
    ASSERT_THAT(env.writeNewFile("/d/a", "a"), IsOk());
    ASSERT_THAT(env.syncFile("/d/a"), IsOk());
    EXPECT_FALSE(env.powerFailed());
    EXPECT_EQ(env.syncFolder("/d").number(), errnum::DeviceIO);
    EXPECT_EQ(env.writeNewFile("/d/b", "b").number(), errnum::DeviceIO);
    EXPECT_TRUE(env.powerFailed());
    EXPECT_EQ(env.operations(), 4u);
    EXPECT_EQ(env.mem().folderEntries("/d"), (Names{"a"}));
    env.reboot();
    EXPECT_EQ(env.mem().folderEntries("/d"), Names{});
    EXPECT_THAT(env.writeNewFile("/d/c", "c"), IsOk());
}

} // namespace
} // namespace torvane
