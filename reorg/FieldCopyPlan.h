#pragma once

#include "errors/ErrorReporter.h"
#include "errors/RunError.h"
#include "reorg/FieldLists.h"
#include "tables/dbases.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace torvane {

// What the field copy did to the values it carried, by the working copy's
// field position (1..255): how many cleaning changed, how many lost
// characters that cleaning keeps because the field they went into is
// narrower, and how many were not empty but had no field to go into.
struct FieldCopyCounts {
    std::array<std::uint32_t, 256> cleaned{};
    std::array<std::uint32_t, 256> cut{};
    std::array<std::uint32_t, 256> dropped{};
};

// The field copy of one examination or patient table, worked out once per
// run. For every field f from 2 on, the transfer reads the field named like
// f from the working copy, cleans it for f's type and width, fits it to the
// fresh table's field at position f, and writes it to the fresh table's
// field of that name. Looking names up and fitting through dynamic values
// per field and patient would cost more than the copy itself, so the plan
// resolves the names once and applies the same rules directly to the two
// record buffers. The bytes it leaves are those of the field-by-field
// routines, failures included.
class FieldCopyPlan {
public:
    FieldCopyPlan() = default;
    FieldCopyPlan(dbases& main, dbases& temp, const FieldLists& fields, int table);

    bool empty() const { return steps_.empty(); }

    // Fills the temp table's record buffer from the main table's; failures
    // are reported as the per-field routines would report them. With counts,
    // also counts what cleaning and fitting did.
    void apply(const dbases& main, dbases& temp, ErrorReporter& errors, FieldCopyCounts* counts = nullptr) const;

private:
    // Where a field lies in its record buffer: [start, start + length).
    // Records are at most 32767 bytes long.
    struct Span {
        std::uint16_t start = 0;
        std::uint16_t length = 0;
    };

    // Kept small: a row of the largest table runs through 253 of them.
    struct Step {
        Span source;                  // empty when the name addresses no field
        Span target;                  // where the value goes, when written
        std::uint16_t keep = 0;       // characters kept of the trimmed value
        std::uint16_t cleanWidth = 0; // characters cleaning looks at, when it applies
        std::uint8_t field = 0;       // position in the working copy (of the first, for a run)
        bool clean = false;
        bool written = false; // false: the name addresses no field of the fresh table
        // Consecutive one-character fields copied to consecutive ones, each
        // byte its own field: trimming leaves such a byte as it is.
        bool bytewise = false;
        std::int16_t sourceError = -1; // index into errors_, reported on every read
        std::int16_t targetError = -1; // index into errors_, reported on every write
    };

    Step plan(dbases& main, dbases& temp, const FieldInfo& mainField, const FieldInfo& tempField);
    void add(const Step& step);
    std::int16_t resolve(dbases& table, const std::string& name, int* field);
    template <bool Counting>
    void copy(const dbases& main, dbases& temp, ErrorReporter& errors, FieldCopyCounts* counts) const;
    template <bool Counting>
    static bool copyValue(const Step& step, char* to, const char* from, std::size_t length, FieldCopyCounts* counts);
    // The value as read, how much of it was written, and whether cleaning
    // changed that part.
    static void countBeyond(const Step& step, std::string_view text, std::size_t length, bool changed,
                            FieldCopyCounts& counts);

    std::vector<Step> steps_;
    std::vector<RunError> errors_;
};

} // namespace torvane
