#include "errors/ErrorHandler.h"

#include "errors/IniFile.h"
#include "errors/ProgramEnd.h"
#include "errors/Trap.h"

#include <algorithm>
#include <array>

namespace torvane {
namespace {

// Errors shown as an information and never logged: the user cancelled the
// file dialog, or the file and device range, in the order they are tested.
constexpr std::array InformationNumbers{32755, 52, 53, 76, 54, 56, 57, 58, 59, 60, 61,
                                        62,    63, 64, 65, 67, 68, 69, 70, 71, 72};

bool isFatal(const RunError& error)
{
    return error.text == "Out of Memory" || error.number == errnum::OutOfMemory;
}

bool isInformation(int number)
{
    return std::find(InformationNumbers.begin(), InformationNumbers.end(), number) != InformationNumbers.end();
}

// Counts how deeply reports are nested while one is being handled.
class Nesting {
public:
    explicit Nesting(int& depth) : depth_(depth) { ++depth_; }
    ~Nesting() { --depth_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

private:
    int& depth_;
};

} // namespace

ErrorHandler::ErrorHandler(Env& env, const Clock& clock, ErrorDialogFactory& dialogs, const std::string& tempFolder)
    : env_(env), clock_(clock), dialogs_(dialogs), log_(env, tempFolder, *this)
{
}

void ErrorHandler::ErrorFunction(const RunError& error, const std::string& location)
{
    // The handler's own steps report to the handler. A failure of the
    // reporting is still shown, but it leaves the log alone, and a failure
    // while showing that one is dropped: nothing loops.
    if (depth_ > 1)
        return;
    const Nesting nesting(depth_);
    const bool writesLog = depth_ == 1;

    std::unique_ptr<ErrorDialog> dialog = dialogs_.load(log_, *this);
    dialogs_.resetMousePointer();
    const bool fatal = isFatal(error);
    const std::string explanationText = explanation(error.number);
    if (writesLog)
        createLogIfMissing();
    const std::string entry = ErrorLog::entry(error, location, explanationText, clock_.now());
    dialog->setDetailsText(entry);
    dialog->SetForm(false);
    if (isInformation(error.number))
        dialog->setInformationLayout();
    else if (writesLog)
        dialog->WritetoLog(entry);
    if (fatal)
        dialog->disableOk();
    dialog->setMessageText(dialog->ChangeErrMsg(error.number, workingCopies_.readable(error.text), location));
    if (dialog->showModal() == DialogAnswer::Abort)
        endProgram(EndReason::Aborted);
    dialog.reset();
}

void ErrorHandler::logInformation(const std::string& title, const std::string& text)
{
    Trap trap(*this, "Error in Z_ErrorFunction: Sub schreibe_information");
    createLogIfMissing();
    trap([&] { log_.append(ErrorLog::informationEntry(title, text, clock_.now())); });
}

void ErrorHandler::nameWorkingCopies(const std::string& stagingFolder, const std::string& dataFolder)
{
    workingCopies_.add(stagingFolder, dataFolder, env_.separator());
}

std::string ErrorHandler::explanation(int number)
{
    return ReadIniFile(env_, *this, log_.fileInTemp("error.dat"), "Errors", std::to_string(number), "");
}

void ErrorHandler::createLogIfMissing() const
{
    if (log_.exists())
        return;
    // A log that cannot be created shows up when the entry is written.
    Trap trap = Trap::silent();
    trap([&] { log_.create(); });
}

} // namespace torvane
