#include "resources/Templates.h"
#include "support/TemplateFields.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>

namespace torvane {
namespace {

using testsupport::TemplateField;
using testsupport::templateFields;

struct Expected {
    const char* base;
    int resource;
    std::size_t size;
    std::size_t fieldCount;
    std::array<std::uint8_t, 3> date; // year - 1900, month, day
    std::uint8_t languageDriver;
};

constexpr std::array<Expected, 4> expectedTemplates{{
    {"person", 101, 484, 14, {110, 2, 18}, 0x00},
    {"kvxdat1", 102, 2404, 74, {110, 2, 18}, 0x00},
    {"kvxdat2", 103, 8164, 254, {110, 2, 18}, 0x58},
    {"kvxdat3", 104, 1924, 59, {110, 11, 22}, 0x00},
}};

void putLittleEndian(std::string& bytes, std::size_t offset, std::uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

// An empty table built from scratch, to hold the carried blob against.
std::string buildEmptyTable(const std::vector<TemplateField>& fields, const Expected& expected)
{
    std::string bytes(32, '\0');
    bytes[0] = 0x03;
    for (int i = 0; i < 3; ++i)
        bytes[1 + i] = static_cast<char>(expected.date[i]);
    std::uint32_t recordLength = 1;
    for (const TemplateField& field : fields)
        recordLength += field.length;
    putLittleEndian(bytes, 8, 32 * fields.size() + 33, 2);
    putLittleEndian(bytes, 10, recordLength, 2);
    bytes[29] = static_cast<char>(expected.languageDriver);
    for (const TemplateField& field : fields) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, field.name.size(), field.name);
        descriptor[11] = field.type;
        descriptor[16] = static_cast<char>(field.length);
        bytes += descriptor;
    }
    bytes += std::string("\x0D\x1A\x00\x00", 4);
    return bytes;
}

std::size_t firstDifference(std::string_view a, std::string_view b)
{
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return i == a.size() && i == b.size() ? std::string_view::npos : i;
}

TEST(TemplatesTest, EachBlobIsTheEmptyTableOfItsFieldList)
{
    for (std::size_t i = 0; i < expectedTemplates.size(); ++i) {
        const Expected& expected = expectedTemplates[i];
        SCOPED_TRACE(expected.base);
        EXPECT_STREQ(TableNames[i].base, expected.base);
        EXPECT_EQ(TableNames[i].resource, expected.resource);

        const std::vector<TemplateField>& fields = templateFields(expected.resource);
        EXPECT_EQ(fields.size(), expected.fieldCount);
        const std::string_view blob = templateBlob(expected.resource);
        EXPECT_EQ(blob.size(), expected.size);
        EXPECT_EQ(firstDifference(blob, buildEmptyTable(fields, expected)), std::string_view::npos);
    }
}

TEST(TemplatesTest, HeaderCarriesDataStartAndRecordLength)
{
    const std::array<std::pair<int, int>, 4> headerAndRecordLength{{
        {481, 269}, {2401, 2881}, {8161, 260}, {1921, 2740}}};
    for (std::size_t i = 0; i < TableNames.size(); ++i) {
        SCOPED_TRACE(TableNames[i].base);
        const std::string_view blob = templateBlob(TableNames[i].resource);
        ASSERT_GE(blob.size(), 12u);
        const auto u16 = [&](std::size_t at) {
            return static_cast<std::uint8_t>(blob[at]) | static_cast<std::uint8_t>(blob[at + 1]) << 8;
        };
        EXPECT_EQ(u16(8), headerAndRecordLength[i].first);
        EXPECT_EQ(u16(10), headerAndRecordLength[i].second);
    }
}

TEST(TemplatesTest, UnknownResourceNumbersGiveAnEmptyBlob)
{
    for (int number : {0, 1, 100, 105, -101, 1101})
        EXPECT_TRUE(templateBlob(number).empty()) << number;
}

} // namespace
} // namespace torvane
