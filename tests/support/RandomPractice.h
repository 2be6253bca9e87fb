#pragma once

#include "support/ReferenceReorganisation.h"

#include <cstdint>

namespace torvane::testsupport {

// A small practice with everything mixed: random layouts, odd and duplicate
// keys, examination rows missing, doubled and shuffled, dirty values, end
// markers or none, sometimes no kvxdat3. The same seed gives the same practice.
PracticeFiles randomPractice(std::uint32_t seed);

} // namespace torvane::testsupport
