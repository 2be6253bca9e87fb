#pragma once

#include "errors/ErrorDialogFactory.h"
#include "errors/ErrorLog.h"
#include "errors/ErrorReporter.h"
#include "errors/WorkingCopyNames.h"
#include "platform/Clock.h"
#include "platform/Env.h"

namespace torvane {

// The one place every trapped error goes: it is logged to "Errorlog.txt"
// unless it is only an information, explained from "error.dat" when that
// file knows the number, and shown in a freshly loaded modal dialog. The
// failed procedure then resumes; "&Abbruch" ends the program instead.
class ErrorHandler final : public ErrorReporter {
public:
    // The temporary folder is read at each report, since it is fixed only
    // when the main window loads.
    ErrorHandler(Env& env, const Clock& clock, ErrorDialogFactory& dialogs, const std::string& tempFolder);

    void ErrorFunction(const RunError& error, const std::string& location) override;

    // Logs what the program found and did on its own, as an information
    // entry; it is shown by the caller, not in the error dialog. Lines of
    // the text are separated by CR.
    void logInformation(const std::string& title, const std::string& text);

    // From now on the message names the data folder's tables where an error
    // text names their working copies in the staging folder; the log keeps
    // the path as it was.
    void nameWorkingCopies(const std::string& stagingFolder, const std::string& dataFolder);

private:
    std::string explanation(int number);
    void createLogIfMissing() const;

    Env& env_;
    const Clock& clock_;
    ErrorDialogFactory& dialogs_;
    ErrorLog log_;
    WorkingCopyNames workingCopies_;
    int depth_ = 0;
};

} // namespace torvane
