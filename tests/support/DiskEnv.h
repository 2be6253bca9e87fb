#pragma once

// The Env of the system the tests run on, for tests that need one with a
// temporary folder of their own.
#ifdef _WIN32
#include "platform/WindowsEnv.h"
namespace torvane::testsupport {
using DiskEnv = WindowsEnv;
}
#else
#include "platform/PosixEnv.h"
namespace torvane::testsupport {
using DiskEnv = PosixEnv;
}
#endif
