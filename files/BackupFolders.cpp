#include "files/BackupFolders.h"

#include "errors/RunError.h"

#include <algorithm>

namespace torvane {

std::vector<BackupFolders::Backup> BackupFolders::inDataFolder(const std::string& dataFolder)
{
    std::vector<std::string> names;
    raiseIfFailed(env_.listFolder(dataFolder, &names));
    std::vector<Backup> backups;
    for (const std::string& name : names) {
        if (!name.starts_with(std::string(Prefix) + "_"))
            continue;
        if (std::optional<Backup> backup = read(dataFolder + name + env_.separator()))
            backups.push_back(std::move(*backup));
    }
    std::stable_sort(backups.begin(), backups.end(),
                     [](const Backup& a, const Backup& b) { return a.note.number < b.note.number; });
    return backups;
}

std::optional<BackupFolders::Backup> BackupFolders::read(const std::string& folder)
{
    std::string text;
    const Status status = env_.readFile(folder + BackupNote::FileName, &text);
    if (status.number() == errnum::FileNotFound || status.number() == errnum::PathNotFound)
        return std::nullopt;
    raiseIfFailed(status);
    std::optional<BackupNote> note = BackupNote::parse(text);
    if (!note)
        return std::nullopt;
    return Backup{folder, std::move(*note)};
}

int BackupFolders::nextNumber(const std::string& dataFolder)
{
    const std::vector<Backup> backups = inDataFolder(dataFolder);
    return backups.empty() ? 1 : backups.back().note.number + 1;
}

} // namespace torvane
