#pragma once

#include <string>
#include <vector>

namespace torvane::testsupport {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the test ends. For tests of the POSIX file system only.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Windows-1252, with a trailing '/'.
    const std::string& path() const { return path_; }
    // The Windows-1252 names of the entries directly inside, sorted.
    std::vector<std::string> entries() const;

private:
    std::string path_;
};

} // namespace torvane::testsupport
