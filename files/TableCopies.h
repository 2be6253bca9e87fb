#pragma once

#include "errors/ErrorReporter.h"
#include "files/Paths.h"
#include "platform/Env.h"

#include <array>
#include <optional>
#include <string>

namespace torvane {

// What was copied of each of a set's four tables (in the order of
// TableNames) as it was read; nothing for a table that was not there.
using CopiedTables = std::array<std::optional<FileFingerprint>, 4>;

// Copies the four table files of a database set from one folder to another:
// into the staging folder, into the output folder, and back at the end.
class TableCopies {
public:
    TableCopies(Env& env, ErrorReporter& errors, const Paths& paths) : env_(env), errors_(errors), paths_(paths) {}

    // Each table present in the source replaces the one in the destination;
    // a table missing at the source leaves the destination's alone. Both
    // folders are completed in place.
    // With `copied`, also notes what each source table held as it was read.
    void kopiere_datenbanken(std::string& source, std::string& destination, CopiedTables* copied = nullptr);

private:
    Env& env_;
    ErrorReporter& errors_;
    const Paths& paths_;
};

} // namespace torvane
