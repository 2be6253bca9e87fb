#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// The lines of a text written with CR LF (or LF) line ends.
inline std::vector<std::string> textLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

// The digits of a whole positive number; empty for anything else.
inline std::optional<int> positiveNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    const int value = std::stoi(std::string(digits));
    return value > 0 ? std::optional(value) : std::nullopt;
}

} // namespace torvane
