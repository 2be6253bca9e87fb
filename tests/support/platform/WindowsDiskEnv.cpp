#include "support/platform/DiskEnv.h"

#include "platform/WindowsEnv.h"

namespace torvane::testsupport {

std::unique_ptr<Env> diskEnvWithTempFolder(const std::string& tempFolder)
{
    return std::make_unique<WindowsEnv>(tempFolder);
}

} // namespace torvane::testsupport
