#pragma once

#include "dbset/DatabaseSets.h"
#include "errors/ErrorReporter.h"

#include <cstdint>
#include <string>

namespace torvane {

class Trap;

// Keeps the link between the four tables of a set: every patient has one
// record per table, all carrying the same DATNUMMER. These routines create
// keys, append keyed records and position a whole set on a key, leaving each
// table's cursor on the record that carries it.
//
// A reorganisation calls them once per patient, so none of them scans a
// table: positioning goes through the tables' key indexes and the largest
// key is the record count. What they leave behind (records, file bytes,
// cursors, buffers) is what a scan from record 1 would leave.
//
// Table 4 of the main set is left alone while kvxdat3 is missing.
class KeyedRecords {
public:
    KeyedRecords(DatabaseSets& sets, ErrorReporter& errors) : sets_(sets), errors_(errors) {}

    // Appends a blank record to each table of the set and puts the key into
    // the new records' buffers (not yet written); nRecord gets the new
    // record's number in the person table.
    void db_neuer_satz(std::uint8_t& nSet, std::int32_t& nDatnummer, std::int32_t& nRecord);
    // The table's record count, or -10 for an empty table or no selection.
    // The table ends on the record it stood on (reread), or on its last
    // record when it stood on none of them.
    std::int32_t groesste_Datnummer(std::uint8_t& nSet, std::string& sTable);
    // Appends and writes a record under the next key (person record count
    // plus one, at least 1) to every table of the set; returns the key,
    // 0 for an unknown set.
    std::int32_t erzeuge_neuen_datensatz(std::uint8_t& nSet);
    void setze_auf_leeren_datensatz(std::uint8_t& nSet);
    // Positions every table of the set on its first record with the key,
    // appending and writing one where there is none. bMissing comes back
    // false for sets 1 and 2 and stays as it was for any other number.
    void synchronisiere_datenbanken(std::uint8_t& nSet, std::int32_t& nDatnummer, bool& bMissing);

private:
    // How many of the set's tables, from the first, the routines touch.
    std::size_t tablesInUse(std::uint8_t nSet) const;
    void positionOnKey(std::uint8_t& nSet, std::size_t k, std::int32_t key, Trap& trap);
    void writeKey(std::uint8_t& nSet, std::size_t k, std::int32_t key);

    DatabaseSets& sets_;
    ErrorReporter& errors_;
};

} // namespace torvane
