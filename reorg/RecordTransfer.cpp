#include "reorg/RecordTransfer.h"

#include "errors/Trap.h"
#include "reorg/RunLocation.h"
#include "tables/TrimBlanks.h"

namespace torvane {
TransferResult RecordTransfer::transfer(std::int32_t r, std::int16_t& running)
{
    Trap trap(session_.errors, RunLocation);
    DatabaseSets& sets = session_.databases.sets;
    trap([&] { sets.db_main[0].Go(r); });
    if (report_ != nullptr)
        report_->patientRead(r, sets.db_main[0]);

    Variant key;
    trap([&] {
        std::uint8_t set = DatabaseSets::MainSet;
        std::string table = "DB1";
        Variant field("Datnummer");
        key = sets.hole_datum(set, table, field);
    });
    std::int32_t d = 0;
    trap([&] {
        if (!roundToInt32(leadingNumber(key.toText()), &d))
            throw RunError::raised(errnum::Overflow);
    });
    if (d < 1)
        return skip(DropReason::NoValidNumber);
    if (const std::optional<DropReason> reason = dropReason(d))
        return skip(*reason);
    if (running == MaxPatients)
        return TransferResult::LimitReached;

    ++running;
    haenge_satz_an(running);
    copyFields();
    if (report_ != nullptr)
        report_->carried(running);
    return TransferResult::CarriedOver;
}

TransferResult RecordTransfer::skip(DropReason reason)
{
    if (report_ != nullptr)
        report_->dropped(reason);
    return TransferResult::Skipped;
}

// Synchronises the working copies on the key, then tells placeholder and
// nameless patients apart; the patient table then stands on the first row
// with that key, which may be an earlier one.
std::optional<DropReason> RecordTransfer::dropReason(std::int32_t d)
{
    Trap trap(session_.errors, RunLocation);
    bool missing = false;
    trap([&] {
        std::uint8_t set = DatabaseSets::MainSet;
        session_.databases.keyed.synchronisiere_datenbanken(set, d, missing);
    });
    if (report_ != nullptr)
        report_->positioned(d, session_.databases.sets);
    std::string surname;
    std::string firstName;
    trap([&] {
        std::uint8_t set = DatabaseSets::MainSet;
        std::string table = "DB1";
        Variant field("Nachname");
        surname = trimBlanks(session_.databases.sets.hole_datum(set, table, field).toText());
    });
    trap([&] {
        std::uint8_t set = DatabaseSets::MainSet;
        std::string table = "DB1";
        Variant field("Vorname");
        firstName = trimBlanks(session_.databases.sets.hole_datum(set, table, field).toText());
    });
    if (missing)
        return DropReason::NoValidNumber;
    if (surname == "Neuer_Patient")
        return DropReason::Placeholder;
    if ((surname + firstName).empty())
        return DropReason::Nameless;
    return std::nullopt;
}

void RecordTransfer::haenge_satz_an(std::int16_t& running)
{
    Trap trap(session_.errors, "Error in B_Sync: Sub haenge_satz_an");
    DatabaseSets& sets = session_.databases.sets;
    trap([&] {
        std::uint8_t set = DatabaseSets::TempSet;
        session_.databases.keyed.setze_auf_leeren_datensatz(set);
    });
    for (const std::string_view handle : DatabaseSets::HandleNames) {
        trap([&] {
            std::uint8_t set = DatabaseSets::TempSet;
            std::string table(handle);
            Variant field("DATNUMMER");
            Variant value(static_cast<int>(running));
            sets.schreibe_datum(set, table, field, value);
        });
    }
    for (const std::string_view handle : DatabaseSets::HandleNames) {
        trap([&] {
            std::uint8_t set = DatabaseSets::TempSet;
            std::string table(handle);
            sets.schreibe_gesamt(set, table);
        });
    }
}

// The per-field rewrites of a row leave on disk what its last write leaves,
// so each fresh row is filled in its buffer and written once.
void RecordTransfer::copyFields()
{
    Trap trap(session_.errors, RunLocation);
    DatabaseSets& sets = session_.databases.sets;
    if (!planned_) {
        for (std::size_t t = 1; t <= 4; ++t)
            plans_[t] = FieldCopyPlan(sets.db_main[t - 1], sets.db_temp[t - 1], session_.fields, static_cast<int>(t));
        planned_ = true;
    }
    for (std::size_t t = 1; t <= 4; ++t) {
        if ((t == 4 && sets.db4_missing) || plans_[t].empty())
            continue;
        FieldCopyCounts* counts = report_ != nullptr ? &report_->fieldCounts(t) : nullptr;
        trap([&] { plans_[t].apply(sets.db_main[t - 1], sets.db_temp[t - 1], session_.errors, counts); });
        trap([&] {
            std::uint8_t set = DatabaseSets::TempSet;
            std::string table = "db" + std::to_string(t);
            sets.schreibe_gesamt(set, table);
        });
    }
}

} // namespace torvane
