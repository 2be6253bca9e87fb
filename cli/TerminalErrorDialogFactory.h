#pragma once

#include "cli/Terminal.h"
#include "errors/ErrorDialogFactory.h"

namespace torvane::cli {

// The error dialog on a terminal: message and details on standard error.
// Interactively it asks for OK, Abbruch or Details; otherwise it takes OK,
// or Abbruch when OK is disabled (a fatal error).
class TerminalErrorDialogFactory final : public ErrorDialogFactory {
public:
    TerminalErrorDialogFactory(Terminal& terminal, bool interactive) : terminal_(terminal), interactive_(interactive) {}

    std::unique_ptr<ErrorDialog> load(const ErrorLog& log, ErrorReporter& errors) override;
    void resetMousePointer() override {}

    // Errors reported so far, the chooser's cancel not counted.
    int reportedErrors() const { return reported_; }
    void noteReported(long number);

private:
    Terminal& terminal_;
    bool interactive_;
    int reported_ = 0;
};

} // namespace torvane::cli
