#pragma once

#include "errors/ProgramEnd.h"

namespace torvane::ui {

// The desktop program's exit status for the way it ended: 0 after the
// copy-back or "Ende", otherwise as torvane-cli reports the same end.
int exitStatus(EndReason reason);

} // namespace torvane::ui
