#include "errors/CorrectPath.h"

#include "errors/Trap.h"

namespace torvane {

std::string CorrectPath(const std::string& path, char separator, ErrorReporter& errors)
{
    std::string result;
    Trap trap(errors, "Error in Z_ErrorFunction: Function CorrectPath");
    trap([&] { result = path.empty() || path.back() != separator ? path + separator : path; });
    return result;
}

} // namespace torvane
