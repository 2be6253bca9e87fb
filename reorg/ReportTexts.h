#pragma once

#include "reorg/ReportSummary.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace torvane::texts {

// The run report's texts, as Windows-1252.

// The files in the output folder.
inline constexpr const char* PatientsFile = "Patienten.csv";
inline constexpr const char* ExaminationsFile = "Untersuchungen.csv";
inline constexpr const char* ProtocolFile = "Protokoll.txt";

// The header fields of the two lists.
inline constexpr std::array<std::string_view, 7> PatientsHeader{"Satz",    "Alte Nummer",  "Neue Nummer", "Nachname",
                                                                "Vorname", "Geburtsdatum", "Ergebnis"};
inline constexpr std::array<std::string_view, 4> ExaminationsHeader{"Tabelle", "Satz", "Nummer", "Grund"};

// Ergebnis of a patient record; record is the other record, where the text names one.
std::string patientOutcome(PatientOutcome outcome, std::int32_t record);
// Grund of an examination row not carried over; record is the patient record that dropped it.
std::string rowReason(RowReason reason, std::int32_t record);
const std::string& createdBlank();

// Protokoll.txt, lines ending in CR LF.
std::string protocol(const ReportSummary& summary);
// The counts and the warnings for the log box, lines ending in CR LF; the
// last line names the report files when they were written.
std::string logLines(const ReportSummary& summary, bool filesWritten);

} // namespace torvane::texts
