#pragma once

namespace torvane {

// The reorganisation run reports its own errors, and those of the record
// transfer that runs inside it, under the Start button's handler.
inline constexpr const char* RunLocation = "Error in FRMHaupt: Sub cmdsynchronisieren_Click";

} // namespace torvane
