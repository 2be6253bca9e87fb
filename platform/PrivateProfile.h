#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// The private-profile (INI) lookup of GetPrivateProfileStringW, for the
// systems that have none. As Windows reads a file:
// - lines end at CR, LF or any run of them;
// - "[name]" opens a section, the name running to the last ']' of the line;
//   a line starting with '[' but without ']' is an ordinary line;
// - section and key names match regardless of case, blanks around them and
//   around the value ignored; only the first section of a name is searched,
//   and in it the first line of the key, even when that line has no '=';
// - ';' starts no comment: ";53=x" is the key ";53";
// - a value ends at a NUL byte;
// - a file starting with a UTF-8 or UTF-16 byte order mark is read in that
//   encoding; any other file is taken byte for byte.

// The value of key in section of the file's text; empty when file, section,
// key or the key's '=' is missing.
std::optional<std::string> profileValue(std::string_view text, std::string_view section, std::string_view key);

// What the lookup answers for a value or, without one, the default: the
// default loses trailing blanks, either loses one pair of enclosing quotes
// ('…' or "…"), and at most size - 1 characters are given.
std::string profileAnswer(const std::optional<std::string>& value, std::string_view fallback, std::size_t size);

} // namespace torvane
