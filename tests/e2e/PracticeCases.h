#pragma once

#include <filesystem>

namespace torvane::e2e {

// Writes the practices a run of torvane-cli on one system is compared on
// with a run on the other: one folder per case holding its tables and a
// file "runs" with the answer of each run in order ("backup" or "doubt").
// The cases are those of the end-to-end tests: generated practices with
// and without kvxdat3, two runs on one day, too few patients, a table that
// cannot be read (which writes the error log), and the practices with
// random layouts, answered alternately with backup and doubt.
void writePracticeCases(const std::filesystem::path& folder);

} // namespace torvane::e2e
