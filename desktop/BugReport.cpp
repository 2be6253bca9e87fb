#include "desktop/BugReport.h"

#include "errors/RunError.h"
#include "errors/Trap.h"

namespace torvane::desktop {

std::string bugReportUrl(std::string_view supportAddress, std::string_view programName, std::string_view attachment)
{
    std::string url = "mailto:";
    url += supportAddress;
    url += "?Subject=";
    url += programName;
    url += " Fehlerbericht !";
    url += "&Body=";
    url += "&Attach=\"";
    url += attachment;
    url += '"';
    return url;
}

void cmdbugreport_Click(const BugReportRoute& route, const ErrorLog& log, ErrorReporter& errors)
{
    Trap trap(errors, "Error in frmError: Sub cmdbugreport_Click");
    std::string attachment;
    // The log is "Errorlog.txt": the attachment names the file as it exists,
    // whatever the case of the name asked for.
    trap([&] { attachment = route.env.existingName(log.fileInTemp("errorlog.txt")); });
    std::string url;
    trap([&] { url = bugReportUrl(route.supportAddress, ProgramTitle, attachment); });
    trap([&] { route.env.openUrl(url); });
}

} // namespace torvane::desktop
