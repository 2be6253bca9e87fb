#pragma once

#include "errors/ErrorReporter.h"
#include "files/Paths.h"
#include "platform/Env.h"

#include <string>

namespace torvane {

// Copies the four table files of a database set from one folder to another:
// into the staging folder, into the output folder, and back at the end.
class TableCopies {
public:
    TableCopies(Env& env, ErrorReporter& errors, const Paths& paths) : env_(env), errors_(errors), paths_(paths) {}

    // Each table present in the source replaces the one in the destination;
    // a table missing at the source leaves the destination's alone. Both
    // folders are completed in place.
    void kopiere_datenbanken(std::string& source, std::string& destination);

private:
    Env& env_;
    ErrorReporter& errors_;
    const Paths& paths_;
};

} // namespace torvane
