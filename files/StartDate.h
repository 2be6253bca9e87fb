#pragma once

#include "errors/ErrorReporter.h"
#include "files/Workspace.h"
#include "platform/Clock.h"

namespace torvane {

// Fixes the start date texts: jahr "yyyy", tag "dd", monat "mm".
void datumzerlegen(const Clock& clock, ErrorReporter& errors, Workspace& workspace);

} // namespace torvane
