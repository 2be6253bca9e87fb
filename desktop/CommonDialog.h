#pragma once

#include "desktop/FileChooser.h"

#include <string>

namespace torvane::desktop {

// The main window's file-open chooser with what it keeps from one use to
// the next: the start folder and the last chosen name. Texts are
// Windows-1252; the filter is "description|pattern".
class CommonDialog {
public:
    std::string InitDir;
    std::string FileName;
    std::string Filter;
    std::string DialogTitle;
    // A cancel raises error 32755, so that it is noticed.
    bool CancelError = false;

    // Shows the chooser and waits. A cancel leaves FileName as it was.
    // Throws RunError.
    void ShowOpen(FileChooser& chooser);
};

} // namespace torvane::desktop
