#pragma once

#include "errors/ErrorReporter.h"
#include "files/Paths.h"
#include "platform/Env.h"

#include <string>
#include <vector>

namespace torvane {

// Puts the output folder's tables in place of the data folder's so that a
// failure at any point leaves either all the old tables or all the new ones:
// a new person table beside old examination tables would give the practice
// program wrong patients' findings. The new tables are first copied in under
// temporary names and flushed; only when all are complete are the old ones
// renamed aside and the new ones renamed in, and the old ones are deleted
// once every table has been replaced.
//
// On success the data folder holds what deleting each table and copying the
// new one in would give: every table present in the output under its name
// (the case of an existing name kept); a table missing from the output
// leaves the data folder's as it was. Each failure is reported, then the
// copy-back undoes what it had done and stops.
class CopyBack {
public:
    enum class Outcome {
        Replaced,       // all new tables in place
        KeptOriginals,  // nothing replaced; the data folder as it was
        RestoreFailed,  // undoing failed too: originals left under OldSuffix
    };

    // Recognisable, and beyond anything the practice program names a file.
    static constexpr const char* NewSuffix = ".torvane-neu";
    static constexpr const char* OldSuffix = ".torvane-alt";

    CopyBack(Env& env, ErrorReporter& errors, const Paths& paths) : env_(env), errors_(errors), paths_(paths) {}

    // Both folders are completed in place.
    Outcome ersetze_datenbanken(std::string& output, std::string& data);

private:
    struct Table {
        std::string source;  // in the output folder
        std::string target;  // in the data folder, as it is named there
        bool hadOriginal = false;
        std::string fresh() const { return target + NewSuffix; }
        std::string kept() const { return target + OldSuffix; }
    };

    bool plan(std::string& output, std::string& data, std::vector<Table>& tables);
    bool planTable(const Table& table, bool& exists);
    bool stage(const std::vector<Table>& tables);
    Outcome swap(const std::vector<Table>& tables);
    bool restore(const std::vector<Table>& tables, std::size_t count, bool currentMovedAside);
    void discardFresh(const std::vector<Table>& tables, std::size_t from, std::size_t to);
    void deleteKept(const std::vector<Table>& tables);

    Env& env_;
    ErrorReporter& errors_;
    const Paths& paths_;
};

} // namespace torvane
