#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// What the first bytes of a table file say about it: the header and the
// field list, read as the table object reads them.
struct TableLayout {
    struct Field {
        std::string name;
        std::string type;
        int length = 0;
        int decimals = 0;
        int start = 0; // 1-based in the record, behind the deletion flag
    };

    std::uint8_t version = 0;
    std::int32_t noRecords = 0;
    std::uint16_t headerLength = 0; // as the header claims it
    std::int16_t recordLength = 0;
    std::vector<Field> fields;

    // Where the table object reads record 1: right behind the terminator.
    std::uint64_t dataStart() const { return 32u * fields.size() + 33u; }
};

// Why a file cannot be opened as a table at all.
enum class LayoutDefect {
    None,
    ShortHeader,   // fewer than the 32 bytes of the file header
    NoTerminator,  // the field list has no end marker inside the file
    CutDescriptor, // a field description runs past the end of the file
    TooManyFields,
    BadRecordLength,
};

// The file's bytes from its start that decide its layout; fewer only when
// the file is shorter.
inline constexpr std::size_t LayoutBytes = 32 + 256 * 32;

// Reads the layout from the start of a file (LayoutBytes, or the whole of
// a shorter file). With a defect the layout holds what was read before it.
LayoutDefect readTableLayout(std::string_view start, TableLayout* out);
// The reason as the table object names it (UTF-8).
const char* defectText(LayoutDefect defect);

// How a table departs from the layout the practice's tables use, which the
// reader does not check: it reads them all the same.
struct LayoutDepartures {
    bool otherVersion = false;              // a version byte other than 0x03
    bool headerLengthDiffers = false;       // the header places record 1 elsewhere
    bool recordLengthDiffers = false;       // not 1 + the sum of the field widths
    std::int64_t missingRows = 0;           // rows the record count claims behind the end of the file
    std::vector<std::size_t> nonTextFields; // indexes of fields of a type that holds no plain text
    bool noKey = false;                     // no field DATNUMMER
};

LayoutDepartures departures(const TableLayout& layout, std::uint64_t fileSize);

// The field types that hold their value as plain text in the record.
bool holdsPlainText(std::string_view type);

} // namespace torvane
