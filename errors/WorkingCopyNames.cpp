#include "errors/WorkingCopyNames.h"

namespace torvane {
namespace {

std::string withSeparator(std::string folder, char separator)
{
    if (folder.empty() || folder.back() != separator)
        folder += separator;
    return folder;
}

} // namespace

void WorkingCopyNames::add(const std::string& stagingFolder, const std::string& dataFolder, char separator)
{
    if (stagingFolder.empty() || dataFolder.empty())
        return;
    folders_.emplace_back(withSeparator(stagingFolder, separator), withSeparator(dataFolder, separator));
}

std::string WorkingCopyNames::readable(std::string text) const
{
    for (const auto& [staging, data] : folders_) {
        const std::string copyOf = "Kopie von " + data;
        for (std::size_t at = text.find(staging); at != std::string::npos; at = text.find(staging, at)) {
            text.replace(at, staging.size(), copyOf);
            at += copyOf.size();
        }
    }
    return text;
}

} // namespace torvane
