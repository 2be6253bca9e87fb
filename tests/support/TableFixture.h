#pragma once

#include "dbset/DatabaseSets.h"
#include "dbset/KeyedRecords.h"
#include "resources/Templates.h"
#include "support/RecordingReporter.h"
#include "support/platform/MemEnv.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace torvane::testsupport {

// One record: values by field name; fields not named stay blank.
using Row = std::vector<std::pair<std::string, std::string>>;

// A table file: the empty template under resourceNumber holding the rows.
std::string tableFile(int resourceNumber, const std::vector<Row>& rows);
std::vector<Row> keyRows(const std::vector<std::string>& keys);

// Both database sets over an in-memory disk with Windows paths.
struct TableFixture {
    using Tables = std::array<std::vector<Row>, 4>;

    MemEnv env{'\\'};
    RecordingReporter errors;
    Paths paths{env, errors};
    DatabaseSets sets{env, errors, paths};
    KeyedRecords keyed{sets, errors};
    std::uint8_t main = DatabaseSets::MainSet;
    std::uint8_t temp = DatabaseSets::TempSet;

    static std::string fileName(std::size_t k, bool isTemp = false)
    {
        return std::string(TableNames[k].base) + (isTemp ? "temp.kvt" : ".kvt");
    }
    void putTables(const std::string& folder, const Tables& rows, bool isTemp = false, std::size_t count = 4)
    {
        for (std::size_t k = 0; k < count; ++k)
            env.putFile(folder + fileName(k, isTemp), tableFile(TableNames[k].resource, rows[k]));
    }
    // Changes reach the disk when the tables are closed.
    std::string bytes(const std::string& folder, std::size_t k, bool isTemp = false) const
    {
        return env.fileBytes(folder + fileName(k, isTemp)).value_or("");
    }
    bool holds(const std::string& folder, std::size_t k, const std::vector<Row>& rows, bool isTemp = false) const
    {
        const std::string expected = tableFile(TableNames[k].resource, rows), stored = bytes(folder, k, isTemp);
        return stored == expected || stored + '\x1A' == expected; // appending overwrites the end marker
    }
    void open(std::uint8_t set, std::string folder) { sets.open_database(set, folder); }
    void close(std::uint8_t set) { sets.Close_db(set); }
};

} // namespace torvane::testsupport
