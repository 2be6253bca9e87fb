#include "errors/IniFile.h"

#include "errors/Trap.h"

namespace torvane {
namespace {

// The reader's buffer size: one character of it is the terminating NUL.
constexpr std::size_t ProfileBufferSize = 500;

} // namespace

std::string ReadIniFile(Env& env, ErrorReporter& errors, std::string file, std::string section, std::string key,
                        std::string fallback)
{
    std::string result;
    Trap trap(errors, "Error in Z_ErrorFunction: Function ReadIniFile");
    trap([&] {
        std::string value;
        raiseIfFailed(env.privateProfileString(file, section, key, fallback, ProfileBufferSize, &value));
        result = value;
    });
    return result;
}

} // namespace torvane
