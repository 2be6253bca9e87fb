#include "desktop/FRMHauptHandlers.h"

#include "errors/Trap.h"
#include "platform/Cp1252.h"
#include "reorg/CheckTexts.h"
#include "reorg/DataFolderGuard.h"
#include "reorg/ReorganisationRun.h"
#include "tables/TrimBlanks.h"

namespace torvane::desktop {

void FRMHauptControls::showCompletion(const Message& completion, const std::vector<std::string>& warnings)
{
    messageBox(completion.text, completion.title, completion.icon);
    if (!warnings.empty())
        messageBox(texts::warningBox(warnings), "Warnung", MessageIcon::Exclamation);
}

void FRMHauptHandlers::Form_Load()
{
    handle([this] {
        session_.load();
        Trap trap(session_.errors, "Error in FRMHaupt: Sub Form_Load");
        trap([&] { controls_.setBuildCaption(controls_.buildCaption() + " 2010/11/30"); });
    });
}

void FRMHauptHandlers::cmdLoad_Click(std::int16_t)
{
    handle([this] { chooseFolder(); });
}

void FRMHauptHandlers::chooseFolder()
{
    Trap trap(session_.errors, "Error in FRMHaupt: Sub cmdLoad_Click");
    std::string dataFolder;
    trap([&] { dataFolder = session_.files.dataPath.hole_dbpfad(); });
    if (!dataFolder.empty())
        trap([&] { CommonDialog1.InitDir = dataFolder; });
    trap([&] {
        CommonDialog1.CancelError = true;
        CommonDialog1.Filter = "KVX-Datenbank (*.KVT)|pers*.kvt";
        CommonDialog1.DialogTitle = cp1252::ansi("Datenbank zur Reorganisation wählen");
    });
    trap([&] { CommonDialog1.ShowOpen(controls_); });
    std::string folder;
    trap([&] { folder = session_.files.paths.nurpfad(CommonDialog1.FileName); });
    trap([&] { controls_.setPathText(folder); });
    trap([&] { session_.workspace.quellpfad[0] = session_.files.paths.nurpfad(CommonDialog1.FileName); });
    if (trimBlanks(session_.workspace.quellpfad[0]).empty())
        endProgram(EndReason::NoFolder);
    checkDataFolder();
    trap([&] { controls_.enableStart(); });
}

// A copy-back that a crash interrupted in the chosen folder is finished
// before anything else, and the user told. The folder is held only while
// that works: a run holds it from its Start on.
void FRMHauptHandlers::checkDataFolder()
{
    DataFolderGuard guard(session_);
    const DataFolderGuard::Check check = guard.sichere_datenordner(session_.workspace.quellpfad[0]);
    guard.release();
    if (check.notice)
        controls_.messageBox(check.notice->text, check.notice->title, check.notice->icon);
    if (check.state == DataFolderGuard::State::RecoveryFailed)
        endProgram(EndReason::RecoveryFailed);
}

void FRMHauptHandlers::cmdsynchronisieren_Click(std::int16_t Index)
{
    handle([&] {
        running_ = true;
        ReorganisationRun(session_, controls_).cmdsynchronisieren_Click(Index);
    });
}

void FRMHauptHandlers::cmdQuit_Click()
{
    handle([this] {
        Trap trap(session_.errors, "Error in FRMHaupt: Sub cmdQuit_Click");
        endProgram(EndReason::Quit);
    });
}

template <class Handler>
void FRMHauptHandlers::handle(Handler&& handler)
{
    if (ended_ || running_)
        return;
    try {
        handler();
    } catch (const ProgramEnd& end) {
        running_ = false;
        ended_ = end.reason;
        controls_.finish(end.reason);
    }
}

} // namespace torvane::desktop
