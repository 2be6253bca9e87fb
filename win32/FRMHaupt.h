#pragma once

#include "desktop/FRMHauptHandlers.h"
#include "errors/ProgramEnd.h"
#include "reorg/Session.h"
#include "win32/DialogWindow.h"
#include "win32/FileChooser.h"
#include "win32/WholeLinesEdit.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace torvane::win32 {

// The program's main window: pick the patient table, start the
// reorganisation, end. While a run holds the thread the window shows its
// log, counter and progress, and takes no input.
class FRMHaupt final : public DialogWindow, public desktop::FRMHauptControls {
public:
    // Told once the program has ended; the window is hidden by then.
    using EndHandler = std::function<void(EndReason reason)>;

    // Creates the window, hidden.
    FRMHaupt(Session& session, win32::FileChooser& chooser, EndHandler ended);

    // When the window is created, before it is shown: the temporary folder,
    // the build date and the start date.
    void Form_Load() { handlers_.Form_Load(); }
    void show();
    std::optional<EndReason> endReason() const { return handlers_.endReason(); }
    bool busy() const { return busy_; }

    void setLogText(const std::string& text) override;
    std::string logText() const override { return log_; }
    void setProgressVisible(bool visible) override;
    void setProgressMin(float value) override;
    void setProgressMax(float value) override;
    void setProgressValue(float value) override;
    void setCounterCaption(const std::string& caption) override;
    void repaint() override;
    void setBusy(bool busy) override;
    void messageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    Confirmation showFinalConfirmation(const Message& onDoubt) override;

    std::optional<std::string> chooseFile(const desktop::ChooserRequest& request) override;
    std::string buildCaption() const override;
    void setBuildCaption(const std::string& caption) override;
    void setPathText(const std::string& text) override;
    void enableStart() override;
    void finish(EndReason reason) override;

private:
    void onCreate() override;
    void onCommand(int id, int notification) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;
    void onDpiChanged() override;

    HWND control(int id) const { return GetDlgItem(hwnd(), id); }
    void showPointer() const;
    void showBarNow() const;

    win32::FileChooser& chooser_;
    EndHandler ended_;
    desktop::FRMHauptHandlers handlers_;
    std::string log_;
    std::optional<WholeLinesEdit> logBox_;
    int barMin_ = 0;
    int barMax_ = 100;
    int barValue_ = 0;
    bool busy_ = false;
    ULONGLONG paintedAt_ = 0;
};

} // namespace torvane::win32
