#include "platform/AbsolutePath.h"

#include <climits>
#include <unistd.h>

namespace torvane {

std::string absolutePath(const std::string& path)
{
    if (!path.empty() && path[0] == '/')
        return path;
    char buffer[PATH_MAX];
    if (getcwd(buffer, sizeof buffer) == nullptr)
        return path;
    std::string folder = buffer;
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder + (path.rfind("./", 0) == 0 ? path.substr(2) : path);
}

} // namespace torvane
