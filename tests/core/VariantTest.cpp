#include "tables/Variant.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace torvane {
namespace {

TEST(VariantTest, ReadsAsNumberOnlyForWholeNumberShapes)
{
    double value = 0;
    for (const char* yes : {" 12 ", "-3", "+1,5", "1.5", ".5", "2e3", "1,5E-2"})
        EXPECT_TRUE(readsAsNumber(yes, &value)) << yes;
    EXPECT_TRUE(readsAsNumber("1,5", &value));
    EXPECT_EQ(value, 1.5);
    for (const char* no : {"", "   ", "-", ".", "12a", "1 2", "1.2.3", "e5", "2e", "1e999", "DATNUMMER"})
        EXPECT_FALSE(readsAsNumber(no, &value)) << no;
    EXPECT_TRUE(Variant().isNumeric());
    EXPECT_FALSE(Variant::null().isNumeric());
}

TEST(VariantTest, LeadingNumberStopsAtTheFirstForeignCharacter)
{
    EXPECT_EQ(leadingNumber("12  "), 12);
    EXPECT_EQ(leadingNumber(" 12.5x"), 12.5);
    EXPECT_EQ(leadingNumber("0.3"), 0.3);
    EXPECT_EQ(leadingNumber("-3x"), -3);
    EXPECT_EQ(leadingNumber("1 2"), 1);
    EXPECT_EQ(leadingNumber(""), 0);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber("12", 1), 1);  // never beyond the given length
}

TEST(VariantTest, RoundingTakesHalvesToEvenAndReportsOverflow)
{
    std::int32_t i32 = 0;
    std::int16_t i16 = 0;
    EXPECT_TRUE(roundToInt32(2.5, &i32) && i32 == 2);
    EXPECT_TRUE(roundToInt32(3.5, &i32) && i32 == 4);
    EXPECT_TRUE(roundToInt16(-2.5, &i16) && i16 == -2);
    EXPECT_TRUE(roundToInt16(-32768.4, &i16) && i16 == -32768);
    EXPECT_FALSE(roundToInt16(32767.5, &i16));
    EXPECT_FALSE(roundToInt32(2147483647.5, &i32));
    EXPECT_FALSE(roundToInt32(std::numeric_limits<double>::quiet_NaN(), &i32));
}

TEST(VariantTest, TextFormsUseTheGermanConventions)
{
    EXPECT_EQ(Variant(17).toText(), "17");
    EXPECT_EQ(Variant(1.5).toText(), "1,5");
    EXPECT_EQ(Variant(-0.0).toText(), "0");
    EXPECT_EQ(Variant(1e20).toText(), "1E+20");
    EXPECT_EQ(Variant(Date{2010, 2, 18}).toText(), "18.02.2010");
    EXPECT_EQ(Variant::null().toText(), "");
    EXPECT_EQ(Variant().toText(), "");
}

} // namespace
} // namespace torvane
