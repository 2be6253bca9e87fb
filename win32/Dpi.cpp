#include "win32/Dpi.h"

namespace torvane::win32 {
namespace {

// Calls that only newer Windows versions have are looked up at run time,
// so that the program still starts on Windows 7.
template <class Function>
Function user32(const char* name)
{
    const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiCall = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SetDialogDpiChangeBehaviorCall = BOOL(WINAPI*)(HWND, int, int);
using SetDialogControlDpiChangeBehaviorCall = BOOL(WINAPI*)(HWND, int, int);

// DDC_DISABLE_ALL, and DCDC_DISABLE_FONTUPDATE | DCDC_DISABLE_RELAYOUT.
constexpr int NoDialogScaling = 1;
constexpr int NoControlScaling = 1 | 2;

RECT frame(HWND window, int dpi)
{
    RECT rect{0, 0, 0, 0};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    static const auto adjustForDpi = user32<AdjustWindowRectExForDpiCall>("AdjustWindowRectExForDpi");
    if (adjustForDpi != nullptr)
        adjustForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

} // namespace

int windowDpi(HWND window)
{
    static const auto forWindow = user32<GetDpiForWindowCall>("GetDpiForWindow");
    if (forWindow != nullptr && window != nullptr) {
        if (const UINT dpi = forWindow(window); dpi != 0)
            return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

SIZE outerSize(HWND window, int clientWidth, int clientHeight, int dpi)
{
    const RECT border = frame(window, dpi);
    return {clientWidth + border.right - border.left, clientHeight + border.bottom - border.top};
}

int frameHeight(HWND window, int dpi)
{
    const RECT border = frame(window, dpi);
    return border.bottom - border.top;
}

void keepOwnLayout(HWND dialog)
{
    static const auto forDialog = user32<SetDialogDpiChangeBehaviorCall>("SetDialogDpiChangeBehavior");
    static const auto forControl = user32<SetDialogControlDpiChangeBehaviorCall>("SetDialogControlDpiChangeBehavior");
    if (forDialog != nullptr)
        forDialog(dialog, NoDialogScaling, NoDialogScaling);
    if (forControl == nullptr)
        return;
    for (HWND control = GetWindow(dialog, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT))
        forControl(control, NoControlScaling, NoControlScaling);
}

RECT pixelRect(const desktop::TwipsRect& twips, int dpi)
{
    const int left = desktop::pixels(twips.left, dpi);
    const int top = desktop::pixels(twips.top, dpi);
    return {left, top, left + desktop::pixels(twips.width, dpi), top + desktop::pixels(twips.height, dpi)};
}

} // namespace torvane::win32
