#pragma once

#include <windows.h>

#include <string>

namespace torvane::win32 {

// A read-only multi-line edit control that never shows a line cut in half:
// its text rectangle holds a whole number of lines, with the rest of the
// height above and below, and it scrolls by whole lines, with a scroll bar
// only when the text has more lines than fit. The control is made again
// with or without its scroll bar whenever that changes.
class WholeLinesEdit {
public:
    // The control the window made, without a scroll bar.
    explicit WholeLinesEdit(HWND edit) : edit_(edit) {}

    HWND handle() const { return edit_; }
    void setText(const std::wstring& text);
    // After the control's size or font changed. Returns the control, which
    // may be a new one.
    HWND layOut();

    // The height of one line in pixels and the lines the text rectangle holds.
    int lineHeight() const;
    int visibleLines() const;

private:
    void fitTextRect();
    bool scrolls() const;
    void remake(bool withScrollBar);

    HWND edit_;
    std::wstring text_;
};

} // namespace torvane::win32
