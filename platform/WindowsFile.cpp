#include "platform/WindowsFile.h"

#include "platform/Win32ErrorMapping.h"

#include <windows.h>

#include <algorithm>

namespace torvane {
namespace {

constexpr DWORD IoChunk = DWORD{1} << 30;

OVERLAPPED at(std::uint64_t offset)
{
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

DWORD chunkOf(std::size_t n)
{
    return static_cast<DWORD>(std::min<std::size_t>(n, IoChunk));
}

class WindowsMappedRegion final : public MappedRegion {
public:
    WindowsMappedRegion(const char* view, std::size_t size) : view_(view), size_(size) {}
    ~WindowsMappedRegion() override { ::UnmapViewOfFile(view_); }
    WindowsMappedRegion(const WindowsMappedRegion&) = delete;
    WindowsMappedRegion& operator=(const WindowsMappedRegion&) = delete;

    const char* data() const override { return view_; }
    std::size_t size() const override { return size_; }

private:
    const char* view_;
    std::size_t size_;
};

} // namespace

WindowsFile::~WindowsFile()
{
    if (open())
        ::CloseHandle(handle_);
}

bool WindowsFile::open() const
{
    return handle_ != INVALID_HANDLE_VALUE;
}

Status WindowsFile::failure(unsigned long code) const
{
    return win32Failure(code, path_);
}

Status WindowsFile::closedFailure() const
{
    return Status::error(errnum::BadFileName, ERROR_INVALID_HANDLE, path_);
}

Status WindowsFile::read(std::uint64_t offset, std::size_t n, char* dst, std::size_t* got)
{
    *got = 0;
    if (!open())
        return closedFailure();
    while (*got < n) {
        OVERLAPPED position = at(offset + *got);
        DWORD r = 0;
        if (!::ReadFile(handle_, dst + *got, chunkOf(n - *got), &r, &position)) {
            const DWORD code = ::GetLastError();
            if (code == ERROR_HANDLE_EOF)
                break;
            return failure(code);
        }
        if (r == 0)
            break;
        *got += r;
    }
    return Status::ok();
}

Status WindowsFile::write(std::uint64_t offset, std::string_view data)
{
    if (!open())
        return closedFailure();
    while (!data.empty()) {
        OVERLAPPED position = at(offset);
        DWORD written = 0;
        if (!::WriteFile(handle_, data.data(), chunkOf(data.size()), &written, &position))
            return failure(::GetLastError());
        data.remove_prefix(written);
        offset += written;
    }
    return Status::ok();
}

Status WindowsFile::size(std::uint64_t* out)
{
    *out = 0;
    if (!open())
        return closedFailure();
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle_, &size))
        return failure(::GetLastError());
    *out = static_cast<std::uint64_t>(size.QuadPart);
    return Status::ok();
}

Status WindowsFile::sync()
{
    if (!open())
        return closedFailure();
    return ::FlushFileBuffers(handle_) ? Status::ok() : failure(::GetLastError());
}

Status WindowsFile::close()
{
    if (!open())
        return Status::ok();
    const BOOL closed = ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    return closed ? Status::ok() : failure(::GetLastError());
}

Status WindowsFile::mapForReading(std::uint64_t offset, std::size_t length, std::unique_ptr<MappedRegion>* out)
{
    if (!open())
        return closedFailure();
    const HANDLE mapping = ::CreateFileMappingW(handle_, nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping == nullptr)
        return failure(::GetLastError());
    // The view keeps the mapping alive.
    const void* view =
        ::MapViewOfFile(mapping, FILE_MAP_READ, static_cast<DWORD>(offset >> 32), static_cast<DWORD>(offset), length);
    const DWORD code = view == nullptr ? ::GetLastError() : 0;
    ::CloseHandle(mapping);
    if (view == nullptr)
        return failure(code);
    *out = std::make_unique<WindowsMappedRegion>(static_cast<const char*>(view), length);
    return Status::ok();
}

} // namespace torvane
