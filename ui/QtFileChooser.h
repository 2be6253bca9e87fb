#pragma once

#include "ui/FileChooser.h"

#include <memory>

class QFileDialog;

namespace torvane::ui {

// Qt's own file dialog rather than the desktop's native one: only it shows
// the filter's description unchanged and matches its pattern regardless of
// case everywhere.
class QtFileChooser final : public FileChooser {
public:
    std::optional<QString> chooseFile(QWidget* parent, const ChooserRequest& request) override;

    // The dialog as chooseFile shows it.
    static std::unique_ptr<QFileDialog> makeDialog(QWidget* parent, const ChooserRequest& request);
};

} // namespace torvane::ui
