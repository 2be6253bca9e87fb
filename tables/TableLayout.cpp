#include "tables/TableLayout.h"

#include "tables/TrimBlanks.h"

#include <algorithm>

namespace torvane {
namespace {

constexpr std::size_t HeaderSize = 32;
constexpr std::size_t DescriptorSize = 32;
constexpr std::size_t MaxFields = 255;
constexpr unsigned char Terminator = 0x0D;
constexpr std::uint8_t PracticeVersion = 0x03;

// Descriptor names are padded with NUL bytes: drop what lies below a blank
// at the end, after the blanks around the name.
std::string descriptorName(std::string_view bytes)
{
    std::string name = trimBlanks(bytes.substr(0, 11));
    while (!name.empty() && static_cast<unsigned char>(name.back()) < 0x20)
        name.pop_back();
    return name;
}

unsigned byteAt(std::string_view bytes, std::size_t i)
{
    return static_cast<unsigned char>(bytes[i]);
}

} // namespace

LayoutDefect readTableLayout(std::string_view start, TableLayout* out)
{
    *out = {};
    if (start.size() < HeaderSize)
        return LayoutDefect::ShortHeader;
    out->version = static_cast<std::uint8_t>(byteAt(start, 0));
    out->noRecords = static_cast<std::int32_t>(byteAt(start, 4) | (byteAt(start, 5) << 8) | (byteAt(start, 6) << 16) |
                                               (std::uint32_t{byteAt(start, 7)} << 24));
    out->headerLength = static_cast<std::uint16_t>(byteAt(start, 8) | (byteAt(start, 9) << 8));
    out->recordLength = static_cast<std::int16_t>(byteAt(start, 10) | (byteAt(start, 11) << 8));

    int position = 2;
    for (std::size_t offset = HeaderSize;; offset += DescriptorSize) {
        if (offset >= start.size())
            return LayoutDefect::NoTerminator;
        const unsigned first = byteAt(start, offset);
        if (first < 0x20) {
            if (first != Terminator)
                return LayoutDefect::NoTerminator;
            break;
        }
        if (start.size() - offset < DescriptorSize)
            return LayoutDefect::CutDescriptor;
        if (out->fields.size() == MaxFields)
            return LayoutDefect::TooManyFields;
        const std::string_view descriptor = start.substr(offset, DescriptorSize);
        TableLayout::Field field;
        field.name = descriptorName(descriptor);
        field.type = trimBlanks(descriptor.substr(11, 1));
        field.length = static_cast<int>(byteAt(descriptor, 16));
        field.decimals = static_cast<int>(byteAt(descriptor, 17));
        field.start = position;
        position += field.length;
        out->fields.push_back(std::move(field));
    }
    return out->recordLength < 1 ? LayoutDefect::BadRecordLength : LayoutDefect::None;
}

const char* defectText(LayoutDefect defect)
{
    switch (defect) {
    case LayoutDefect::None:
        break;
    case LayoutDefect::ShortHeader:
        return "Tabellenkopf fehlt oder ist unvollständig";
    case LayoutDefect::NoTerminator:
        return "Feldliste ohne Abschlusszeichen";
    case LayoutDefect::CutDescriptor:
        return "Feldliste bricht mitten in einer Feldbeschreibung ab";
    case LayoutDefect::TooManyFields:
        return "mehr als 255 Felder";
    case LayoutDefect::BadRecordLength:
        return "Datensatzlänge ungültig";
    }
    return "";
}

bool holdsPlainText(std::string_view type)
{
    // Character, date (8 digits), numeric and float (digits as text), logical.
    return type == "C" || type == "D" || type == "N" || type == "F" || type == "L";
}

LayoutDepartures departures(const TableLayout& layout, std::uint64_t fileSize)
{
    LayoutDepartures found;
    found.otherVersion = layout.version != PracticeVersion;
    found.headerLengthDiffers = layout.headerLength != layout.dataStart();
    std::int64_t widths = 1;
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        widths += layout.fields[i].length;
        if (!holdsPlainText(layout.fields[i].type))
            found.nonTextFields.push_back(i);
    }
    found.recordLengthDiffers = layout.recordLength != widths;
    if (layout.recordLength > 0 && layout.noRecords > 0) {
        const std::uint64_t stored = fileSize > layout.dataStart() ? (fileSize - layout.dataStart()) /
                                                                         static_cast<std::uint64_t>(layout.recordLength)
                                                                   : 0;
        found.missingRows = std::max<std::int64_t>(0, layout.noRecords - static_cast<std::int64_t>(stored));
    }
    found.noKey = std::none_of(layout.fields.begin(), layout.fields.end(),
                               [](const TableLayout::Field& field) { return field.name == "DATNUMMER"; });
    return found;
}

} // namespace torvane
