#pragma once

#include "platform/Env.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace torvane {

// The private-profile reader over a file's bytes, for the platforms that
// have no such call of their own.

// The value of key in the first section of that name (both regardless of
// case, blanks around them ignored): the first matching line's text after
// "=", blanks around it and one pair of enclosing quotes removed. Empty when
// section or key is missing.
std::optional<std::string> privateProfileValue(std::string_view text, std::string_view section,
                                               std::string_view key);

// Env::privateProfileString over the file's bytes as env reads them: the
// value, or else the default when the file cannot be read or holds no such
// key, cut to size - 1 characters. Never fails.
Status readPrivateProfileString(Env& env, const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback, std::size_t size,
                                std::string* out);

} // namespace torvane
