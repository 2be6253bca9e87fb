#pragma once

#include "platform/Cp1252.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <vector>

namespace torvane::testsupport {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the test ends. For tests of the POSIX file system only.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "torvane-env-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a scratch folder in " + pattern);
        cp1252::fromUtf8(pattern + "/", &path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(cp1252::toUtf8(path_), ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Windows-1252, with a trailing '/'.
    const std::string& path() const { return path_; }
    // The Windows-1252 names of the entries directly inside, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(cp1252::toUtf8(path_)))
            cp1252::fromUtf8(entry.path().filename().string(), &names.emplace_back());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::string path_;
};

} // namespace torvane::testsupport
