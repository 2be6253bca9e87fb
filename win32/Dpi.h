#pragma once

#include "desktop/Twips.h"

#include <windows.h>

namespace torvane::win32 {

// The resolution a window is drawn at: its monitor's where Windows knows
// per-monitor resolutions (Windows 10 and later), the system's otherwise.
int windowDpi(HWND window);

// A window's outer size for a client area of this size at dpi.
SIZE outerSize(HWND window, int clientWidth, int clientHeight, int dpi);
// The frame's share of the height: caption and borders.
int frameHeight(HWND window, int dpi);

// Leaves the layout of a dialog and its controls to the window itself
// when the resolution changes; Windows would otherwise scale them again.
void keepOwnLayout(HWND dialog);

RECT pixelRect(const desktop::TwipsRect& twips, int dpi);

} // namespace torvane::win32
