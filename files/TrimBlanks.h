#pragma once

#include <string>
#include <string_view>

namespace torvane {

// Blanks (only ' ') removed from both ends, as the folder names and the
// data-path text are trimmed.
inline std::string trimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

} // namespace torvane
