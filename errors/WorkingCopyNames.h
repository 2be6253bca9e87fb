#pragma once

#include <string>
#include <utility>
#include <vector>

namespace torvane {

// Error texts as a practice reads them: a file in a staging folder is named
// as a copy of the practice's own table it was made from, since the staging
// folder means nothing to the user.
class WorkingCopyNames {
public:
    // Files in `stagingFolder` are copies of the files of the same name in
    // `dataFolder`. Both folders with or without their final separator.
    void add(const std::string& stagingFolder, const std::string& dataFolder, char separator);

    std::string readable(std::string text) const;

private:
    std::vector<std::pair<std::string, std::string>> folders_; // staging folder, data folder
};

} // namespace torvane
