#pragma once

#include <string>
#include <string_view>

namespace torvane::ui {

// The bug-report e-mail as one mailto URL: subject "<program> Fehlerbericht !",
// an empty body and the error log as attachment in double quotes. Nothing
// is percent-encoded; mail programs on the desktop take it as it stands.
std::string bugReportUrl(std::string_view supportAddress, std::string_view programName,
                         std::string_view attachment);

} // namespace torvane::ui
