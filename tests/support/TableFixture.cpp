#include "support/TableFixture.h"

#include "support/TemplateFields.h"

namespace torvane::testsupport {
namespace {

std::size_t dataStart(int resource) { return 32 * templateFields(resource).size() + 33; }

std::size_t recordLength(int resource)
{
    std::size_t length = 1;
    for (const TemplateField& field : templateFields(resource))
        length += static_cast<std::size_t>(field.length);
    return length;
}

void put(std::string& image, int resource, const std::string& name, const std::string& value)
{
    std::size_t start = 1;
    for (const TemplateField& field : templateFields(resource)) {
        const auto length = static_cast<std::size_t>(field.length);
        if (field.name == name)
            image.replace(start, length, (value + std::string(length, ' ')).substr(0, length));
        start += length;
    }
}

} // namespace

std::string tableFile(int resource, const std::vector<Row>& rows)
{
    std::string file(templateBlob(resource).substr(0, dataStart(resource)));
    for (int i = 0; i < 4; ++i)
        file[4 + static_cast<std::size_t>(i)] = static_cast<char>((rows.size() >> (8 * i)) & 0xFF);
    for (const Row& row : rows) {
        std::string image(recordLength(resource), ' ');
        for (const auto& [name, value] : row)
            put(image, resource, name, value);
        file += image;
    }
    return file + '\x1A';
}

std::vector<Row> keyRows(const std::vector<std::string>& keys)
{
    std::vector<Row> rows;
    for (const std::string& key : keys)
        rows.push_back({{"DATNUMMER", key}});
    return rows;
}

std::string recordImage(const std::string& file, int resource, int record)
{
    const std::size_t length = recordLength(resource);
    return file.substr(dataStart(resource) + static_cast<std::size_t>(record - 1) * length, length);
}

std::int32_t headerCount(const std::string& file)
{
    std::uint32_t count = 0;
    for (std::size_t i = 8; i-- > 4;)
        count = (count << 8) | static_cast<unsigned char>(file.at(i));
    return static_cast<std::int32_t>(count);
}

} // namespace torvane::testsupport
