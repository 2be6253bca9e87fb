#pragma once

#include "support/TemplateFields.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace torvane::testsupport {

// One record: values by field name; fields not named stay blank. Declared
// here as well as with the table fixture, so that the reference model stays
// clear of the database code.
using Row = std::vector<std::pair<std::string, std::string>>;

struct ImageField {
    std::string name;
    std::string type;
    int length = 0;
    int start = 0; // 1-based in the record image; position 1 is the deletion flag
};

// A table file read straight from its bytes, without the table object: the
// header's count and record length, the descriptors up to the first block
// that starts below a blank, the data start counted from them.
struct TableImage {
    explicit TableImage(const std::string& bytes);

    // The first field of that exact name; throws when there is none.
    const ImageField& field(const std::string& name) const;
    // Record r (1-based) as stored; bytes past the end of the file read as blanks.
    std::string record(std::int32_t r) const;

    std::string file;
    std::int32_t count = 0;
    std::int16_t recordLength = 0;
    std::vector<ImageField> fields;
    std::size_t dataStart = 0;
};

// The text without the blanks around it.
std::string trimmed(const std::string& text);

// A complete table file of any layout holding the rows (fields not named
// stay blank), its record length the sum of the widths plus the flag.
std::string layoutTable(const std::vector<TemplateField>& fields, const std::vector<Row>& rows, bool endMarker = true);
// Byte-for-byte equality of two table files, either of which may be missing;
// a difference is named by its byte and record.
::testing::AssertionResult sameTable(const std::optional<std::string>& expected,
                                     const std::optional<std::string>& actual);

} // namespace torvane::testsupport
