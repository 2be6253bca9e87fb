#pragma once

#include "platform/Clock.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace torvane {

// What became of a patient record, as the run report names it.
enum class PatientOutcome : std::uint8_t {
    Carried,
    CarriedWithDataOf, // the record the run took for this number is another one
    Placeholder,
    Nameless,
    NoValidNumber, // below 1, or read as a number that no patient record carries
    SameNumberAs,  // the record the run took for this number is another one, not carried over
};
inline constexpr std::size_t PatientOutcomes = 6;

// Why a row of an examination working copy is not in the result.
enum class RowReason : std::uint8_t {
    NoPatient,      // no patient record was looked up under its number
    FurtherRow,     // a carried patient took an earlier row with its number
    PatientDropped, // only patients who were not carried over looked it up
};
inline constexpr std::size_t RowReasons = 3;

struct PatientSummary {
    std::int32_t read = 0;
    std::array<std::int32_t, PatientOutcomes> outcomes{}; // by PatientOutcome

    std::int32_t count(PatientOutcome outcome) const { return outcomes[static_cast<std::size_t>(outcome)]; }
    std::int32_t carried() const { return count(PatientOutcome::Carried) + count(PatientOutcome::CarriedWithDataOf); }
};

struct ExamSummary {
    bool missing = false;                              // the data folder had no such table
    std::int32_t read = 0;                             // rows of the working copy as copied
    std::int32_t carried = 0;                          // of those, the rows in the result
    std::array<std::int32_t, RowReasons> notCarried{}; // by RowReason
    std::int32_t createdBlank = 0;                     // result rows the run made for patients without a row
};

struct FieldCount {
    std::string name;
    std::uint32_t count = 0;
};

// Per table, in field order, the fields whose values cleaning changed or
// fitting cut, with how many.
struct FieldSummary {
    std::vector<FieldCount> cleaned;
    std::vector<FieldCount> cut;
};

// A patient record whose number led the run to another record's data.
struct SameNumber {
    std::int32_t number = 0; // the number as the run read it
    std::int32_t record = 0;
    std::string name;            // "Nachname, Vorname" as stored
    std::int32_t dataRecord = 0; // the record the run took instead
    std::string dataName;
    std::int32_t newNumber = 0; // 0 when the record was not carried over
};

struct ReportSummary {
    LocalDateTime started;
    std::string sourceFolder;
    std::string stagingFolder;
    std::string outputFolder;
    PatientSummary patients;
    std::array<ExamSummary, 3> exams;   // kvxdat1, kvxdat2, kvxdat3
    std::array<FieldSummary, 4> fields; // person, kvxdat1, kvxdat2, kvxdat3
    std::vector<SameNumber> sameNumbers;
    // What the run warned of before the confirmation, most important first.
    std::vector<std::string> warnings;
};

} // namespace torvane
