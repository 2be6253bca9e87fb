#include "tables/Variant.h"

#include "errors/RunError.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace torvane {
namespace {

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A number in the C notation, whatever locale a front end has set.
bool parseNumber(std::string_view plain, double* value)
{
    if (!plain.empty() && plain.front() == '+')
        plain.remove_prefix(1);
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), *value);
    return error == std::errc() && end == plain.data() + plain.size() && std::isfinite(*value);
}

std::string numberText(double number)
{
    number += 0.0; // a negative zero prints as 0
    if (number == std::floor(number) && std::fabs(number) < 1e15) {
        char buffer[32];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(number)).ptr;
        return std::string(buffer, end);
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", number);
    std::string text = buffer;
    for (char& c : text) {
        if (c == '.')
            c = ',';
        else if (c == 'e')
            c = 'E';
    }
    return text;
}

std::string twoDigits(int value)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

} // namespace

Variant Variant::null()
{
    Variant v;
    v.kind_ = Kind::Null;
    return v;
}

std::string Variant::toText() const
{
    switch (kind_) {
    case Kind::Empty:
    case Kind::Null:
        return {};
    case Kind::Number:
        return numberText(number_);
    case Kind::Date:
        return twoDigits(date_.day) + "." + twoDigits(date_.month) + "." + std::to_string(date_.year);
    case Kind::Text:
        return text_;
    }
    return {};
}

bool Variant::isNumeric() const
{
    double ignored = 0;
    switch (kind_) {
    case Kind::Empty:
    case Kind::Number:
        return true;
    case Kind::Text:
        return readsAsNumber(text_, &ignored);
    default:
        return false;
    }
}

double Variant::toNumber() const
{
    double value = 0;
    switch (kind_) {
    case Kind::Empty:
        return 0;
    case Kind::Number:
        return number_;
    case Kind::Text:
        if (readsAsNumber(text_, &value))
            return value;
        break;
    default:
        break;
    }
    throw RunError::raised(errnum::TypeMismatch);
}

bool readsAsNumber(const std::string& text, double* value)
{
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos)
        return false;
    const std::size_t end = text.find_last_not_of(' ') + 1;
    std::string plain;
    std::size_t i = begin;
    if (text[i] == '+' || text[i] == '-')
        plain += text[i++];
    int digits = 0;
    bool point = false;
    for (; i < end; ++i) {
        if (isDigit(text[i])) {
            plain += text[i];
            ++digits;
        } else if ((text[i] == '.' || text[i] == ',') && !point) {
            plain += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return false;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        if (j < end && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        const std::size_t firstDigit = j;
        while (j < end && isDigit(text[j]))
            exponent += text[j++];
        if (j == firstDigit)
            return false;
        plain += exponent;
        i = j;
    }
    if (i != end)
        return false;
    return parseNumber(plain, value);
}

double leadingNumber(const char* text, std::size_t length)
{
    std::size_t i = 0;
    while (i < length && text[i] == ' ')
        ++i;
    // Collected and converted in one go: summing the digits of a fraction
    // one by one would drift ("0.3" must be the double nearest to 0.3).
    std::string plain = "0";
    if (i < length && (text[i] == '+' || text[i] == '-'))
        plain.insert(0, 1, text[i++]);
    while (i < length && isDigit(text[i]))
        plain += text[i++];
    if (i < length && text[i] == '.') {
        plain += text[i++];
        while (i < length && isDigit(text[i]))
            plain += text[i++];
    }
    double value = 0;
    parseNumber(plain, &value);
    return value;
}

bool roundToInt32(double value, std::int32_t* out)
{
    const double rounded = std::nearbyint(value); // default mode: halves to even
    if (!(rounded >= std::numeric_limits<std::int32_t>::min() && rounded <= std::numeric_limits<std::int32_t>::max()))
        return false;
    *out = static_cast<std::int32_t>(rounded);
    return true;
}

bool roundToInt16(double value, std::int16_t* out)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<std::int16_t>::min() && rounded <= std::numeric_limits<std::int16_t>::max()))
        return false;
    *out = static_cast<std::int16_t>(rounded);
    return true;
}

} // namespace torvane
