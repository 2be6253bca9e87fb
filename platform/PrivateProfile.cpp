#include "platform/PrivateProfile.h"

#include "platform/Cp1252.h"

namespace torvane {
namespace {

// What Windows trims around lines, names and values: blanks, control
// characters of layout, and the DOS end-of-file mark.
constexpr std::string_view ProfileBlanks = " \t\n\v\f\r\x1A";
constexpr std::string_view LineEnds = "\r\n";

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(ProfileBlanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(ProfileBlanks) - first + 1);
}

std::string_view untilNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

std::string_view unquoted(std::string_view value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
        return value.substr(1, value.size() - 2);
    return value;
}

bool sameName(std::string_view a, std::string_view b)
{
    return cp1252::upperCase(a) == cp1252::upperCase(b);
}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
        return;
    }
    const int extra = cp < 0x800 ? 1 : cp < 0x10000 ? 2 : 3;
    constexpr unsigned char Lead[] = {0, 0xC0, 0xE0, 0xF0};
    out += static_cast<char>(Lead[extra] | (cp >> (6 * extra)));
    for (int shift = 6 * (extra - 1); shift >= 0; shift -= 6)
        out += static_cast<char>(0x80 | ((cp >> shift) & 0x3F));
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    const auto unit = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? first << 8 | second : second << 8 | first);
    };
    std::string utf8;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t cp = unit(i);
        if (cp >= 0xD800 && cp < 0xDC00 && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) < 0xE000) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        }
        appendUtf8(utf8, cp);
    }
    return utf8;
}

// The file's text in Windows-1252; characters the code page lacks become '?'.
std::string decoded(std::string_view bytes)
{
    std::string text;
    if (bytes.starts_with("\xEF\xBB\xBF"))
        cp1252::fromUtf8(bytes.substr(3), &text);
    else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        cp1252::fromUtf8(utf16ToUtf8(bytes.substr(2), bytes.front() == '\xFE'), &text);
    else
        text = bytes;
    return text;
}

std::string_view nextLine(std::string_view text, std::size_t* pos)
{
    const std::size_t end = std::min(text.find_first_of(LineEnds, *pos), text.size());
    const std::string_view line = text.substr(*pos, end - *pos);
    *pos = std::min(text.find_first_not_of(LineEnds, end), text.size());
    return line;
}

std::optional<std::string_view> sectionName(std::string_view line)
{
    const std::size_t close = line.rfind(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos || close == 0)
        return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

std::string cutToSize(std::string_view text, std::size_t size)
{
    return size == 0 ? std::string() : std::string(text.substr(0, size - 1));
}

} // namespace

std::optional<std::string> privateProfileValue(std::string_view bytes, std::string_view section, std::string_view key)
{
    const std::string text = decoded(bytes);
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view line = trimmed(nextLine(text, &pos));
        if (line.empty())
            continue;
        if (const std::optional<std::string_view> name = sectionName(line)) {
            if (inSection)
                return std::nullopt;
            inSection = sameName(*name, trimmed(section));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || !sameName(trimmed(line.substr(0, equals)), trimmed(key)))
            continue;
        if (equals == std::string_view::npos)
            return std::nullopt;
        return std::string(unquoted(untilNul(trimmed(line.substr(equals + 1)))));
    }
    return std::nullopt;
}

std::string privateProfileDefault(std::string_view fallback, std::size_t size)
{
    fallback = untilNul(fallback);
    return cutToSize(unquoted(fallback.substr(0, fallback.find_last_not_of(' ') + 1)), size);
}

Status readPrivateProfileString(Env& env, const std::string& file, const std::string& section, const std::string& key,
                                const std::string& fallback, std::size_t size, std::string* out)
{
    std::string text;
    std::optional<std::string> value;
    if (env.readFile(file, &text).isOk())
        value = privateProfileValue(text, section, key);
    *out = value ? cutToSize(*value, size) : privateProfileDefault(fallback, size);
    return Status::ok();
}

} // namespace torvane
