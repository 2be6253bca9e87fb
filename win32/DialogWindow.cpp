#include "win32/DialogWindow.h"

#include "win32/Dpi.h"

#include <exception>

namespace torvane::win32 {
namespace {

// An empty dialog template: no controls, no font, no size; WORD-aligned
// as the dialog manager requires.
struct EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

} // namespace

DialogWindow::~DialogWindow()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
}

void DialogWindow::create(HWND owner, DWORD style)
{
    EmptyTemplate empty{};
    empty.header.style = style;
    CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &empty.header, owner, dialogProc,
                               reinterpret_cast<LPARAM>(this));
}

INT_PTR DialogWindow::runModal()
{
    HWND owner = GetWindow(window_, GW_OWNER);
    const bool disableOwner = owner != nullptr && IsWindowEnabled(owner);
    if (disableOwner)
        EnableWindow(owner, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    if (HWND focus = initialFocus(); focus != nullptr)
        SendMessageW(window_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    result_.reset();
    MSG message;
    while (!result_ && window_ != nullptr) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is told to end: the loop outside gets the message too.
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));
            result_ = IDCANCEL;
            break;
        }
        if (!IsDialogMessageW(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    // The owner first, so that it becomes the active window again.
    if (disableOwner)
        EnableWindow(owner, TRUE);
    if (window_ != nullptr)
        ShowWindow(window_, SW_HIDE);
    return result_.value_or(IDCANCEL);
}

void DialogWindow::setClientSize(int widthTwips, int heightTwips)
{
    const int dpi = layout_.dpi();
    const SIZE outer = outerSize(window_, desktop::pixels(widthTwips, dpi), desktop::pixels(heightTwips, dpi), dpi);
    SetWindowPos(window_, nullptr, 0, 0, outer.cx, outer.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogWindow::centre()
{
    RECT area;
    HWND owner = GetWindow(window_, GW_OWNER);
    if (owner != nullptr && IsWindowVisible(owner)) {
        GetWindowRect(owner, &area);
    } else {
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(window_, MONITOR_DEFAULTTOPRIMARY), &monitor);
        area = monitor.rcWork;
    }
    RECT own;
    GetWindowRect(window_, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(window_, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND DialogWindow::addControl(const wchar_t* windowClass, const wchar_t* text, DWORD style, int id, DWORD exStyle)
{
    return CreateWindowExW(exStyle, windowClass, text, WS_CHILD | style, 0, 0, 0, 0, window_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

bool DialogWindow::onMessage(UINT, WPARAM, LPARAM, INT_PTR*)
{
    return false;
}

void DialogWindow::onDpiChanged()
{
    layout_.apply(windowDpi(window_));
}

void DialogWindow::setIcons()
{
    const int dpi = layout_.dpi();
    bigIcon_ = Icon(Picture::Program, desktop::pixels(32 * 15, dpi));
    smallIcon_ = Icon(Picture::Program, desktop::pixels(16 * 15, dpi));
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.handle()));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.handle()));
}

INT_PTR CALLBACK DialogWindow::dialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<DialogWindow*>(lParam);
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        self->window_ = window;
    }
    auto* self = reinterpret_cast<DialogWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr)
        return FALSE;
    // Nothing may unwind through the window system: what a handler does
    // not catch ends the program here.
    try {
        return self->handleMessage(message, wParam, lParam);
    } catch (...) {
        std::terminate();
    }
}

INT_PTR DialogWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        // The resolution first: the window sizes itself by it.
        layout_.apply(windowDpi(window_));
        onCreate();
        keepOwnLayout(window_);
        layout_.apply(layout_.dpi());
        setIcons();
        return TRUE;
    case WM_COMMAND:
        onCommand(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DPICHANGED: {
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        onDpiChanged();
        setIcons();
        return TRUE;
    }
    case WM_DESTROY:
        SetWindowLongPtrW(window_, DWLP_USER, 0);
        window_ = nullptr;
        return FALSE;
    default:
        break;
    }
    INT_PTR result = 0;
    if (!onMessage(message, wParam, lParam, &result))
        return FALSE;
    // The colour messages answer with the brush itself.
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
        return result;
    SetWindowLongPtrW(window_, DWLP_MSGRESULT, result);
    return TRUE;
}

} // namespace torvane::win32
