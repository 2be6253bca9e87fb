#include "resources/Templates.h"
#include "support/TableImage.h"
#include "support/TemplateFields.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace torvane {
namespace {

TEST(TemplatesTest, EachBlobIsTheEmptyTableOfItsFieldList)
{
    // Sizes of 14, 74, 254 and 59 fields; dates as year - 1900, month, day.
    struct Expected {
        const char* base;
        std::size_t size;
        const char* date;
        char languageDriver;
    };
    const Expected expected[] = {{"person", 484, "\x6E\x02\x12", 0x00},
                                 {"kvxdat1", 2404, "\x6E\x02\x12", 0x00},
                                 {"kvxdat2", 8164, "\x6E\x02\x12", 0x58},
                                 {"kvxdat3", 1924, "\x6E\x0B\x16", 0x00}};
    for (std::size_t i = 0; i < TableNames.size(); ++i) {
        SCOPED_TRACE(expected[i].base);
        EXPECT_STREQ(TableNames[i].base, expected[i].base);
        EXPECT_EQ(TableNames[i].resource, 101 + static_cast<int>(i));
        // Built from the field list alone, with the template's date and language driver.
        std::string built = testsupport::layoutTable(testsupport::templateFields(TableNames[i].resource), {});
        built += std::string(2, '\0');
        built.replace(1, 3, expected[i].date);
        built[29] = expected[i].languageDriver;
        const std::string_view blob = templateBlob(TableNames[i].resource);
        EXPECT_EQ(blob.size(), expected[i].size);
        const auto differs = std::mismatch(blob.begin(), blob.end(), built.begin(), built.end()).first;
        EXPECT_TRUE(blob == built) << "first difference at byte " << differs - blob.begin();
    }
    for (const int number : {0, 100, 105, -101, 1101})
        EXPECT_TRUE(templateBlob(number).empty()) << number;
}

} // namespace
} // namespace torvane
