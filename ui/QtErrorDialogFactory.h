#pragma once

#include "errors/ErrorDialogFactory.h"
#include "ui/frmError.h"

#include <QPointer>
#include <QWidget>

namespace torvane::ui {

// A freshly built frmError for every report, owned by the main window.
class QtErrorDialogFactory final : public ErrorDialogFactory {
public:
    QtErrorDialogFactory(Env& env, std::string supportAddress) : route_{std::move(supportAddress), env} {}

    // The window the dialogs are modal over; reports before it exists get none.
    void setOwner(QWidget* owner) { owner_ = owner; }

    std::unique_ptr<ErrorDialog> load(const ErrorLog& log, ErrorReporter& errors) override;
    void resetMousePointer() override;

private:
    desktop::BugReportRoute route_;
    QPointer<QWidget> owner_;
};

} // namespace torvane::ui
