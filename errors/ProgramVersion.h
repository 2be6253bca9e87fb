#pragma once

#include "errors/ErrorReporter.h"

#include <string>

namespace torvane {

// The program's version as "major.minor.revision". Traps its own failure
// and then yields what it has, an empty text at worst.
std::string GetVersion(ErrorReporter& errors);

} // namespace torvane
