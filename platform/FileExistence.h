#pragma once

#include "platform/Env.h"

#include <string>

namespace torvane {

// Whether a file counts as present: listed as a plain file (no folder,
// neither hidden nor system) and carrying one of the read-only, hidden,
// system or archive attributes. A failure to look is returned, not taken
// as absence.
Status fileExists(Env& env, const std::string& path, bool* exists);

} // namespace torvane
