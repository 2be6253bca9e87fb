#include "win32/WholeLinesEdit.h"

#include <algorithm>

namespace torvane::win32 {
namespace {

constexpr int SidePadding = 2;

} // namespace

void WholeLinesEdit::setText(const std::wstring& text)
{
    text_ = text;
    SetWindowTextW(edit_, text_.c_str());
    layOut();
}

int WholeLinesEdit::lineHeight() const
{
    HDC dc = GetDC(edit_);
    const HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(edit_, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(edit_, dc);
    return std::max(static_cast<int>(metrics.tmHeight), 1);
}

int WholeLinesEdit::visibleLines() const
{
    RECT text;
    SendMessageW(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    return (text.bottom - text.top) / lineHeight();
}

HWND WholeLinesEdit::layOut()
{
    // The scroll bar takes width from the text: with it the text may need
    // more lines, never fewer.
    fitTextRect();
    const bool needed = static_cast<int>(SendMessageW(edit_, EM_GETLINECOUNT, 0, 0)) > visibleLines();
    if (needed != scrolls()) {
        remake(needed);
        fitTextRect();
    }
    return edit_;
}

void WholeLinesEdit::fitTextRect()
{
    RECT client;
    GetClientRect(edit_, &client);
    const int pitch = lineHeight();
    const int lines = std::max(static_cast<int>(client.bottom) / pitch, 1);
    const int spare = std::max(static_cast<int>(client.bottom) - lines * pitch, 0);
    RECT text{SidePadding, spare / 2, std::max(static_cast<int>(client.right) - SidePadding, SidePadding + 1),
              spare / 2 + lines * pitch};
    SendMessageW(edit_, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&text));
}

bool WholeLinesEdit::scrolls() const
{
    return (GetWindowLongPtrW(edit_, GWL_STYLE) & WS_VSCROLL) != 0;
}

// An edit control takes its scroll bar from its style when it is made and
// keeps it shown from then on.
void WholeLinesEdit::remake(bool withScrollBar)
{
    auto style = static_cast<DWORD>(GetWindowLongPtrW(edit_, GWL_STYLE));
    style = withScrollBar ? (style | WS_VSCROLL) : (style & ~static_cast<DWORD>(WS_VSCROLL));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(edit_, GWL_EXSTYLE));
    HWND parent = GetParent(edit_);
    RECT where;
    GetWindowRect(edit_, &where);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&where), 2);
    HWND made = CreateWindowExW(exStyle, L"EDIT", text_.c_str(), style, where.left, where.top,
                                where.right - where.left, where.bottom - where.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(edit_))),
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(made, WM_SETFONT, static_cast<WPARAM>(SendMessageW(edit_, WM_GETFONT, 0, 0)), FALSE);
    // In the old one's place in the tab order.
    SetWindowPos(made, edit_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(edit_);
    edit_ = made;
}

} // namespace torvane::win32
