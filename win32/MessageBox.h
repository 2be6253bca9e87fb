#pragma once

#include "reorg/RunWindow.h"

#include <windows.h>

#include <string>

namespace torvane::win32 {

// The system's message box with an OK button only, modal over owner.
// Lines in text are separated by single carriage returns. Returns once the
// user has acknowledged it.
void showMessage(HWND owner, const std::string& text, const std::string& title, MessageIcon icon);

} // namespace torvane::win32
