#include "win32/MessageBox.h"

#include "win32/WideText.h"

namespace torvane::win32 {

void showMessage(HWND owner, const std::string& text, const std::string& title, MessageIcon icon)
{
    const UINT kind = icon == MessageIcon::Information ? MB_ICONINFORMATION : MB_ICONEXCLAMATION;
    MessageBoxW(owner, wideLines(text).c_str(), wide(title).c_str(), MB_OK | kind);
}

} // namespace torvane::win32
