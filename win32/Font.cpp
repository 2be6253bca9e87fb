#include "win32/Font.h"

#include <cmath>

namespace torvane::win32 {

Font::Font(const FontStyle& wanted, int dpi)
{
    LOGFONTW font{};
    font.lfHeight = -static_cast<LONG>(std::lround(wanted.points * dpi / 72.0));
    font.lfWeight = wanted.bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynW(font.lfFaceName, wanted.face, LF_FACESIZE);
    handle_ = CreateFontIndirectW(&font);
}

Font::~Font()
{
    if (handle_ != nullptr)
        DeleteObject(handle_);
}

} // namespace torvane::win32
