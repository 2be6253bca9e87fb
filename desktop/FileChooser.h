#pragma once

#include <optional>
#include <string>

namespace torvane::desktop {

// What the file-open chooser is asked to show. Windows-1252.
struct ChooserRequest {
    std::string startFolder; // empty: the platform's default
    std::string title;
    std::string filterDescription; // shown as it is
    std::string filterPattern;     // matched regardless of case
};

// The file-open chooser as the main window shows it, over itself.
class FileChooser {
public:
    virtual ~FileChooser() = default;

    // The chosen file's full name in Windows-1252, or nothing when the user
    // cancelled. A name the code page cannot carry throws RunError 52.
    virtual std::optional<std::string> chooseFile(const ChooserRequest& request) = 0;
};

} // namespace torvane::desktop
