#pragma once

#include <string_view>

namespace torvane {

// Blanks and tabs removed from both ends, as the readers of text files
// (the first field, the private profile) take names and values.
inline std::string_view trimmedWhitespace(std::string_view text)
{
    constexpr std::string_view Whitespace = " \t";
    const std::size_t first = text.find_first_not_of(Whitespace);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Whitespace) - first + 1);
}

} // namespace torvane
