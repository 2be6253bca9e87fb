#pragma once

#include "errors/ErrorReporter.h"
#include "platform/Env.h"

#include <string>

namespace torvane {

// The small routines of the error module. Each traps its own failure and
// then yields what it has, an empty text at worst.

// One value of a private-profile file; at most 499 characters, the default
// when file, section or key is missing.
std::string ReadIniFile(Env& env, ErrorReporter& errors, std::string file, std::string section,
                        std::string key, std::string fallback);

// The program's version as "major.minor.revision".
std::string GetVersion(ErrorReporter& errors);

// The path with the separator appended unless it already ends in one; the
// argument itself is left alone.
std::string CorrectPath(const std::string& path, char separator, ErrorReporter& errors);

} // namespace torvane
