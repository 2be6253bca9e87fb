#include "dbset/PermittedCharacters.h"
#include "dbset/ValueFitting.h"
#include "support/RecordingReporter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace torvane {
namespace {

class ValueFittingTest : public ::testing::Test {
protected:
    Variant fitted(Variant value, std::string type, std::int16_t length)
    {
        fitting.setze_um(value, type, length);
        return value;
    }
    Variant checked(Variant value, std::string type, std::int16_t length)
    {
        EXPECT_TRUE(fitting.geprueft(value, type, length));
        return value;
    }

    testsupport::RecordingReporter errors;
    ValueFitting fitting{errors};
};

TEST_F(ValueFittingTest, CharacterValuesAreCutOrPaddedByAtMost250Blanks)
{
    EXPECT_EQ(fitted("abc", "C", 6), Variant("abc   "));
    EXPECT_EQ(fitted("abcdefghi", "C", 6), Variant("abcdef"));
    EXPECT_EQ(fitted("", "C", 254), Variant(std::string(250, ' ')));
    EXPECT_EQ(fitted("abc", "C", 0), Variant(""));
    EXPECT_EQ(fitted(17, "C", 4), Variant("17  "));
    EXPECT_EQ(checked("x(", "C", 300), Variant("x " + std::string(250, ' '))) << "nothing to check past the end";
    for (const char* type : {"D", "c", "C "}) {
        EXPECT_EQ(fitted("a/b", type, 6), Variant("a/b")) << type;
        EXPECT_EQ(checked("a/b", type, 6), Variant("a/b")) << type;
    }
}

TEST_F(ValueFittingTest, GeprueftBlanksEveryByteOutsideLettersUmlautsDigitsAndFourMarks)
{
    // a slash, a plus, an e with acute accent and the two bytes of a UTF-8 "ä"
    const std::string dirty = "M\xFCller/Stra\xDF" "e+Ren\xE9 \xC3\xA4 \xC4\xD6\xDC\xE4\xF6 0-9,.";
    EXPECT_EQ(checked(dirty, "C", static_cast<std::int16_t>(dirty.size())),
              Variant("M\xFCller Stra\xDF" "e Ren     \xC4\xD6\xDC\xE4\xF6 0-9,."));
    EXPECT_EQ(std::count(PermittedBytes.begin(), PermittedBytes.end(), true), 26 + 26 + 7 + 10 + 4);
    EXPECT_TRUE(errors.reports.empty());
}

TEST_F(ValueFittingTest, ANegativeLengthIsReportedAndLeavesTheValue)
{
    EXPECT_EQ(fitted("a/b", "C", -1), Variant("a/b"));
    EXPECT_EQ(checked("a/b", "C", -1), Variant("a/b"));
    ASSERT_EQ(errors.reports.size(), 2u);
    EXPECT_EQ(errors.reports[0].location, "Error in D_Datenbank: Sub setze_um");
    EXPECT_EQ(errors.reports[1].location, "Error in D_Datenbank: Function geprueft");
}

} // namespace
} // namespace torvane
