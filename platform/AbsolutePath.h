#pragma once

#include <string>

namespace torvane {

// A path given on a command line, relative to the current folder, made
// absolute (UTF-8 in, UTF-8 out). The file chooser always returns full
// names; this gives the terminal front end the same.
std::string absolutePath(const std::string& path);

} // namespace torvane
