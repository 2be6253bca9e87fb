#include "cli/TerminalErrorDialogFactory.h"

#include "cli/TerminalText.h"
#include "errors/ErrorDialogBase.h"
#include "platform/Status.h"

#include <string>

namespace torvane::cli {
namespace {

class TerminalErrorDialog final : public ErrorDialogBase {
public:
    TerminalErrorDialog(const ErrorLog& log, ErrorReporter& errors, Terminal& terminal, bool interactive,
                        TerminalErrorDialogFactory& owner)
        : ErrorDialogBase(log, errors), terminal_(terminal), interactive_(interactive), owner_(owner)
    {
    }

    void setDetailsText(const std::string& text) override { details_ = text; }
    void SetForm(bool) override
    {
        caption_ = "Fehler";
        information_ = false;
    }
    void setInformationLayout() override
    {
        caption_ = "Information";
        information_ = true;
    }
    void disableOk() override { okEnabled_ = false; }
    std::string ChangeErrMsg(long lErrorNum, const std::string& sErrorText, const std::string& sErrorSource) override
    {
        owner_.noteReported(lErrorNum);
        return ErrorDialogBase::ChangeErrMsg(lErrorNum, sErrorText, sErrorSource);
    }
    void setMessageText(const std::string& text) override { message_ = text; }
    DialogAnswer showModal() override;

private:
    DialogAnswer ask();

    Terminal& terminal_;
    bool interactive_;
    TerminalErrorDialogFactory& owner_;
    std::string caption_ = "Fehlerbericht";
    std::string message_;
    std::string details_;
    bool information_ = false;
    bool okEnabled_ = true;
};

DialogAnswer TerminalErrorDialog::showModal()
{
    terminal_.err << "\n" << caption_ << ": " << terminalText(message_) << "\n";
    if (!interactive_) {
        terminal_.err << terminalText(details_);
        return okEnabled_ || information_ ? DialogAnswer::Ok : DialogAnswer::Abort;
    }
    return ask();
}

DialogAnswer TerminalErrorDialog::ask()
{
    for (;;) {
        std::string choices;
        if (okEnabled_)
            choices += "[O]K  ";
        if (!information_)
            choices += "[A]bbruch  ";
        choices += "[D]etails";
        terminal_.err << choices << "? " << std::flush;
        std::string answer;
        if (!std::getline(terminal_.in, answer))
            return okEnabled_ ? DialogAnswer::Ok : DialogAnswer::Abort;
        const char key = answer.empty() ? 'o' : static_cast<char>(answer[0] | 0x20);
        if (key == 'o' && okEnabled_)
            return DialogAnswer::Ok;
        if (key == 'a' && !information_)
            return DialogAnswer::Abort;
        if (key == 'd')
            terminal_.err << terminalText(details_);
    }
}

} // namespace

std::unique_ptr<ErrorDialog> TerminalErrorDialogFactory::load(const ErrorLog& log, ErrorReporter& errors)
{
    return std::make_unique<TerminalErrorDialog>(log, errors, terminal_, interactive_, *this);
}

void TerminalErrorDialogFactory::noteReported(long number)
{
    if (number != errnum::ChooserCancelled)
        ++reported_;
}

} // namespace torvane::cli
