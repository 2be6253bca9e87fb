#include "tables/PagedFile.h"

#include "errors/RunError.h"
#include "platform/FaultInjectingEnv.h"
#include "platform/MemEnv.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace torvane {
namespace {

constexpr std::size_t Page = PagedFile::PageSize;

class PagedFileTest : public ::testing::Test {
protected:
    std::unique_ptr<PagedFile> open(Env& env)
    {
        std::unique_ptr<RandomRWFile> raw;
        raiseIfFailed(env.openReadWrite("/tmp/t.kvt", &raw));
        return std::make_unique<PagedFile>(std::move(raw));
    }

    std::string read(PagedFile& file, std::uint64_t offset, std::size_t n)
    {
        std::string bytes(n, '?');
        bytes.resize(file.read(offset, bytes.data(), n));
        return bytes;
    }

    std::string onDisk() { return *mem.fileBytes("/tmp/t.kvt"); }

    // Page p holds the letter 'a' + p % 26 throughout.
    static std::string pages(std::size_t count)
    {
        std::string bytes;
        for (std::size_t p = 0; p < count; ++p)
            bytes += std::string(Page, static_cast<char>('a' + p % 26));
        return bytes;
    }

    MemEnv mem;
};

TEST_F(PagedFileTest, EvictedPagesAreWrittenAndReadBack)
{
    const std::size_t count = PagedFile::MaxPages + 8;
    std::string expected = pages(count);
    mem.putFile("/tmp/t.kvt", expected);
    auto file = open(mem);
    for (std::size_t p = 0; p < count; ++p) {
        file->write(p * Page + 10, "changed");
        expected.replace(p * Page + 10, 7, "changed");
    }
    for (std::size_t p = 0; p < count; ++p)
        ASSERT_EQ(read(*file, p * Page, Page), expected.substr(p * Page, Page)) << "page " << p;

    const std::string record(269, 'r');  // across the border of pages 3 and 4
    file->write(4 * Page - 100, record);
    expected.replace(4 * Page - 100, record.size(), record);
    EXPECT_EQ(read(*file, 4 * Page - 101, 271), expected.substr(4 * Page - 101, 271));
    file->close();
    EXPECT_TRUE(onDisk() == expected);
}

TEST_F(PagedFileTest, WritingBehindTheEndLeavesZerosLikeAFile)
{
    mem.putFile("/tmp/t.kvt", "head");
    auto file = open(mem);
    file->write(3 * Page + 5, "x");
    file->write(5 * Page, std::string());
    EXPECT_EQ(file->size(), 3 * Page + 6);
    const std::string expected = "head" + std::string(3 * Page + 1, '\0') + "x";
    EXPECT_TRUE(read(*file, 0, 4 * Page) == expected);
    file->close();
    EXPECT_TRUE(onDisk() == expected);
}

TEST_F(PagedFileTest, AFailedFlushIsReportedOnceAndNotRetried)
{
    FaultInjectingEnv faulty(mem);
    auto file = open(faulty);
    file->write(0, "first");
    file->write(5 * Page, "second");
    faulty.failAlways(FaultInjectingEnv::Op::FileWrite, "t.kvt", errnum::DiskFull);
    try {
        file->close();
        ADD_FAILURE() << "closed";
    } catch (const RunError& error) {
        EXPECT_EQ(error.number, errnum::DiskFull);
    }
    faulty.clearFaults();
    const std::uint64_t operations = faulty.operationCount();
    EXPECT_NO_THROW(file->close());
    EXPECT_THROW(read(*file, 0, 1), RunError);
    file.reset();
    EXPECT_EQ(faulty.operationCount(), operations);
    EXPECT_EQ(onDisk(), "");

    // A page lost to a failed eviction is not written again at close.
    file = open(faulty);
    faulty.failOperation(faulty.operationCount() + 1, errnum::DeviceIO);
    for (std::size_t p = 0; p < PagedFile::MaxPages; ++p)
        file->write(p * Page, "page");
    EXPECT_THROW(file->write(PagedFile::MaxPages * Page, "page"), RunError);
    EXPECT_NO_THROW(file->close());
    EXPECT_EQ(onDisk().substr(0, Page + 4), std::string(Page, '\0') + "page");
}

TEST_F(PagedFileTest, AFailedPageLoadIsRetriedByTheNextRead)
{
    const std::string expected = pages(3);
    mem.putFile("/tmp/t.kvt", expected);
    FaultInjectingEnv faulty(mem);
    auto file = open(faulty);
    faulty.failOperation(faulty.operationCount() + 1, errnum::DeviceIO);
    EXPECT_THROW(read(*file, Page - 2, 4), RunError);
    faulty.failOperation(faulty.operationCount() + 2, errnum::DeviceIO);  // the second of two pages
    EXPECT_THROW(read(*file, 2 * Page - 2, 4), RunError);
    EXPECT_EQ(read(*file, Page - 2, 2 * Page), expected.substr(Page - 2, 2 * Page));
    file->close();
}

} // namespace
} // namespace torvane
