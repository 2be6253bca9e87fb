#include "reorg/ReportTexts.h"

#include "platform/Cp1252.h"
#include "resources/Templates.h"

#include <cstdio>

namespace torvane::texts {
namespace {

constexpr std::size_t LineWidth = 78;
constexpr std::size_t CountColumn = 52; // where the counts of a block end

std::string tableFile(std::size_t k)
{
    return std::string(TableNames[k].base) + ".kvt";
}

std::string twoDigits(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

std::string dateTime(const LocalDateTime& at)
{
    return twoDigits(at.day) + "." + twoDigits(at.month) + "." + std::to_string(at.year) + ", " + twoDigits(at.hour) +
           ":" + twoDigits(at.minute) + ":" + twoDigits(at.second) + " Uhr";
}

// A label and its count, the counts right-aligned in one column.
std::string countLine(const std::string& indent, const std::string& label, std::int64_t count)
{
    std::string line = indent + label;
    const std::string number = std::to_string(count);
    line.append(line.size() + number.size() < CountColumn ? CountColumn - line.size() - number.size() : 1, ' ');
    return line + number + "\r\n";
}

std::string heading(const std::string& title)
{
    return "\r\n" + title + "\r\n" + std::string(title.size(), '-') + "\r\n";
}

// "NAME 12, OTHER 3", wrapped below the indent.
std::string fieldList(const std::vector<FieldCount>& fields, const std::string& indent)
{
    std::string text;
    std::string line = indent;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::string item = fields[i].name + " " + std::to_string(fields[i].count) + (i + 1 < fields.size() ? "," : "");
        if (line.size() > indent.size() && line.size() + 1 + item.size() > LineWidth) {
            text += line + "\r\n";
            line = indent;
        }
        line += (line.size() > indent.size() ? " " : "") + item;
    }
    if (line.size() > indent.size())
        text += line + "\r\n";
    return text;
}

std::uint64_t total(const std::vector<FieldCount>& fields)
{
    std::uint64_t sum = 0;
    for (const FieldCount& field : fields)
        sum += field.count;
    return sum;
}

std::string quotedName(const std::string& name)
{
    return "(" + (name.empty() ? cp1252::ansi("ohne Namen") : name) + ")";
}

std::string sameNumberLine(const SameNumber& same)
{
    std::string line =
        "Nummer " + std::to_string(same.number) + ": Satz " + std::to_string(same.record) + " " + quotedName(same.name);
    if (same.newNumber > 0)
        return line + cp1252::ansi(" wurde mit den Daten von Satz ") + std::to_string(same.dataRecord) + " " +
               quotedName(same.dataName) + cp1252::ansi(" als neue Nummer ") + std::to_string(same.newNumber) +
               cp1252::ansi(" übernommen.");
    return line + cp1252::ansi(" entfällt, weil Satz ") + std::to_string(same.dataRecord) + " " +
           quotedName(same.dataName) + cp1252::ansi(" mit derselben Nummer nicht übernommen wird.");
}

std::string sameNumberTitle(const ReportSummary& summary)
{
    return "ACHTUNG: " + std::to_string(summary.sameNumbers.size()) +
           cp1252::ansi(summary.sameNumbers.size() == 1 ? " Patientensatz mit der Nummer eines anderen Satzes"
                                                        : " Patientensätze mit der Nummer eines anderen Satzes");
}

std::string shownWarnings(const ReportSummary& summary)
{
    if (summary.warnings.empty())
        return {};
    std::string text = heading(cp1252::ansi("Warnungen vor der Bestätigung"));
    for (const std::string& warning : summary.warnings)
        text += "- " + warning + "\r\n";
    return text;
}

std::string warningSection(const ReportSummary& summary)
{
    if (summary.sameNumbers.empty())
        return {};
    std::string text = heading(sameNumberTitle(summary));
    text += cp1252::ansi("Für jede Nummer nimmt die Reorganisation die Daten des ersten Satzes mit dieser\r\n"
                         "Nummer. Name und Untersuchungsdaten der folgenden Sätze fehlen im Ergebnis.\r\n"
                         "Bitte prüfen Sie diese Patienten, bevor Sie die Übernahme bestätigen.\r\n");
    for (const SameNumber& same : summary.sameNumbers)
        text += "  " + sameNumberLine(same) + "\r\n";
    return text;
}

std::string patientSection(const PatientSummary& patients)
{
    std::string text = heading("Patienten (person.kvt)");
    text += countLine("  ", cp1252::ansi("Sätze gelesen"), patients.read);
    text += countLine("  ", cp1252::ansi("übernommen"), patients.carried());
    text += countLine("    ", "davon mit den Daten eines anderen Satzes",
                      patients.count(PatientOutcome::CarriedWithDataOf));
    text += countLine("  ", cp1252::ansi("entfallen"), patients.read - patients.carried());
    text += countLine("    ", "Platzhalter", patients.count(PatientOutcome::Placeholder));
    text += countLine("    ", "ohne Namen", patients.count(PatientOutcome::Nameless));
    text += countLine("    ", cp1252::ansi("keine gültige Nummer"), patients.count(PatientOutcome::NoValidNumber));
    text += countLine("    ", "gleiche Nummer wie ein anderer Satz", patients.count(PatientOutcome::SameNumberAs));
    return text;
}

// The result holds one row per carried patient: a row of the working copy,
// the same row again for a patient with another's number, or a blank one.
std::string resultRows(const ExamSummary& exam, std::int32_t patients)
{
    return countLine("  ", "Zeilen im Ergebnis", patients) +
           countLine("    ", "davon leer neu angelegt", exam.createdBlank) +
           countLine("    ", "davon wiederholt (gleiche Nummer)", patients - exam.createdBlank - exam.carried);
}

std::string examSection(const ExamSummary& exam, std::size_t k, std::int32_t patients)
{
    if (exam.missing) {
        std::string text = heading("Untersuchungen (" + tableFile(k) + "): fehlt im Datenordner");
        return text + resultRows(exam, patients);
    }
    std::string text = heading("Untersuchungen (" + tableFile(k) + ")");
    text += countLine("  ", "Zeilen gelesen", exam.read);
    text += countLine("  ", cp1252::ansi("übernommen"), exam.carried);
    std::int64_t notCarried = 0;
    for (const std::int32_t count : exam.notCarried)
        notCarried += count;
    text += countLine("  ", cp1252::ansi("nicht übernommen"), notCarried);
    const std::array<std::string, RowReasons> labels{
        rowReason(RowReason::NoPatient, 0), rowReason(RowReason::FurtherRow, 0), cp1252::ansi("Patient entfällt")};
    for (std::size_t reason = 0; reason < RowReasons; ++reason)
        text += countLine("    ", labels[reason], exam.notCarried[reason]);
    return text + resultRows(exam, patients);
}

std::string fieldSection(const ReportSummary& summary)
{
    std::string text = heading(cp1252::ansi("Bereinigung und Kürzung der Textwerte"));
    for (std::size_t k = 0; k < summary.fields.size(); ++k) {
        const FieldSummary& fields = summary.fields[k];
        text += "  " + tableFile(k) + ": " + std::to_string(total(fields.cleaned)) +
                cp1252::ansi(" Werte durch die Bereinigung geändert, ") + std::to_string(total(fields.cut)) +
                cp1252::ansi(" auf ein schmaleres Feld gekürzt") + "\r\n";
        if (!fields.cleaned.empty())
            text += cp1252::ansi("    geändert:\r\n") + fieldList(fields.cleaned, "      ");
        if (!fields.cut.empty())
            text += cp1252::ansi("    gekürzt:\r\n") + fieldList(fields.cut, "      ");
    }
    return text;
}

} // namespace

std::string patientOutcome(PatientOutcome outcome, std::int32_t record)
{
    switch (outcome) {
    case PatientOutcome::Carried:
        return cp1252::ansi("übernommen");
    case PatientOutcome::CarriedWithDataOf:
        return cp1252::ansi("übernommen mit den Daten von Satz ") + std::to_string(record) + " (gleiche Nummer)";
    case PatientOutcome::Placeholder:
        return cp1252::ansi("entfällt: Platzhalter");
    case PatientOutcome::Nameless:
        return cp1252::ansi("entfällt: ohne Namen");
    case PatientOutcome::NoValidNumber:
        return cp1252::ansi("entfällt: keine gültige Nummer");
    case PatientOutcome::SameNumberAs:
        return cp1252::ansi("entfällt: gleiche Nummer wie Satz ") + std::to_string(record);
    }
    return {};
}

std::string rowReason(RowReason reason, std::int32_t record)
{
    switch (reason) {
    case RowReason::NoPatient:
        return "kein Patient mit dieser Nummer";
    case RowReason::FurtherRow:
        return "weitere Zeile desselben Patienten";
    case RowReason::PatientDropped:
        return cp1252::ansi("Patient entfällt (Satz ") + std::to_string(record) + ")";
    }
    return {};
}

const std::string& createdBlank()
{
    static const std::string text = "neu angelegt, leer";
    return text;
}

std::string protocol(const ReportSummary& summary)
{
    std::string text = "Protokoll der Reorganisation vom " + dateTime(summary.started) + "\r\n\r\n";
    text += "Datenordner:    " + summary.sourceFolder + "\r\n";
    text += "Arbeitskopien:  " + summary.stagingFolder + "\r\n";
    text += "Ausgabeordner:  " + summary.outputFolder + "\r\n";
    text += shownWarnings(summary);
    text += warningSection(summary);
    text += patientSection(summary.patients);
    for (std::size_t k = 1; k <= summary.exams.size(); ++k)
        text += examSection(summary.exams[k - 1], k, summary.patients.carried());
    text += fieldSection(summary);
    text += "\r\n";
    text += cp1252::ansi("Einzelheiten stehen in zwei Listen im selben Ordner:\r\n"
                         "- Patienten.csv: jeder Patientensatz mit alter und neuer Nummer und was aus ihm\r\n"
                         "  wurde.\r\n"
                         "- Untersuchungen.csv: jede Untersuchungszeile, die nicht übernommen wurde (Satz\r\n"
                         "  wie in der Quelltabelle, Nummer so, wie die Reorganisation sie liest), und jede\r\n"
                         "  leer neu angelegte Zeile (Satz wie im Ergebnis, also die neue Nummer; Nummer\r\n"
                         "  ist die alte Nummer).\r\n");
    return text;
}

std::string logLines(const ReportSummary& summary, bool filesWritten)
{
    const PatientSummary& patients = summary.patients;
    std::string text = "Patienten: " + std::to_string(patients.read) + " gelesen, " +
                       std::to_string(patients.carried()) + cp1252::ansi(" übernommen, ") +
                       std::to_string(patients.read - patients.carried()) + cp1252::ansi(" entfallen");
    const std::pair<PatientOutcome, const char*> drops[] = {
        {PatientOutcome::Placeholder, "Platzhalter"},
        {PatientOutcome::Nameless, "ohne Namen"},
        {PatientOutcome::NoValidNumber, "ohne gültige Nummer"},
        {PatientOutcome::SameNumberAs, "mit der Nummer eines anderen Satzes"},
    };
    std::string reasons;
    for (const auto& [outcome, label] : drops) {
        if (patients.count(outcome) > 0)
            reasons +=
                (reasons.empty() ? "" : ", ") + std::to_string(patients.count(outcome)) + " " + cp1252::ansi(label);
    }
    text += (reasons.empty() ? "" : " (" + reasons + ")") + "\r\n";
    for (std::size_t k = 1; k <= summary.exams.size(); ++k) {
        const ExamSummary& exam = summary.exams[k - 1];
        std::int64_t notCarried = 0;
        for (const std::int32_t count : exam.notCarried)
            notCarried += count;
        text += tableFile(k) + ": ";
        if (exam.missing)
            text += "fehlt, ";
        else
            text += std::to_string(exam.read) + " Zeilen gelesen, " + std::to_string(exam.carried) +
                    cp1252::ansi(" übernommen, ") + std::to_string(notCarried) + cp1252::ansi(" nicht übernommen, ");
        text += std::to_string(exam.createdBlank) + " leer neu angelegt\r\n";
    }
    std::uint64_t cleaned = 0;
    std::uint64_t cut = 0;
    for (const FieldSummary& fields : summary.fields) {
        cleaned += total(fields.cleaned);
        cut += total(fields.cut);
    }
    text += "Textwerte: " + std::to_string(cleaned) + cp1252::ansi(" durch die Bereinigung geändert, ") +
            std::to_string(cut) + cp1252::ansi(" gekürzt") + "\r\n";
    if (!summary.sameNumbers.empty()) {
        text += sameNumberTitle(summary) + ":\r\n";
        for (const SameNumber& same : summary.sameNumbers)
            text += sameNumberLine(same) + "\r\n";
    }
    if (filesWritten)
        text += "Bericht im Ausgabeordner: Patienten.csv, Untersuchungen.csv, Protokoll.txt\r\n";
    return text;
}

} // namespace torvane::texts
