#pragma once

#include "reorg/FieldCopyPlan.h"
#include "reorg/FieldLists.h"
#include "reorg/ReportSummary.h"
#include "tables/TableLayout.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace torvane {

// What the run will lose, found in the working copies before the transfer
// and in the transfer's counts, told before anyone confirms. Tables in the
// layout of the practice's own give no warning but patient numbers that
// occur more than once. Tables by index 1..4 as in the database sets.
class TableWarnings {
public:
    // A working copy as copied: its layout and file size.
    void inspect(std::size_t table, const TableLayout& layout, std::uint64_t fileSize);
    // The field lists of both sets and the transfer's counts.
    void fields(std::size_t table, const FieldLists& lists, const FieldCopyCounts& counts);
    // An examination table's rows and the patient numbers taken twice, as
    // the run report sums them up.
    void transfer(const ReportSummary& summary);

    // Each "table file: what happens", the most important first.
    std::vector<std::string> ordered() const;

private:
    // Lower comes first.
    enum Rank { NoKey, NoRowReached, SameNumbers, RowsMissing, Layout, FieldType, Dropped, Cut };

    void add(Rank rank, std::size_t table, std::string text);

    struct Entry {
        Rank rank;
        std::size_t table;
        std::string text;
    };
    std::vector<Entry> entries_;
    std::array<bool, 5> noKey_{};
};

} // namespace torvane
