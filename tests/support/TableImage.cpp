#include "support/TableImage.h"

#include <algorithm>
#include <stdexcept>

namespace torvane::testsupport {
namespace {

std::uint32_t littleEndian(const std::string& file, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(file.at(at + static_cast<std::size_t>(i)));
    return value;
}

void putLittleEndian(std::string& file, std::size_t at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        file[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
}

} // namespace

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

TableImage::TableImage(const std::string& bytes) : file(bytes)
{
    count = static_cast<std::int32_t>(littleEndian(file, 4, 4));
    recordLength = static_cast<std::int16_t>(littleEndian(file, 10, 2));
    int start = 2;
    for (std::size_t at = 32; static_cast<unsigned char>(file.at(at)) >= 0x20; at += 32) {
        ImageField& field = fields.emplace_back(trimmed(file.substr(at, 11)), trimmed(file.substr(at + 11, 1)),
                                                static_cast<unsigned char>(file.at(at + 16)), start);
        while (!field.name.empty() && static_cast<unsigned char>(field.name.back()) < 0x20)
            field.name.pop_back();
        start += field.length;
    }
    dataStart = 32 * fields.size() + 33;
}

const ImageField& TableImage::field(const std::string& name) const
{
    const auto found = std::find_if(fields.begin(), fields.end(), [&](const ImageField& f) { return f.name == name; });
    return found != fields.end() ? *found : throw std::invalid_argument("no field " + name);
}

std::string TableImage::record(std::int32_t r) const
{
    const auto length = static_cast<std::size_t>(recordLength);
    const std::size_t at = dataStart + static_cast<std::size_t>(r - 1) * length;
    std::string image = at < file.size() ? file.substr(at, length) : std::string();
    image.resize(length, ' ');
    return image;
}

std::string layoutTable(const std::vector<TemplateField>& fields, const std::vector<Row>& rows, bool endMarker)
{
    std::string file = std::string("\x03\x6E\x02\x12", 4) + std::string(28, '\0');
    std::size_t recordLength = 1;
    for (const TemplateField& field : fields) {
        std::string descriptor = field.name + std::string(32 - field.name.size(), '\0');
        descriptor[11] = field.type;
        descriptor[16] = static_cast<char>(field.length);
        file += descriptor;
        recordLength += static_cast<std::size_t>(field.length);
    }
    file += '\x0D';
    putLittleEndian(file, 4, static_cast<std::uint32_t>(rows.size()), 4);
    putLittleEndian(file, 8, static_cast<std::uint32_t>(file.size()), 2);
    putLittleEndian(file, 10, static_cast<std::uint32_t>(recordLength), 2);
    const TableImage layout(file);
    for (const Row& row : rows) {
        std::string image(recordLength, ' ');
        for (const auto& [name, value] : row) {
            const ImageField& field = layout.field(name);
            const auto width = static_cast<std::size_t>(field.length);
            image.replace(static_cast<std::size_t>(field.start - 1), width,
                          (value + std::string(width, ' ')).substr(0, width));
        }
        file += image;
    }
    return endMarker ? file + '\x1A' : file;
}

::testing::AssertionResult sameTable(const std::optional<std::string>& expected,
                                     const std::optional<std::string>& actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    if (!expected || !actual)
        return ::testing::AssertionFailure() << (expected ? "the file is missing" : "a file that should not exist");
    const auto at = static_cast<std::size_t>(
        std::mismatch(expected->begin(), expected->end(), actual->begin(), actual->end()).first - expected->begin());
    const TableImage layout(*expected);
    const auto length = static_cast<std::size_t>(std::max<int>(layout.recordLength, 1));
    const std::string where =
        at < layout.dataStart ? "the header" : "record " + std::to_string((at - layout.dataStart) / length + 1);
    return ::testing::AssertionFailure() << expected->size() << " bytes expected, " << actual->size()
                                         << " found; first difference at byte " << at << " in " << where
                                         << ": expected \"" << expected->substr(std::min(at, expected->size()), 24)
                                         << "\", found \"" << actual->substr(std::min(at, actual->size()), 24) << "\"";
}

} // namespace torvane::testsupport
