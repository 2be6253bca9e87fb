#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Blanks (only ' ') removed from both ends, as table values, field names,
// folder names and the data-path text are trimmed.
inline std::string_view trimmedBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

inline std::string trimBlanks(std::string_view text)
{
    return std::string(trimmedBlanks(text));
}

} // namespace torvane
