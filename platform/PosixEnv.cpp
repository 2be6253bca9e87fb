#include "platform/PosixEnv.h"

#include "platform/ContentHash.h"
#include "platform/Cp1252.h"
#include "platform/ErrnoMapping.h"
#include "platform/PrivateProfile.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <algorithm>
#include <climits>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

extern char** environ;

namespace torvane {
namespace {

constexpr char Separator = '/';
constexpr std::size_t CopyChunk = std::size_t{1} << 30;
constexpr std::size_t FallbackChunk = std::size_t{1} << 20;

// "folder/" + "name" + trailing separators; the folder part is empty for a bare name.
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

std::string folderToOpen(const PathParts& parts)
{
    return cp1252::toUtf8(parts.folder.empty() ? std::string(".") : parts.folder);
}

bool isSpecialName(const std::string& name)
{
    return name.empty() || name == "." || name == "..";
}

bool isHidden(const std::string& path)
{
    const std::string name = split(path).name;
    return !isSpecialName(name) && name.front() == '.';
}

bool isReadOnly(const struct stat& info)
{
    return S_ISREG(info.st_mode) && (info.st_mode & 0222) == 0;
}

bool isFolder(const std::string& osPath)
{
    struct stat info {};
    return ::stat(osPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

Status failure(int osError, const std::string& path)
{
    return osFailure(osError, isFolder(folderToOpen(split(path))), path);
}

// The entry of folder equal to name regardless of case; the smallest one
// when several differ only in case, so the choice does not depend on the
// order of the listing.
std::optional<std::string> matchInFolder(const PathParts& parts)
{
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folderToOpen(parts).c_str()), ::closedir);
    if (!dir)
        return std::nullopt;
    const std::string wanted = cp1252::upperCase(parts.name);
    std::optional<std::string> best;
    while (const dirent* entry = ::readdir(dir.get())) {
        std::string candidate;
        if (cp1252::fromUtf8(entry->d_name, &candidate) && cp1252::upperCase(candidate) == wanted &&
            (!best || candidate < *best))
            best = std::move(candidate);
    }
    return best;
}

// A path as found on disk: its Windows-1252 name and the name for the system calls.
struct Located {
    std::string name;
    std::string os;
};

bool locate(const std::string& path, Located* out)
{
    if (path.find('\0') != std::string::npos)
        return false;
    out->name = path;
    out->os = cp1252::toUtf8(path);
    struct stat info {};
    if (::lstat(out->os.c_str(), &info) == 0)
        return true;
    const PathParts parts = split(path);
    if (isSpecialName(parts.name))
        return true;
    if (const std::optional<std::string> match = matchInFolder(parts)) {
        out->name = parts.folder + *match + parts.trail;
        out->os = cp1252::toUtf8(out->name);
    }
    return true;
}

// Root may write to anything; a file without write bits still counts as read-only.
Status checkReplaceable(const Located& file)
{
    struct stat info {};
    if (::stat(file.os.c_str(), &info) == 0 && isReadOnly(info))
        return readOnlyFailure(file.name);
    return Status::ok();
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    bool valid() const { return fd_ >= 0; }
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    // 0, or the errno of a failed close (a delayed write error on some file systems).
    int close()
    {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

// A file opened to read its bytes, or why it could not be: a folder is
// refused, since every reader wants a file.
struct ReadableFile {
    explicit ReadableFile(const Located& file) : fd(::open(file.os.c_str(), O_RDONLY | O_CLOEXEC))
    {
        if (!fd.valid() || ::fstat(fd.get(), &info) != 0)
            status = failure(errno, file.name);
        else if (S_ISDIR(info.st_mode))
            status = folderFailure(file.name);
    }

    Descriptor fd;
    struct stat info {};
    Status status;
};

// Only a regular file is removed after a failed write; never a device such as /dev/full.
bool isRegular(int fd)
{
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

int writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno != EINTR)
            return errno;
        if (n > 0)
            data.remove_prefix(static_cast<std::size_t>(n));
    }
    return 0;
}

// Opens (creating the file) with the extra flag, writes all bytes and closes.
// A new file whose write failed is removed, so no half-written file stays;
// only appending leaves what was there before.
Status writeWhole(const std::string& path, int flag, std::string_view bytes)
{
    Located file;
    if (!locate(path, &file))
        return badNameFailure(path);
    if (Status s = checkReplaceable(file); !s.isOk())
        return s;
    Descriptor fd(::open(file.os.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC | flag, 0666));
    if (!fd.valid())
        return failure(errno, file.name);
    const bool removable = flag == O_TRUNC && isRegular(fd.get());
    int code = writeAll(fd.get(), bytes);
    if (const int closeCode = fd.close(); code == 0)
        code = closeCode;
    if (code == 0)
        return Status::ok();
    if (removable)
        ::unlink(file.os.c_str());
    return failure(code, file.name);
}

struct CopyError {
    int code = 0;
    bool reading = false;
};

// Reads to the end, writing what it read unless `to` is -1; a hash, when
// given, sees every byte on the way and `bytes` counts them.
CopyError copyByReading(int from, int to, ContentHash* hash = nullptr, std::uint64_t* bytes = nullptr)
{
    std::vector<char> buffer(FallbackChunk);
    for (;;) {
        const ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n == 0)
            return {};
        if (n < 0) {
            if (errno != EINTR)
                return {errno, true};
            continue;
        }
        const std::string_view piece(buffer.data(), static_cast<std::size_t>(n));
        if (hash != nullptr) {
            hash->add(piece);
            *bytes += piece.size();
        }
        if (to >= 0) {
            if (const int code = writeAll(to, piece))
                return {code, false};
        }
    }
}

std::int64_t lastWriteOf(const struct stat& info)
{
    return static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

// On Linux in the kernel where it can (no copying through user space,
// reflinks where the file system has them). Any refusal falls back to
// reading and writing from where it stopped, which then reports a real
// error itself; elsewhere that is the only way.
CopyError copyContent(int from, int to)
{
#ifdef __linux__
    for (;;) {
        const ssize_t n = ::copy_file_range(from, nullptr, to, nullptr, CopyChunk, 0);
        if (n == 0 || (n < 0 && errno != EINTR))
            break;
    }
#endif
    return copyByReading(from, to);
}

class PosixMappedRegion final : public MappedRegion {
public:
    PosixMappedRegion(const char* data, std::size_t size) : data_(data), size_(size) {}
    ~PosixMappedRegion() override { ::munmap(const_cast<char*>(data_), size_); }
    PosixMappedRegion(const PosixMappedRegion&) = delete;
    PosixMappedRegion& operator=(const PosixMappedRegion&) = delete;

    const char* data() const override { return data_; }
    std::size_t size() const override { return size_; }

private:
    const char* data_;
    std::size_t size_;
};

class PosixFile final : public RandomRWFile {
public:
    PosixFile(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    ~PosixFile() override
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    PosixFile(const PosixFile&) = delete;
    PosixFile& operator=(const PosixFile&) = delete;

    Status read(std::uint64_t offset, std::size_t n, char* dst, std::size_t* got) override
    {
        *got = 0;
        if (fd_ < 0)
            return closedFailure();
        while (*got < n) {
            const ssize_t r = ::pread(fd_, dst + *got, n - *got, static_cast<off_t>(offset + *got));
            if (r == 0)
                break;
            if (r < 0 && errno != EINTR)
                return failure(errno);
            if (r > 0)
                *got += static_cast<std::size_t>(r);
        }
        return Status::ok();
    }

    Status write(std::uint64_t offset, std::string_view data) override
    {
        if (fd_ < 0)
            return closedFailure();
        while (!data.empty()) {
            const ssize_t w = ::pwrite(fd_, data.data(), data.size(), static_cast<off_t>(offset));
            if (w < 0 && errno != EINTR)
                return failure(errno);
            if (w > 0) {
                data.remove_prefix(static_cast<std::size_t>(w));
                offset += static_cast<std::uint64_t>(w);
            }
        }
        return Status::ok();
    }

    Status size(std::uint64_t* out) override
    {
        *out = 0;
        if (fd_ < 0)
            return closedFailure();
        struct stat info {};
        if (::fstat(fd_, &info) != 0)
            return failure(errno);
        *out = static_cast<std::uint64_t>(info.st_size);
        return Status::ok();
    }

    Status sync() override
    {
        if (fd_ < 0)
            return closedFailure();
        return ::fsync(fd_) == 0 ? Status::ok() : failure(errno);
    }

    Status close() override
    {
        if (fd_ < 0)
            return Status::ok();
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? Status::ok() : failure(errno);
    }

    Status mapForReading(std::uint64_t offset, std::size_t length, std::unique_ptr<MappedRegion>* out) override
    {
        if (fd_ < 0)
            return closedFailure();
        void* address = ::mmap(nullptr, length, PROT_READ, MAP_SHARED, fd_, static_cast<off_t>(offset));
        if (address == MAP_FAILED)
            return failure(errno);
        *out = std::make_unique<PosixMappedRegion>(static_cast<const char*>(address), length);
        return Status::ok();
    }

private:
    Status failure(int osError) const { return osFailure(osError, true, path_); }
    Status closedFailure() const { return Status::error(errnum::BadFileName, EBADF, path_); }

    int fd_;
    std::string path_;
};

// flock belongs to the open descriptor: closing it, or the end of the
// process, releases the folder.
class PosixFolderLock final : public FolderLock {
public:
    explicit PosixFolderLock(int fd) : fd_(fd) {}
    ~PosixFolderLock() override { ::close(fd_); }
    PosixFolderLock(const PosixFolderLock&) = delete;
    PosixFolderLock& operator=(const PosixFolderLock&) = delete;

private:
    int fd_;
};

int openFolder(const Located& folder)
{
    return ::open(folder.os.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

// The variable's value, or the fallback when it is unset or empty.
std::string environmentOr(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? value : fallback;
}

PosixEnv::Folders foldersFromEnvironment()
{
    PosixEnv::Folders folders;
    folders.temp = environmentOr("TMPDIR", "/tmp");
    const std::string configDirs = environmentOr("XDG_CONFIG_DIRS", "");
    folders.commonAppData = configDirs.substr(0, configDirs.find(':'));
    if (folders.commonAppData.empty())
        folders.commonAppData = "/etc/xdg";
    return folders;
}

} // namespace

Env& Env::Default()
{
    static PosixEnv env(foldersFromEnvironment());
    return env;
}

Status PosixEnv::openReadWrite(const std::string& path, std::unique_ptr<RandomRWFile>* out)
{
    out->reset();
    Located file;
    if (!locate(path, &file))
        return badNameFailure(path);
    if (Status s = checkReplaceable(file); !s.isOk())
        return s;
    const int fd = ::open(file.os.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        return failure(errno, file.name);
    *out = std::make_unique<PosixFile>(fd, file.name);
    return Status::ok();
}

Status PosixEnv::attributes(const std::string& path, std::uint32_t* out)
{
    *out = 0;
    Located file;
    if (!locate(path, &file))
        return badNameFailure(path);
    struct stat info {};
    if (::stat(file.os.c_str(), &info) != 0)
        return failure(errno, file.name);
    const std::uint32_t hidden = isHidden(file.name) ? attr::Hidden : 0;
    if (S_ISDIR(info.st_mode))
        *out = attr::Directory | hidden;
    else
        *out = attr::Archive | hidden | (isReadOnly(info) ? attr::ReadOnly : 0);
    return Status::ok();
}

Status PosixEnv::findPlainFile(const std::string& path, bool* found)
{
    *found = false;
    Located file;
    if (!locate(path, &file))
        return badNameFailure(path);
    struct stat info {};
    if (::stat(file.os.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Status::ok() : failure(errno, file.name);
    *found = S_ISREG(info.st_mode) && !isHidden(file.name);
    return Status::ok();
}

Status PosixEnv::makeFolder(const std::string& path)
{
    Located folder;
    if (!locate(path, &folder))
        return badNameFailure(path);
    if (::mkdir(folder.os.c_str(), 0777) != 0)
        return failure(errno, folder.name);
    return Status::ok();
}

Status PosixEnv::deleteFile(const std::string& path)
{
    Located file;
    if (!locate(path, &file))
        return badNameFailure(path);
    struct stat info {};
    if (::lstat(file.os.c_str(), &info) != 0)
        return failure(errno, file.name);
    if (isReadOnly(info))
        return readOnlyFailure(file.name);
    if (::unlink(file.os.c_str()) != 0)
        return failure(errno, file.name);
    return Status::ok();
}

Status PosixEnv::copyFile(const std::string& from, const std::string& to)
{
    return copy(from, to, nullptr);
}

Status PosixEnv::copyFileNoting(const std::string& from, const std::string& to, FileFingerprint* source)
{
    *source = {};
    return copy(from, to, source);
}

Status PosixEnv::copy(const std::string& from, const std::string& to, FileFingerprint* noted)
{
    Located source;
    Located target;
    if (!locate(from, &source))
        return badNameFailure(from);
    if (!locate(to, &target))
        return badNameFailure(to);
    const ReadableFile in(source);
    if (!in.status.isOk())
        return in.status;
    const struct stat& sourceInfo = in.info;
    struct stat targetInfo {};
    if (::stat(target.os.c_str(), &targetInfo) == 0) {
        if (isReadOnly(targetInfo))
            return readOnlyFailure(target.name);
        // Truncating the target would destroy the source.
        if (targetInfo.st_dev == sourceInfo.st_dev && targetInfo.st_ino == sourceInfo.st_ino)
            return Status::error(errnum::PathFileAccess, 0, target.name);
    }
    Descriptor out(::open(target.os.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
    if (!out.valid())
        return failure(errno, target.name);
    const bool removable = isRegular(out.get());
    CopyError error;
    if (noted != nullptr) {
        ContentHash hash;
        error = copyByReading(in.fd.get(), out.get(), &hash, &noted->size);
        noted->lastWrite = lastWriteOf(sourceInfo);
        noted->hash = hash.value();
    } else {
        error = copyContent(in.fd.get(), out.get());
    }
    if (const int code = out.close(); error.code == 0)
        error.code = code;
    if (error.code != 0) {
        if (removable)
            ::unlink(target.os.c_str());
        return failure(error.code, error.reading ? source.name : target.name);
    }
    return Status::ok();
}

Status PosixEnv::fingerprint(const std::string& path, FileFingerprint* out)
{
    *out = {};
    Located file;
    if (!locate(path, &file))
        return badNameFailure(path);
    const ReadableFile readable(file);
    if (!readable.status.isOk())
        return readable.status;
    const int fd = readable.fd.get();
    const struct stat& info = readable.info;
    ContentHash hash;
    if (const CopyError error = copyByReading(fd, -1, &hash, &out->size); error.code != 0)
        return failure(error.code, file.name);
    out->lastWrite = lastWriteOf(info);
    out->hash = hash.value();
    return Status::ok();
}

Status PosixEnv::readFileStart(const std::string& path, std::size_t n, std::string* out)
{
    out->clear();
    Located file;
    if (!locate(path, &file))
        return badNameFailure(path);
    const ReadableFile readable(file);
    if (!readable.status.isOk())
        return readable.status;
    const int fd = readable.fd.get();
    std::string bytes(n, '\0');
    std::size_t got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd, bytes.data() + got, n - got, static_cast<off_t>(got));
        if (r == 0)
            break;
        if (r < 0 && errno != EINTR)
            return failure(errno, file.name);
        if (r > 0)
            got += static_cast<std::size_t>(r);
    }
    bytes.resize(got);
    *out = std::move(bytes);
    return Status::ok();
}

Status PosixEnv::renameFile(const std::string& from, const std::string& to)
{
    Located source;
    Located target;
    if (!locate(from, &source))
        return badNameFailure(from);
    if (!locate(to, &target))
        return badNameFailure(to);
    // A change of case only: the lookup would find the source itself.
    if (target.name == source.name)
        target = {to, cp1252::toUtf8(to)};
    if (Status s = checkReplaceable(target); !s.isOk())
        return s;
    if (::rename(source.os.c_str(), target.os.c_str()) != 0) {
        const int code = errno;
        struct stat info {};
        return failure(code, ::lstat(source.os.c_str(), &info) == 0 ? target.name : source.name);
    }
    return Status::ok();
}

Status PosixEnv::syncFile(const std::string& path)
{
    Located file;
    if (!locate(path, &file))
        return badNameFailure(path);
    const Descriptor fd(::open(file.os.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return failure(errno, file.name);
    if (::fsync(fd.get()) != 0)
        return failure(errno, file.name);
    return Status::ok();
}

Status PosixEnv::syncFolder(const std::string& path)
{
    Located folder;
    if (!locate(path, &folder))
        return badNameFailure(path);
    const Descriptor fd(openFolder(folder));
    if (!fd.valid())
        return failure(errno, folder.name);
    // A file system that cannot flush folders says so with EINVAL; there is
    // nothing more to do then.
    if (::fsync(fd.get()) != 0 && errno != EINVAL)
        return failure(errno, folder.name);
    return Status::ok();
}

Status PosixEnv::removeFolder(const std::string& path)
{
    Located folder;
    if (!locate(path, &folder))
        return badNameFailure(path);
    if (::rmdir(folder.os.c_str()) != 0)
        return failure(errno, folder.name);
    return Status::ok();
}

Status PosixEnv::listFolder(const std::string& path, std::vector<std::string>* names)
{
    names->clear();
    Located folder;
    if (!locate(path, &folder))
        return badNameFailure(path);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.os.c_str()), ::closedir);
    if (!dir)
        return failure(errno, folder.name);
    for (;;) {
        // readdir tells the end from a failure only through errno.
        errno = 0;
        const dirent* entry = ::readdir(dir.get());
        if (entry == nullptr)
            break;
        std::string name;
        if (!isSpecialName(entry->d_name) && cp1252::fromUtf8(entry->d_name, &name))
            names->push_back(std::move(name));
    }
    if (errno != 0)
        return failure(errno, folder.name);
    std::sort(names->begin(), names->end());
    return Status::ok();
}

Status PosixEnv::fileSize(const std::string& path, std::uint64_t* out)
{
    *out = 0;
    Located file;
    if (!locate(path, &file))
        return badNameFailure(path);
    struct stat info {};
    if (::stat(file.os.c_str(), &info) != 0)
        return failure(errno, file.name);
    if (S_ISDIR(info.st_mode))
        return folderFailure(file.name);
    *out = static_cast<std::uint64_t>(info.st_size);
    return Status::ok();
}

Status PosixEnv::freeSpace(const std::string& folder, std::uint64_t* out)
{
    *out = 0;
    Located place;
    if (!locate(folder, &place))
        return badNameFailure(folder);
    struct statvfs info {};
    if (::statvfs(place.os.c_str(), &info) != 0)
        return failure(errno, place.name);
    *out = static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    return Status::ok();
}

Status PosixEnv::tryLockFolder(const std::string& path, std::unique_ptr<FolderLock>* out)
{
    out->reset();
    Located folder;
    if (!locate(path, &folder))
        return badNameFailure(path);
    Descriptor fd(openFolder(folder));
    if (!fd.valid())
        return failure(errno, folder.name);
    int result = 0;
    while ((result = ::flock(fd.get(), LOCK_EX | LOCK_NB)) != 0 && errno == EINTR) {
    }
    if (result != 0)
        return errno == EWOULDBLOCK ? Status::ok() : failure(errno, folder.name);
    *out = std::make_unique<PosixFolderLock>(fd.release());
    return Status::ok();
}

Status PosixEnv::writeNewFile(const std::string& path, std::string_view bytes)
{
    return writeWhole(path, O_TRUNC, bytes);
}

Status PosixEnv::appendTextLine(const std::string& path, std::string_view text)
{
    return writeWhole(path, O_APPEND, std::string(text) + "\r\n");
}

Status PosixEnv::readFile(const std::string& path, std::string* out)
{
    out->clear();
    Located file;
    if (!locate(path, &file))
        return badNameFailure(path);
    const ReadableFile readable(file);
    if (!readable.status.isOk())
        return readable.status;
    const int fd = readable.fd.get();
    const struct stat& info = readable.info;
    std::string content;
    content.reserve(static_cast<std::size_t>(info.st_size));
    std::vector<char> buffer(FallbackChunk);
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n == 0)
            break;
        if (n < 0 && errno != EINTR)
            return failure(errno, file.name);
        if (n > 0)
            content.append(buffer.data(), static_cast<std::size_t>(n));
    }
    *out = std::move(content);
    return Status::ok();
}

Status PosixEnv::tempFolder(std::string* out)
{
    out->clear();
    std::string folder;
    if (!cp1252::fromUtf8(folders_.temp, &folder))
        return badNameFailure(folder);
    if (folder.empty() || folder.back() != Separator)
        folder += Separator;
    *out = std::move(folder);
    return Status::ok();
}

Status PosixEnv::specialFolder(int number, std::string* out)
{
    out->clear();
    if (number != specialfolder::CommonAppData)
        return Status::error(errnum::InvalidArgument, 0, {});
    std::string folder;
    if (!cp1252::fromUtf8(folders_.commonAppData, &folder))
        return badNameFailure(folder);
    while (folder.size() > 1 && folder.back() == Separator)
        folder.pop_back();
    *out = std::move(folder);
    return Status::ok();
}

Status PosixEnv::absolutePath(const std::string& path, std::string* out)
{
    out->clear();
    if (!path.empty() && path.front() == Separator) {
        *out = path;
        return Status::ok();
    }
    char buffer[PATH_MAX];
    if (::getcwd(buffer, sizeof buffer) == nullptr)
        return osFailure(errno, true, path);
    std::string folder;
    if (!cp1252::fromUtf8(buffer, &folder))
        return badNameFailure(folder);
    if (folder.back() != Separator)
        folder += Separator;
    *out = folder + (path.starts_with("./") ? path.substr(2) : path);
    return Status::ok();
}

// Through a shell that starts xdg-open in the background and ends at once:
// the desktop's program is not waited for, and no child is left unreaped.
// The URL is xdg-open's one argument and never read by the shell.
Status PosixEnv::openUrl(const std::string& url)
{
    std::vector<std::string> arguments{"sh", "-c", "xdg-open \"$1\" >/dev/null 2>&1 &", "sh", cp1252::toUtf8(url)};
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_t shell = 0;
    if (const int code = ::posix_spawnp(&shell, "sh", nullptr, nullptr, argv.data(), environ); code != 0)
        return osFailure(code, true, {});
    int ended = 0;
    while (::waitpid(shell, &ended, 0) < 0 && errno == EINTR) {
    }
    return Status::ok();
}

std::string PosixEnv::existingName(const std::string& path)
{
    Located file;
    return locate(path, &file) ? file.name : path;
}

Status PosixEnv::privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                      const std::string& fallback, std::size_t size, std::string* out)
{
    return readPrivateProfileString(*this, file, section, key, fallback, size, out);
}

} // namespace torvane
