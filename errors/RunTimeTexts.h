#pragma once

#include <string>

namespace torvane {

// The German run-time text of an error number (Windows-1252).
std::string runTimeText(int number);

} // namespace torvane
