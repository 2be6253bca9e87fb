#pragma once

#include "platform/Cp1252.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace torvane::testsupport {

// A Windows-1252 path as the file system library takes it.
inline std::filesystem::path fsPath(const std::string& path)
{
    const std::string utf8 = cp1252::toUtf8(path);
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string cp1252Name(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    std::string name;
    cp1252::fromUtf8(std::string(utf8.begin(), utf8.end()), &name);
    return name;
}

// A fresh folder under the system's temporary folder, removed with all it
// holds (read-only files too) when the test ends. For tests of the real
// file system, on POSIX and on Windows.
class ScratchFolder {
public:
    ScratchFolder()
    {
        const std::filesystem::path base = std::filesystem::temp_directory_path();
        std::mt19937 random(std::random_device{}());
        do {
            folder_ = base / ("torvane-env-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(folder_));
        path_ = cp1252Name(folder_) + static_cast<char>(std::filesystem::path::preferred_separator);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_, ignored))
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Windows-1252, with a trailing separator.
    const std::string& path() const { return path_; }
    // The Windows-1252 names of the entries directly inside, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            names.push_back(cp1252Name(entry.path().filename()));
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path folder_;
    std::string path_;
};

} // namespace torvane::testsupport
