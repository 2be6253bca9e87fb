#pragma once

#include "platform/Status.h"

#include <string>
#include <string_view>

namespace torvane::utf16 {

// The wide-character Win32 calls take UTF-16. Paths and texts of the logic
// are Windows-1252 whatever the process's ANSI code page is, so they are
// converted with code page 1252 itself.

// Every Windows-1252 byte has its character.
std::wstring fromCp1252(std::string_view text);

// A text from the system in Windows-1252. Returns false when it holds a
// character the code page cannot carry; that character is then '?' in *out.
bool toCp1252(std::wstring_view text, std::string* out);

// The terminal's and the command line's UTF-8.
std::wstring fromUtf8(std::string_view text);
std::string toUtf8(std::wstring_view text);

// The refusal of a name from the system that Windows-1252 cannot carry
// ("C:\Praxis\Łódź"): 52, named as far as the code page can, with the
// characters it cannot carry written as code points. Working on under a
// name with '?' in it would mean another path.
Status unrepresentableName(std::wstring_view name);

} // namespace torvane::utf16
