#pragma once

#include "win32/ControlLayout.h"
#include "win32/Icon.h"

#include <windows.h>

#include <optional>

namespace torvane::win32 {

// A window of the dialog manager made from an empty template: Enter, Esc,
// Tab and the "&" accelerators work as in any dialog, while the window
// makes its controls itself and places them in twips at its resolution.
// A window is created hidden; it is shown modeless (the message loop must
// pass its messages through IsDialogMessageW) or modally.
class DialogWindow {
public:
    DialogWindow() = default;
    virtual ~DialogWindow();
    DialogWindow(const DialogWindow&) = delete;
    DialogWindow& operator=(const DialogWindow&) = delete;

    HWND hwnd() const { return window_; }

protected:
    // Creates the hidden window, which builds its controls in onCreate.
    void create(HWND owner, DWORD style);
    // Shows the window over its disabled owner and handles messages until
    // endModal; then hides it and returns the result.
    INT_PTR runModal();
    void endModal(INT_PTR result) { result_ = result; }

    // The client area's size in twips, applied at the present resolution.
    void setClientSize(int widthTwips, int heightTwips);
    // Centred over the owner, or on the screen.
    void centre();
    // Makes a child control with the dialog's item number id.
    HWND addControl(const wchar_t* windowClass, const wchar_t* text, DWORD style, int id, DWORD exStyle = 0);

    virtual void onCreate() = 0;
    // WM_COMMAND from a control, Enter (IDOK) or Esc and the frame (IDCANCEL).
    virtual void onCommand(int id, int notification) = 0;
    // Everything else; true when handled, *result then the answer.
    virtual bool onMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);
    // The controls and the window's own size at a new resolution.
    virtual void onDpiChanged();
    // The control that has the focus when the window is shown modally;
    // nothing: the dialog manager's choice.
    virtual HWND initialFocus() const { return nullptr; }

    ControlLayout layout_;

private:
    static INT_PTR CALLBACK dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    INT_PTR handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void setIcons();

    HWND window_ = nullptr;
    std::optional<INT_PTR> result_;
    Icon bigIcon_;
    Icon smallIcon_;
};

} // namespace torvane::win32
