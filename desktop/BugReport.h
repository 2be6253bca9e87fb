#pragma once

#include "errors/ErrorLog.h"
#include "errors/ErrorReporter.h"
#include "platform/Env.h"

#include <string>
#include <string_view>

namespace torvane::desktop {

// Where the bug-report e-mail goes, and the platform that finds the error
// log's name as it exists on disk and hands the e-mail to the mail program.
struct BugReportRoute {
    std::string supportAddress;
    Env& env;
};

// The bug-report e-mail as one mailto URL: subject "<program> Fehlerbericht !",
// an empty body and the error log as attachment in double quotes. Nothing
// is percent-encoded; mail programs on the desktop take it as it stands.
std::string bugReportUrl(std::string_view supportAddress, std::string_view programName, std::string_view attachment);

// What "Bugreport per E-Mail senden" does: the e-mail with the error log
// attached, handed to the desktop. Failures are reported as the error
// dialog's own; whether a mail program took it is not known, and not needed.
void cmdbugreport_Click(const BugReportRoute& route, const ErrorLog& log, ErrorReporter& errors);

} // namespace torvane::desktop
