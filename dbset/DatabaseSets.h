#pragma once

#include "errors/ErrorReporter.h"
#include "files/Paths.h"
#include "platform/Env.h"
#include "tables/Variant.h"
#include "tables/dbases.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace torvane {

// The four tables of a data folder held open together, twice: the main set
// (the working copies being read) and the temp set (the fresh tables being
// filled). Callers address a table by set number (1 main, 2 temp) and handle
// name "DB1".."DB4" and never hold a table object themselves.
//
// Arguments are taken by reference because callers rely on the changes:
// handle names come back upper-cased, field names trimmed and upper-cased,
// a folder with its trailing separator. An unknown set number or handle name
// selects nothing and the routine does nothing. Every routine traps its own
// errors and resumes at its next step.
class DatabaseSets {
public:
    static constexpr std::uint8_t MainSet = 1;
    static constexpr std::uint8_t TempSet = 2;
    static constexpr std::array<std::string_view, 4> HandleNames{"DB1", "DB2", "DB3", "DB4"};

    DatabaseSets(Env& env, ErrorReporter& errors, Paths& paths);

    DatabaseSets(const DatabaseSets&) = delete;
    DatabaseSets& operator=(const DatabaseSets&) = delete;

    // Index 0..3: person, kvxdat1, kvxdat2, kvxdat3. The objects live as long
    // as the sets; opening and closing only changes the files they hold.
    std::array<dbases, 4> db_main;
    std::array<dbases, 4> db_temp;
    // The last opening of the main set found no kvxdat3; table 4 of the main
    // set is then left alone.
    bool db4_missing = false;

    // Closes whatever the set still holds before opening, so that a set
    // opened again on another folder never keeps a table of the first one
    // (in particular no stale kvxdat3 when the new folder has none).
    void open_database(std::uint8_t& nSet, std::string& folder);
    // Set 1 closes the main set; every other number the temp set.
    void Close_db(std::uint8_t& nSet);
    std::int32_t anzahl_datensaetze(std::uint8_t& nSet, std::string& sTable);
    Variant hole_datum(std::uint8_t& nSet, std::string& sTable, Variant& vField);
    // Changes the record buffer only.
    void schreibe_datum(std::uint8_t& nSet, std::string& sTable, Variant& vField, Variant& vData);
    void update_db(std::uint8_t& nSet, std::string& sTable);
    void schreibe_gesamt(std::uint8_t& nSet, std::string& sTable);
    void erster_satz(std::uint8_t& nSet, std::string& sTable, std::int32_t& nRec);

    // The set a number selects, null for any other number.
    std::array<dbases, 4>* set(std::uint8_t nSet);
    // Upper-cases the handle name in place, then the table it names in the
    // set; null when either selects nothing.
    dbases* select(std::uint8_t nSet, std::string& sTable);

private:
    void writeRecord(std::uint8_t& nSet, std::string& sTable, const char* location);

    ErrorReporter& errors_;
    Paths& paths_;
};

} // namespace torvane
