#pragma once

#include "errors/ErrorDialog.h"
#include "errors/ErrorDialogBase.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace torvane::testsupport {

// Error dialogs that record what the handler does with them and answer as
// scripted (OK once the script runs out) instead of waiting for a user.
class ScriptedErrorDialogs final : public ErrorDialogs {
public:
    // A dialog as it stood when it was shown.
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
    void resetMousePointer() override { calls.push_back("resetMousePointer"); }

    std::deque<DialogAnswer> answers;
    // Every call of every dialog, in order ("load", "SetForm(false)", …, "unload").
    std::vector<std::string> calls;
    std::vector<Shown> shown;

private:
    class Dialog final : public ErrorDialogBase {
    public:
        Dialog(const ErrorLog& log, ErrorReporter& errors, ScriptedErrorDialogs& owner)
            : ErrorDialogBase(log, errors), owner_(owner)
        {
            call("load");
        }
        ~Dialog() override { call("unload"); }

        void setDetailsText(const std::string& text) override { call("setDetailsText"); state_.details = text; }
        void SetForm(bool bYesNo) override { call(bYesNo ? "SetForm(true)" : "SetForm(false)"); state_.caption = "Fehler"; }
        void setInformationLayout() override { call("setInformationLayout"); state_.caption = "Information"; }
        void disableOk() override { call("disableOk"); state_.okEnabled = false; }
        void setMessageText(const std::string& text) override { call("setMessageText"); state_.message = text; }

        void WritetoLog(const std::string& sText) override
        {
            call("WritetoLog");
            ErrorDialogBase::WritetoLog(sText);
        }

        std::string ChangeErrMsg(long lErrorNum, const std::string& sErrorText, const std::string& sErrorSource) override
        {
            call("ChangeErrMsg");
            return ErrorDialogBase::ChangeErrMsg(lErrorNum, sErrorText, sErrorSource);
        }

        DialogAnswer showModal() override
        {
            call("showModal");
            owner_.shown.push_back(state_);
            const DialogAnswer answer = owner_.answers.empty() ? DialogAnswer::Ok : owner_.answers.front();
            if (!owner_.answers.empty())
                owner_.answers.pop_front();
            return answer;
        }

    private:
        void call(const char* name) { owner_.calls.push_back(name); }

        ScriptedErrorDialogs& owner_;
        Shown state_;
    };
};

} // namespace torvane::testsupport
