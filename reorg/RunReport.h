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

    // After the last patient record, while the working copies are open:
    // lists the examination rows that no carried patient took (module B_Sync).
    void sammle_restzeilen(DatabaseSets& sets, ErrorReporter& errors);
    // Writes Patienten.csv, Untersuchungen.csv and Protokoll.txt into the
    // output folder (ending in its separator); returns whether all three
    // were written (module E_Datei).
    bool schreibe_protokoll(Env& env, ErrorReporter& errors, const std::string& outputFolder,
                            const FieldLists& fields);

    // The counts and warnings as they stand.
    ReportSummary summary(const FieldLists& fields) const;

private:
    // A row of an examination working copy: not taken, taken by a carried
    // patient, or else the first patient record that took it and was dropped.
    static constexpr std::int32_t NotTaken = 0;
    static constexpr std::int32_t TakenByCarried = -1;

    struct PersonFields {
        int number = 0;
        int surname = 0;
        int firstName = 0;
        int birthDate = 0;
    };

    void finishPatient(PatientOutcome outcome, std::int32_t other, std::int16_t number);
    void listRemainingRow(dbases& table, std::size_t k, std::int32_t row);

    ReportSummary summary_;
    PersonFields person_;
    std::int32_t personRows_ = 0;
    // kvxdat1..3: the rows the header claims, and the state of each stored row.
    std::array<std::int32_t, 3> examCounts_{};
    std::array<std::vector<std::int32_t>, 3> examRows_;
    // The blank rows made for carried patients: new number and number looked up.
    std::array<std::vector<std::pair<std::int32_t, std::int32_t>>, 3> created_;
    std::array<FieldCopyCounts, 4> fieldCounts_;
    CsvText patients_;
    CsvText examinations_;
    // The results that name no other record, by PatientOutcome; empty for the others.
    std::array<std::string, PatientOutcomes> outcomeTexts_;

    // The patient record being transferred.
    std::int32_t record_ = 0;
    std::string number_;
    std::string surname_;
    std::string firstName_;
    std::string birthDate_;
    std::int32_t key_ = 0;
    std::array<std::int32_t, 4> rows_{};  // 0: not positioned
    std::string dataName_;               // the name on the row the patient table stands on
};

} // namespace torvane
