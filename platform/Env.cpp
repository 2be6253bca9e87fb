#include "platform/Env.h"

#include "platform/Cp1252.h"

#include <optional>

namespace torvane {

Status RandomRWFile::mapForReading(std::uint64_t, std::size_t, std::unique_ptr<MappedRegion>*)
{
    return Status::error(errnum::BadFileMode, 0, {});
}

namespace {

constexpr std::string_view Blanks = " \t";

std::string_view trimmed(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(Blanks);
    return text.substr(first, last - first + 1);
}

std::string firstField(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(Blanks);
    if (start == std::string_view::npos)
        return {};
    if (text[start] == '"') {
        const std::size_t close = text.find('"', start + 1);
        const std::size_t length = close == std::string_view::npos ? close : close - start - 1;
        return std::string(text.substr(start + 1, length));
    }
    const std::size_t end = text.find_first_of(",\r\n", start);
    return std::string(trimmed(text.substr(start, end == std::string_view::npos ? end : end - start)));
}

bool sameName(std::string_view a, std::string_view b)
{
    return cp1252::upperCase(a) == cp1252::upperCase(b);
}

std::string_view unquoted(std::string_view value)
{
    if (value.size() >= 2 && value.front() == value.back() && (value.front() == '"' || value.front() == '\''))
        return value.substr(1, value.size() - 2);
    return value;
}

// The next line of text starting at *pos, without its CR LF or LF.
std::string_view nextLine(std::string_view text, std::size_t* pos)
{
    const std::size_t end = text.find('\n', *pos);
    std::string_view line = text.substr(*pos, end == std::string_view::npos ? end : end - *pos);
    *pos = end == std::string_view::npos ? text.size() : end + 1;
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

// Only the first section of that name is searched, and its first matching key wins.
std::optional<std::string> profileValue(std::string_view text, std::string_view section, std::string_view key)
{
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view line = trimmed(nextLine(text, &pos));
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (inSection)
                return std::nullopt;
            const std::size_t close = line.find(']');
            const std::size_t length = close == std::string_view::npos ? close : close - 1;
            inSection = sameName(trimmed(line.substr(1, length)), trimmed(section));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inSection && equals != std::string_view::npos && sameName(trimmed(line.substr(0, equals)), trimmed(key)))
            return std::string(unquoted(trimmed(line.substr(equals + 1))));
    }
    return std::nullopt;
}

std::string cutToBuffer(const std::string& text, std::size_t size)
{
    return size == 0 ? std::string() : text.substr(0, size - 1);
}

} // namespace

Status Env::readFirstField(const std::string& path, std::string* out)
{
    out->clear();
    std::string text;
    if (Status s = readFile(path, &text); !s.isOk())
        return s;
    // Reading a field from an empty file runs past its end.
    if (text.empty())
        return Status::error(errnum::InputPastEnd, 0, path);
    *out = firstField(text);
    return Status::ok();
}

Status Env::privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                 const std::string& fallback, std::size_t size, std::string* out)
{
    std::string text;
    std::optional<std::string> value;
    if (readFile(file, &text).isOk())
        value = profileValue(text, section, key);
    *out = cutToBuffer(value ? *value : fallback, size);
    return Status::ok();
}

} // namespace torvane
