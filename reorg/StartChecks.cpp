#include "reorg/StartChecks.h"

#include "errors/RunError.h"
#include "errors/Trap.h"
#include "platform/Cp1252.h"
#include "reorg/CheckTexts.h"
#include "reorg/RunLocation.h"
#include "resources/Templates.h"

#include <algorithm>

namespace torvane {
namespace {

// kvxdat3 may be missing; the run then makes it from its template.
constexpr std::size_t RequiredTables = 3;

// Patienten.csv takes a line per patient record, Untersuchungen.csv one per
// examination row at most, Protokoll.txt a few pages.
constexpr std::uint64_t ReportPerPatient = 160;
constexpr std::uint64_t ReportPerRow = 64;
constexpr std::uint64_t ReportBase = 64 * 1024;

std::string fileOf(std::size_t t)
{
    return std::string(TableNames[t].base) + ".kvt";
}

std::int64_t templateRecordLength(std::size_t t)
{
    TableLayout layout;
    readTableLayout(templateBlob(TableNames[t].resource), &layout);
    return layout.recordLength;
}

} // namespace

std::optional<StartChecks::Refusal> StartChecks::pruefe_start(const std::string& dataFolder,
                                                              const std::string& tempFolder)
{
    for (std::size_t t = 0; t < TableNames.size(); ++t) {
        if (std::optional<Refusal> refusal = readTable(dataFolder, t))
            return refusal;
    }
    return checkRoom(dataFolder, tempFolder);
}

std::optional<StartChecks::Refusal> StartChecks::readTable(const std::string& dataFolder, std::size_t t)
{
    Table& table = tables_[t];
    const std::string path = dataFolder + fileOf(t);
    bool found = false;
    Status status = env_.findPlainFile(path, &found);
    if (status.isOk() && !found) {
        if (t < RequiredTables)
            return Refusal{errnum::RunNotStarted, texts::tableMissing(fileOf(t), dataFolder)};
        return std::nullopt;
    }
    std::string start;
    if (status.isOk())
        status = env_.readFileStart(path, LayoutBytes, &start);
    if (status.isOk())
        status = env_.fileSize(path, &table.size);
    if (!status.isOk())
        return Refusal{status.number(),
                       texts::tableUnreadable(fileOf(t), dataFolder, RunError::fromStatus(status).text)};
    if (const LayoutDefect defect = readTableLayout(start, &table.layout); defect != LayoutDefect::None)
        return Refusal{errnum::RunNotStarted,
                       texts::tableUnreadable(fileOf(t), dataFolder, cp1252::ansi(defectText(defect)))};
    table.present = true;
    return std::nullopt;
}

// The rows a table's file holds: its record count, or fewer when the file
// ends before them.
std::int64_t StartChecks::storedRows(std::size_t t) const
{
    const Table& table = tables_[t];
    if (!table.present || table.layout.noRecords <= 0 || table.size <= table.layout.dataStart())
        return 0;
    const std::uint64_t stored =
        (table.size - table.layout.dataStart()) / static_cast<std::uint64_t>(table.layout.recordLength);
    return std::min<std::int64_t>(table.layout.noRecords, static_cast<std::int64_t>(stored));
}

// What a working copy may grow to: a row appended to a table that is
// shorter than its record count lands behind all the rows the count claims,
// so the file then takes the room of every one of them.
std::uint64_t StartChecks::grownSize(std::size_t t) const
{
    const Table& table = tables_[t];
    if (!table.present || table.layout.noRecords <= 0)
        return table.size;
    const std::uint64_t claimed = table.layout.dataStart() + static_cast<std::uint64_t>(table.layout.noRecords) *
                                                                 static_cast<std::uint64_t>(table.layout.recordLength);
    return std::max(table.size, claimed);
}

std::uint64_t StartChecks::sizeIfPresent(const std::string& path)
{
    Trap trap(errors_, RunLocation);
    std::uint64_t size = 0;
    trap([&] {
        bool found = false;
        raiseIfFailed(env_.findPlainFile(path, &found));
        if (found)
            raiseIfFailed(env_.fileSize(path, &size));
    });
    return size;
}

bool StartChecks::freeSpace(const std::string& folder, std::uint64_t* out)
{
    Trap trap(errors_, RunLocation);
    return trap([&] { raiseIfFailed(env_.freeSpace(folder, out)); });
}

// The temporary folder takes the working copies, the templates and the
// fresh tables (less what it holds of these from an earlier run, which they
// replace); the data folder the output folder's tables, the report, and the
// copy-back's staged copies of the tables.
std::optional<StartChecks::Refusal> StartChecks::checkRoom(const std::string& dataFolder, const std::string& tempFolder)
{
    const std::int64_t patients = std::min(storedRows(0), MaxPatients);
    std::uint64_t temp = 0;
    std::uint64_t result = 0;
    std::uint64_t examRows = 0;
    for (std::size_t t = 0; t < TableNames.size(); ++t) {
        const std::string base = TableNames[t].base;
        const std::uint64_t blob = templateBlob(TableNames[t].resource).size();
        const std::uint64_t fresh = blob + static_cast<std::uint64_t>(patients * templateRecordLength(t));
        result += fresh;
        temp += grownSize(t) + blob + fresh;
        const std::uint64_t replaced =
            sizeIfPresent(tempFolder + base + "template.kvt") + sizeIfPresent(tempFolder + base + "temp.kvt");
        temp -= std::min(temp, replaced);
        if (t > 0)
            examRows += static_cast<std::uint64_t>(storedRows(t));
    }
    const std::uint64_t data = 2 * result + ReportBase + ReportPerPatient * static_cast<std::uint64_t>(storedRows(0)) +
                               ReportPerRow * examRows;
    std::uint64_t freeTemp = 0;
    std::uint64_t freeData = 0;
    const bool tempKnown = freeSpace(tempFolder, &freeTemp);
    const bool dataKnown = freeSpace(dataFolder, &freeData);
    // The same free space to the byte: one volume, which must hold both.
    if (tempKnown && dataKnown && freeTemp == freeData && freeTemp < temp + data)
        return Refusal{errnum::RunNotStarted,
                       texts::noRoomOnSharedVolume(tempFolder, dataFolder, temp + data, freeTemp)};
    if (tempKnown && freeTemp < temp)
        return Refusal{errnum::RunNotStarted, texts::noRoomInTemp(tempFolder, temp, freeTemp)};
    if (dataKnown && freeData < data)
        return Refusal{errnum::RunNotStarted, texts::noRoomInData(dataFolder, data, freeData)};
    return std::nullopt;
}

} // namespace torvane
