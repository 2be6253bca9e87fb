#pragma once

#include <cmath>

namespace torvane::desktop {

// Window layouts are given in twips, 1440 to the inch, so that they keep
// their proportions at any resolution: at 96 dpi 15 twips are one pixel.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

inline int pixels(int twips, int dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440.0));
}

} // namespace torvane::desktop
