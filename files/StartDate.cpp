#include "files/StartDate.h"

#include "errors/Trap.h"

#include <cstdio>

namespace torvane {
namespace {

std::string digits(int value, int width)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

} // namespace

void datumzerlegen(const Clock& clock, ErrorReporter& errors, Workspace& workspace)
{
    Trap trap(errors, "Error in E_Datei: Sub datumzerlegen");
    trap([&] { workspace.jahr = digits(clock.now().year, 4); });
    trap([&] { workspace.tag = digits(clock.now().day, 2); });
    trap([&] { workspace.monat = digits(clock.now().month, 2); });
}

} // namespace torvane
