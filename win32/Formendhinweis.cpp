#include "win32/Formendhinweis.h"

#include "reorg/RunTexts.h"
#include "win32/ControlIds.h"
#include "win32/MessageBox.h"
#include "win32/WideText.h"

#include <commctrl.h>

namespace torvane::win32 {
namespace {

const FontStyle ArialFont{L"Arial", 14.25, false};

// In twips: the warning, the two statements below it, OK centred at the bottom.
constexpr int ClientWidth = 9600;
constexpr int ClientHeight = 4560;
constexpr desktop::TwipsRect txtWarnhinweis{240, 240, 9120, 1500};
constexpr desktop::TwipsRect optJANEIN0{240, 1920, 9120, 780};
constexpr desktop::TwipsRect optJANEIN1{240, 2820, 9120, 780};
constexpr desktop::TwipsRect cmdOK{4050, 3780, 1500, 540};

constexpr DWORD Option = WS_VISIBLE | BS_AUTORADIOBUTTON | BS_MULTILINE | BS_TOP;

} // namespace

Formendhinweis::Formendhinweis(HWND owner, Message onDoubt) : handlers_(*this, std::move(onDoubt))
{
    create(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME);
}

void Formendhinweis::onCreate()
{
    SetWindowTextW(hwnd(), L"Endhinweis");
    SendMessageW(hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(layout_.font(ArialFont)), FALSE);
    layout_.add(addControl(WC_EDITW, wideLines(texts::confirmationWarning()).c_str(),
                           WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_READONLY, id::txtWarnhinweis, WS_EX_CLIENTEDGE),
                txtWarnhinweis, ArialFont);
    layout_.add(addControl(WC_BUTTONW, wide(texts::confirmationBackup()).c_str(), Option | WS_GROUP | WS_TABSTOP,
                           id::optJANEIN_0),
                optJANEIN0, ArialFont);
    layout_.add(addControl(WC_BUTTONW, wide(texts::confirmationDoubt()).c_str(), Option, id::optJANEIN_1), optJANEIN1,
                ArialFont);
    layout_.add(addControl(WC_BUTTONW, L"OK", WS_VISIBLE | WS_TABSTOP | WS_GROUP | WS_DISABLED | BS_DEFPUSHBUTTON,
                           id::Formendhinweis_cmdOK),
                cmdOK, ArialFont);
    setClientSize(ClientWidth, ClientHeight);
    centre();
}

// On the statements rather than on the warning, whose text the focus would mark.
HWND Formendhinweis::initialFocus() const
{
    return GetDlgItem(hwnd(), id::optJANEIN_0);
}

Confirmation Formendhinweis::ask()
{
    return runModal() == static_cast<INT_PTR>(Confirmation::Backup) ? Confirmation::Backup : Confirmation::Doubt;
}

void Formendhinweis::onCommand(int id, int notification)
{
    switch (id) {
    case id::optJANEIN_0:
    case id::optJANEIN_1:
        if (notification == BN_CLICKED)
            handlers_.optJANEIN_Click(id == id::optJANEIN_0 ? 0 : 1);
        break;
    case id::Formendhinweis_cmdOK:
        // Enter reaches OK even while it is disabled.
        if (IsWindowEnabled(GetDlgItem(hwnd(), id::Formendhinweis_cmdOK)))
            handlers_.cmdOK_Click();
        break;
    case IDCANCEL:
        handlers_.refuse();
        break;
    default:
        break;
    }
}

bool Formendhinweis::optionSelected(int element) const
{
    const int option = element == 0 ? id::optJANEIN_0 : id::optJANEIN_1;
    return IsDlgButtonChecked(hwnd(), option) == BST_CHECKED;
}

void Formendhinweis::enableOk()
{
    EnableWindow(GetDlgItem(hwnd(), id::Formendhinweis_cmdOK), TRUE);
}

void Formendhinweis::tell(const Message& message)
{
    showMessage(hwnd(), message.text, message.title, message.icon);
}

void Formendhinweis::closeWith(Confirmation answer)
{
    endModal(static_cast<INT_PTR>(answer));
}

} // namespace torvane::win32
