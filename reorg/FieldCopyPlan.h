#pragma once

#include "errors/ErrorReporter.h"
#include "errors/RunError.h"
#include "reorg/FieldLists.h"
#include "tables/dbases.h"

#include <optional>
#include <string>
#include <vector>

namespace torvane {

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
    // are reported as the per-field routines would report them.
    void apply(const dbases& main, dbases& temp, ErrorReporter& errors) const;

private:
    struct Step {
        int source = 0;  // field of the working copy; 0 reads as empty
        std::optional<RunError> sourceError;
        std::size_t keep = 0;  // characters kept of the trimmed value
        bool clean = false;
        int target = 0;  // field of the fresh table; 0 is written nowhere
        std::optional<RunError> targetError;
    };

    static Step plan(dbases& main, dbases& temp, const FieldInfo& mainField, const FieldInfo& tempField);

    std::vector<Step> steps_;
};

} // namespace torvane
