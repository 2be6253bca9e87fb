#pragma once

#include "desktop/CommonDialog.h"
#include "desktop/FileChooser.h"
#include "errors/ProgramEnd.h"
#include "reorg/RunWindow.h"
#include "reorg/Session.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace torvane::desktop {

// The main window as its handlers use it: the run's operations, the file
// chooser shown over it, and its own controls. Each desktop program draws
// them its own way. Texts are Windows-1252.
class FRMHauptControls : public RunWindow, public FileChooser {
public:
    // lblbuild
    virtual std::string buildCaption() const = 0;
    virtual void setBuildCaption(const std::string& caption) = 0;
    // txtfile element 9
    virtual void setPathText(const std::string& text) = 0;
    // cmdsynchronisieren element 0
    virtual void enableStart() = 0;
    // The program has ended: the windows close and the program exits with
    // the end's status. Nothing of the window runs after.
    virtual void finish(EndReason reason) = 0;

    // The completion message, then one "Warnung" box listing the warnings
    // (the first that fit on a screen, the rest counted).
    void showCompletion(const Message& completion, const std::vector<std::string>& warnings) override;
};

// The main window's handlers, the same in every desktop program: pick the
// patient table, start the reorganisation, end. The window calls them from
// its events. The end of the program stops here, at the outermost frame of
// each handler, and never crosses the window system's event loop.
class FRMHauptHandlers {
public:
    FRMHauptHandlers(Session& session, FRMHauptControls& controls) : session_(session), controls_(controls) {}

    // When the window is created, before it is shown: the temporary folder,
    // the build date and the start date.
    void Form_Load();
    // "Reorg-Datei wählen"
    void cmdLoad_Click(std::int16_t Index);
    // "Start - Reorganisieren": the run, which ends the program.
    void cmdsynchronisieren_Click(std::int16_t Index);
    // "Ende", and closing the window by its frame.
    void cmdQuit_Click();

    // How the program ended, once it has.
    std::optional<EndReason> endReason() const { return ended_; }
    // While the run holds the thread no other handler runs.
    bool running() const { return running_; }

    CommonDialog CommonDialog1;

private:
    void chooseFolder();
    void checkDataFolder();

    // Runs a handler unless the program has ended or a run is under way.
    template <class Handler>
    void handle(Handler&& handler);

    Session& session_;
    FRMHauptControls& controls_;
    std::optional<EndReason> ended_;
    bool running_ = false;
};

} // namespace torvane::desktop
