#pragma once

#include "platform/Env.h"

#include <map>
#include <optional>
#include <set>
#include <vector>

namespace torvane {

// A file system held in memory, for tests and fuzzing. It answers like
// PosixEnv (the same error numbers, the last path component found regardless
// of case, hidden dot names with '/') but with the separator of choice, so
// whole runs can work on Windows paths such as "C:\Daten\person.kvt". The
// root ("/" or "C:") and the temporary folder exist from the start; with '\'
// a path beginning with a single backslash lies on "C:". The current folder
// is the root. URLs handed to the desktop are only recorded. Without a
// capacity a volume has a terabyte free. Folder locks are held in memory. It
// keeps no times: every fingerprint's last write time is 0.
// Files and locks from it must not outlive it.
class MemEnv final : public Env {
public:
    explicit MemEnv(char separator = '/');

    // Set-up and inspection for tests. Paths are taken exactly as written;
    // misuse (a folder where a file is, a path outside the root) throws.
    void createFolders(const std::string& path);
    void putFile(const std::string& path, std::string_view bytes);
    // Sets the read-only, hidden, system and archive bits.
    void setAttributes(const std::string& path, std::uint32_t bits);
    std::optional<std::string> fileBytes(const std::string& path) const;
    // The names directly inside a folder, sorted.
    std::vector<std::string> folderEntries(const std::string& folder) const;
    // Writes that would make all files together hold more bytes fail with 61.
    void setCapacity(std::optional<std::uint64_t> bytes) { capacity_ = bytes; }
    std::uint64_t usedBytes() const;
    // Without a folder the query fails.
    void setTempFolder(std::optional<std::string> folder) { tempFolder_ = std::move(folder); }
    void setCommonAppDataFolder(std::optional<std::string> folder) { commonAppData_ = std::move(folder); }
    // The URLs given to openUrl, in order.
    const std::vector<std::string>& openedUrls() const { return openedUrls_; }

    char separator() const override { return separator_; }

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
    class File;
    class Lock;

    // Open files share the bytes, so a file deleted while open stays readable
    // through its handle, as on POSIX.
    struct Node {
        bool folder = false;
        std::uint32_t attributes = 0;
        std::shared_ptr<std::string> bytes;
    };

    std::string key(const std::string& path) const;
    std::optional<std::string> parentKey(const std::string& key) const;
    std::string nameOf(const std::string& key) const;
    std::string childPrefix(const std::string& folderKey) const;
    std::vector<std::string> childKeys(const std::string& folderKey) const;
    std::string resolve(const std::string& path) const;

    Node* find(const std::string& key);
    const Node* find(const std::string& key) const;
    bool isFolder(const std::string& key) const;
    bool isAbsolute(const std::string& path) const;
    bool isHidden(const std::string& key, const Node& node) const;
    bool fits(std::uint64_t growth) const;
    Node& addFile(const std::string& key);
    void moveTree(const std::string& from, const std::string& to);

    Status failure(int osError, const std::string& key) const;
    Status checkParent(const std::string& key) const;
    Status checkReplaceable(const std::string& key, const Node* node) const;

    char separator_;
    std::string root_;
    std::map<std::string, Node> nodes_;
    std::optional<std::uint64_t> capacity_;
    std::optional<std::string> tempFolder_;
    std::optional<std::string> commonAppData_;
    std::vector<std::string> openedUrls_;
    std::set<std::string> lockedFolders_;
};

} // namespace torvane
