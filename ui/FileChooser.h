#pragma once

#include <QString>

#include <optional>

class QWidget;

namespace torvane::ui {

// What the file-open chooser is asked to show.
struct ChooserRequest {
    QString startFolder; // empty: the platform's default
    QString title;
    QString filterDescription; // shown as it is
    QString filterPattern;     // matched regardless of case
};

// The file-open chooser: the desktop's dialog, or a script in tests.
class FileChooser {
public:
    virtual ~FileChooser() = default;

    // The chosen file's full name, or nothing when the user cancelled.
    virtual std::optional<QString> chooseFile(QWidget* parent, const ChooserRequest& request) = 0;
};

} // namespace torvane::ui
