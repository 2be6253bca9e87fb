#pragma once

#include "files/Paths.h"
#include "files/Workspace.h"
#include "support/RecordingReporter.h"
#include "support/platform/FaultInjectingEnv.h"
#include "support/platform/MemEnv.h"

namespace torvane::testsupport {

// An in-memory disk ("C:", "C:\Temp", "C:\ProgramData" with '\') behind a
// fault injector, the path helpers over it, a recording reporter, and the
// shared texts of a program started on 5 March 2011.
struct MemDisk {
    explicit MemDisk(char separator = '\\') : mem(separator), env(mem), paths(env, errors)
    {
        workspace.tag = "05";
        workspace.monat = "03";
    }

    MemEnv mem;
    FaultInjectingEnv env;
    RecordingReporter errors;
    Paths paths;
    Workspace workspace;
};

} // namespace torvane::testsupport
