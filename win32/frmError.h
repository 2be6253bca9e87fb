#pragma once

#include "desktop/BugReport.h"
#include "errors/ErrorDialogBase.h"
#include "win32/DialogWindow.h"
#include "win32/Icon.h"
#include "win32/WholeLinesEdit.h"

#include <windows.h>

#include <optional>
#include <string>

namespace torvane::win32 {

// The error dialog: the error text beside a picture, OK to carry on,
// "&Abbruch" to end the program, the full log entry below "D&etails >>",
// and a bug-report e-mail with the error log attached. Loaded hidden;
// destroying the object unloads it.
class frmError final : public DialogWindow, public ErrorDialogBase {
public:
    frmError(const ErrorLog& log, ErrorReporter& errors, const desktop::BugReportRoute& route, HWND owner);

    void setDetailsText(const std::string& text) override;
    void SetForm(bool bYesNo) override;
    void setInformationLayout() override;
    void disableOk() override;
    void setMessageText(const std::string& text) override;
    DialogAnswer showModal() override;

private:
    void onCreate() override;
    void onCommand(int id, int notification) override;
    bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;
    void onDpiChanged() override;
    HWND initialFocus() const override;

    void buildControls();
    void setPictures();
    void cmdOK_Click();
    void cmdExit_Click();
    void cmdDetails_Click();

    // Runs a button's handler. Should the program end while a report of
    // the handler's own failure is shown, this dialog ends with "&Abbruch".
    template <class Handler>
    void runHandler(Handler&& handler);
    // The window's height including its frame.
    void setOuterHeight(int twips);
    HWND control(int id) const { return GetDlgItem(hwnd(), id); }

    const ErrorLog& errorLog_;
    const desktop::BugReportRoute& route_;
    std::optional<WholeLinesEdit> txtMsg_;
    int heightTwips_ = 0; // 0 until a layout sets one: the design size
    Icon errorPicture_;
    Icon programPicture_;
    Icon mailPicture_;
};

} // namespace torvane::win32
