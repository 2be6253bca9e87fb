#include "tables/PagedFile.h"

#include "errors/RunError.h"
#include "support/platform/FaultInjectingEnv.h"
#include "support/platform/MemEnv.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace torvane {
namespace {

constexpr std::size_t Page = PagedFile::PageSize;

class PagedFileTest : public ::testing::Test {
protected:
    std::unique_ptr<PagedFile> open()
    {
        std::unique_ptr<RandomRWFile> raw;
        raiseIfFailed(faulty.openReadWrite("/tmp/t.kvt", &raw));
        return std::make_unique<PagedFile>(std::move(raw));
    }
    static std::string read(PagedFile& file, std::uint64_t offset, std::size_t n)
    {
        std::string bytes(n, '?');
        bytes.resize(file.read(offset, bytes.data(), n));
        return bytes;
    }
    std::string onDisk() { return *mem.fileBytes("/tmp/t.kvt"); }

    MemEnv mem;
    FaultInjectingEnv faulty{mem};
};

TEST_F(PagedFileTest, EvictedPagesAreWrittenAndReadBackAcrossBordersAndGapsReadAsZeros)
{
    std::string expected;
    for (std::size_t p = 0; p < PagedFile::MaxPages + 8; ++p)
        expected += std::string(Page, static_cast<char>('a' + p % 26));
    mem.putFile("/tmp/t.kvt", expected += "end");
    auto file = open();
    for (std::size_t p = 1; p < PagedFile::MaxPages + 8; ++p) {
        file->write(p * Page - 3, "changed");
        expected.replace(p * Page - 3, 7, "changed");
    }
    EXPECT_TRUE(read(*file, 0, expected.size()) == expected);
    // Behind the end, on a recycled page: the gap must not show its old bytes.
    file->write(expected.size() + Page + 5, "x");
    file->write(expected.size() + 9 * Page, std::string());
    expected += std::string(Page + 5, '\0') + "x";
    EXPECT_EQ(file->size(), expected.size());
    EXPECT_TRUE(read(*file, 0, expected.size() + Page) == expected);
    file->close();
    EXPECT_TRUE(onDisk() == expected);
}

TEST_F(PagedFileTest, AFailedFlushIsReportedOnceAndNotRetried)
{
    auto file = open();
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
    const std::size_t operations = faulty.log().size();
    EXPECT_NO_THROW(file->close());
    EXPECT_THROW(read(*file, 0, 1), RunError);
    file.reset();
    EXPECT_EQ(faulty.log().size(), operations);
    EXPECT_EQ(onDisk(), "");

    // A page lost to a failed eviction is not written again at close.
    file = open();
    faulty.failNth(FaultInjectingEnv::Op::FileWrite, "t.kvt", 1, errnum::DeviceIO);
    for (std::size_t p = 0; p < PagedFile::MaxPages; ++p)
        file->write(p * Page, "page");
    EXPECT_THROW(file->write(PagedFile::MaxPages * Page, "page"), RunError);
    EXPECT_NO_THROW(file->close());
    EXPECT_EQ(onDisk().substr(0, Page + 4), std::string(Page, '\0') + "page");
}

TEST_F(PagedFileTest, AFailedPageLoadIsRetriedByTheNextRead)
{
    mem.putFile("/tmp/t.kvt", std::string(Page, 'a') + std::string(Page, 'b') + std::string(Page, 'c'));
    auto file = open();
    faulty.failNth(FaultInjectingEnv::Op::FileRead, "t.kvt", 1, errnum::DeviceIO);
    EXPECT_THROW(read(*file, Page - 2, 4), RunError);
    faulty.failNth(FaultInjectingEnv::Op::FileRead, "t.kvt", 2, errnum::DeviceIO); // the second of two pages
    EXPECT_THROW(read(*file, 2 * Page - 2, 4), RunError);
    EXPECT_EQ(read(*file, Page - 2, 2 * Page), "aa" + std::string(Page, 'b') + std::string(Page - 2, 'c'));
}

// A file the platform could map, counting how often it is mapped.
class MappableFile final : public RandomRWFile {
public:
    MappableFile(std::unique_ptr<RandomRWFile> inner, int& maps) : inner_(std::move(inner)), maps_(maps) {}
    Status read(std::uint64_t offset, std::size_t n, char* dst, std::size_t* got) override
    {
        return inner_->read(offset, n, dst, got);
    }
    Status write(std::uint64_t offset, std::string_view data) override { return inner_->write(offset, data); }
    Status size(std::uint64_t* out) override { return inner_->size(out); }
    Status sync() override { return inner_->sync(); }
    Status close() override { return inner_->close(); }
    Status mapForReading(std::uint64_t offset, std::size_t length, std::unique_ptr<MappedRegion>* out) override
    {
        struct Copy final : MappedRegion {
            std::string bytes;
            const char* data() const override { return bytes.data(); }
            std::size_t size() const override { return bytes.size(); }
        };
        auto region = std::make_unique<Copy>();
        region->bytes.resize(length);
        std::size_t got = 0;
        raiseIfFailed(inner_->read(offset, length, region->bytes.data(), &got));
        ++maps_;
        *out = std::move(region);
        return Status::ok();
    }

private:
    std::unique_ptr<RandomRWFile> inner_;
    int& maps_;
};

// After a write that failed, or one that left a gap behind the end, parts of
// the file may have no room on the volume; a mapping would fault on them.
TEST_F(PagedFileTest, NoMappedReadingAfterAFailedWriteOrAGap)
{
    struct Case {
        const char* what;
        bool fail;
        std::uint64_t at;
    };
    const std::string stored(2 * PagedFile::MapWindow, 's');
    for (const Case& c : {Case{"failed write", true, 0}, Case{"gap behind the end", false, stored.size() + Page}}) {
        mem.putFile("/tmp/t.kvt", stored);
        std::unique_ptr<RandomRWFile> raw;
        raiseIfFailed(faulty.openReadWrite("/tmp/t.kvt", &raw));
        int maps = 0;
        PagedFile file(std::make_unique<MappableFile>(std::move(raw), maps));
        EXPECT_EQ(read(file, 0, 2), "ss");
        EXPECT_EQ(maps, 1) << c.what;
        if (c.fail)
            faulty.failNth(FaultInjectingEnv::Op::FileWrite, "t.kvt", 1, errnum::DiskFull);
        file.write(c.at, "w");
        try {
            for (std::size_t p = 1; p <= PagedFile::MaxPages; ++p) // evicts the page written first
                file.write(p * Page, "v");
        } catch (const RunError&) {
            EXPECT_TRUE(c.fail) << c.what;
        }
        EXPECT_EQ(read(file, 40 * Page + 7, 2), "ss") << c.what;
        EXPECT_EQ(maps, 1) << c.what;
        faulty.clearFaults();
    }
}

} // namespace
} // namespace torvane
