#pragma once

#include "platform/Env.h"

#include <cstdint>
#include <string>

namespace torvane::sample {

struct SampleOptions {
    int patients = 100;
    std::uint32_t seed = 1;
    bool withKvxdat3 = true;
};

// Writes a realistic practice into folder (ending in the separator): German
// names, streets and dates, with the oddities real data has — placeholder,
// nameless and first-name-only patients, duplicate and odd keys, patients
// without examination rows, duplicate examination rows, records flagged as
// deleted, and characters outside what a reorganisation keeps.
void writeSamplePractice(Env& env, const std::string& folder, const SampleOptions& options);

} // namespace torvane::sample
