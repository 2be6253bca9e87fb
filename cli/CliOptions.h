#pragma once

#include <optional>
#include <string>

namespace torvane::cli {

enum class ConfirmOption { Ask, Backup, Doubt };

struct CliOptions {
    ConfirmOption confirm = ConfirmOption::Ask;
    std::string patientTable;  // as given, UTF-8
    bool help = false;
};

// Parses the command line; empty on a usage error.
std::optional<CliOptions> parseOptions(int argc, const char* const* argv);

const char* usageLine();
const char* helpText();

} // namespace torvane::cli
