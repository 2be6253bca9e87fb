#pragma once

#include <string>

namespace torvane::cli {

// A text of the logic (Windows-1252, lines separated by CR or CR LF) as
// UTF-8 lines for the terminal.
std::string terminalText(const std::string& text);

} // namespace torvane::cli
