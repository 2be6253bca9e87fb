#pragma once

#include "platform/Env.h"

namespace torvane {

// The file system of a POSIX system. Names are Windows-1252 texts converted
// to UTF-8 at each call. A name beginning with '.' is hidden, a regular file
// without any write permission bit is read-only (also for root), and every
// regular file carries the archive bit. When a path does not exist as
// written, its last component is looked up regardless of case, so table
// names written in any case find the file. A folder is locked with flock on
// a descriptor of the folder itself, which the system drops with the process.
class PosixEnv final : public Env {
public:
    // The folders the system is asked for, as the operating system names
    // them (UTF-8). Env::Default() takes them from TMPDIR and the first entry
    // of XDG_CONFIG_DIRS.
    struct Folders {
        std::string temp = "/tmp";
        std::string commonAppData = "/etc/xdg";
    };

    PosixEnv() = default;
    explicit PosixEnv(Folders folders) : folders_(std::move(folders)) {}

    char separator() const override { return '/'; }

    Status openReadWrite(const std::string& path, std::unique_ptr<RandomRWFile>* out) override;
    Status attributes(const std::string& path, std::uint32_t* out) override;
    Status findPlainFile(const std::string& path, bool* found) override;
    Status makeFolder(const std::string& path) override;
    Status deleteFile(const std::string& path) override;
    Status copyFile(const std::string& from, const std::string& to) override;
    Status copyFileNoting(const std::string& from, const std::string& to, FileFingerprint* source) override;
    Status fingerprint(const std::string& path, FileFingerprint* out) override;
    Status readFileStart(const std::string& path, std::size_t n, std::string* out) override;
    Status renameFile(const std::string& from, const std::string& to) override;
    Status syncFile(const std::string& path) override;
    Status syncFolder(const std::string& path) override;
    Status removeFolder(const std::string& path) override;
    Status listFolder(const std::string& path, std::vector<std::string>* names) override;
    Status fileSize(const std::string& path, std::uint64_t* out) override;
    Status freeSpace(const std::string& folder, std::uint64_t* out) override;
    Status tryLockFolder(const std::string& path, std::unique_ptr<FolderLock>* out) override;
    Status writeNewFile(const std::string& path, std::string_view bytes) override;
    Status appendTextLine(const std::string& path, std::string_view text) override;
    Status readFile(const std::string& path, std::string* out) override;
    Status tempFolder(std::string* out) override;
    Status specialFolder(int number, std::string* out) override;
    Status absolutePath(const std::string& path, std::string* out) override;
    Status openUrl(const std::string& url) override;
    std::string existingName(const std::string& path) override;
    Status privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& fallback, std::size_t size, std::string* out) override;

private:
    Status copy(const std::string& from, const std::string& to, FileFingerprint* noted);

    Folders folders_;
};

} // namespace torvane
