#include "reorg/BackupRestore.h"

#include "errors/Trap.h"
#include "files/BackupFolders.h"
#include "files/CopyBack.h"
#include "reorg/CopyBackTexts.h"

#include <optional>

namespace torvane {
namespace {

constexpr const char* Location = "Error in E_Datei: Sub sicherung_zurueckholen";

RestoreOutcome refused(EndReason end, std::string text)
{
    return {end, {std::move(text), "Kontrolliertes Ende", MessageIcon::Exclamation}};
}

RestoreOutcome outcomeOf(const CopyBack::Result& result, const BackupFolders::Backup& backup, const std::string& data)
{
    switch (result.outcome) {
    case CopyBack::Outcome::Replaced:
        return {EndReason::Restored,
                {texts::restored(backup.folder, result.backupFolder), "Information", MessageIcon::Information}};
    case CopyBack::Outcome::KeptOriginals:
    case CopyBack::Outcome::ChangedMeanwhile: // a restore compares nothing
        break;
    case CopyBack::Outcome::NoRoom:
        return refused(EndReason::CopyBackFailed, texts::restoreNoRoom(result.needed, result.available));
    case CopyBack::Outcome::NoBackupName:
        return refused(EndReason::CopyBackFailed, texts::noFreeBackupName(data));
    case CopyBack::Outcome::Interrupted:
        return refused(EndReason::CopyBackFailed, texts::restoreInterrupted(result.whereTablesAre));
    }
    return refused(EndReason::CopyBackFailed, texts::restoreKeptOriginals(backup.folder));
}

} // namespace

RestoreOutcome sicherung_zurueckholen(Session& session, std::string& dataFolder, const std::string& chosenBackup)
{
    Trap trap(session.errors, Location);
    BackupFolders folders(session.env);
    std::optional<BackupFolders::Backup> backup;
    bool looked = false;
    if (chosenBackup.empty()) {
        looked = trap([&] {
            std::vector<BackupFolders::Backup> backups = folders.inDataFolder(dataFolder);
            if (!backups.empty())
                backup = std::move(backups.back());
        });
        if (looked && !backup)
            return refused(EndReason::NothingToRestore, texts::nothingToRestore(dataFolder));
    } else {
        looked = trap([&] { backup = folders.read(chosenBackup); });
        if (looked && !backup)
            return refused(EndReason::NothingToRestore, texts::notABackup(chosenBackup));
    }
    if (!looked)
        return refused(EndReason::CopyBackFailed,
                       texts::restoreKeptOriginals(chosenBackup.empty() ? dataFolder : chosenBackup));
    CopyBack restore(session.env, session.errors, session.files.paths, session.files.staging, session.clock);
    CopyBack::Result result;
    trap([&] { result = restore.hole_sicherung_zurueck(*backup, dataFolder); });
    return outcomeOf(result, *backup, dataFolder);
}

} // namespace torvane
