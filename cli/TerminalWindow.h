#pragma once

#include "cli/CliOptions.h"
#include "cli/Terminal.h"
#include "cli/TerminalErrorDialogFactory.h"
#include "reorg/RunWindow.h"

#include <string>

namespace torvane::cli {

// The main window's operations on a terminal: log lines on standard output,
// a progress bar with counts on standard error when that is a terminal,
// message boxes as title and text, the final confirmation from the option
// or from the user. Warnings go to standard error, one line each, right
// before the completion message; the log's copy of them is not printed again.
class TerminalWindow final : public RunWindow {
public:
    TerminalWindow(Terminal& terminal, ConfirmOption confirm, const TerminalErrorDialogFactory& dialogs,
                   std::string errorLogPath)
        : terminal_(terminal), confirm_(confirm), dialogs_(dialogs), errorLogPath_(std::move(errorLogPath))
    {
    }

    void setLogText(const std::string& text) override;
    std::string logText() const override { return log_; }
    void setProgressVisible(bool visible) override;
    void setProgressMin(float value) override { min_ = value; }
    void setProgressMax(float value) override { max_ = value; }
    void setProgressValue(float value) override { value_ = value; }
    void setCounterCaption(const std::string& caption) override { counter_ = caption; }
    void repaint() override;
    // A terminal has no pointer, and nothing to click while the run works.
    void setBusy(bool) override {}
    void messageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    void showCompletion(const Message& completion, const std::vector<std::string>& warnings) override;
    Confirmation showFinalConfirmation(const Message& onDoubt) override;

private:
    bool interactive() const;
    Confirmation choose();
    Confirmation askConfirmation();
    void clearProgressLine();

    Terminal& terminal_;
    ConfirmOption confirm_;
    const TerminalErrorDialogFactory& dialogs_;
    std::string errorLogPath_; // named when nothing is copied back
    std::string outputFolder_; // from the completion message, likewise
    std::string log_;
    bool progressVisible_ = false;
    bool progressDrawn_ = false;
    float min_ = 0;
    float max_ = 100;
    float value_ = 0;
    int drawnPermille_ = -1;
    std::string counter_;
};

} // namespace torvane::cli
