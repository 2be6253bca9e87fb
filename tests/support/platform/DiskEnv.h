#pragma once

#include "platform/Env.h"

#include <memory>
#include <string>

namespace torvane::testsupport {

// The platform's own file system with the temporary folder of the test's
// choosing (as the logic names it), so a whole run on the disk stays inside
// the test's scratch folder.
std::unique_ptr<Env> diskEnvWithTempFolder(const std::string& tempFolder);

} // namespace torvane::testsupport
