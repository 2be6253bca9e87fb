#pragma once

#include "desktop/Twips.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// Acting on windows and reading them as a user and a screen reader would:
// by window messages.
namespace torvane::win32test {

std::wstring text(HWND window);
HWND item(HWND dialog, int id);

// A click: the button reports it to its window at once.
void click(HWND button);
// A key pressed and released, and a character typed, with the focus where
// it is; the message loop that is running handles them when it next looks.
void press(UINT key);
void typeCharacter(wchar_t character);
// Handles what is waiting for a modeless dialog, as the program's loop would.
void handleMessages(HWND dialog);

// Where a control sits in its window's client area, and where the twips
// place it at the window's resolution.
RECT placement(HWND control);
RECT expectedPlacement(HWND window, const desktop::TwipsRect& twips);

// The font a control draws with.
LOGFONTW fontOf(HWND control);
// Whether a button's or label's text shows whole: in the control's font it
// fits the room the control gives it.
::testing::AssertionResult textFits(HWND control);

// The icon the system's message box shows.
HICON messageBoxIcon(HWND box);
// The message box's text.
std::wstring messageBoxText(HWND box);

} // namespace torvane::win32test
