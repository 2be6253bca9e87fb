#pragma once

#include "errors/ErrorReporter.h"
#include "platform/Env.h"

#include <string>

namespace torvane {

// One value of a private-profile file; at most 499 characters, the default
// when file, section or key is missing. Traps its own failure and then
// yields what it has, an empty text at worst.
std::string ReadIniFile(Env& env, ErrorReporter& errors, std::string file, std::string section, std::string key,
                        std::string fallback);

} // namespace torvane
