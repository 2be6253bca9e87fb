#pragma once

#include "desktop/BugReport.h"
#include "errors/ErrorDialogFactory.h"

#include <windows.h>

#include <string>

namespace torvane::win32 {

// A freshly made frmError for every report, modal over the main window.
class Win32ErrorDialogFactory final : public ErrorDialogFactory {
public:
    Win32ErrorDialogFactory(Env& env, std::string supportAddress) : route_{std::move(supportAddress), env} {}

    // The window the dialogs are modal over; reports before it exists get none.
    void setOwner(HWND owner) { owner_ = owner; }

    std::unique_ptr<ErrorDialog> load(const ErrorLog& log, ErrorReporter& errors) override;
    void resetMousePointer() override;

private:
    desktop::BugReportRoute route_;
    HWND owner_ = nullptr;
};

} // namespace torvane::win32
