#include "platform/Utf16.h"

#include "platform/Cp1252.h"

#include <windows.h>

#include <cstdio>

namespace torvane::utf16 {
namespace {

constexpr UINT Cp1252 = 1252;

std::wstring toWide(UINT codePage, std::string_view text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), length, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

bool isUnrepresentable(wchar_t c)
{
    char byte = 0;
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(Cp1252, WC_NO_BEST_FIT_CHARS, &c, 1, &byte, 1, nullptr, &usedDefault);
    return n != 1 || usedDefault;
}

// "U+0141 U+017A" for the characters Windows-1252 cannot carry; a pair of
// surrogates is one character.
std::string codePointsOutside(std::wstring_view text)
{
    std::string listed;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        const bool pair =
            cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000;
        if (pair)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[++i] - 0xDC00);
        else if (!isUnrepresentable(text[i]))
            continue;
        char code[16];
        std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
        listed += (listed.empty() ? "" : " ") + std::string(code);
    }
    return listed;
}

} // namespace

std::wstring fromCp1252(std::string_view text)
{
    return toWide(Cp1252, text);
}

bool toCp1252(std::wstring_view text, std::string* out)
{
    out->clear();
    if (text.empty())
        return true;
    const int length = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size =
        WideCharToMultiByte(Cp1252, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, &usedDefault);
    out->resize(static_cast<std::size_t>(size));
    WideCharToMultiByte(Cp1252, WC_NO_BEST_FIT_CHARS, text.data(), length, out->data(), size, nullptr, &usedDefault);
    return usedDefault == FALSE;
}

std::wstring fromUtf8(std::string_view text)
{
    return toWide(CP_UTF8, text);
}

std::string toUtf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    std::string utf8(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr)),
        '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), length, utf8.data(), static_cast<int>(utf8.size()), nullptr, nullptr);
    return utf8;
}

Status unrepresentableName(std::wstring_view name)
{
    std::string shown;
    toCp1252(name, &shown);
    return Status::error(errnum::BadFileName, ERROR_NO_UNICODE_TRANSLATION,
                         shown + cp1252::ansi(" (enthält Zeichen, die Windows-1252 nicht darstellen kann: ") +
                             codePointsOutside(name) + ")");
}

} // namespace torvane::utf16
