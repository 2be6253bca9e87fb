#include "win32/WideText.h"

#include "platform/Utf16.h"

namespace torvane::win32 {

std::wstring wide(const std::string& ansi)
{
    return utf16::fromCp1252(ansi);
}

std::wstring wideLines(const std::string& ansi)
{
    const std::wstring text = wide(ansi);
    std::wstring lines;
    lines.reserve(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            lines += L"\r\n";
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
        } else {
            lines += text[i];
        }
    }
    return lines;
}

std::wstring windowText(HWND window)
{
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string ansiWindowText(HWND window)
{
    std::string text;
    utf16::toCp1252(windowText(window), &text);
    return text;
}

} // namespace torvane::win32
