#include "platform/Env.h"

#include "platform/PrivateProfile.h"

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
    *out = profileAnswer(value, fallback, size);
    return Status::ok();
}

} // namespace torvane
