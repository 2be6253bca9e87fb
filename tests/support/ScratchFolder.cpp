#include "support/ScratchFolder.h"

#include "platform/Cp1252.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <stdlib.h>

namespace torvane::testsupport {

ScratchFolder::ScratchFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "torvane-env-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a scratch folder in " + pattern);
    cp1252::fromUtf8(pattern + "/", &path_);
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(cp1252::toUtf8(path_), ignored);
}

std::vector<std::string> ScratchFolder::entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(cp1252::toUtf8(path_))) {
        std::string name;
        cp1252::fromUtf8(entry.path().filename().string(), &name);
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace torvane::testsupport
