#pragma once

#include "errors/ErrorReporter.h"

#include <string>

namespace torvane {

// The path with the separator appended unless it already ends in one; the
// argument itself is left alone. Traps its own failure and then yields what
// it has, an empty text at worst.
std::string CorrectPath(const std::string& path, char separator, ErrorReporter& errors);

} // namespace torvane
