#include "platform/FaultInjectingEnv.h"
#include "platform/MemEnv.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace torvane {
namespace {

using Op = FaultInjectingEnv::Op;

class FaultInjectingEnvTest : public ::testing::Test {
protected:
    FaultInjectingEnvTest() { target.putFile("/d/person.kvt", "alt"); }

    MemEnv target;
    FaultInjectingEnv env{target};
};

TEST_F(FaultInjectingEnvTest, CountsEnvCallsAndFileCalls)
{
    std::unique_ptr<RandomRWFile> file;
    ASSERT_TRUE(env.openReadWrite("/d/person.kvt", &file).isOk());
    char buffer[3];
    std::size_t got = 0;
    ASSERT_TRUE(file->read(0, 3, buffer, &got).isOk());
    ASSERT_TRUE(file->write(3, "!").isOk());
    ASSERT_TRUE(file->close().isOk());
    ASSERT_TRUE(env.copyFile("/d/person.kvt", "/d/kopie.kvt").isOk());
    EXPECT_EQ(env.existingName("/d/PERSON.KVT"), "/d/person.kvt");

    EXPECT_EQ(env.operationCount(), 5u);
    ASSERT_EQ(env.log().size(), 5u);
    EXPECT_EQ(env.log()[1].op, Op::FileRead);
    EXPECT_EQ(FaultInjectingEnv::describe(env.log()[4]), "5 copyFile /d/person.kvt -> /d/kopie.kvt");
    EXPECT_EQ(target.fileBytes("/d/kopie.kvt"), "alt!");
}

TEST_F(FaultInjectingEnvTest, FailedOperationDoesNotReachTheTarget)
{
    env.failOperation(2, errnum::DiskFull);
    env.failOperation(4, errnum::DeviceIO);
    std::unique_ptr<RandomRWFile> file;
    ASSERT_TRUE(env.openReadWrite("/d/person.kvt", &file).isOk());

    const Status full = file->write(0, "neu");
    EXPECT_EQ(full.number(), errnum::DiskFull);
    EXPECT_EQ(full.osError(), ENOSPC);
    EXPECT_EQ(full.path(), "/d/person.kvt");
    EXPECT_EQ(target.fileBytes("/d/person.kvt"), "alt");
    EXPECT_TRUE(file->write(0, "neu").isOk());

    EXPECT_EQ(env.writeNewFile("/d/neu.kvt", "x").number(), errnum::DeviceIO);
    EXPECT_FALSE(target.fileBytes("/d/neu.kvt"));
    EXPECT_EQ(FaultInjectingEnv::describe(env.log()[3]), "4 writeNewFile /d/neu.kvt failed with 57");
    EXPECT_TRUE(env.writeNewFile("/d/neu.kvt", "x").isOk());
}

TEST_F(FaultInjectingEnvTest, PersistentFaultHitsOnlyItsKindAndPath)
{
    target.putFile("/d/REORG_AUSGANG/person.kvt", "x");
    env.failAlways(Op::DeleteFile, "AUSGANG", errnum::PathFileAccess);

    EXPECT_EQ(env.deleteFile("/d/REORG_AUSGANG/person.kvt").number(), errnum::PathFileAccess);
    EXPECT_EQ(env.deleteFile("/d/REORG_AUSGANG/person.kvt").number(), errnum::PathFileAccess);
    EXPECT_TRUE(env.copyFile("/d/person.kvt", "/d/REORG_AUSGANG/kopie.kvt").isOk());
    EXPECT_TRUE(env.deleteFile("/d/person.kvt").isOk());
    EXPECT_TRUE(target.fileBytes("/d/REORG_AUSGANG/person.kvt"));

    env.clearFaults();
    EXPECT_TRUE(env.deleteFile("/d/REORG_AUSGANG/person.kvt").isOk());
}

// Fail operation 1, 2, 3 … of a replace-by-rename until the sequence runs
// through without reaching the fault: after every failure the file holds
// either the old or the new content, never a mixture.
TEST_F(FaultInjectingEnvTest, EveryFailurePointLeavesOldOrNewContent)
{
    const auto replace = [](Env& e) {
        std::unique_ptr<RandomRWFile> file;
        Status s = e.openReadWrite("/d/person.tmp", &file);
        if (s.isOk())
            s = file->write(0, "ne");
        if (s.isOk())
            s = file->write(2, "u");
        if (s.isOk())
            s = file->sync();
        if (s.isOk())
            s = file->close();
        if (s.isOk())
            s = e.renameFile("/d/person.tmp", "/d/person.kvt");
        return s;
    };

    for (std::uint64_t k = 1;; ++k) {
        MemEnv disk;
        disk.putFile("/d/person.kvt", "alt");
        FaultInjectingEnv faulty(disk);
        faulty.failOperation(k, errnum::DeviceIO);
        const Status s = replace(faulty);
        const std::string content = disk.fileBytes("/d/person.kvt").value_or("?");
        if (faulty.operationCount() < k) {
            EXPECT_TRUE(s.isOk());
            EXPECT_EQ(content, "neu");
            EXPECT_EQ(k, 7u);
            break;
        }
        EXPECT_EQ(s.number(), errnum::DeviceIO) << FaultInjectingEnv::describe(faulty.log()[k - 1]);
        EXPECT_EQ(faulty.log()[k - 1].injected, errnum::DeviceIO);
        EXPECT_TRUE(content == "alt" || content == "neu") << k << ": " << content;
    }
}

} // namespace
} // namespace torvane
