#include "errors/ProgramVersion.h"

#include "errors/Trap.h"

namespace torvane {

std::string GetVersion(ErrorReporter& errors)
{
    std::string result;
    Trap trap(errors, "Error in Z_ErrorFunction: Function GetVersion");
    trap([&] {
        result = std::to_string(TORVANE_VERSION_MAJOR) + "." + std::to_string(TORVANE_VERSION_MINOR) + "." +
                 std::to_string(TORVANE_VERSION_PATCH);
    });
    return result;
}

} // namespace torvane
