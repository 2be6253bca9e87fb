#pragma once

#include "files/BackupNote.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// "REORG_UEBERNAHME.txt" in the data folder: what a copy-back is about to
// do, written only once every new table is staged beside the originals and
// on the device. While it exists the copy-back is under way, and whoever
// finds it finishes it forward; staged tables without it are discarded.
struct IntentRecord {
    static constexpr const char* FileName = "REORG_UEBERNAHME.txt";
    // A new table waits under its name with this suffix; beyond anything the
    // practice program names a file.
    static constexpr const char* StagedSuffix = ".torvane-neu";

    struct Table {
        std::string name;         // as named in the data folder
        bool incoming = false;    // a new table waits under name + StagedSuffix; otherwise the table goes
        bool hadOriginal = false; // the data folder has it; it moves into the backup folder

        std::string staged() const { return name + StagedSuffix; }
        bool operator==(const Table&) const = default;
    };

    std::string backupFolder; // its name inside the data folder
    int backupNumber = 0;
    std::string created; // the backup's date and time, as its note gives them
    std::vector<Table> tables;

    // The note the backup folder receives once the copy-back is done.
    BackupNote note() const;

    // Windows-1252 lines ended by CR LF, the last one "Ende".
    std::string text() const;
    // Empty when the text is not a complete record: it was being written.
    static std::optional<IntentRecord> parse(std::string_view text);

    bool operator==(const IntentRecord&) const = default;
};

} // namespace torvane
