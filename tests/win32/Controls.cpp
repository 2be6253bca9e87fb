#include "Controls.h"

#include "platform/Utf16.h"
#include "win32/Dpi.h"
#include "win32/WideText.h"

#include <commctrl.h>

namespace torvane::win32test {
namespace {

// The system's message box gives its text this item number.
constexpr int MessageBoxTextId = 0xFFFF;

std::wstring className(HWND window)
{
    wchar_t name[64] = L"";
    GetClassNameW(window, name, 64);
    return name;
}

// The room a button leaves its text: its edges, and the check mark of a
// radio button or the picture beside the text.
RECT textRoom(HWND control)
{
    RECT room;
    GetClientRect(control, &room);
    const int dpi = win32::windowDpi(control);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    if (className(control) != WC_BUTTONW)
        return room;
    const int edge = MulDiv(3, dpi, 96);
    InflateRect(&room, -edge, -edge);
    if ((style & BS_TYPEMASK) == BS_AUTORADIOBUTTON || (style & BS_TYPEMASK) == BS_RADIOBUTTON)
        room.left += MulDiv(13 + 6, dpi, 96);
    if (auto* picture = reinterpret_cast<HICON>(SendMessageW(control, BM_GETIMAGE, IMAGE_ICON, 0));
        picture != nullptr) {
        ICONINFO info{};
        GetIconInfo(picture, &info);
        BITMAP bitmap{};
        GetObjectW(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        room.right -= bitmap.bmWidth + MulDiv(4, dpi, 96);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    return room;
}

} // namespace

std::wstring text(HWND window)
{
    return win32::windowText(window);
}

HWND item(HWND dialog, int id)
{
    return GetDlgItem(dialog, id);
}

void click(HWND button)
{
    SendMessageW(button, BM_CLICK, 0, 0);
}

void press(UINT key)
{
    HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    PostMessageW(focus, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

void typeCharacter(wchar_t character)
{
    PostMessageW(GetFocus(), WM_CHAR, character, 1);
}

void handleMessages(HWND dialog)
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageW(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

RECT placement(HWND control)
{
    RECT where;
    GetWindowRect(control, &where);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&where), 2);
    return where;
}

RECT expectedPlacement(HWND window, const desktop::TwipsRect& twips)
{
    return win32::pixelRect(twips, win32::windowDpi(window));
}

LOGFONTW fontOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

::testing::AssertionResult textFits(HWND control)
{
    const RECT room = textRoom(control);
    HDC dc = GetDC(control);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control, GWL_STYLE));
    const bool wraps = className(control) == WC_BUTTONW && (style & BS_MULTILINE) != 0;
    RECT needed{0, 0, room.right - room.left, 0};
    const std::wstring shown = text(control);
    DrawTextW(dc, shown.c_str(), -1, &needed, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    if (needed.right - needed.left <= room.right - room.left && needed.bottom - needed.top <= room.bottom - room.top)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << utf16::toUtf8(shown) << " needs " << needed.right - needed.left << " x "
                                         << needed.bottom - needed.top << " pixels, has " << room.right - room.left
                                         << " x " << room.bottom - room.top;
}

HICON messageBoxIcon(HWND box)
{
    HICON shown = nullptr;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM into) {
            if (auto* icon = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0)); icon != nullptr)
                *reinterpret_cast<HICON*>(into) = icon;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&shown));
    return shown;
}

std::wstring messageBoxText(HWND box)
{
    return text(GetDlgItem(box, MessageBoxTextId));
}

} // namespace torvane::win32test
