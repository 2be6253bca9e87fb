#pragma once

#include "platform/Status.h"

#include <string>

namespace torvane {

// The run-time error number for the code of a failed Win32 call: the number
// the errno mapping gives the closest POSIX failure, so the same failure
// reads the same on both systems. Win32 tells a missing folder (76) from a
// missing file (53) itself.
int runErrorForWin32(unsigned long code);

// A failure of the call on path, keeping the Win32 code and the path.
Status win32Failure(unsigned long code, std::string path);

} // namespace torvane
