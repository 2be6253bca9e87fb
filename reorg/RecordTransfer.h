#pragma once

#include "reorg/FieldCopyPlan.h"
#include "reorg/RunReport.h"
#include "reorg/Session.h"

#include <array>
#include <cstdint>
#include <optional>

namespace torvane {

enum class TransferResult {
    Skipped,      // nothing written, running number unchanged
    CarriedOver,  // one new row in each fresh table
    LimitReached, // the running number cannot count one more patient
};

// Carries one patient record with the patient's examination rows from the
// working copies (main set) into the fresh tables (temp set) under the next
// running number. Runs inside the reorganisation run's trap.
class RecordTransfer {
public:
    // The running number is a 16-bit counter: it cannot go past this.
    static constexpr std::int16_t MaxPatients = 32767;

    // With a report, tells it what becomes of every record.
    explicit RecordTransfer(Session& session, RunReport* report = nullptr) : session_(session), report_(report) {}

    // Both sets open and the field lists read.
    TransferResult transfer(std::int32_t r, std::int16_t& running);
    // Appends a blank row to every fresh table and stamps it with the
    // running number (module B_Sync).
    void haenge_satz_an(std::int16_t& running);

private:
    std::optional<DropReason> dropReason(std::int32_t d);
    TransferResult skip(DropReason reason);
    void copyFields();

    Session& session_;
    RunReport* report_;
    bool planned_ = false;
    std::array<FieldCopyPlan, 5> plans_; // by table 1..4
};

} // namespace torvane
