#pragma once

#include <windows.h>

namespace torvane::win32 {

// A font as the windows name it: face, size in points, weight. Where the
// face is not installed Windows picks a sans serif of the same size.
struct FontStyle {
    const wchar_t* face;
    double points;
    bool bold;
};

// The font created for one resolution; deleted with the object.
class Font {
public:
    Font(const FontStyle& wanted, int dpi);
    ~Font();
    Font(Font&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;
    Font& operator=(Font&&) = delete;

    HFONT handle() const { return handle_; }

private:
    HFONT handle_;
};

} // namespace torvane::win32
