#include "errors/ErrorDialogBase.h"

#include "errors/Trap.h"

namespace torvane {

void ErrorDialogBase::WritetoLog(const std::string& sText)
{
    Trap trap(errors_, "Error in frmError: Sub WritetoLog");
    trap([&] { log_.append(sText); });
}

std::string ErrorDialogBase::ChangeErrMsg(long, const std::string& sErrorText, const std::string&)
{
    std::string result;
    Trap trap(errors_, "Error in frmError: Function ChangeErrMsg");
    trap([&] { result = sErrorText; });
    return result;
}

} // namespace torvane
