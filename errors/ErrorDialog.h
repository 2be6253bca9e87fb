#pragma once

#include <string>

namespace torvane {

// How the user left the modal dialog.
enum class DialogAnswer {
    Ok,    // "O&K": carry on
    Abort, // "&Abbruch": end the program
};

// One loaded error dialog, as the central error handler drives it. A front
// end (desktop window, terminal, tests) provides the visuals; destroying the
// object unloads the dialog.
class ErrorDialog {
public:
    virtual ~ErrorDialog() = default;

    virtual void setDetailsText(const std::string& text) = 0;
    // The error layout: error picture, OK default, "&Abbruch" visible,
    // caption "Fehler", folded.
    virtual void SetForm(bool bYesNo) = 0;
    // The program's icon instead of the error picture, no "&Abbruch",
    // caption "Information".
    virtual void setInformationLayout() = 0;
    virtual void WritetoLog(const std::string& sText) = 0;
    virtual void disableOk() = 0;
    virtual std::string ChangeErrMsg(long lErrorNum, const std::string& sErrorText,
                                     const std::string& sErrorSource) = 0;
    virtual void setMessageText(const std::string& text) = 0;
    virtual DialogAnswer showModal() = 0;
};

} // namespace torvane
