#pragma once

#include "platform/Status.h"

#include <string>

namespace torvane {

// The run-time error number for the errno of a failed file-system call.
// A missing name is "file not found" only when its folder exists; otherwise
// the path itself is wrong.
int runErrorForErrno(int osError, bool parentExists);

// The errno that a failure of this run-time number typically carries, for
// failures made up without asking the operating system (0 when none fits).
int errnoForRunError(int number);

// A failure of the call on path, keeping the OS code and the path.
Status osFailure(int osError, bool parentExists, std::string path);

} // namespace torvane
