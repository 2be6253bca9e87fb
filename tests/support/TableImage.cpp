#include "support/TableImage.h"

#include <stdexcept>

namespace torvane::testsupport {
namespace {

std::uint32_t readLittleEndian(const std::string& file, std::size_t at, int bytes)
{
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(file.at(at + static_cast<std::size_t>(i)));
    return value;
}

void putLittleEndian(std::string& file, std::size_t at, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        file[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::string withoutBlanksAround(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

TableImage::TableImage(const std::string& bytes) : file(bytes)
{
    count = static_cast<std::int32_t>(readLittleEndian(file, 4, 4));
    recordLength = static_cast<std::int16_t>(readLittleEndian(file, 10, 2));
    int start = 2;
    for (std::size_t at = 32; static_cast<unsigned char>(file.at(at)) >= 0x20; at += 32) {
        ImageField field;
        field.name = withoutBlanksAround(file.substr(at, 11));
        while (!field.name.empty() && static_cast<unsigned char>(field.name.back()) < 0x20)
            field.name.pop_back();
        field.type = withoutBlanksAround(file.substr(at + 11, 1));
        field.length = static_cast<unsigned char>(file.at(at + 16));
        field.start = start;
        start += field.length;
        fields.push_back(field);
    }
    dataStart = 32 * fields.size() + 33;
}

int TableImage::fieldNumber(const std::string& name) const
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].name == name)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

std::string TableImage::record(std::int32_t r) const
{
    const std::size_t length = static_cast<std::size_t>(recordLength);
    const std::size_t at = dataStart + static_cast<std::size_t>(r - 1) * length;
    std::string image = at < file.size() ? file.substr(at, length) : std::string();
    image.resize(length, ' ');
    return image;
}

std::string TableImage::value(std::int32_t r, const std::string& name) const
{
    const int number = fieldNumber(name);
    if (number == 0)
        throw std::invalid_argument("no field " + name);
    const ImageField& field = fields[static_cast<std::size_t>(number - 1)];
    return record(r).substr(static_cast<std::size_t>(field.start - 1), static_cast<std::size_t>(field.length));
}

std::string layoutTable(const std::vector<TemplateField>& fields, const std::vector<Row>& rows, bool endMarker)
{
    std::string file(32, '\0');
    file[0] = '\x03';
    file[1] = static_cast<char>(110);
    file[2] = 2;
    file[3] = 18;
    std::size_t recordLength = 1;
    for (const TemplateField& field : fields) {
        std::string descriptor(32, '\0');
        descriptor.replace(0, field.name.size(), field.name);
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
            const int number = layout.fieldNumber(name);
            if (number == 0)
                throw std::invalid_argument("no field " + name);
            const ImageField& field = layout.fields[static_cast<std::size_t>(number - 1)];
            const auto width = static_cast<std::size_t>(field.length);
            const std::string padded = (value + std::string(width, ' ')).substr(0, width);
            image.replace(static_cast<std::size_t>(field.start - 1), width, padded);
        }
        file += image;
    }
    return endMarker ? file + '\x1A' : file;
}

::testing::AssertionResult sameTable(const std::string& expected, const std::optional<std::string>& actual)
{
    if (!actual)
        return ::testing::AssertionFailure() << "the file is missing";
    if (*actual == expected)
        return ::testing::AssertionSuccess();
    std::size_t at = 0;
    while (at < expected.size() && at < actual->size() && expected[at] == (*actual)[at])
        ++at;
    auto failure = ::testing::AssertionFailure();
    failure << expected.size() << " bytes expected, " << actual->size() << " found; first difference at byte " << at;
    const TableImage layout(expected);
    if (at >= layout.dataStart && layout.recordLength > 0) {
        const std::size_t length = static_cast<std::size_t>(layout.recordLength);
        const std::size_t position = (at - layout.dataStart) % length + 1;
        failure << ", record " << (at - layout.dataStart) / length + 1 << " position " << position;
        for (const ImageField& field : layout.fields) {
            if (position >= static_cast<std::size_t>(field.start) &&
                position < static_cast<std::size_t>(field.start + field.length))
                failure << " (field " << field.name << ")";
        }
    }
    const auto excerpt = [at](const std::string& bytes) {
        return at < bytes.size() ? bytes.substr(at, 24) : std::string();
    };
    return failure << ": expected \"" << excerpt(expected) << "\", found \"" << excerpt(*actual) << "\"";
}

std::string flagged(std::string file, std::int32_t r, char flag)
{
    const TableImage layout(file);
    file.at(layout.dataStart + static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(layout.recordLength)) = flag;
    return file;
}

} // namespace torvane::testsupport
