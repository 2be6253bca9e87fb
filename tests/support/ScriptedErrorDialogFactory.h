#pragma once

#include "errors/ErrorDialogBase.h"
#include "errors/ErrorDialogFactory.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace torvane::testsupport {

// Error dialogs that record each dialog as it stood when shown and answer as
// scripted (OK once the script runs out) instead of waiting for a user.
class ScriptedErrorDialogFactory final : public ErrorDialogFactory {
public:
    struct Shown {
        std::string caption = "Fehlerbericht";
        bool okEnabled = true;
        std::string details;
        std::string message;
    };

    std::unique_ptr<ErrorDialog> load(const ErrorLog& log, ErrorReporter& errors) override
    {
        return std::make_unique<Dialog>(log, errors, *this);
    }
    void resetMousePointer() override {}

    std::deque<DialogAnswer> answers;
    std::vector<Shown> shown;

private:
    class Dialog final : public ErrorDialogBase {
    public:
        Dialog(const ErrorLog& log, ErrorReporter& errors, ScriptedErrorDialogFactory& owner)
            : ErrorDialogBase(log, errors), owner_(owner)
        {
        }

        void setDetailsText(const std::string& text) override { state_.details = text; }
        void SetForm(bool) override { state_.caption = "Fehler"; }
        void setInformationLayout() override { state_.caption = "Information"; }
        void disableOk() override { state_.okEnabled = false; }
        void setMessageText(const std::string& text) override { state_.message = text; }

        DialogAnswer showModal() override
        {
            owner_.shown.push_back(state_);
            if (owner_.answers.empty())
                return DialogAnswer::Ok;
            const DialogAnswer answer = owner_.answers.front();
            owner_.answers.pop_front();
            return answer;
        }

    private:
        ScriptedErrorDialogFactory& owner_;
        Shown state_;
    };
};

} // namespace torvane::testsupport
