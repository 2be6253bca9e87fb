#pragma once

#include "support/ReferenceReorganisation.h"

#include <cstdint>

namespace torvane::testsupport {

// A small practice with everything mixed, the same for the same seed:
// random layouts, odd and duplicate keys, examination rows missing, doubled
// and shuffled, dirty values, end markers or none, sometimes no kvxdat3.
PracticeFiles randomPractice(std::uint32_t seed);

} // namespace torvane::testsupport
