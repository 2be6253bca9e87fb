#include "dbset/ValueFitting.h"
#include "support/RecordingReporter.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace torvane {
namespace {

TEST(ValueFittingTest, CharacterValuesAreCutOrPaddedByAtMost250BlanksAndCleaned)
{
    testsupport::RecordingReporter errors;
    ValueFitting fitting{errors};
    using Fitted = std::pair<Variant, Variant>;
    // The value after setze_um, and after geprueft.
    auto fitted = [&](const Variant& value, std::string type, std::int16_t length) {
        Fitted both{value, value};
        fitting.setze_um(both.first, type, length);
        EXPECT_TRUE(fitting.geprueft(both.second, type, length));
        return both;
    };
    EXPECT_EQ(fitted("abc", "C", 6), Fitted("abc   ", "abc   "));
    EXPECT_EQ(fitted("abcdefghi", "C", 6), Fitted("abcdef", "abcdef"));
    EXPECT_EQ(fitted("", "C", 254), Fitted(std::string(250, ' '), std::string(250, ' ')));
    EXPECT_EQ(fitted("a/b", "C", 0), Fitted("", ""));
    EXPECT_EQ(fitted("x(", "C", 300).second, Variant("x " + std::string(250, ' '))) << "nothing to check past the end";
    for (const char* type : {"D", "c", "C "})
        EXPECT_EQ(fitted("a/b", type, 6), Fitted("a/b", "a/b")) << type;

    // a slash, a plus, an e with acute accent and the two bytes of a UTF-8 "ä"
    const std::string dirty = "M\xFCller/Stra\xDF"
                              "e+Ren\xE9 \xC3\xA4 \xC4\xD6\xDC\xE4\xF6 azAZ09,.-";
    EXPECT_EQ(fitted(dirty, "C", static_cast<std::int16_t>(dirty.size())).second,
              Variant("M\xFCller Stra\xDF"
                      "e Ren     \xC4\xD6\xDC\xE4\xF6 azAZ09,.-"));
    std::string every;
    for (int c = 1; c < 256; ++c)
        every += static_cast<char>(c);
    const std::string kept = fitted(every, "C", 255).second.toText();
    EXPECT_EQ(std::count_if(kept.begin(), kept.end(), [](char c) { return c != ' '; }), 26 + 26 + 7 + 10 + 3);
    EXPECT_TRUE(errors.reports.empty());
    EXPECT_EQ(fitted("a/b", "C", -1), Fitted("a/b", "a/b")) << "a negative length is reported";
    EXPECT_EQ(errors.reports.size(), 2u);
}

} // namespace
} // namespace torvane
