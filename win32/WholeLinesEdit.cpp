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

// Some edit controls take a pixel or two of their own off the text
// rectangle, at the top and as much at the bottom: that inset is measured
// first, so that it does not cost a line.
void WholeLinesEdit::fitTextRect()
{
    RECT client;
    GetClientRect(edit_, &client);
    const int right = std::max(static_cast<int>(client.right) - SidePadding, SidePadding + 1);
    RECT text{SidePadding, 0, right, client.bottom};
    SendMessageW(edit_, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&text));
    SendMessageW(edit_, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&text));
    const int inset = std::max(static_cast<int>(text.top), 0);

    const int pitch = lineHeight();
    const int usable = static_cast<int>(client.bottom) - 2 * inset;
    const int lines = std::max(usable / pitch, 1);
    const int spare = std::max(usable - lines * pitch, 0);
    text = {SidePadding, spare / 2, right, spare / 2 + 2 * inset + lines * pitch};
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
    HWND made = CreateWindowExW(exStyle, L"EDIT", text_.c_str(), style, where.left, where.top, where.right - where.left,
                                where.bottom - where.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(edit_))),
                                GetModuleHandleW(nullptr), nullptr);
    SendMessageW(made, WM_SETFONT, static_cast<WPARAM>(SendMessageW(edit_, WM_GETFONT, 0, 0)), FALSE);
    // In the old one's place in the tab order.
    SetWindowPos(made, edit_, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    DestroyWindow(edit_);
    edit_ = made;
}

} // namespace torvane::win32
