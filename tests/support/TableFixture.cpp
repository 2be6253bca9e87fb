#include "support/TableFixture.h"

#include "support/TableImage.h"

namespace torvane::testsupport {

std::string tableFile(int resource, const std::vector<Row>& rows)
{
    // The template's own header with the count and records of the same fields laid out.
    const std::string laidOut = layoutTable(templateFields(resource), rows);
    const std::size_t dataStart = TableImage(laidOut).dataStart;
    std::string file(templateBlob(resource).substr(0, dataStart));
    file.replace(4, 4, laidOut, 4, 4);
    return file + laidOut.substr(dataStart);
}

std::vector<Row> keyRows(const std::vector<std::string>& keys)
{
    std::vector<Row> rows;
    for (const std::string& key : keys)
        rows.push_back({{"DATNUMMER", key}});
    return rows;
}

} // namespace torvane::testsupport
