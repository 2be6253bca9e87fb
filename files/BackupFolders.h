#pragma once

#include "files/BackupNote.h"
#include "platform/Env.h"

#include <optional>
#include <string>
#include <vector>

namespace torvane {

// The backup folders REORG_SICHERUNG_<mm>_<dd>_<n> that copy-backs leave
// inside a data folder, each holding the tables the copy-back replaced and
// its note. Failures to look are thrown as RunError.
class BackupFolders {
public:
    static constexpr const char* Prefix = "REORG_SICHERUNG";

    struct Backup {
        std::string folder; // full path, with its trailing separator
        BackupNote note;
    };

    explicit BackupFolders(Env& env) : env_(env) {}

    // The backups of a data folder (given with its trailing separator),
    // oldest first. A folder without a readable note is none.
    std::vector<Backup> inDataFolder(const std::string& dataFolder);
    // The backup in a folder (with its trailing separator); empty when the
    // folder holds no readable note.
    std::optional<Backup> read(const std::string& folder);
    // The number the next backup of the data folder gets.
    int nextNumber(const std::string& dataFolder);

private:
    Env& env_;
};

} // namespace torvane
