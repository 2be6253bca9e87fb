#pragma once

#include "platform/Env.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string_view>
#include <unordered_map>

namespace torvane {

// A table file seen through a small write-back page cache. A run positions
// and rewrites records many times per patient; going to the operating system
// for each of those would cost a system call per record image, so reads and
// writes land in 64 KiB pages that reach the file when they are evicted or
// the file is closed. Failures surface as RunError from the call that
// touched the file, like any other failed file statement.
class PagedFile {
public:
    static constexpr std::size_t PageSize = 64 * 1024;
    static constexpr std::size_t MaxPages = 32;
    // Reads of stored, unchanged bytes go straight to a mapped window of the
    // file where the platform can map it: one copy instead of two.
    static constexpr std::size_t MapWindow = 2 * RandomRWFile::MapGranularity;

    explicit PagedFile(std::unique_ptr<RandomRWFile> file);
    ~PagedFile();

    PagedFile(const PagedFile&) = delete;
    PagedFile& operator=(const PagedFile&) = delete;

    // Copies up to n bytes at offset into dst and returns how many there
    // were; fewer only at the end of the file.
    std::size_t read(std::uint64_t offset, char* dst, std::size_t n);
    void write(std::uint64_t offset, std::string_view data);
    std::uint64_t size() const { return size_; }

    // Writes every changed page and closes the file. Throws the first
    // failure; the file is closed all the same and every page dropped.
    // Reading or writing afterwards throws 52.
    void close();

private:
    struct Page {
        std::unique_ptr<char[]> bytes;
        std::size_t valid = 0;     // bytes of the page that belong to the file
        std::size_t dirtyFrom = 0; // changed range [dirtyFrom, dirtyTo)
        std::size_t dirtyTo = 0;
        std::list<std::uint64_t>::iterator age;
    };

    bool cached(std::uint64_t number) const;
    // Whether [at, at + n) can be read from the mapped window, mapping it
    // when needed.
    bool mapped(std::uint64_t at, std::size_t n);
    Page& page(std::uint64_t number);
    Page& load(std::uint64_t number);
    void evictOldest();
    void flush(std::uint64_t number, Page& page);
    void flushAll();
    void writeThrough(std::uint64_t at, std::string_view changed);
    void stopMapping();
    void release();
    void requireOpen() const;

    std::unique_ptr<RandomRWFile> file_;
    std::uint64_t size_ = 0;     // logical size, including unwritten pages
    std::uint64_t diskSize_ = 0; // what the file itself holds
    std::unordered_map<std::uint64_t, Page> pages_;
    std::list<std::uint64_t> ages_; // most recently used first
    std::uint64_t lastNumber_ = UINT64_MAX;
    Page* lastPage_ = nullptr;
    std::unique_ptr<char[]> spare_;
    std::unique_ptr<MappedRegion> window_;
    std::uint64_t windowStart_ = 0;
    bool mappingUnavailable_ = false;
};

} // namespace torvane
