#include "platform/FirstField.h"

#include "platform/WhitespaceTrim.h"

#include <string_view>

namespace torvane {
namespace {

std::string firstField(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string_view::npos)
        return {};
    if (text[start] == '"') {
        const std::size_t close = text.find('"', start + 1);
        const std::size_t length = close == std::string_view::npos ? close : close - start - 1;
        return std::string(text.substr(start + 1, length));
    }
    const std::size_t end = text.find_first_of(",\r\n", start);
    return std::string(trimmedWhitespace(text.substr(start, end == std::string_view::npos ? end : end - start)));
}

} // namespace

Status readFirstField(Env& env, const std::string& path, std::string* out)
{
    out->clear();
    std::string text;
    if (Status s = env.readFile(path, &text); !s.isOk())
        return s;
    if (text.empty())
        return Status::error(errnum::InputPastEnd, 0, path);
    *out = firstField(text);
    return Status::ok();
}

} // namespace torvane
