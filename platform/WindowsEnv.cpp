#include "platform/WindowsEnv.h"

#include "platform/ContentHash.h"
#include "platform/Cp1252.h"
#include "platform/PrivateProfile.h"
#include "platform/Utf16.h"
#include "platform/Win32ErrorMapping.h"
#include "platform/WindowsFile.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <vector>

namespace torvane {
namespace {

constexpr char Separator = '\\';
constexpr DWORD IoChunk = DWORD{1} << 30;
constexpr DWORD ReportedAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                     FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_ARCHIVE;

static_assert(FILE_ATTRIBUTE_READONLY == attr::ReadOnly && FILE_ATTRIBUTE_HIDDEN == attr::Hidden &&
              FILE_ATTRIBUTE_SYSTEM == attr::System && FILE_ATTRIBUTE_DIRECTORY == attr::Directory &&
              FILE_ATTRIBUTE_ARCHIVE == attr::Archive);

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle()
    {
        if (valid())
            ::CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }
    // 0, or the code of a failed close (a delayed write error).
    DWORD close()
    {
        const BOOL closed = ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        return closed ? 0 : ::GetLastError();
    }

private:
    HANDLE handle_;
};

// The UTF-16 name for the system; false for a name that cannot be one.
bool osName(const std::string& path, std::wstring* out)
{
    if (path.find('\0') != std::string::npos)
        return false;
    *out = utf16::fromCp1252(path);
    return true;
}

bool hasWildcard(const std::string& name)
{
    return name.find_first_of("*?") != std::string::npos;
}

Status badName(const std::string& path)
{
    return Status::error(errnum::BadFileName, ERROR_INVALID_NAME, path);
}

Status lastFailure(const std::string& path)
{
    return win32Failure(::GetLastError(), path);
}

// Failures Windows reports as "access denied" that read the same as on POSIX.
Status readOnlyFailure(const std::string& path)
{
    return Status::error(errnum::PathFileAccess, ERROR_ACCESS_DENIED, path);
}

Status folderFailure(const std::string& path)
{
    return Status::error(errnum::PathFileAccess, ERROR_ACCESS_DENIED, path);
}

std::optional<DWORD> fileAttributes(const std::wstring& name)
{
    const DWORD bits = ::GetFileAttributesW(name.c_str());
    return bits == INVALID_FILE_ATTRIBUTES ? std::nullopt : std::optional(bits);
}

bool isFolder(DWORD bits)
{
    return (bits & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isReadOnly(DWORD bits)
{
    return !isFolder(bits) && (bits & FILE_ATTRIBUTE_READONLY) != 0;
}

// A folder or a read-only file is never written over; checked before the
// call, because an administrator (and Wine running as root) may otherwise
// be let through.
Status checkReplaceable(const std::wstring& name, const std::string& path)
{
    const std::optional<DWORD> bits = fileAttributes(name);
    if (bits && isFolder(*bits))
        return folderFailure(path);
    if (bits && isReadOnly(*bits))
        return readOnlyFailure(path);
    return Status::ok();
}

// "folder\" + "name" + trailing separators; the folder part is empty for a bare name.
struct PathParts {
    std::string folder;
    std::string name;
    std::string trail;
};

PathParts split(const std::string& path)
{
    const std::size_t last = path.find_last_not_of(Separator);
    if (last == std::string::npos)
        return {path, {}, {}};
    const std::size_t sep = path.rfind(Separator, last);
    const std::size_t start = sep == std::string::npos ? 0 : sep + 1;
    return {path.substr(0, start), path.substr(start, last + 1 - start), path.substr(last + 1)};
}

// The entry a listing finds for the name, wildcards taken as no match.
std::optional<WIN32_FIND_DATAW> listed(const std::wstring& name, const std::string& path, DWORD* error)
{
    *error = 0;
    if (hasWildcard(split(path).name)) {
        *error = ERROR_FILE_NOT_FOUND;
        return std::nullopt;
    }
    WIN32_FIND_DATAW data{};
    const HANDLE search = ::FindFirstFileW(name.c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) {
        *error = ::GetLastError();
        return std::nullopt;
    }
    ::FindClose(search);
    return data;
}

bool isAbsence(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_NO_MORE_FILES ||
           error == ERROR_DIRECTORY;
}

DWORD writeAll(HANDLE file, std::string_view data)
{
    while (!data.empty()) {
        DWORD written = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), IoChunk));
        if (!::WriteFile(file, data.data(), chunk, &written, nullptr))
            return ::GetLastError();
        data.remove_prefix(written);
    }
    return 0;
}

// Creates or appends, writes all bytes and closes. A new file whose write
// failed is removed, so no half-written file stays; appending leaves what
// was there before.
Status writeWhole(const std::string& path, bool append, std::string_view bytes)
{
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    if (Status s = checkReplaceable(name, path); !s.isOk())
        return s;
    Handle file(::CreateFileW(name.c_str(), append ? FILE_APPEND_DATA : GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return lastFailure(path);
    DWORD code = writeAll(file.get(), bytes);
    if (const DWORD closeCode = file.close(); code == 0)
        code = closeCode;
    if (code == 0)
        return Status::ok();
    if (!append)
        ::DeleteFileW(name.c_str());
    return win32Failure(code, path);
}

// Opens a file to be read while the program that keeps it may go on
// writing it: what is read is compared, never trusted to stay.
HANDLE openForReading(const std::wstring& name)
{
    return ::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
}

Status openFailure(const std::wstring& name, const std::string& path)
{
    const DWORD code = ::GetLastError();
    const std::optional<DWORD> bits = fileAttributes(name);
    return bits && isFolder(*bits) ? folderFailure(path) : win32Failure(code, path);
}

struct ReadFailure {
    DWORD code = 0;
    bool reading = false;
};

// Reads to the end, hashing every byte and counting them, and writes them
// on to `to` unless it is null.
ReadFailure readHashing(HANDLE from, HANDLE to, ContentHash& hash, std::uint64_t* bytes)
{
    constexpr DWORD Chunk = DWORD{1} << 20;
    std::vector<char> buffer(Chunk);
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(from, buffer.data(), Chunk, &got, nullptr))
            return {::GetLastError(), true};
        if (got == 0)
            return {};
        const std::string_view piece(buffer.data(), got);
        hash.add(piece);
        *bytes += got;
        if (to != nullptr) {
            if (const DWORD code = writeAll(to, piece))
                return {code, false};
        }
    }
}

std::int64_t lastWriteOf(HANDLE file)
{
    FILETIME written{};
    if (!::GetFileTime(file, nullptr, nullptr, &written))
        return 0;
    return static_cast<std::int64_t>((std::uint64_t{written.dwHighDateTime} << 32) | written.dwLowDateTime);
}

// The copy of a table failed while writing: what is there is not the old file any more.
bool failedWhileWriting(DWORD code)
{
    return runErrorForWin32(code) == errnum::DiskFull || runErrorForWin32(code) == errnum::DeviceIO;
}

bool moveReplacing(const std::wstring& from, const std::wstring& to)
{
    return ::MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Wine keeps the old case when a move changes nothing else; going through
// another name changes it there too.
Status renameCase(const std::string& from, const std::string& to)
{
    const std::string aside = from + ".torvane-case";
    const std::wstring source = utf16::fromCp1252(from);
    const std::wstring between = utf16::fromCp1252(aside);
    if (!moveReplacing(source, between))
        return lastFailure(from);
    if (!moveReplacing(between, utf16::fromCp1252(to))) {
        const DWORD code = ::GetLastError();
        moveReplacing(between, source);
        return win32Failure(code, to);
    }
    return Status::ok();
}

// A name the system gives back, in Windows-1252 or refused.
Status systemName(std::wstring_view name, std::string* out)
{
    if (utf16::toCp1252(name, out))
        return Status::ok();
    out->clear();
    return utf16::unrepresentableName(name);
}

// A name inside a folder given with or without its trailing separator.
std::string inFolder(std::string folder, const std::string& name)
{
    if (folder.empty() || folder.back() != Separator)
        folder += Separator;
    return folder + name;
}

// Fails like the call on a file would when the path is no folder: a missing
// name 53 (76 in a missing folder), a file 76.
Status requireFolder(const std::wstring& name, const std::string& path)
{
    const std::optional<DWORD> bits = fileAttributes(name);
    if (!bits)
        return lastFailure(path);
    return isFolder(*bits) ? Status::ok() : win32Failure(ERROR_DIRECTORY, path);
}

// Closing the handle deletes the lock file, and the system closes it when
// the process ends, however it ends.
class WindowsFolderLock final : public FolderLock {
public:
    explicit WindowsFolderLock(HANDLE file) : file_(file) {}
    ~WindowsFolderLock() override { ::CloseHandle(file_); }
    WindowsFolderLock(const WindowsFolderLock&) = delete;
    WindowsFolderLock& operator=(const WindowsFolderLock&) = delete;

private:
    HANDLE file_;
};

constexpr const char* LockFileName = "REORG_SPERRE.lck";

} // namespace

Env& Env::Default()
{
    static WindowsEnv env;
    return env;
}

Status WindowsEnv::openReadWrite(const std::string& path, std::unique_ptr<RandomRWFile>* out)
{
    out->reset();
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    if (Status s = checkReplaceable(name, path); !s.isOk())
        return s;
    // Another program may read the table meanwhile, but not write it.
    const HANDLE file = ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return lastFailure(path);
    *out = std::make_unique<WindowsFile>(file, path);
    return Status::ok();
}

Status WindowsEnv::attributes(const std::string& path, std::uint32_t* out)
{
    *out = 0;
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    const std::optional<DWORD> bits = fileAttributes(name);
    if (!bits)
        return lastFailure(path);
    *out = *bits & ReportedAttributes;
    return Status::ok();
}

Status WindowsEnv::findPlainFile(const std::string& path, bool* found)
{
    *found = false;
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    DWORD error = 0;
    const std::optional<WIN32_FIND_DATAW> entry = listed(name, path, &error);
    // Wine lists "file\name" as an invalid name where Windows and the
    // attributes say the path is not found.
    if (!entry && !fileAttributes(name))
        error = ::GetLastError();
    if (!entry)
        return isAbsence(error) ? Status::ok() : win32Failure(error, path);
    *found =
        (entry->dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
    return Status::ok();
}

Status WindowsEnv::makeFolder(const std::string& path)
{
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    return ::CreateDirectoryW(name.c_str(), nullptr) ? Status::ok() : lastFailure(path);
}

Status WindowsEnv::deleteFile(const std::string& path)
{
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    const std::optional<DWORD> bits = fileAttributes(name);
    if (!bits)
        return lastFailure(path);
    if (Status s = checkReplaceable(name, path); !s.isOk())
        return s;
    return ::DeleteFileW(name.c_str()) ? Status::ok() : lastFailure(path);
}

// The copy is a plain file: a table copied from a read-only medium must
// still be writable in the staging folder, as on POSIX.
Status WindowsEnv::copyFile(const std::string& from, const std::string& to)
{
    std::wstring source;
    std::wstring target;
    if (!osName(from, &source))
        return badName(from);
    if (!osName(to, &target))
        return badName(to);
    const std::optional<DWORD> bits = fileAttributes(source);
    if (!bits)
        return lastFailure(from);
    if (isFolder(*bits))
        return folderFailure(from);
    if (Status s = checkReplaceable(target, to); !s.isOk())
        return s;
    if (!::CopyFileW(source.c_str(), target.c_str(), FALSE)) {
        const DWORD code = ::GetLastError();
        if (failedWhileWriting(code))
            ::DeleteFileW(target.c_str());
        return win32Failure(code, fileAttributes(source) ? to : from);
    }
    if (isReadOnly(*bits) && !::SetFileAttributesW(target.c_str(), *bits & ~DWORD{FILE_ATTRIBUTE_READONLY}))
        return lastFailure(to);
    return Status::ok();
}

// Read and written here rather than by CopyFileW, so that the hash sees the
// bytes on their way; the copy is a plain file like CopyFileW's above.
Status WindowsEnv::copyFileNoting(const std::string& from, const std::string& to, FileFingerprint* source)
{
    *source = {};
    std::wstring sourceName;
    std::wstring targetName;
    if (!osName(from, &sourceName))
        return badName(from);
    if (!osName(to, &targetName))
        return badName(to);
    const Handle in(openForReading(sourceName));
    if (!in.valid())
        return openFailure(sourceName, from);
    if (Status s = checkReplaceable(targetName, to); !s.isOk())
        return s;
    Handle out(::CreateFileW(targetName.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.valid())
        return lastFailure(to);
    source->lastWrite = lastWriteOf(in.get());
    ContentHash hash;
    ReadFailure failed = readHashing(in.get(), out.get(), hash, &source->size);
    if (const DWORD code = out.close(); failed.code == 0)
        failed.code = code;
    if (failed.code != 0) {
        ::DeleteFileW(targetName.c_str());
        return win32Failure(failed.code, failed.reading ? from : to);
    }
    source->hash = hash.value();
    return Status::ok();
}

Status WindowsEnv::fingerprint(const std::string& path, FileFingerprint* out)
{
    *out = {};
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    const Handle file(openForReading(name));
    if (!file.valid())
        return openFailure(name, path);
    out->lastWrite = lastWriteOf(file.get());
    ContentHash hash;
    if (const ReadFailure failed = readHashing(file.get(), nullptr, hash, &out->size); failed.code != 0)
        return win32Failure(failed.code, path);
    out->hash = hash.value();
    return Status::ok();
}

Status WindowsEnv::readFileStart(const std::string& path, std::size_t n, std::string* out)
{
    out->clear();
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    const Handle file(openForReading(name));
    if (!file.valid())
        return openFailure(name, path);
    std::string bytes(n, '\0');
    std::size_t got = 0;
    while (got < n) {
        DWORD r = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(n - got, IoChunk));
        if (!::ReadFile(file.get(), bytes.data() + got, chunk, &r, nullptr))
            return lastFailure(path);
        if (r == 0)
            break;
        got += r;
    }
    bytes.resize(got);
    *out = std::move(bytes);
    return Status::ok();
}

Status WindowsEnv::renameFile(const std::string& from, const std::string& to)
{
    std::wstring source;
    std::wstring target;
    if (!osName(from, &source))
        return badName(from);
    if (!osName(to, &target))
        return badName(to);
    // A change of case only names the source itself.
    if (cp1252::upperCase(from) != cp1252::upperCase(to)) {
        if (Status s = checkReplaceable(target, to); !s.isOk())
            return s;
    }
    if (!moveReplacing(source, target)) {
        const DWORD code = ::GetLastError();
        return win32Failure(code, fileAttributes(source) ? to : from);
    }
    if (cp1252::upperCase(from) == cp1252::upperCase(to) && existingName(to) != to)
        return renameCase(from, to);
    return Status::ok();
}

Status WindowsEnv::syncFile(const std::string& path)
{
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    const Handle file(::CreateFileW(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return lastFailure(path);
    return ::FlushFileBuffers(file.get()) ? Status::ok() : lastFailure(path);
}

// FlushFileBuffers on a folder needs a handle opened for writing, which
// not every file system or user gets; there the renames, written through,
// already are on the device.
Status WindowsEnv::syncFolder(const std::string& path)
{
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    if (Status s = requireFolder(name, path); !s.isOk())
        return s;
    const Handle folder(::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (folder.valid() && !::FlushFileBuffers(folder.get())) {
        const DWORD code = ::GetLastError();
        if (code != ERROR_ACCESS_DENIED && code != ERROR_INVALID_FUNCTION && code != ERROR_INVALID_PARAMETER)
            return win32Failure(code, path);
    }
    return Status::ok();
}

Status WindowsEnv::removeFolder(const std::string& path)
{
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    return ::RemoveDirectoryW(name.c_str()) ? Status::ok() : lastFailure(path);
}

Status WindowsEnv::listFolder(const std::string& path, std::vector<std::string>* names)
{
    names->clear();
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    if (Status s = requireFolder(name, path); !s.isOk())
        return s;
    const std::wstring pattern = utf16::fromCp1252(inFolder(path, "*"));
    WIN32_FIND_DATAW entry{};
    const HANDLE search = ::FindFirstFileW(pattern.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return isAbsence(::GetLastError()) ? Status::ok() : lastFailure(path);
    do {
        const std::wstring_view found = entry.cFileName;
        std::string listed;
        if (found != L"." && found != L".." && utf16::toCp1252(found, &listed))
            names->push_back(std::move(listed));
    } while (::FindNextFileW(search, &entry));
    const DWORD code = ::GetLastError();
    ::FindClose(search);
    if (code != ERROR_NO_MORE_FILES)
        return win32Failure(code, path);
    std::sort(names->begin(), names->end());
    return Status::ok();
}

Status WindowsEnv::fileSize(const std::string& path, std::uint64_t* out)
{
    *out = 0;
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(name.c_str(), GetFileExInfoStandard, &data))
        return lastFailure(path);
    if (isFolder(data.dwFileAttributes))
        return folderFailure(path);
    *out = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    return Status::ok();
}

Status WindowsEnv::freeSpace(const std::string& folder, std::uint64_t* out)
{
    *out = 0;
    std::wstring name;
    if (!osName(folder, &name))
        return badName(folder);
    if (Status s = requireFolder(name, folder); !s.isOk())
        return s;
    // A share's name needs its trailing separator.
    ULARGE_INTEGER available{};
    const std::wstring directory = utf16::fromCp1252(inFolder(folder, {}));
    if (!::GetDiskFreeSpaceExW(directory.c_str(), &available, nullptr, nullptr))
        return lastFailure(folder);
    *out = available.QuadPart;
    return Status::ok();
}

Status WindowsEnv::tryLockFolder(const std::string& path, std::unique_ptr<FolderLock>* out)
{
    out->reset();
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    if (Status s = requireFolder(name, path); !s.isOk())
        return s;
    const std::string lockFile = inFolder(path, LockFileName);
    const HANDLE file = ::CreateFileW(
        utf16::fromCp1252(lockFile).c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
        FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = ::GetLastError();
        return code == ERROR_SHARING_VIOLATION ? Status::ok() : win32Failure(code, lockFile);
    }
    // Hidden also where the system keeps the attributes of a file it
    // replaces; only through this handle, since nothing else may open it.
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY;
    ::SetFileInformationByHandle(file, FileBasicInfo, &basic, sizeof basic);
    *out = std::make_unique<WindowsFolderLock>(file);
    return Status::ok();
}

Status WindowsEnv::writeNewFile(const std::string& path, std::string_view bytes)
{
    return writeWhole(path, false, bytes);
}

Status WindowsEnv::appendTextLine(const std::string& path, std::string_view text)
{
    return writeWhole(path, true, std::string(text) + "\r\n");
}

Status WindowsEnv::readFile(const std::string& path, std::string* out)
{
    out->clear();
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    const Handle file(::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        const DWORD code = ::GetLastError();
        const std::optional<DWORD> bits = fileAttributes(name);
        return bits && isFolder(*bits) ? folderFailure(path) : win32Failure(code, path);
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size))
        return lastFailure(path);
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t got = 0;
    while (got < content.size()) {
        DWORD r = 0;
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(content.size() - got, IoChunk));
        if (!::ReadFile(file.get(), content.data() + got, chunk, &r, nullptr))
            return lastFailure(path);
        if (r == 0)
            break;
        got += r;
    }
    content.resize(got);
    *out = std::move(content);
    return Status::ok();
}

Status WindowsEnv::tempFolder(std::string* out)
{
    out->clear();
    std::string folder;
    if (tempFolder_) {
        folder = *tempFolder_;
    } else {
        wchar_t buffer[MAX_PATH + 1];
        const DWORD length = ::GetTempPathW(MAX_PATH + 1, buffer);
        if (length == 0 || length > MAX_PATH)
            return lastFailure({});
        if (Status s = systemName({buffer, length}, &folder); !s.isOk())
            return s;
    }
    if (folder.empty() || folder.back() != Separator)
        folder += Separator;
    *out = std::move(folder);
    return Status::ok();
}

Status WindowsEnv::specialFolder(int number, std::string* out)
{
    out->clear();
    wchar_t buffer[MAX_PATH];
    const HRESULT result = ::SHGetFolderPathW(nullptr, number, nullptr, SHGFP_TYPE_CURRENT, buffer);
    if (result == E_INVALIDARG)
        return Status::error(errnum::InvalidArgument, static_cast<int>(result), {});
    if (FAILED(result))
        return Status::error(errnum::PathNotFound, static_cast<int>(result), {});
    std::string folder;
    if (Status s = systemName(buffer, &folder); !s.isOk())
        return s;
    while (folder.size() > 3 && folder.back() == Separator)
        folder.pop_back();
    *out = std::move(folder);
    return Status::ok();
}

std::string WindowsEnv::existingName(const std::string& path)
{
    const PathParts parts = split(path);
    std::wstring name;
    if (parts.name.empty() || parts.name == "." || parts.name == ".." || !osName(parts.folder + parts.name, &name))
        return path;
    DWORD error = 0;
    const std::optional<WIN32_FIND_DATAW> entry = listed(name, path, &error);
    std::string found;
    if (!entry || !utf16::toCp1252(entry->cFileName, &found))
        return path;
    return parts.folder + found + parts.trail;
}

// The system reads the file in the process's ANSI code page and the value
// goes back through the same code page, so the file's bytes come back as
// they are (for every single-byte code page). The section, key and default
// are compared with what was read, so they take the same way.
Status WindowsEnv::privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                        const std::string& fallback, std::size_t size, std::string* out)
{
    out->clear();
    std::wstring name;
    if (size == 0 || !osName(file, &name)) {
        *out = privateProfileDefault(fallback, size);
        return Status::ok();
    }
    const auto ansi = [](const std::string& text) {
        std::wstring wide(text.size(), L'\0');
        wide.resize(static_cast<std::size_t>(::MultiByteToWideChar(
            CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()))));
        return wide;
    };
    std::vector<wchar_t> buffer(size);
    const DWORD length = ::GetPrivateProfileStringW(ansi(section).c_str(), ansi(key).c_str(), ansi(fallback).c_str(),
                                                    buffer.data(), static_cast<DWORD>(size), name.c_str());
    out->resize(length * 2);
    out->resize(
        static_cast<std::size_t>(::WideCharToMultiByte(CP_ACP, 0, buffer.data(), static_cast<int>(length), out->data(),
                                                       static_cast<int>(out->size()), nullptr, nullptr)));
    return Status::ok();
}

Status WindowsEnv::absolutePath(const std::string& path, std::string* out)
{
    out->clear();
    std::wstring name;
    if (!osName(path, &name))
        return badName(path);
    std::wstring full(::GetFullPathNameW(name.c_str(), 0, nullptr, nullptr), L'\0');
    const DWORD length =
        full.empty() ? 0 : ::GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0 || length >= full.size())
        return lastFailure(path);
    full.resize(length);
    return systemName(full, out);
}

Status WindowsEnv::openUrl(const std::string& url)
{
    ::ShellExecuteW(nullptr, L"open", utf16::fromCp1252(url).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return Status::ok();
}

} // namespace torvane
