#include "ui/QtErrorDialogFactory.h"

#include <QGuiApplication>

namespace torvane::ui {

std::unique_ptr<ErrorDialog> QtErrorDialogFactory::load(const ErrorLog& log, ErrorReporter& errors)
{
    return std::make_unique<frmError>(log, errors, route_, owner_.data());
}

void QtErrorDialogFactory::resetMousePointer()
{
    while (QGuiApplication::overrideCursor() != nullptr)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace torvane::ui
