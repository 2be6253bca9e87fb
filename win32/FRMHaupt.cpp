#include "win32/FRMHaupt.h"

#include "win32/ControlIds.h"
#include "win32/Formendhinweis.h"
#include "win32/MessageBox.h"
#include "win32/WideText.h"

#include <commctrl.h>

#include <cmath>

namespace torvane::win32 {
namespace {

// A run repaints once per record; painting more often than the eye follows
// would only slow it down. The last record is always painted.
constexpr ULONGLONG RepaintIntervalMs = 30;

const FontStyle WindowFont{L"Trebuchet MS", 14.25, true};
const FontStyle ButtonFont{L"Trebuchet MS", 13.5, true};
const FontStyle TextBoxFont{L"Trebuchet MS", 12, true};
const FontStyle HeadingFont{L"Trebuchet MS", 12, false};
const FontStyle CounterFont{L"Trebuchet MS", 24, true};

// The layout in twips: the load button; the path box under its heading;
// the log; counter, progress bar and start button in one row; build date
// and "Ende" at the bottom.
constexpr int ClientWidth = 10800;
constexpr int ClientHeight = 6450;
constexpr desktop::TwipsRect cmdLoad{180, 180, 3900, 570};
constexpr desktop::TwipsRect lblfiletext{180, 900, 3000, 330};
constexpr desktop::TwipsRect txtfile9{180, 1260, 10440, 450};
constexpr desktop::TwipsRect txtfile8{180, 1830, 10440, 2880};
constexpr desktop::TwipsRect lblsatz{180, 4890, 2400, 600};
constexpr desktop::TwipsRect prgprogress{2700, 4965, 3840, 450};
constexpr desktop::TwipsRect cmdsynchronisieren{6720, 4905, 3900, 570};
constexpr desktop::TwipsRect lblbuild{180, 5790, 5400, 420};
constexpr desktop::TwipsRect cmdQuitRect{8820, 5700, 1800, 570};

constexpr DWORD Label = WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
constexpr DWORD Button = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;

int whole(float value)
{
    return static_cast<int>(std::lround(value));
}

bool isInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

// Paints, and answers the window system so that the window counts as
// responding, while the run holds the thread. Input is dropped: the window
// takes none while busy.
void handleWaitingMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        if (isInput(message.message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

} // namespace

FRMHaupt::FRMHaupt(Session& session, win32::FileChooser& chooser, EndHandler ended)
    : chooser_(chooser), ended_(std::move(ended)), handlers_(session, *this)
{
    create(nullptr, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN);
}

void FRMHaupt::onCreate()
{
    SetWindowTextW(hwnd(), L"Torvane");
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(layout_.font(WindowFont)), FALSE);
    const auto add = [&](const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
                         const desktop::TwipsRect& where, const FontStyle& font, DWORD exStyle = 0) {
        layout_.add(addControl(windowClass, text, style, id, exStyle), where, font);
    };
    add(WC_BUTTONW, L"Reorg-Datei wählen", Button, id::cmdLoad_3, cmdLoad, ButtonFont);
    add(WC_STATICW, L"Pfad", Label, id::lblfiletext_1, lblfiletext, HeadingFont);
    add(WC_EDITW, L"", WS_VISIBLE | WS_TABSTOP | ES_READONLY | ES_AUTOHSCROLL, id::txtfile_9, txtfile9, TextBoxFont,
        WS_EX_CLIENTEDGE);
    add(WC_EDITW, L"", WS_VISIBLE | WS_TABSTOP | ES_READONLY | ES_MULTILINE | ES_AUTOVSCROLL, id::txtfile_8, txtfile8,
        TextBoxFont, WS_EX_CLIENTEDGE);
    logBox_.emplace(control(id::txtfile_8));
    add(WC_STATICW, L"0", Label, id::lblsatz_3, lblsatz, CounterFont);
    add(PROGRESS_CLASSW, L"", PBS_SMOOTH, id::prgprogress_4, prgprogress, WindowFont);
    add(WC_BUTTONW, L"Start - Reorganisieren", Button | WS_DISABLED, id::cmdsynchronisieren_0, cmdsynchronisieren,
        ButtonFont);
    add(WC_BUTTONW, L"Ende", Button, id::cmdQuit, cmdQuitRect, ButtonFont);
    add(WC_STATICW, L"Builddatum:", Label, id::lblbuild, lblbuild, WindowFont);
    setClientSize(ClientWidth, ClientHeight);
    centre();
}

void FRMHaupt::show()
{
    if (endReason())
        return;
    ShowWindow(hwnd(), SW_SHOW);
    UpdateWindow(hwnd());
}

void FRMHaupt::onCommand(int id, int notification)
{
    if (notification != BN_CLICKED || busy_)
        return;
    switch (id) {
    case id::cmdLoad_3:
        handlers_.cmdLoad_Click(3);
        break;
    case id::cmdsynchronisieren_0:
        handlers_.cmdsynchronisieren_Click(0);
        break;
    case id::cmdQuit:
        handlers_.cmdQuit_Click();
        break;
    default:
        // Enter and Esc mean nothing here.
        break;
    }
}

bool FRMHaupt::onMessage(UINT message, WPARAM, LPARAM lParam, INT_PTR* result)
{
    switch (message) {
    case WM_CLOSE:
        // Closing by the frame is "Ende".
        handlers_.cmdQuit_Click();
        *result = 0;
        return true;
    case WM_SETCURSOR:
        if (!busy_ || LOWORD(lParam) != HTCLIENT)
            return false;
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        *result = TRUE;
        return true;
    default:
        return false;
    }
}

void FRMHaupt::onDpiChanged()
{
    DialogWindow::onDpiChanged();
    HWND old = logBox_->handle();
    layout_.replace(old, logBox_->layOut());
}

void FRMHaupt::setLogText(const std::string& text)
{
    log_ = text;
    HWND old = logBox_->handle();
    logBox_->setText(wideLines(text));
    layout_.replace(old, logBox_->handle());
}

void FRMHaupt::setProgressVisible(bool visible)
{
    ShowWindow(control(id::prgprogress_4), visible ? SW_SHOWNA : SW_HIDE);
}

void FRMHaupt::setProgressMin(float value)
{
    barMin_ = whole(value);
    SendMessageW(control(id::prgprogress_4), PBM_SETRANGE32, static_cast<WPARAM>(barMin_), barMax_);
}

void FRMHaupt::setProgressMax(float value)
{
    barMax_ = whole(value);
    SendMessageW(control(id::prgprogress_4), PBM_SETRANGE32, static_cast<WPARAM>(barMin_), barMax_);
}

void FRMHaupt::setProgressValue(float value)
{
    barValue_ = whole(value);
    SendMessageW(control(id::prgprogress_4), PBM_SETPOS, static_cast<WPARAM>(barValue_), 0);
}

void FRMHaupt::setCounterCaption(const std::string& caption)
{
    SetWindowTextW(control(id::lblsatz_3), wide(caption).c_str());
}

void FRMHaupt::repaint()
{
    const bool last = barValue_ >= barMax_;
    const ULONGLONG now = GetTickCount64();
    if (!last && paintedAt_ != 0 && now - paintedAt_ < RepaintIntervalMs)
        return;
    showBarNow();
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    handleWaitingMessages();
    paintedAt_ = GetTickCount64();
}

// A styled progress bar glides towards a higher value over a moment; going
// back is drawn at once. So the bar is set one further and back.
void FRMHaupt::showBarNow() const
{
    HWND bar = control(id::prgprogress_4);
    if (barValue_ < barMax_) {
        SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(barValue_ + 1), 0);
    } else {
        SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(barMin_), barMax_ + 1);
        SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(barMax_ + 1), 0);
        SendMessageW(bar, PBM_SETRANGE32, static_cast<WPARAM>(barMin_), barMax_);
    }
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(barValue_), 0);
}

void FRMHaupt::setBusy(bool busy)
{
    // The pointer over this window only: a dialog shown meanwhile has its
    // own. Not busy, the window is as with a folder chosen: all buttons work.
    busy_ = busy;
    HWND focus = GetFocus();
    for (int button : {id::cmdLoad_3, id::cmdsynchronisieren_0, id::cmdQuit}) {
        // Off the buttons, before they are disabled: a disabled control
        // keeps the focus from the keyboard. To the log directly: through
        // the dialog manager the path box would take it, its text marked.
        if (busy && focus == control(button))
            SetFocus(control(id::txtfile_8));
        EnableWindow(control(button), busy ? FALSE : TRUE);
    }
    showPointer();
}

void FRMHaupt::showPointer() const
{
    POINT at;
    if (!GetCursorPos(&at))
        return;
    HWND under = WindowFromPoint(at);
    if (under == hwnd() || IsChild(hwnd(), under))
        SetCursor(LoadCursorW(nullptr, busy_ ? IDC_WAIT : IDC_ARROW));
}

void FRMHaupt::messageBox(const std::string& text, const std::string& title, MessageIcon icon)
{
    showMessage(hwnd(), text, title, icon);
}

Confirmation FRMHaupt::showFinalConfirmation(const Message& onDoubt)
{
    Formendhinweis window(hwnd(), onDoubt);
    return window.ask();
}

std::optional<std::string> FRMHaupt::chooseFile(const desktop::ChooserRequest& request)
{
    return chooser_.chooseFile(hwnd(), request);
}

std::string FRMHaupt::buildCaption() const
{
    return ansiWindowText(control(id::lblbuild));
}

void FRMHaupt::setBuildCaption(const std::string& caption)
{
    SetWindowTextW(control(id::lblbuild), wide(caption).c_str());
}

void FRMHaupt::setPathText(const std::string& text)
{
    SetWindowTextW(control(id::txtfile_9), wide(text).c_str());
}

void FRMHaupt::enableStart()
{
    EnableWindow(control(id::cmdsynchronisieren_0), TRUE);
}

void FRMHaupt::finish(EndReason reason)
{
    ShowWindow(hwnd(), SW_HIDE);
    ended_(reason);
}

} // namespace torvane::win32
