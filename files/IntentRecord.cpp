#include "files/IntentRecord.h"

#include "files/TextLines.h"
#include "platform/Cp1252.h"
#include "resources/Templates.h"

#include <algorithm>

namespace torvane {
namespace {

constexpr std::string_view BackupFolder = "Sicherungsordner: ";
constexpr std::string_view Backup = "Sicherung Nr. ";
constexpr std::string_view Dated = " vom ";
constexpr std::string_view TableLine = "Tabelle: ";
constexpr std::string_view From = "neu aus ";
constexpr std::string_view To = "Original nach ";
constexpr std::string_view NoOriginal = "ohne Original";
constexpr std::string_view Separator = ", ";
constexpr std::string_view End = "Ende";

std::string heading()
{
    return cp1252::ansi("Torvane: Übernahme neuer Tabellen in diesen Datenordner");
}

std::string goes()
{
    return cp1252::ansi("entfällt");
}

std::string line(std::string_view text)
{
    return std::string(text) + "\r\n";
}

// Only names inside the data folder: a record that was tampered with or
// damaged must not move files anywhere else.
bool isTableName(std::string_view name)
{
    return std::any_of(TableNames.begin(), TableNames.end(), [&](const TableName& table) {
        return cp1252::upperCase(name) == cp1252::upperCase(std::string(table.base) + ".kvt");
    });
}

bool isBackupFolderName(std::string_view name)
{
    return name.starts_with("REORG_SICHERUNG_") && name.find_first_of("/\\:") == std::string_view::npos &&
           name.find("..") == std::string_view::npos;
}

std::vector<std::string_view> fields(std::string_view text)
{
    std::vector<std::string_view> parts;
    for (std::size_t at = text.find(Separator); at != std::string_view::npos; at = text.find(Separator)) {
        parts.push_back(text.substr(0, at));
        text.remove_prefix(at + Separator.size());
    }
    parts.push_back(text);
    return parts;
}

std::optional<IntentRecord::Table> parseTable(std::string_view text, const std::string& backupFolder)
{
    const std::vector<std::string_view> parts = fields(text);
    if (parts.size() != 3 || !isTableName(parts[0]))
        return std::nullopt;
    IntentRecord::Table table{std::string(parts[0])};
    table.incoming = parts[1] == std::string(From) + table.staged();
    table.hadOriginal = parts[2] == std::string(To) + backupFolder;
    const bool known = (table.incoming || parts[1] == goes()) && (table.hadOriginal || parts[2] == NoOriginal);
    if (!known || (!table.incoming && !table.hadOriginal))
        return std::nullopt;
    return table;
}

} // namespace

BackupNote IntentRecord::note() const
{
    BackupNote note{backupNumber, created, {}, {}};
    for (const Table& table : tables) {
        if (table.hadOriginal)
            note.saved.push_back(table.name);
        else
            note.missing.push_back(table.name);
    }
    return note;
}

std::string IntentRecord::text() const
{
    std::string text = line(heading());
    text += line(cp1252::ansi("Bitte nicht löschen: Torvane schließt die Übernahme beim nächsten Start ab."));
    text += line(std::string(BackupFolder) + backupFolder);
    text += line(std::string(Backup) + std::to_string(backupNumber) + std::string(Dated) + created);
    for (const Table& table : tables) {
        text += line(std::string(TableLine) + table.name + std::string(Separator) +
                     (table.incoming ? std::string(From) + table.staged() : goes()) + std::string(Separator) +
                     (table.hadOriginal ? std::string(To) + backupFolder : std::string(NoOriginal)));
    }
    return text + line(End);
}

std::optional<IntentRecord> IntentRecord::parse(std::string_view text)
{
    const std::vector<std::string> lines = textLines(text);
    if (lines.size() < 5 || lines.front() != heading() || lines.back() != End || !lines[2].starts_with(BackupFolder) ||
        !lines[3].starts_with(Backup))
        return std::nullopt;
    IntentRecord record;
    record.backupFolder = lines[2].substr(BackupFolder.size());
    const std::string_view backup = std::string_view(lines[3]).substr(Backup.size());
    const std::size_t dated = backup.find(Dated);
    const std::optional<int> number = positiveNumber(backup.substr(0, dated));
    if (!isBackupFolderName(record.backupFolder) || dated == std::string_view::npos || !number)
        return std::nullopt;
    record.backupNumber = *number;
    record.created = backup.substr(dated + Dated.size());
    for (std::size_t i = 4; i + 1 < lines.size(); ++i) {
        if (!lines[i].starts_with(TableLine))
            return std::nullopt;
        std::optional<Table> table =
            parseTable(std::string_view(lines[i]).substr(TableLine.size()), record.backupFolder);
        if (!table)
            return std::nullopt;
        record.tables.push_back(std::move(*table));
    }
    if (record.tables.empty())
        return std::nullopt;
    return record;
}

} // namespace torvane
