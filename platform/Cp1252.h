#pragma once

#include <string>
#include <string_view>

namespace torvane::cp1252 {

// Windows-1252 bytes to UTF-8. Bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value.
std::string toUtf8(std::string_view text);

// UTF-8 to Windows-1252. Characters the code page cannot hold, and invalid
// UTF-8, become '?'; returns false when that happened.
bool fromUtf8(std::string_view utf8, std::string* out);

// A UTF-8 literal of this program's own texts as Windows-1252 bytes.
std::string ansi(std::string_view utf8);

// Upper case as the code page defines it (ä -> Ä, ÿ -> Ÿ, š -> Š …).
char upper(char c);
std::string upperCase(std::string_view text);
char lower(char c);

} // namespace torvane::cp1252
