#pragma once

#include "errors/ErrorDialog.h"
#include "errors/ErrorReporter.h"

#include <memory>

namespace torvane {

class ErrorLog;

// The front end's supply of error dialogs, a fresh one per report.
class ErrorDialogFactory {
public:
    virtual ~ErrorDialogFactory() = default;

    // The dialog writes to `log` and reports its own failures to `errors`.
    virtual std::unique_ptr<ErrorDialog> load(const ErrorLog& log, ErrorReporter& errors) = 0;
    // Back to the normal pointer, whatever a run had set.
    virtual void resetMousePointer() = 0;
};

} // namespace torvane
