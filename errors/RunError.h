#pragma once

#include "platform/Status.h"

#include <string>

namespace torvane {

// A failed statement as a trap sees it: the run-time error number, its German
// text (Windows-1252), the component that raised it and the operating
// system's code of the failing call (0 when there was none).
struct RunError {
    int number = 0;
    std::string text;
    std::string source;
    int lastOsError = 0;

    // An error raised by this program itself, with the standard text.
    static RunError raised(int number, int lastOsError = 0);
    // The standard text followed by a detail such as the file concerned.
    static RunError raised(int number, const std::string& detail, int lastOsError = 0);
    static RunError fromStatus(const Status& status);
};

// The program's own error numbers, for what it refuses by itself; logged
// like any error that is not an information.
namespace errnum {
inline constexpr int RunNotStarted = 1000;    // the run would not finish: nothing was created
inline constexpr int ChangedMeanwhile = 1001; // the copy-back found a table changed since it was copied
} // namespace errnum

// The program's name as the error source of its own errors.
inline constexpr const char* ProgramTitle = "Torvane";

// Throws the failure of a platform operation into the calling procedure's trap.
inline void raiseIfFailed(const Status& status)
{
    if (!status.isOk())
        throw RunError::fromStatus(status);
}

} // namespace torvane
