#pragma once

#include <array>
#include <string_view>

namespace torvane {

namespace detail {

constexpr std::array<bool, 256> permittedBytes()
{
    // Windows-1252: ä ö ü ß Ä Ö Ü are single bytes.
    constexpr std::string_view umlauts = "\xE4\xF6\xFC\xDF\xC4\xD6\xDC";
    constexpr std::string_view punctuation = ",.- ";
    std::array<bool, 256> table{};
    for (std::size_t c = 'a'; c <= 'z'; ++c)
        table[c] = true;
    for (std::size_t c = 'A'; c <= 'Z'; ++c)
        table[c] = true;
    for (std::size_t c = '0'; c <= '9'; ++c)
        table[c] = true;
    for (char c : umlauts)
        table[static_cast<unsigned char>(c)] = true;
    for (char c : punctuation)
        table[static_cast<unsigned char>(c)] = true;
    return table;
}

} // namespace detail

// The bytes a cleaned text value keeps: letters, the German umlauts and ß,
// digits, comma, full stop, hyphen and blank. Everything else becomes a blank.
inline constexpr std::array<bool, 256> PermittedBytes = detail::permittedBytes();

constexpr bool isPermitted(char c)
{
    return PermittedBytes[static_cast<unsigned char>(c)];
}

} // namespace torvane
