#include "reorg/CsvText.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace torvane {

CsvText& CsvText::field(std::string_view value)
{
    separate();
    const auto special = [](char c) { return c == ';' || c == '"' || c == '\r' || c == '\n'; };
    if (std::none_of(value.begin(), value.end(), special)) {
        text_ += value;
        return *this;
    }
    text_ += '"';
    for (const char c : value) {
        if (c == '"')
            text_ += '"';
        text_ += c;
    }
    text_ += '"';
    return *this;
}

CsvText& CsvText::field(std::int64_t value)
{
    separate();
    char digits[24];
    const std::to_chars_result end = std::to_chars(std::begin(digits), std::end(digits), value);
    text_.append(digits, end.ptr);
    return *this;
}

void CsvText::endLine()
{
    text_ += "\r\n";
    inLine_ = false;
}

void CsvText::separate()
{
    if (inLine_)
        text_ += ';';
    inLine_ = true;
}

} // namespace torvane
