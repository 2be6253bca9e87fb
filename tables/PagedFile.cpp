#include "tables/PagedFile.h"

#include "errors/RunError.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace torvane {

PagedFile::PagedFile(std::unique_ptr<RandomRWFile> file) : file_(std::move(file))
{
    raiseIfFailed(file_->size(&diskSize_));
    size_ = diskSize_;
}

PagedFile::~PagedFile()
{
    if (!file_)
        return;
    try {
        close();
    } catch (const RunError&) {
        // Nobody is left to report to; the failure was the last statement.
    }
}

std::size_t PagedFile::read(std::uint64_t offset, char* dst, std::size_t n)
{
    requireOpen();
    if (offset >= size_)
        return 0;
    n = static_cast<std::size_t>(std::min<std::uint64_t>(n, size_ - offset));
    std::size_t done = 0;
    while (done < n) {
        const std::uint64_t at = offset + done;
        const std::size_t inPage = at % PageSize;
        const std::size_t chunk = std::min(n - done, PageSize - inPage);
        if (!cached(at / PageSize) && mapped(at, chunk)) {
            std::memcpy(dst + done, window_->data() + (at - windowStart_), chunk);
            done += chunk;
            continue;
        }
        Page& p = page(at / PageSize);
        const std::size_t stored = inPage < p.valid ? std::min(chunk, p.valid - inPage) : 0;
        std::memcpy(dst + done, p.bytes.get() + inPage, stored);
        // Below the size but behind what the page holds lies a gap left by a
        // write further on; a file reads zeros there.
        std::memset(dst + done + stored, 0, chunk - stored);
        done += chunk;
    }
    return done;
}

void PagedFile::write(std::uint64_t offset, std::string_view data)
{
    requireOpen();
    std::size_t done = 0;
    while (done < data.size()) {
        const std::uint64_t at = offset + done;
        const std::size_t inPage = at % PageSize;
        Page& p = page(at / PageSize);
        const std::size_t chunk = std::min(data.size() - done, PageSize - inPage);
        if (inPage > p.valid) // a gap behind the end reads as zeros, as in a file
            std::memset(p.bytes.get() + p.valid, 0, inPage - p.valid);
        std::memcpy(p.bytes.get() + inPage, data.data() + done, chunk);
        const std::size_t from = std::min(inPage, p.valid);
        if (p.dirtyFrom == p.dirtyTo) {
            p.dirtyFrom = from;
            p.dirtyTo = inPage + chunk;
        } else {
            p.dirtyFrom = std::min(p.dirtyFrom, from);
            p.dirtyTo = std::max(p.dirtyTo, inPage + chunk);
        }
        p.valid = std::max(p.valid, inPage + chunk);
        done += chunk;
        size_ = std::max<std::uint64_t>(size_, at + chunk);
    }
}

void PagedFile::close()
{
    if (!file_)
        return;
    Status closed;
    try {
        flushAll();
    } catch (const RunError&) {
        file_->close();
        release();
        throw;
    }
    closed = file_->close();
    release();
    raiseIfFailed(closed);
}

void PagedFile::release()
{
    window_.reset();
    file_.reset();
    pages_.clear();
    ages_.clear();
    lastNumber_ = UINT64_MAX;
    lastPage_ = nullptr;
    spare_.reset();
}

void PagedFile::requireOpen() const
{
    if (!file_)
        throw RunError::raised(errnum::BadFileName);
}

bool PagedFile::cached(std::uint64_t number) const
{
    return number == lastNumber_ || pages_.count(number) != 0;
}

bool PagedFile::mapped(std::uint64_t at, std::size_t n)
{
    if (at + n > diskSize_ || mappingUnavailable_)
        return false;
    if (window_ && at >= windowStart_ && at + n <= windowStart_ + window_->size())
        return true;
    window_.reset();
    const std::uint64_t start = at - at % MapWindow;
    const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(MapWindow, diskSize_ - start));
    if (at + n > start + length || !file_->mapForReading(start, length, &window_).isOk()) {
        window_.reset();
        mappingUnavailable_ = true;
        return false;
    }
    windowStart_ = start;
    return true;
}

PagedFile::Page& PagedFile::page(std::uint64_t number)
{
    if (number == lastNumber_)
        return *lastPage_;
    Page* found = nullptr;
    if (auto it = pages_.find(number); it != pages_.end()) {
        found = &it->second;
        ages_.splice(ages_.begin(), ages_, found->age);
    } else {
        found = &load(number);
    }
    lastNumber_ = number;
    lastPage_ = found;
    return *found;
}

PagedFile::Page& PagedFile::load(std::uint64_t number)
{
    if (pages_.size() >= MaxPages)
        evictOldest();
    Page fresh;
    fresh.bytes = spare_ ? std::move(spare_) : std::make_unique<char[]>(PageSize);
    const std::uint64_t start = number * PageSize;
    if (start < diskSize_) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(PageSize, diskSize_ - start));
        std::size_t got = 0;
        const Status status = file_->read(start, want, fresh.bytes.get(), &got);
        if (!status.isOk()) {
            spare_ = std::move(fresh.bytes);
            raiseIfFailed(status);
        }
        fresh.valid = got;
    }
    ages_.push_front(number);
    fresh.age = ages_.begin();
    return pages_.emplace(number, std::move(fresh)).first->second;
}

void PagedFile::evictOldest()
{
    const std::uint64_t number = ages_.back();
    auto it = pages_.find(number);
    ages_.pop_back();
    lastNumber_ = UINT64_MAX;
    lastPage_ = nullptr;
    Page victim = std::move(it->second);
    pages_.erase(it);
    spare_ = std::move(victim.bytes);
    if (victim.dirtyFrom != victim.dirtyTo) {
        // The page is gone either way: a failed write leaves its bytes unwritten.
        const std::string_view changed(spare_.get() + victim.dirtyFrom, victim.dirtyTo - victim.dirtyFrom);
        writeThrough(number * PageSize + victim.dirtyFrom, changed);
    }
}

void PagedFile::flush(std::uint64_t number, Page& p)
{
    if (p.dirtyFrom == p.dirtyTo)
        return;
    const std::string_view changed(p.bytes.get() + p.dirtyFrom, p.dirtyTo - p.dirtyFrom);
    const std::uint64_t at = number * PageSize + p.dirtyFrom;
    p.dirtyFrom = p.dirtyTo = 0;
    writeThrough(at, changed);
}

// A write that fails, or lands behind the end and leaves a gap, may leave
// parts of the file that the volume has no room for: reading those through
// a mapping would end the process with a signal (on a full tmpfs, a hole
// faults on its first read). From then on the file is read without a mapping.
void PagedFile::writeThrough(std::uint64_t at, std::string_view changed)
{
    if (at > diskSize_)
        stopMapping();
    if (const Status written = file_->write(at, changed); !written.isOk()) {
        stopMapping();
        raiseIfFailed(written);
    }
    diskSize_ = std::max<std::uint64_t>(diskSize_, at + changed.size());
}

void PagedFile::stopMapping()
{
    window_.reset();
    mappingUnavailable_ = true;
}

void PagedFile::flushAll()
{
    std::vector<std::uint64_t> numbers;
    numbers.reserve(pages_.size());
    for (const auto& entry : pages_)
        numbers.push_back(entry.first);
    std::sort(numbers.begin(), numbers.end());
    std::optional<RunError> first;
    for (const std::uint64_t number : numbers) {
        try {
            flush(number, pages_.at(number));
        } catch (const RunError& error) {
            if (!first)
                first = error;
        }
    }
    if (first)
        throw *first;
}

} // namespace torvane
