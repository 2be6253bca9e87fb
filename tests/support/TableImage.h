#pragma once

#include "support/TableFixture.h"
#include "support/TemplateFields.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace torvane::testsupport {

struct ImageField {
    std::string name;
    std::string type;
    int length = 0;
    int start = 0;  // 1-based in the record image; position 1 is the deletion flag
};

// A table file read straight from its bytes, without the table object: the
// header's count and record length, the descriptors up to the first block
// that starts below a blank, the data start counted from them.
struct TableImage {
    explicit TableImage(const std::string& file);

    // The first field of that exact name; 0 when there is none.
    int fieldNumber(const std::string& name) const;
    // Record r (1-based) as stored; bytes past the end of the file read as blanks.
    std::string record(std::int32_t r) const;
    // A field of record r with its padding.
    std::string value(std::int32_t r, const std::string& name) const;

    std::string file;
    std::int32_t count = 0;
    std::int16_t recordLength = 0;
    std::vector<ImageField> fields;
    std::size_t dataStart = 0;
};

// A complete table file of any layout holding the rows (fields not named
// stay blank), its record length the sum of the widths plus the flag.
std::string layoutTable(const std::vector<TemplateField>& fields, const std::vector<Row>& rows,
                        bool endMarker = true);
// Byte-for-byte equality of two table files; a difference is named by
// record and field, a missing file as missing.
::testing::AssertionResult sameTable(const std::string& expected, const std::optional<std::string>& actual);

// The file with the deletion flag of record r set to flag.
std::string flagged(std::string file, std::int32_t r, char flag = '*');

} // namespace torvane::testsupport
