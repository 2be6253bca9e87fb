#pragma once

#include "platform/Env.h"

#include <optional>

namespace torvane {

// The file system of a POSIX system. Names are Windows-1252 texts converted
// to UTF-8 at each call. A name beginning with '.' is hidden, a regular file
// without any write permission bit is read-only (also for root), and every
// regular file carries the archive bit. When a path does not exist as
// written, its last component is looked up regardless of case, so table
// names written in any case find the file.
class PosixEnv final : public Env {
public:
    // Without a temporary folder, TMPDIR (or /tmp) names it.
    explicit PosixEnv(std::optional<std::string> tempFolder = std::nullopt) : tempFolder_(std::move(tempFolder)) {}

    char separator() const override { return '/'; }

    Status openReadWrite(const std::string& path, std::unique_ptr<RandomRWFile>* out) override;
    Status attributes(const std::string& path, std::uint32_t* out) override;
    Status findPlainFile(const std::string& path, bool* found) override;
    Status makeFolder(const std::string& path) override;
    Status deleteFile(const std::string& path) override;
    Status copyFile(const std::string& from, const std::string& to) override;
    Status renameFile(const std::string& from, const std::string& to) override;
    Status syncFile(const std::string& path) override;
    Status writeNewFile(const std::string& path, std::string_view bytes) override;
    Status appendTextLine(const std::string& path, std::string_view text) override;
    Status readFile(const std::string& path, std::string* out) override;
    Status tempFolder(std::string* out) override;
    Status specialFolder(int number, std::string* out) override;
    std::string existingName(const std::string& path) override;
    Status absolutePath(const std::string& path, std::string* out) override;
    // xdg-open with the URL as its one argument.
    Status openUrl(const std::string& url) override;

private:
    std::optional<std::string> tempFolder_;
};

} // namespace torvane
