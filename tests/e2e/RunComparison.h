#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace torvane::e2e {

// What the runs of one case left on one system: the data folder, the
// temporary folder (of which only the run's own entries count: the staging
// folders, the templates, the temp tables and "Errorlog.txt") and, in
// console, N.out, N.err and N.status of run N. The names are the folders
// as the program writes them in its texts, without a final separator.
struct RunRecord {
    std::filesystem::path data;
    std::filesystem::path temp;
    std::filesystem::path console;
    std::string dataName;
    std::string tempName;
    char separator = '/';
};

// Every difference between the native and the Windows record, one line
// each: names and bytes of all files, exit statuses, and the console texts
// and error log with the native folder names read as the Windows ones and
// the times of the logged errors left out.
std::vector<std::string> runDifferences(const RunRecord& native, const RunRecord& windows);

} // namespace torvane::e2e
