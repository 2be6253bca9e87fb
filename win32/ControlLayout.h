#pragma once

#include "desktop/Twips.h"
#include "win32/Font.h"

#include <windows.h>

#include <map>
#include <vector>

namespace torvane::win32 {

// A window's controls placed in twips and drawn in fonts given in points:
// laid out again, fonts and all, whenever the window's resolution changes.
class ControlLayout {
public:
    // The font wanted must outlive the layout.
    void add(HWND control, const desktop::TwipsRect& where, const FontStyle& font);
    void replace(HWND old, HWND control);

    // Places every control and sets its font for dpi.
    void apply(int dpi);
    int dpi() const { return dpi_; }
    HFONT font(const FontStyle& wanted);

private:
    struct Placed {
        HWND control;
        desktop::TwipsRect where;
        const FontStyle* font;
    };

    std::vector<Placed> controls_;
    std::map<const FontStyle*, Font> fonts_;
    int dpi_ = 96;
};

} // namespace torvane::win32
