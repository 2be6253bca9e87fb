#pragma once

#include "platform/Clock.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// "SICHERUNG.txt" in a backup folder: which of the data folder's tables the
// folder holds as they were before a copy-back, and which ones the data
// folder did not have, so that putting them back removes those again. Its
// number orders the backups of a data folder, since the folder names carry
// no year and clocks may be set back. Written last, so a folder without a
// readable note is no backup.
struct BackupNote {
    static constexpr const char* FileName = "SICHERUNG.txt";

    int number = 0;
    std::string created;              // "05.03.2011 09:30:00"
    std::vector<std::string> saved;   // as named in the backup folder
    std::vector<std::string> missing; // tables the data folder did not have

    // Windows-1252 lines ended by CR LF.
    std::string text() const;
    // Empty when the text is not a complete note.
    static std::optional<BackupNote> parse(std::string_view text);

    // The German date and time of a note.
    static std::string stamp(const LocalDateTime& at);

    bool operator==(const BackupNote&) const = default;
};

} // namespace torvane
