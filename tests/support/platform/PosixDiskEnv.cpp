#include "support/platform/DiskEnv.h"

#include "platform/Cp1252.h"
#include "platform/PosixEnv.h"

namespace torvane::testsupport {

std::unique_ptr<Env> diskEnvWithTempFolder(const std::string& tempFolder)
{
    PosixEnv::Folders folders;
    folders.temp = cp1252::toUtf8(tempFolder);
    return std::make_unique<PosixEnv>(folders);
}

} // namespace torvane::testsupport
