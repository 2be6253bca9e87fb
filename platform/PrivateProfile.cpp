#include "platform/PrivateProfile.h"

#include "platform/Cp1252.h"
#include "platform/WhitespaceTrim.h"

namespace torvane {
namespace {

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

} // namespace

std::optional<std::string> privateProfileValue(std::string_view text, std::string_view section,
                                               std::string_view key)
{
    bool inSection = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::string_view line = trimmedWhitespace(nextLine(text, &pos));
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            if (inSection)
                return std::nullopt;
            const std::size_t close = line.find(']');
            const std::size_t length = close == std::string_view::npos ? close : close - 1;
            inSection = sameName(trimmedWhitespace(line.substr(1, length)), trimmedWhitespace(section));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (inSection && equals != std::string_view::npos
            && sameName(trimmedWhitespace(line.substr(0, equals)), trimmedWhitespace(key)))
            return std::string(unquoted(trimmedWhitespace(line.substr(equals + 1))));
    }
    return std::nullopt;
}

Status readPrivateProfileString(Env& env, const std::string& file, const std::string& section,
                                const std::string& key, const std::string& fallback, std::size_t size,
                                std::string* out)
{
    std::string text;
    std::optional<std::string> value;
    if (env.readFile(file, &text).isOk())
        value = privateProfileValue(text, section, key);
    const std::string& result = value ? *value : fallback;
    *out = size == 0 ? std::string() : result.substr(0, size - 1);
    return Status::ok();
}

} // namespace torvane
