#include "ui/BugReport.h"

namespace torvane::ui {

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

} // namespace torvane::ui
