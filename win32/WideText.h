#pragma once

#include <windows.h>

#include <string>

namespace torvane::win32 {

// The logic's Windows-1252 text as a window shows it, in UTF-16.
std::wstring wide(const std::string& ansi);

// The same with every line break (CR LF, or a single CR or LF) as CR LF,
// the break that edit controls and message boxes show.
std::wstring wideLines(const std::string& ansi);

// A window's text, and the same in Windows-1252 ('?' for what the code
// page cannot carry).
std::wstring windowText(HWND window);
std::string ansiWindowText(HWND window);

} // namespace torvane::win32
