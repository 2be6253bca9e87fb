#pragma once

#include <cstdint>
#include <string>

namespace torvane {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const Date&) const = default;
};

// A dynamic value: empty, null, a number, a date or a text (Windows-1252),
// converted between these kinds by the usual rules.
class Variant {
public:
    enum class Kind { Empty, Null, Number, Date, Text };

    Variant() = default;
    Variant(double number) : kind_(Kind::Number), number_(number) {}
    Variant(int number) : kind_(Kind::Number), number_(number) {}
    Variant(Date date) : kind_(Kind::Date), date_(date) {}
    Variant(std::string text) : kind_(Kind::Text), text_(std::move(text)) {}
    Variant(const char* text) : kind_(Kind::Text), text_(text) {}
    static Variant null();

    Kind kind() const { return kind_; }
    bool isEmpty() const { return kind_ == Kind::Empty; }
    bool isText() const { return kind_ == Kind::Text; }

    // The text form: "" for empty and null, a number with the German decimal
    // comma, a date as dd.mm.yyyy.
    std::string toText() const;
    // Empty counts as the number 0; a text when it reads as a number.
    bool isNumeric() const;
    // Throws RunError 13 when the value is not numeric.
    double toNumber() const;

    bool operator==(const Variant&) const = default;

private:
    Kind kind_ = Kind::Empty;
    double number_ = 0;
    Date date_;
    std::string text_;
};

// Whether a text, blanks around it aside, is a number: an optional sign,
// digits with at most one decimal point or comma, an optional exponent.
bool readsAsNumber(const std::string& text, double* value);

// The decimal number a text starts with, up to the first character that
// cannot continue it ("12  " is 12, "12.5" is 12.5, "x" and "" are 0).
double leadingNumber(const char* text, std::size_t length);
inline double leadingNumber(const std::string& text)
{
    return leadingNumber(text.data(), text.size());
}

// Rounding to whole numbers with halves to the even neighbour; false when
// the result does not fit.
bool roundToInt32(double value, std::int32_t* out);
bool roundToInt16(double value, std::int16_t* out);

} // namespace torvane
