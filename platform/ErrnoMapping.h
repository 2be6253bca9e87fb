#pragma once

#include "platform/Status.h"

#include <string>

namespace torvane {

// errno codes as the file systems speak them: PosixEnv's calls, and the test
// doubles, which answer alike on every system.

// The run-time error number for the errno of a failed file-system call.
// A missing name is "file not found" only when its folder exists; otherwise
// the path itself is wrong.
int runErrorForErrno(int osError, bool parentExists);

// The errno that a failure of this run-time number typically carries, for
// failures made up without asking the operating system (0 when none fits).
int errnoForRunError(int number);

// A failure of the call on path, keeping the OS code and the path.
Status osFailure(int osError, bool parentExists, std::string path);

// The failures both POSIX-like file systems make up themselves.
Status badNameFailure(std::string path);  // a name no file can have
Status readOnlyFailure(std::string path); // a read-only file to be replaced or deleted
Status folderFailure(std::string path);   // a folder where a file was meant
Status diskFullFailure(std::string path);

} // namespace torvane
