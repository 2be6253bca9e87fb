#pragma once

#include "files/IntentRecord.h"
#include "platform/Env.h"

#include <string>

namespace torvane {

// Carries out the renames an intent record describes, in the data folder
// and its backup folder. Each step first looks at what is already done, so
// that running the steps again after an interruption at any point ends the
// same; and each is made durable before a later one depends on it. A
// rename into another folder is flushed there before the folder it left,
// so that a table is never lost between the two. Failures are thrown as
// RunError and leave everything where it is.
class CopyBackJournal {
public:
    // The data folder with its trailing separator.
    CopyBackJournal(Env& env, std::string dataFolder, IntentRecord record);

    // The originals into the backup folder and the new tables into their
    // places, all of it on the device.
    void bringIn();
    // The backup folder's note, then the record removed: done.
    void finish();
    // After a failed bringIn: the originals back in place, the backup
    // folder and the record gone, the staged tables too.
    void rollBack();
    // The staged tables and the record removed, whatever is left of them.
    void discard();

    // Where each table is now, one line per table ended by CR, for a
    // message; a place that cannot be looked at is not named.
    std::string whereTablesAre();

    std::string backupFolder() const { return backup_; }

private:
    std::string recordPath() const { return data_ + IntentRecord::FileName; }
    std::string current(const IntentRecord::Table& table) const { return data_ + table.name; }
    std::string staged(const IntentRecord::Table& table) const { return data_ + table.staged(); }
    std::string saved(const IntentRecord::Table& table) const { return backup_ + table.name; }

    bool exists(const std::string& path);
    void rename(const std::string& from, const std::string& to);
    void flush(const std::string& folder);
    // Whether a path exists, a failure to look counting as absence.
    bool isThere(const std::string& path);

    Env& env_;
    std::string data_;
    std::string backup_; // with its trailing separator
    IntentRecord record_;
};

} // namespace torvane
