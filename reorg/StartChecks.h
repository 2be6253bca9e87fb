#pragma once

#include "errors/ErrorReporter.h"
#include "platform/Env.h"
#include "tables/TableLayout.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace torvane {

// What a run checks before it makes its staging folder, so that a run that
// cannot finish does not start: the patient table and the first two
// examination tables are there, every table present reads as a table, and
// the temporary folder and the data folder have room for what the run will
// write into them. Nothing is written.
class StartChecks {
public:
    // A size or free space that cannot be read is reported and taken as
    // nothing used or no limit: the run is tried all the same.
    StartChecks(Env& env, ErrorReporter& errors) : env_(env), errors_(errors) {}

    // Why the run does not start, in the practice's terms: the error number
    // is the program's own, or that of a table that could not be read.
    struct Refusal {
        int number = 0;
        std::string text;
    };

    // The refusal, or nothing when the run can start. Both folders end in
    // their separator.
    std::optional<Refusal> pruefe_start(const std::string& dataFolder, const std::string& tempFolder);

    // Patients the run can carry at most; each costs a row in every table.
    static constexpr std::int64_t MaxPatients = 32767;

private:
    struct Table {
        bool present = false;
        std::uint64_t size = 0;
        TableLayout layout;
    };

    std::optional<Refusal> readTable(const std::string& dataFolder, std::size_t t);
    std::optional<Refusal> checkRoom(const std::string& dataFolder, const std::string& tempFolder);
    std::int64_t storedRows(std::size_t t) const;
    std::uint64_t grownSize(std::size_t t) const;
    std::uint64_t sizeIfPresent(const std::string& path);

    bool freeSpace(const std::string& folder, std::uint64_t* out);

    Env& env_;
    ErrorReporter& errors_;
    std::array<Table, 4> tables_;
};

} // namespace torvane
