#pragma once

#include "platform/Env.h"

#include <optional>

namespace torvane {

// The file system of Windows through the wide-character Win32 calls. Names
// are Windows-1252 texts converted to UTF-16 with code page 1252 at each
// call; a name from the system that the code page cannot carry is refused
// (52), never changed into another. Files opened for reading and writing
// let another program read but not write; read-only, hidden, system and
// archive are the file's own attributes. The temporary folder is the
// system's (GetTempPathW) unless one is given. Renames are written through;
// a folder is flushed where the file system lets a folder be flushed, and
// otherwise its renames, written through, are what is on the device. A
// folder is locked by the hidden file REORG_SPERRE.lck in it, opened for no
// one else to share and deleted by the system when it is closed, also when
// the process dies; one that a power cut left is taken over.
class WindowsEnv final : public Env {
public:
    explicit WindowsEnv(std::optional<std::string> tempFolder = std::nullopt) : tempFolder_(std::move(tempFolder)) {}

    char separator() const override { return '\\'; }

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
    std::string existingName(const std::string& path) override;
    Status privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& fallback, std::size_t size, std::string* out) override;
    Status absolutePath(const std::string& path, std::string* out) override;
    Status openUrl(const std::string& url) override;

private:
    std::optional<std::string> tempFolder_;
};

} // namespace torvane
