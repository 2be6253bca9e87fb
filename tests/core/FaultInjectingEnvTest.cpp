#include "support/platform/FaultInjectingEnv.h"
#include "support/platform/MemEnv.h"
#include "support/platform/StatusMatchers.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace torvane {
namespace {

using Op = FaultInjectingEnv::Op;

// Env calls and calls on opened files are logged alike; existingName cannot fail and is not logged.
TEST(FaultInjectingEnvTest, TheNthMatchingOperationFailsOnceWithoutReachingTheTarget)
{
    MemEnv target;
    target.putFile("/d/person.kvt", "alt");
    FaultInjectingEnv env{target};
    env.failNth(Op::FileWrite, "person", 2, errnum::DiskFull);
    env.failNth(Op::CopyFile, "kopie", 1, errnum::DeviceIO);
    std::unique_ptr<RandomRWFile> file;
    ASSERT_THAT(env.openReadWrite("/d/person.kvt", &file), IsOk());
    EXPECT_EQ(env.existingName("/d/PERSON.KVT"), "/d/person.kvt");
    ASSERT_THAT(file->write(3, "!"), IsOk());

    const Status full = file->write(0, "neu");
    EXPECT_EQ(full.number(), errnum::DiskFull);
    EXPECT_EQ(full.osError(), ENOSPC);
    EXPECT_EQ(full.path(), "/d/person.kvt");
    ASSERT_THAT(file->write(4, "?"), IsOk());
    ASSERT_THAT(file->close(), IsOk());
    EXPECT_EQ(env.copyFile("/d/person.kvt", "/d/kopie.kvt").number(), errnum::DeviceIO);
    EXPECT_EQ(target.folderEntries("/d"), std::vector<std::string>{"person.kvt"});
    ASSERT_THAT(env.copyFile("/d/person.kvt", "/d/kopie.kvt"), IsOk());

    EXPECT_EQ(target.fileBytes("/d/kopie.kvt"), "alt!?");
    ASSERT_EQ(env.log().size(), 7u);
    EXPECT_EQ(FaultInjectingEnv::describe(env.log()[2]), "file.write /d/person.kvt failed with 61");
    EXPECT_EQ(FaultInjectingEnv::describe(env.log()[5]), "copyFile /d/person.kvt -> /d/kopie.kvt failed with 57");
}

// A copy or rename reports the failure on its destination.
TEST(FaultInjectingEnvTest, PersistentFaultHitsOnlyItsKindAndPathUntilCleared)
{
    MemEnv target;
    target.putFile("/d/person.kvt", "alt");
    target.putFile("/d/REORG_AUSGANG/person.kvt", "x");
    FaultInjectingEnv env{target};
    env.failAlways(Op::DeleteFile, "AUSGANG", errnum::PathFileAccess);
    env.failAlways(Op::CopyFile, "AUSGANG", errnum::DiskFull);

    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(env.deleteFile("/d/REORG_AUSGANG/person.kvt").number(), errnum::PathFileAccess);
    EXPECT_EQ(env.copyFile("/d/person.kvt", "/d/REORG_AUSGANG/k.kvt").path(), "/d/REORG_AUSGANG/k.kvt");
    EXPECT_THAT(env.writeNewFile("/d/REORG_AUSGANG/neu.kvt", "x"), IsOk());
    EXPECT_THAT(env.deleteFile("/d/person.kvt"), IsOk());
    EXPECT_EQ(target.folderEntries("/d/REORG_AUSGANG"), (std::vector<std::string>{"neu.kvt", "person.kvt"}));

    env.clearFaults();
    EXPECT_THAT(env.deleteFile("/d/REORG_AUSGANG/person.kvt"), IsOk());
}

} // namespace
} // namespace torvane
