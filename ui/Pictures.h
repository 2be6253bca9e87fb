#pragma once

#include <QIcon>
#include <QPixmap>

namespace torvane::ui {

// The program's own pictures, carried inside the program.
QIcon programIcon();      // a head in profile
QPixmap programPicture(); // the same, 32 x 32
QPixmap errorPicture();   // a folder and a sheet with a red exclamation mark, 32 x 32
QPixmap mailPicture();    // a letter, for the bug-report button

} // namespace torvane::ui
