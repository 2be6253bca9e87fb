#pragma once

#include "desktop/FileChooser.h"

#include <windows.h>

#include <optional>
#include <string>

namespace torvane::win32 {

// The file-open chooser over a window: the system's, or a script in tests.
class FileChooser {
public:
    virtual ~FileChooser() = default;

    // The chosen file's full name in Windows-1252, or nothing when the user
    // cancelled. A name the code page cannot carry throws RunError 52.
    virtual std::optional<std::string> chooseFile(HWND owner, const desktop::ChooserRequest& request) = 0;
};

// The system's file-open dialog (GetOpenFileNameW). It lists the files the
// pattern matches, regardless of case.
class OpenFileChooser final : public FileChooser {
public:
    std::optional<std::string> chooseFile(HWND owner, const desktop::ChooserRequest& request) override;
};

} // namespace torvane::win32
