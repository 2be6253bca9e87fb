#include "files/CopyBackJournal.h"

#include "errors/RunError.h"

#include <vector>

namespace torvane {
namespace {

bool isMissing(const Status& status)
{
    return status.number() == errnum::FileNotFound || status.number() == errnum::PathNotFound;
}

} // namespace

CopyBackJournal::CopyBackJournal(Env& env, std::string dataFolder, IntentRecord record)
    : env_(env),
      data_(std::move(dataFolder)),
      backup_(data_ + record.backupFolder + env.separator()),
      record_(std::move(record))
{
}

bool CopyBackJournal::exists(const std::string& path)
{
    std::uint32_t bits = 0;
    const Status status = env_.attributes(path, &bits);
    if (isMissing(status))
        return false;
    raiseIfFailed(status);
    return true;
}

void CopyBackJournal::rename(const std::string& from, const std::string& to)
{
    raiseIfFailed(env_.renameFile(from, to));
}

void CopyBackJournal::flush(const std::string& folder)
{
    raiseIfFailed(env_.syncFolder(folder));
}

void CopyBackJournal::bringIn()
{
    if (!exists(backup_)) {
        raiseIfFailed(env_.makeFolder(backup_));
        flush(data_);
    }
    // Table by table, so that a name stays empty only between two renames.
    for (const IntentRecord::Table& table : record_.tables) {
        const bool waiting = table.incoming && exists(staged(table));
        // A table brought in has its original saved already; a copy of the
        // original in both places is what an interrupted flush may leave.
        if (table.hadOriginal && (waiting || !table.incoming) && !exists(saved(table)) && exists(current(table)))
            rename(current(table), saved(table));
        if (waiting)
            rename(staged(table), current(table));
        else if (!table.incoming && exists(current(table)))
            raiseIfFailed(env_.deleteFile(current(table)));
    }
    // The backup folder before the data folder: a table whose old name is
    // already gone there is in the backup folder on the device.
    flush(backup_);
    flush(data_);
}

void CopyBackJournal::finish()
{
    const std::string note = backup_ + BackupNote::FileName;
    raiseIfFailed(env_.writeNewFile(note, record_.note().text()));
    raiseIfFailed(env_.syncFile(note));
    flush(backup_);
    raiseIfFailed(env_.deleteFile(recordPath()));
    flush(data_);
}

void CopyBackJournal::rollBack()
{
    for (const IntentRecord::Table& table : record_.tables) {
        if (table.incoming && !exists(staged(table)) && exists(current(table)))
            rename(current(table), staged(table));
    }
    const bool backupMade = exists(backup_);
    for (const IntentRecord::Table& table : record_.tables) {
        if (!table.hadOriginal || !backupMade || !exists(saved(table)))
            continue;
        if (exists(current(table)))
            raiseIfFailed(env_.deleteFile(saved(table)));
        else
            rename(saved(table), current(table));
    }
    flush(data_);
    if (backupMade) {
        flush(backup_);
        raiseIfFailed(env_.removeFolder(backup_));
        flush(data_);
    }
    discard();
}

void CopyBackJournal::discard()
{
    // The record goes first: staged tables without it are never brought in.
    if (exists(recordPath())) {
        raiseIfFailed(env_.deleteFile(recordPath()));
        flush(data_);
    }
    for (const IntentRecord::Table& table : record_.tables) {
        if (table.incoming && exists(staged(table)))
            raiseIfFailed(env_.deleteFile(staged(table)));
    }
    flush(data_);
}

bool CopyBackJournal::isThere(const std::string& path)
{
    try {
        return exists(path);
    } catch (const RunError&) {
        return false;
    }
}

std::string CopyBackJournal::whereTablesAre()
{
    std::string lines;
    for (const IntentRecord::Table& table : record_.tables) {
        const bool waiting = table.incoming && isThere(staged(table));
        const bool inPlace = isThere(current(table));
        std::vector<std::string> places;
        if (waiting)
            places.push_back("neu unter " + staged(table));
        else if (table.incoming && inPlace)
            places.push_back("neu unter " + current(table));
        if (table.hadOriginal && isThere(saved(table)))
            places.push_back("Original unter " + saved(table));
        else if (table.hadOriginal && inPlace && (waiting || !table.incoming))
            places.push_back("Original unter " + current(table));
        std::string line = table.name + ": ";
        for (std::size_t i = 0; i < places.size(); ++i)
            line += (i > 0 ? ", " : "") + places[i];
        lines += (places.empty() ? line + "nicht gefunden" : line) + "\r";
    }
    return lines;
}

} // namespace torvane
