#pragma once

#include <array>
#include <string>

namespace torvane {

// The shared texts of one program run: fixed at window load (temporary
// folder, start date) or by the file choice (source folder).
struct Workspace {
    // The system temporary folder; completed with its separator where used.
    std::string temppfad;
    // Element 0: folder of the chosen table file, with trailing separator.
    std::array<std::string, 1> quellpfad;
    // Start date: day and month name the staging folders.
    std::string tag;
    std::string monat;
    std::string jahr;
    // Where the data-path file lives; written by hole_dbpfad.
    std::string appdatenpfad;
};

} // namespace torvane
