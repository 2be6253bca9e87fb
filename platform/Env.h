#pragma once

#include "platform/Status.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// File attribute bits as the existence tests read them.
namespace attr {
inline constexpr std::uint32_t ReadOnly = 1;
inline constexpr std::uint32_t Hidden = 2;
inline constexpr std::uint32_t System = 4;
inline constexpr std::uint32_t VolumeLabel = 8;
inline constexpr std::uint32_t Directory = 16;
inline constexpr std::uint32_t Archive = 32;
} // namespace attr

// The special folders the system asks for, by their number.
namespace specialfolder {
// The common (all users) application data folder.
inline constexpr int CommonAppData = 35;
} // namespace specialfolder

// A read-only view of part of an open file. It shows what later writes to
// the file put there, and stays valid until destroyed.
class MappedRegion {
public:
    virtual ~MappedRegion() = default;
    virtual const char* data() const = 0;
    virtual std::size_t size() const = 0;
};

// A file opened for binary reading and writing at byte offsets.
class RandomRWFile {
public:
    virtual ~RandomRWFile() = default;

    // Reads up to n bytes at offset into dst; *got receives the count, which
    // is short only at the end of the file.
    virtual Status read(std::uint64_t offset, std::size_t n, char* dst, std::size_t* got) = 0;
    // Replaces bytes at offset; may extend the file.
    virtual Status write(std::uint64_t offset, std::string_view data) = 0;
    virtual Status size(std::uint64_t* out) = 0;
    // Forces written bytes onto the device.
    virtual Status sync() = 0;
    virtual Status close() = 0;
    // Maps [offset, offset + length) of the file as it is now for reading,
    // offset a multiple of MapGranularity. Reading a large table through a
    // mapping saves copying it through the kernel; files that cannot be
    // mapped fail here and are read instead.
    virtual Status mapForReading(std::uint64_t offset, std::size_t length, std::unique_ptr<MappedRegion>* out);

    static constexpr std::size_t MapGranularity = 1 << 20;
};

// What a file held when it was read: its size, its last write time in the
// platform's own units (compared, never shown) and a hash of its bytes, so
// that a change within the same second or one that keeps the size shows too.
struct FileFingerprint {
    std::uint64_t size = 0;
    std::int64_t lastWrite = 0;
    std::uint64_t hash = 0;

    bool operator==(const FileFingerprint&) const = default;
};

// An exclusive hold on a folder, from Env::tryLockFolder; released when
// destroyed, or by the system when the process ends, however it ends.
class FolderLock {
public:
    virtual ~FolderLock() = default;
};

// Every file-system operation the system performs. Paths are texts in the
// platform's 8-bit code page (Windows-1252) with separator() between the
// components; implementations convert at the operating-system boundary.
class Env {
public:
    virtual ~Env() = default;

    // The process's own platform: PosixEnv or WindowsEnv, whichever the
    // program was built for. Created on first use, lives until the end.
    static Env& Default();

    virtual char separator() const = 0;

    // Opens for binary reading and writing; a missing file is created empty.
    virtual Status openReadWrite(const std::string& path, std::unique_ptr<RandomRWFile>* out) = 0;
    // Fails (53/76) when nothing of that name exists.
    virtual Status attributes(const std::string& path, std::uint32_t* out) = 0;
    // Finds the name only when it is a file that is neither hidden nor system.
    virtual Status findPlainFile(const std::string& path, bool* found) = 0;
    // One level below an existing folder; fails when the name exists.
    virtual Status makeFolder(const std::string& path) = 0;
    // Fails when the file is read-only.
    virtual Status deleteFile(const std::string& path) = 0;
    // Byte for byte; on failure the destination is as it was or absent.
    virtual Status copyFile(const std::string& from, const std::string& to) = 0;
    // copyFile that also gives the source's fingerprint: its last write time
    // as the copy began, and the size and hash of the bytes copied, taken
    // from the same read.
    virtual Status copyFileNoting(const std::string& from, const std::string& to, FileFingerprint* source) = 0;
    // The fingerprint of a file as it is now; reads the whole file.
    virtual Status fingerprint(const std::string& path, FileFingerprint* out) = 0;
    // Up to n bytes from the beginning of a file, opened for reading only.
    virtual Status readFileStart(const std::string& path, std::size_t n, std::string* out) = 0;
    // Replaces `to` by `from` in one step (same folder).
    virtual Status renameFile(const std::string& from, const std::string& to) = 0;
    // Forces a written file onto the device.
    virtual Status syncFile(const std::string& path) = 0;
    // Forces the folder's own entries onto the device: the files created,
    // renamed into or out of it and deleted in it since. Where the system
    // cannot flush a folder, it writes its renames through instead.
    virtual Status syncFolder(const std::string& path) = 0;
    // Removes an empty folder.
    virtual Status removeFolder(const std::string& path) = 0;
    // The names inside a folder, files and folders, hidden ones too, sorted
    // byte by byte; names the code page cannot write are left out.
    virtual Status listFolder(const std::string& path, std::vector<std::string>* names) = 0;
    virtual Status fileSize(const std::string& path, std::uint64_t* out) = 0;
    // The bytes this program may still write on the volume holding the folder.
    virtual Status freeSpace(const std::string& folder, std::uint64_t* out) = 0;
    // Holds the folder against every other holder, in this process or
    // another, until the lock is destroyed or the process ends; nothing of
    // it outlasts the process. Ok without a lock (*out empty) when another
    // holder has it.
    virtual Status tryLockFolder(const std::string& path, std::unique_ptr<FolderLock>* out) = 0;
    // Creates the file; it then holds exactly these bytes.
    virtual Status writeNewFile(const std::string& path, std::string_view bytes) = 0;
    // Opens for appending (creating the file), writes text and CR LF, closes.
    virtual Status appendTextLine(const std::string& path, std::string_view text) = 0;
    // The whole content of a file.
    virtual Status readFile(const std::string& path, std::string* out) = 0;
    // The temporary folder with its trailing separator.
    virtual Status tempFolder(std::string* out) = 0;
    // A special folder (specialfolder::CommonAppData), no trailing separator.
    virtual Status specialFolder(int number, std::string* out) = 0;
    // A name relative to the current folder made absolute; an absolute name
    // comes back as it is.
    virtual Status absolutePath(const std::string& path, std::string* out) = 0;
    // Hands a URL to the desktop to open, as the shell's "open" does. Whether
    // a program takes it is not reported.
    virtual Status openUrl(const std::string& url) = 0;

    // The name under which a file exists when it is found regardless of the
    // case of its last component; the path unchanged when nothing matches.
    virtual std::string existingName(const std::string& path) = 0;

    // Private-profile lookup: section and key regardless of case, blanks
    // around the value removed, at most size - 1 characters, the default
    // when file, section or key is missing.
    virtual Status privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                        const std::string& fallback, std::size_t size, std::string* out) = 0;
};

} // namespace torvane
