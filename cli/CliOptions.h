#pragma once

#include <optional>
#include <string>
#include <vector>

namespace torvane::cli {

enum class ConfirmOption { Ask, Backup, Doubt };

struct CliOptions {
    ConfirmOption confirm = ConfirmOption::Ask;
    std::string patientTable; // as given, UTF-8
    bool help = false;
    // Put back a backup instead of reorganising: the newest of the patient
    // table's folder, or the one named here (as given, UTF-8).
    bool restore = false;
    std::string restoreFolder = {};
};

// Parses the command line, the program's name first; empty on a usage error.
std::optional<CliOptions> parseOptions(const std::vector<std::string>& arguments);

const char* usageLine();
// The help, its example in the notation of the system ('\\': Windows paths).
std::string helpText(char separator);

} // namespace torvane::cli
