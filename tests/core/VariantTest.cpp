#include "tables/Variant.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace torvane {
namespace {

TEST(VariantTest, NumbersAreReadFromNumberShapesOrLeadingDigitsAndRoundedHalfToEven)
{
    double value = 0;
    for (const char* yes : {" 12 ", "-3", "+1,5", ".5", "2e3", "1,5E-2", "1,5"})
        EXPECT_TRUE(readsAsNumber(yes, &value)) << yes;
    EXPECT_EQ(value, 1.5);
    for (const char* no : {"", "   ", "-", ".", "12a", "1 2", "1.2.3", "e5", "2e", "1e999", "DATNUMMER"})
        EXPECT_FALSE(readsAsNumber(no, &value)) << no;
    EXPECT_TRUE(Variant().isNumeric() && !Variant::null().isNumeric());

    const std::pair<const char*, double> leading[] = {{"12  ", 12}, {" 12.5x", 12.5}, {"0.3", 0.3}, {"-3x", -3},
                                                      {"1 2", 1},   {"", 0},          {"abc", 0}};
    for (const auto& [text, number] : leading)
        EXPECT_EQ(leadingNumber(text), number) << text;
    EXPECT_EQ(leadingNumber("12", 1), 1); // never beyond the given length

    std::int32_t i32 = 0;
    std::int16_t i16 = 0;
    EXPECT_TRUE(roundToInt32(2.5, &i32) && i32 == 2 && roundToInt32(3.5, &i32) && i32 == 4);
    EXPECT_TRUE(roundToInt16(-2.5, &i16) && i16 == -2 && roundToInt16(-32768.4, &i16) && i16 == -32768);
    EXPECT_FALSE(roundToInt16(32767.5, &i16) || roundToInt32(2147483647.5, &i32) ||
                 roundToInt32(std::numeric_limits<double>::quiet_NaN(), &i32));
}

TEST(VariantTest, TextFormsUseTheGermanConventions)
{
    const std::pair<Variant, const char*> forms[] = {{17, "17"},
                                                     {1.5, "1,5"},
                                                     {-0.0, "0"},
                                                     {1e20, "1E+20"},
                                                     {Date{2010, 2, 18}, "18.02.2010"},
                                                     {Variant::null(), ""},
                                                     {Variant(), ""}};
    for (const auto& [value, text] : forms)
        EXPECT_EQ(value.toText(), text);
}

} // namespace
} // namespace torvane
