#pragma once

#include "dbset/DatabaseSets.h"
#include "errors/ErrorReporter.h"
#include "platform/Env.h"
#include "reorg/CsvText.h"
#include "reorg/FieldCopyPlan.h"
#include "reorg/FieldLists.h"
#include "reorg/ReportSummary.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace torvane {

// Why the record transfer leaves a patient record out.
enum class DropReason : std::uint8_t { NoValidNumber, Placeholder, Nameless };

// What a run did with every patient record and every examination row,
// written down by the record transfer as it decides, so that the practice
// can check a run before confirming it and find every patient afterwards:
// the list of patient records with old and new numbers, the list of
// examination rows left out or made blank, and a summary with warnings.
//
// For each patient record the transfer reports: the record read, the rows
// the working copies were positioned on, then carried or dropped.
class RunReport {
public:
    // Before the first patient record, with the working copies as copied.
    void begin(const LocalDateTime& started, const std::string& sourceFolder, const std::string& stagingFolder,
               const DatabaseSets& sets);
    // Record r of the patient working copy, loaded, before positioning.
    void patientRead(std::int32_t r, const dbases& person);
    // The working copies positioned on the number d: each table's row the
    // patient's data comes from.
    void positioned(std::int32_t d, const DatabaseSets& sets);
    void dropped(DropReason reason);
    // Carried over under the new number.
    void carried(std::int16_t number);
    // What the field copy of table 1..4 did, to be filled by the copy.
    FieldCopyCounts& fieldCounts(std::size_t table) { return fieldCounts_[table - 1]; }
    // The warnings shown before the confirmation, for the protocol.
    void warnings(std::vector<std::string> texts) { summary_.warnings = std::move(texts); }

    // After the last patient record, while the working copies are open:
    // lists the examination rows that no carried patient took (module B_Sync).
    void sammle_restzeilen(DatabaseSets& sets, ErrorReporter& errors);
    // Writes Patienten.csv, Untersuchungen.csv and Protokoll.txt into the
    // output folder (ending in its separator); returns whether all three
    // were written (module E_Datei).
    bool schreibe_protokoll(Env& env, ErrorReporter& errors, const std::string& outputFolder, const FieldLists& fields);

    // The counts and warnings as they stand.
    ReportSummary summary(const FieldLists& fields) const;

private:
    // A row of an examination working copy: not taken, taken by a carried
    // patient, or else the first patient record that took it and was dropped.
    static constexpr std::int32_t NotTaken = 0;
    static constexpr std::int32_t TakenByCarried = -1;

    // The patient record's values the list shows, in this order.
    static constexpr std::size_t PersonValues = 4;

    // What became of one patient record. The list is written only at the
    // end, so that a patient costs the run no more than noting this.
    struct PatientEntry {
        std::int32_t record = 0;
        std::int32_t key = 0;        // the number looked up
        std::int32_t dataRecord = 0; // the patient row positioned on; 0: none
        std::uint32_t valuesAt = 0;  // where its values start in values_
        std::array<std::uint8_t, PersonValues> lengths{};
        std::int16_t newNumber = 0; // 0: dropped
        PatientOutcome outcome = PatientOutcome::NoValidNumber;
    };

    void finishPatient(PatientOutcome outcome, std::int16_t number);
    std::string_view value(const PatientEntry& entry, std::size_t i) const;
    // "Nachname, Vorname" of a patient record as stored.
    std::string nameOf(std::int32_t record) const;
    CsvText patientsCsv() const;
    void listRemainingRow(dbases& table, std::size_t k, const std::string& file, std::int32_t row);

    ReportSummary summary_;
    // DATNUMMER, NACHNAME, VORNAME and GEBDATUM in the patient working copy.
    std::array<int, PersonValues> personFields_{};
    std::int32_t personRows_ = 0;
    std::vector<PatientEntry> patients_; // by record, from 1
    std::string values_;
    // kvxdat1..3: the rows the header claims, and the state of each stored row.
    std::array<std::int32_t, 3> examCounts_{};
    std::array<std::vector<std::int32_t>, 3> examRows_;
    // The blank rows made for carried patients: new number and number looked up.
    std::array<std::vector<std::pair<std::int32_t, std::int32_t>>, 3> created_;
    std::array<FieldCopyCounts, 4> fieldCounts_;
    CsvText examinations_;

    // The patient record being transferred, and the row of each working copy
    // it was positioned on (0: none).
    PatientEntry current_;
    std::array<std::int32_t, 4> rows_{};
};

} // namespace torvane
