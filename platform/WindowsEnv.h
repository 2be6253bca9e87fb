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
// system's (GetTempPathW) unless one is given.
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
    Status renameFile(const std::string& from, const std::string& to) override;
    Status syncFile(const std::string& path) override;
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
