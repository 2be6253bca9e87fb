#pragma once

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
    explicit StartChecks(Env& env) : env_(env) {}

    // The refusal in the practice's terms, or nothing when the run can
    // start. Both folders end in their separator.
    std::optional<std::string> pruefe_start(const std::string& dataFolder, const std::string& tempFolder);

    // Patients the run can carry at most; each costs a row in every table.
    static constexpr std::int64_t MaxPatients = 32767;

private:
    struct Table {
        bool present = false;
        std::uint64_t size = 0;
        TableLayout layout;
    };

    std::optional<std::string> readTable(const std::string& dataFolder, std::size_t t);
    std::optional<std::string> checkRoom(const std::string& dataFolder, const std::string& tempFolder);
    std::int64_t storedRows(std::size_t t) const;
    std::uint64_t sizeIfPresent(const std::string& path);

    Env& env_;
    std::array<Table, 4> tables_;
};

} // namespace torvane
