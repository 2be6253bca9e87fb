#pragma once

#include "platform/Env.h"

#include <string>

namespace torvane {

// First field of the first line of a text file: up to the first comma or
// line end, leading blanks skipped; a field in double quotes is read to the
// closing quote, without the quotes. An empty file fails with 62, as reading
// a field past its end does.
Status readFirstField(Env& env, const std::string& path, std::string* out);

} // namespace torvane
