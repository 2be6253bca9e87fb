#include "support/platform/MemEnv.h"
#include "support/platform/StatusMatchers.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

TEST(MemEnvTest, CapacityMakesWritesFailWithoutLeavingPartialFiles)
{
    MemEnv env;
    env.putFile("/d/quelle.kvt", std::string(60, 'q'));
    env.setCapacity(100);
    EXPECT_EQ(env.writeNewFile("/d/gross.kvt", std::string(41, 'g')).number(), errnum::DiskFull);
    EXPECT_EQ(env.copyFile("/d/quelle.kvt", "/d/kopie.kvt").number(), errnum::DiskFull);
    EXPECT_EQ(env.folderEntries("/d"), std::vector<std::string>{"quelle.kvt"});
    EXPECT_EQ(env.appendTextLine("/d/log.txt", std::string(39, 'l')).number(), errnum::DiskFull);

    std::unique_ptr<RandomRWFile> file;
    ASSERT_THAT(env.openReadWrite("/d/quelle.kvt", &file), IsOk());
    EXPECT_EQ(file->write(50, std::string(51, 'x')).number(), errnum::DiskFull);
    EXPECT_THAT(file->write(50, std::string(50, 'x')), IsOk());
    EXPECT_EQ(env.fileBytes("/d/quelle.kvt"), std::string(50, 'q') + std::string(50, 'x'));
    env.setCapacity(std::nullopt);
    EXPECT_EQ(file->write(std::uint64_t{1} << 40, "x").number(), errnum::DiskFull);
}

} // namespace
} // namespace torvane
