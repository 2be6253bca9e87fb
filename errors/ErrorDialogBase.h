#pragma once

#include "errors/ErrorDialog.h"
#include "errors/ErrorLog.h"
#include "errors/ErrorReporter.h"

#include <string>

namespace torvane {

// What every front end's dialog does alike: writing the log and choosing
// the message text.
class ErrorDialogBase : public ErrorDialog {
public:
    ErrorDialogBase(const ErrorLog& log, ErrorReporter& errors) : log_(log), errors_(errors) {}

    void WritetoLog(const std::string& sText) override;
    std::string ChangeErrMsg(long lErrorNum, const std::string& sErrorText, const std::string& sErrorSource) override;

protected:
    // For the traps of the front end's own procedures.
    ErrorReporter& errors() const { return errors_; }

private:
    const ErrorLog& log_;
    ErrorReporter& errors_;
};

} // namespace torvane
