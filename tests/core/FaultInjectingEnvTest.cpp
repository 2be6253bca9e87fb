#include "platform/FaultInjectingEnv.h"
#include "platform/MemEnv.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace torvane {
namespace {

// Env calls and calls on opened files are counted alike; existingName cannot fail and is not counted.
TEST(FaultInjectingEnvTest, OperationKFailsOnceWithoutReachingTheTarget)
{
    MemEnv target;
    target.putFile("/d/person.kvt", "alt");
    FaultInjectingEnv env{target};
    env.failOperation(3, errnum::DiskFull);
    env.failOperation(5, errnum::DeviceIO);
    std::unique_ptr<RandomRWFile> file;
    ASSERT_TRUE(env.openReadWrite("/d/person.kvt", &file).isOk());
    EXPECT_EQ(env.existingName("/d/PERSON.KVT"), "/d/person.kvt");
    ASSERT_TRUE(file->write(3, "!").isOk());

    const Status full = file->write(0, "neu");
    EXPECT_EQ(full.number(), errnum::DiskFull);
    EXPECT_EQ(full.osError(), ENOSPC);
    EXPECT_EQ(full.path(), "/d/person.kvt");
    ASSERT_TRUE(file->close().isOk());
    EXPECT_EQ(env.copyFile("/d/person.kvt", "/d/kopie.kvt").number(), errnum::DeviceIO);
    EXPECT_EQ(target.folderEntries("/d"), std::vector<std::string>{"person.kvt"});
    ASSERT_TRUE(env.copyFile("/d/person.kvt", "/d/kopie.kvt").isOk());

    EXPECT_EQ(target.fileBytes("/d/kopie.kvt"), "alt!");
    EXPECT_EQ(env.operationCount(), 6u);
    EXPECT_EQ(FaultInjectingEnv::describe(env.log()[2]), "3 file.write /d/person.kvt failed with 61");
}

// A copy or rename reports the failure on its destination.
TEST(FaultInjectingEnvTest, PersistentFaultHitsOnlyItsKindAndPathUntilCleared)
{
    MemEnv target;
    target.putFile("/d/person.kvt", "alt");
    target.putFile("/d/REORG_AUSGANG/person.kvt", "x");
    FaultInjectingEnv env{target};
    env.failAlways(FaultInjectingEnv::Op::DeleteFile, "AUSGANG", errnum::PathFileAccess);
    env.failAlways(FaultInjectingEnv::Op::CopyFile, "AUSGANG", errnum::DiskFull);

    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(env.deleteFile("/d/REORG_AUSGANG/person.kvt").number(), errnum::PathFileAccess);
    EXPECT_EQ(env.copyFile("/d/person.kvt", "/d/REORG_AUSGANG/k.kvt").path(), "/d/REORG_AUSGANG/k.kvt");
    EXPECT_TRUE(env.writeNewFile("/d/REORG_AUSGANG/neu.kvt", "x").isOk());
    EXPECT_TRUE(env.deleteFile("/d/person.kvt").isOk());
    EXPECT_EQ(target.folderEntries("/d/REORG_AUSGANG"), (std::vector<std::string>{"neu.kvt", "person.kvt"}));

    env.clearFaults();
    EXPECT_TRUE(env.deleteFile("/d/REORG_AUSGANG/person.kvt").isOk());
}

} // namespace
} // namespace torvane
