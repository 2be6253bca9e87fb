#include "win32/frmError.h"

#include "desktop/frmErrorLayout.h"
#include "errors/ProgramEnd.h"
#include "errors/Trap.h"
#include "win32/ControlIds.h"
#include "win32/Dpi.h"
#include "win32/WideText.h"

#include <commctrl.h>

namespace torvane::win32 {
namespace {

namespace layout = desktop::frmErrorLayout;

const FontStyle TahomaFont{L"Tahoma", 8.25, false};

constexpr INT_PTR OkResult = IDOK;
constexpr INT_PTR AbortResult = IDABORT;
// The mail picture on the bug-report button: 24 pixels at 96 dpi.
constexpr int MailPictureTwips = 360;

std::wstring wideCaption(std::string_view caption)
{
    return wide(std::string(caption));
}

} // namespace

frmError::frmError(const ErrorLog& log, ErrorReporter& errors, const desktop::BugReportRoute& route, HWND owner)
    : ErrorDialogBase(log, errors), errorLog_(log), route_(route)
{
    create(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
}

void frmError::onCreate()
{
    Trap trap(errors(), "Error in frmError: Sub Form_Load");
    trap([&] { buildControls(); });
}

void frmError::buildControls()
{
    SetWindowTextW(hwnd(), L"Fehlerbericht");
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(layout_.font(TahomaFont)), FALSE);
    const auto add = [&](const wchar_t* windowClass, const wchar_t* text, DWORD style, int id,
                         const desktop::TwipsRect& where, DWORD exStyle = 0) {
        HWND made = addControl(windowClass, text, style, id, exStyle);
        layout_.add(made, where, TahomaFont);
        return made;
    };
    constexpr DWORD Picture = SS_ICON | SS_CENTERIMAGE;
    constexpr DWORD Button = WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON;
    constexpr DWORD TextBox = WS_TABSTOP | ES_MULTILINE | ES_READONLY;
    add(WC_STATICW, L"", WS_VISIBLE | Picture, id::imgImage_0, layout::imgImage);
    add(WC_STATICW, L"", Picture, id::imgImage_2, layout::imgImage);
    // In the tab order: OK, "&Abbruch", the message, details, the details box, the rule, the bug report.
    add(WC_BUTTONW, L"O&K", Button | BS_DEFPUSHBUTTON, id::frmError_cmdOK, layout::cmdOK);
    add(WC_BUTTONW, L"&Abbruch", Button, id::cmdExit, layout::cmdExit);
    txtMsg_.emplace(add(WC_EDITW, L"", WS_VISIBLE | TextBox, id::txtMsg, layout::txtMsg, WS_EX_CLIENTEDGE));
    add(WC_BUTTONW, wideCaption(layout::Unfold).c_str(), Button, id::cmdDetails, layout::cmdDetails);
    add(WC_EDITW, L"", TextBox | WS_VSCROLL, id::txtDetails, layout::txtDetails, WS_EX_CLIENTEDGE);
    add(WC_STATICW, L"", WS_VISIBLE | SS_ETCHEDHORZ, id::frlongname, layout::frlongname);
    add(WC_BUTTONW, L"Bugreport per E-Mail senden", Button, id::cmdbugreport, layout::cmdbugreport);
    setClientSize(layout::ClientWidth, layout::DesignHeight);
    setPictures();
    centre();
}

// The pictures at the window's resolution.
void frmError::setPictures()
{
    const int dpi = layout_.dpi();
    const int size = desktop::pixels(layout::imgImage.width, dpi);
    errorPicture_ = Icon(Picture::Error, size);
    programPicture_ = Icon(Picture::Program, size);
    mailPicture_ = Icon(Picture::Mail, desktop::pixels(MailPictureTwips, dpi));
    SendMessageW(control(id::imgImage_0), STM_SETICON, reinterpret_cast<WPARAM>(errorPicture_.handle()), 0);
    SendMessageW(control(id::imgImage_2), STM_SETICON, reinterpret_cast<WPARAM>(programPicture_.handle()), 0);
    SendMessageW(control(id::cmdbugreport), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(mailPicture_.handle()));
}

void frmError::setDetailsText(const std::string& text)
{
    SetWindowTextW(control(id::txtDetails), wideLines(text).c_str());
}

void frmError::SetForm(bool)
{
    Trap trap(errors(), "Error in frmError: Sub SetForm");
    trap([&] {
        ShowWindow(control(id::imgImage_0), SW_SHOWNA);
        ShowWindow(control(id::imgImage_2), SW_HIDE);
    });
    trap([&] {
        for (int button : {id::frmError_cmdOK, id::cmdExit, id::cmdDetails, id::cmdbugreport})
            ShowWindow(control(button), SW_SHOWNA);
    });
    trap([&] { SendMessageW(hwnd(), DM_SETDEFID, id::frmError_cmdOK, 0); });
    trap([&] { setOuterHeight(layout::FoldedHeight); });
    trap([&] { SetWindowTextW(hwnd(), L"Fehler"); });
    trap([&] { EnableWindow(control(id::cmdDetails), TRUE); });
}

void frmError::setInformationLayout()
{
    ShowWindow(control(id::imgImage_0), SW_HIDE);
    ShowWindow(control(id::imgImage_2), SW_SHOWNA);
    ShowWindow(control(id::cmdExit), SW_HIDE);
    SetWindowTextW(hwnd(), L"Information");
}

void frmError::disableOk()
{
    EnableWindow(control(id::frmError_cmdOK), FALSE);
}

void frmError::setMessageText(const std::string& text)
{
    HWND old = txtMsg_->handle();
    txtMsg_->setText(wideLines(text));
    layout_.replace(old, txtMsg_->handle());
}

DialogAnswer frmError::showModal()
{
    return runModal() == AbortResult ? DialogAnswer::Abort : DialogAnswer::Ok;
}

// OK first, as long as it can be pressed.
HWND frmError::initialFocus() const
{
    HWND ok = control(id::frmError_cmdOK);
    return IsWindowEnabled(ok) && IsWindowVisible(ok) ? ok : nullptr;
}

void frmError::onCommand(int id, int notification)
{
    if (notification != BN_CLICKED)
        return;
    HWND ok = control(id::frmError_cmdOK);
    switch (id) {
    case id::frmError_cmdOK:
    case IDCANCEL:
        // Enter and Esc act as OK, and do nothing while OK is disabled.
        if (IsWindowEnabled(ok) && IsWindowVisible(ok))
            runHandler([this] { cmdOK_Click(); });
        break;
    case id::cmdExit:
        runHandler([this] { cmdExit_Click(); });
        break;
    case id::cmdDetails:
        runHandler([this] { cmdDetails_Click(); });
        break;
    case id::cmdbugreport:
        runHandler([this] { desktop::cmdbugreport_Click(route_, errorLog_, errors()); });
        break;
    default:
        break;
    }
}

bool frmError::onMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR* result)
{
    // Both text boxes on the button face.
    if (message != WM_CTLCOLORSTATIC)
        return false;
    auto* dc = reinterpret_cast<HDC>(wParam);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    *result = reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    return true;
}

void frmError::onDpiChanged()
{
    DialogWindow::onDpiChanged();
    setPictures();
    if (heightTwips_ != 0)
        setOuterHeight(heightTwips_);
    HWND old = txtMsg_->handle();
    layout_.replace(old, txtMsg_->layOut());
}

void frmError::cmdOK_Click()
{
    Trap trap(errors(), "Error in frmError: Sub cmdOK_Click");
    trap([&] { endModal(OkResult); });
}

void frmError::cmdExit_Click()
{
    Trap trap(errors(), "Error in frmError: Sub cmdExit_Click");
    trap([&] { endModal(AbortResult); });
}

void frmError::cmdDetails_Click()
{
    Trap trap(errors(), "Error in frmError: Sub cmdDetails_Click");
    const layout::Details next = layout::afterDetailsClick(ansiWindowText(control(id::cmdDetails)));
    trap([&] { setOuterHeight(next.outerHeight); });
    trap([&] { SetWindowTextW(control(id::cmdDetails), wideCaption(next.caption).c_str()); });
    trap([&] { ShowWindow(control(id::txtDetails), next.unfolded ? SW_SHOWNA : SW_HIDE); });
}

template <class Handler>
void frmError::runHandler(Handler&& handler)
{
    try {
        handler();
    } catch (const ProgramEnd&) {
        endModal(AbortResult);
    }
}

void frmError::setOuterHeight(int twips)
{
    heightTwips_ = twips;
    const int dpi = layout_.dpi();
    const SIZE outer = outerSize(hwnd(), desktop::pixels(layout::ClientWidth, dpi), 0, dpi);
    SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, desktop::pixels(twips, dpi),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace torvane::win32
