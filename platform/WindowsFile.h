#pragma once

#include "platform/Env.h"

#include <string>

namespace torvane {

// A file opened with CreateFileW, read and written at byte offsets; it owns
// the handle (a Win32 HANDLE) and closes it at the latest when destroyed.
class WindowsFile final : public RandomRWFile {
public:
    WindowsFile(void* handle, std::string path) : handle_(handle), path_(std::move(path)) {}
    ~WindowsFile() override;
    WindowsFile(const WindowsFile&) = delete;
    WindowsFile& operator=(const WindowsFile&) = delete;

    Status read(std::uint64_t offset, std::size_t n, char* dst, std::size_t* got) override;
    Status write(std::uint64_t offset, std::string_view data) override;
    Status size(std::uint64_t* out) override;
    Status sync() override;
    Status close() override;
    // A view of the file; views are coherent with writes through the handle.
    Status mapForReading(std::uint64_t offset, std::size_t length, std::unique_ptr<MappedRegion>* out) override;

private:
    bool open() const;
    Status failure(unsigned long code) const;
    Status closedFailure() const;

    void* handle_;
    std::string path_;
};

} // namespace torvane
