#include "reorg/DataFolderGuard.h"

#include "errors/Trap.h"
#include "files/CopyBackRecovery.h"
#include "platform/Cp1252.h"
#include "reorg/CopyBackTexts.h"

namespace torvane {
namespace {

constexpr const char* Location = "Error in FRMHaupt: Sub sichere_datenordner";

Message information(std::string text)
{
    return {std::move(text), "Information", MessageIcon::Information};
}

Message controlledEnd(std::string text)
{
    return {std::move(text), "Kontrolliertes Ende", MessageIcon::Exclamation};
}

} // namespace

DataFolderGuard::Check DataFolderGuard::sichere_datenordner(std::string& dataFolder)
{
    Trap trap(session_.errors, Location);
    trap([&] { session_.files.paths.pathcomplete(dataFolder); });
    if (session_.dataFolderLock && session_.lockedFolder == dataFolder)
        return {};
    release();
    std::unique_ptr<FolderLock> lock;
    if (!trap([&] { raiseIfFailed(session_.env.tryLockFolder(dataFolder, &lock)); }))
        return {State::NotLocked, information(texts::folderNotLocked(dataFolder))};
    if (!lock)
        return {State::HeldElsewhere, information(texts::otherRunActive(dataFolder))};
    session_.dataFolderLock = std::move(lock);
    session_.lockedFolder = dataFolder;
    return recover(dataFolder);
}

void DataFolderGuard::release()
{
    session_.dataFolderLock.reset();
    session_.lockedFolder.clear();
}

DataFolderGuard::Check DataFolderGuard::recover(std::string& dataFolder)
{
    using Found = CopyBackRecovery::Found;
    const CopyBackRecovery::Result result =
        CopyBackRecovery(session_.env, session_.errors, session_.files.paths).schliesse_uebernahme_ab(dataFolder);
    Check check;
    switch (result.found) {
    case Found::Nothing:
        return check;
    case Found::Record:
        check.notice = result.done ? information(texts::recoveryFinished(dataFolder, result.backupFolder))
                                   : controlledEnd(texts::recoveryFailed(dataFolder, result.whereTablesAre));
        break;
    case Found::Staged:
        check.notice = result.done ? information(texts::recoveryDiscarded(dataFolder, result.leftovers))
                                   : controlledEnd(texts::recoveryDiscardFailed(dataFolder, result.leftovers));
        break;
    case Found::Unreadable:
        check.notice = controlledEnd(texts::recoveryUnreadable(dataFolder));
        break;
    }
    if (!result.done)
        check.state = State::RecoveryFailed;
    session_.errors.logInformation(cp1252::ansi(result.done ? "Unterbrochene Übernahme abgeschlossen"
                                                            : "Unterbrochene Übernahme nicht abgeschlossen"),
                                   check.notice->text);
    return check;
}

} // namespace torvane
