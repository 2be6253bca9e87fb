#pragma once

#include "platform/Env.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// The private-profile reader over a file's bytes, for the platforms that
// have no such call of their own. It reads a file as Windows'
// GetPrivateProfileStringW does:
// - lines end at CR, LF or any run of them;
// - "[name]" opens a section, the name running to the last ']' of the line;
//   a line starting with '[' but without ']' is an ordinary line;
// - section and key names match regardless of case, blanks around them and
//   around the value ignored; only the first section of a name is searched,
//   and in it the first line of the key, even one without '=' (which gives
//   the default);
// - ';' starts no comment: ";53=x" is the key ";53";
// - a value ends at a NUL byte;
// - a file starting with a UTF-8 or UTF-16 byte order mark is read in that
//   encoding; any other file is taken byte for byte.

// The value of key in section: the matching line's text after "=", blanks
// around it and one pair of enclosing quotes ('…' or "…") removed. Empty
// when section or key is missing.
std::optional<std::string> privateProfileValue(std::string_view text, std::string_view section, std::string_view key);

// What the lookup gives when file, section or key is missing: the default
// without trailing blanks and without one pair of enclosing quotes, cut to
// size - 1 characters.
std::string privateProfileDefault(std::string_view fallback, std::size_t size);

// Env::privateProfileString over the file's bytes as env reads them: the
// value, or else the default when the file cannot be read or holds no such
// key, cut to size - 1 characters. Never fails.
Status readPrivateProfileString(Env& env, const std::string& file, const std::string& section, const std::string& key,
                                const std::string& fallback, std::size_t size, std::string* out);

} // namespace torvane
