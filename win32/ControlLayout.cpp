#include "win32/ControlLayout.h"

#include "win32/Dpi.h"

namespace torvane::win32 {

void ControlLayout::add(HWND control, const desktop::TwipsRect& where, const FontStyle& font)
{
    controls_.push_back({control, where, &font});
}

void ControlLayout::replace(HWND old, HWND control)
{
    for (Placed& placed : controls_) {
        if (placed.control == old)
            placed.control = control;
    }
}

HFONT ControlLayout::font(const FontStyle& wanted)
{
    auto found = fonts_.find(&wanted);
    if (found == fonts_.end())
        found = fonts_.emplace(&wanted, Font(wanted, dpi_)).first;
    return found->second.handle();
}

void ControlLayout::apply(int dpi)
{
    // The old fonts stay alive until every control has its new one.
    std::map<const FontStyle*, Font> old = std::move(fonts_);
    fonts_.clear();
    dpi_ = dpi;
    for (const Placed& placed : controls_) {
        const RECT rect = pixelRect(placed.where, dpi);
        SetWindowPos(placed.control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(placed.control, WM_SETFONT, reinterpret_cast<WPARAM>(font(*placed.font)), TRUE);
    }
}

} // namespace torvane::win32
