#include "reorg/RunReport.h"

#include "errors/Trap.h"
#include "tables/TrimBlanks.h"
#include "reorg/ReportTexts.h"
#include "resources/Templates.h"

#include <algorithm>

namespace torvane {
namespace {

// The field a name addresses, as reading by name finds it; 0 for none.
int fieldNamed(const dbases& table, const char* name)
{
    try {
        Variant address(name);
        return table.fieldNumber(address);
    } catch (const RunError&) {
        return 0;
    }
}

// A field of the record in the buffer, blanks around removed, as reading it would give.
std::string_view fieldText(const dbases& table, int field)
{
    if (field < 1 || field > table.NoFields())
        return {};
    const auto start = static_cast<std::size_t>(table.fieldStart(field) - 1);
    const std::string_view buffer = table.buffer();
    if (start >= buffer.size())
        return {};
    return trimmedBlanks(buffer.substr(start, static_cast<std::size_t>(table.fieldLength(field))));
}

std::string personName(std::string_view surname, std::string_view firstName)
{
    std::string name(surname);
    if (!name.empty() && !firstName.empty())
        name += ", ";
    return name.append(firstName);
}

std::string tableFile(std::size_t k)
{
    return std::string(TableNames[k].base) + ".kvt";
}

std::size_t index(PatientOutcome outcome)
{
    return static_cast<std::size_t>(outcome);
}

std::size_t index(RowReason reason)
{
    return static_cast<std::size_t>(reason);
}

} // namespace

void RunReport::begin(const LocalDateTime& started, const std::string& sourceFolder, const std::string& stagingFolder,
                      const DatabaseSets& sets)
{
    summary_.started = started;
    summary_.sourceFolder = sourceFolder;
    summary_.stagingFolder = stagingFolder;
    const dbases& person = sets.db_main[0];
    personFields_ = {fieldNamed(person, "DATNUMMER"), fieldNamed(person, "NACHNAME"), fieldNamed(person, "VORNAME"),
                     fieldNamed(person, "GEBDATUM")};
    personRows_ = person.NoRecords();
    summary_.patients.read = personRows_;
    // Room for all of them at once: a list that grows copies itself over and over.
    patients_.reserve(static_cast<std::size_t>(std::max(personRows_, 0)));
    values_.reserve(patients_.capacity() * 48);
    for (std::size_t k = 1; k <= examRows_.size(); ++k) {
        ExamSummary& exam = summary_.exams[k - 1];
        exam.missing = k == 3 && sets.db4_missing;
        if (exam.missing)
            continue;
        const dbases& table = sets.db_main[k];
        examCounts_[k - 1] = table.NoRecords();
        exam.read = table.storedRecords();
        examRows_[k - 1].assign(static_cast<std::size_t>(exam.read), NotTaken);
    }
}

void RunReport::patientRead(std::int32_t r, const dbases& person)
{
    current_ = PatientEntry{};
    current_.record = r;
    current_.valuesAt = static_cast<std::uint32_t>(values_.size());
    for (std::size_t i = 0; i < PersonValues; ++i) {
        const std::string_view text = fieldText(person, personFields_[i]);
        values_.append(text);
        current_.lengths[i] = static_cast<std::uint8_t>(text.size());
    }
    rows_ = {};
}

void RunReport::positioned(std::int32_t d, const DatabaseSets& sets)
{
    current_.key = d;
    const std::size_t used = sets.db4_missing ? 3 : 4;
    for (std::size_t k = 0; k < used; ++k)
        rows_[k] = sets.db_main[k].hole_nummer();
}

// A record positioned on a row the synchronisation appended has a number no
// patient record carries; one positioned on another record goes with that one.
void RunReport::dropped(DropReason reason)
{
    const std::int32_t taken = rows_[0];
    PatientOutcome outcome = PatientOutcome::NoValidNumber;
    if (reason != DropReason::NoValidNumber && taken >= 1 && taken <= personRows_) {
        if (taken != current_.record)
            outcome = PatientOutcome::SameNumberAs;
        else
            outcome = reason == DropReason::Placeholder ? PatientOutcome::Placeholder : PatientOutcome::Nameless;
    }
    for (std::size_t k = 0; k < examRows_.size(); ++k) {
        const std::int32_t row = rows_[k + 1];
        if (row >= 1 && row <= static_cast<std::int32_t>(examRows_[k].size()) &&
            examRows_[k][static_cast<std::size_t>(row - 1)] == NotTaken)
            examRows_[k][static_cast<std::size_t>(row - 1)] = current_.record;
    }
    finishPatient(outcome, 0);
}

void RunReport::carried(std::int16_t number)
{
    for (std::size_t k = 0; k < examRows_.size(); ++k) {
        const std::int32_t row = rows_[k + 1];
        if (summary_.exams[k].missing || row < 1 || row > examCounts_[k]) {
            created_[k].emplace_back(number, current_.key);
            ++summary_.exams[k].createdBlank;
        } else if (row <= static_cast<std::int32_t>(examRows_[k].size())) {
            examRows_[k][static_cast<std::size_t>(row - 1)] = TakenByCarried;
        }
    }
    const std::int32_t taken = rows_[0];
    finishPatient(taken >= 1 && taken != current_.record ? PatientOutcome::CarriedWithDataOf : PatientOutcome::Carried,
                  number);
}

void RunReport::finishPatient(PatientOutcome outcome, std::int16_t number)
{
    current_.dataRecord = rows_[0];
    current_.newNumber = number;
    current_.outcome = outcome;
    patients_.push_back(current_);
    ++summary_.patients.outcomes[index(outcome)];
}

std::string_view RunReport::value(const PatientEntry& entry, std::size_t i) const
{
    std::size_t at = entry.valuesAt;
    for (std::size_t before = 0; before < i; ++before)
        at += entry.lengths[before];
    return std::string_view(values_).substr(at, entry.lengths[i]);
}

std::string RunReport::nameOf(std::int32_t record) const
{
    const auto at = static_cast<std::size_t>(record - 1);
    if (record < 1 || at >= patients_.size() || patients_[at].record != record)
        return {};
    return personName(value(patients_[at], 1), value(patients_[at], 2));
}

CsvText RunReport::patientsCsv() const
{
    // A line takes some 60 bytes.
    CsvText csv;
    csv.reserve((patients_.size() + 1) * 64);
    for (const std::string_view column : texts::PatientsHeader)
        csv.field(column);
    csv.endLine();
    std::array<std::string, PatientOutcomes> fixed;
    for (const PatientOutcome outcome : {PatientOutcome::Carried, PatientOutcome::Placeholder, PatientOutcome::Nameless,
                                         PatientOutcome::NoValidNumber})
        fixed[index(outcome)] = texts::patientOutcome(outcome, 0);
    for (const PatientEntry& entry : patients_) {
        csv.field(entry.record).field(value(entry, 0));
        if (entry.newNumber > 0)
            csv.field(entry.newNumber);
        else
            csv.skip();
        csv.field(value(entry, 1)).field(value(entry, 2)).field(value(entry, 3));
        const std::string& text = fixed[index(entry.outcome)];
        csv.field(text.empty() ? texts::patientOutcome(entry.outcome, entry.dataRecord) : text);
        csv.endLine();
    }
    return csv;
}

void RunReport::sammle_restzeilen(DatabaseSets& sets, ErrorReporter& errors)
{
    Trap trap(errors, "Error in B_Sync: Sub sammle_restzeilen");
    for (const std::string_view column : texts::ExaminationsHeader)
        examinations_.field(column);
    examinations_.endLine();
    for (std::size_t k = 0; k < examRows_.size(); ++k) {
        dbases& table = sets.db_main[k + 1];
        const std::string file = tableFile(k + 1);
        for (std::int32_t row = 1; row <= static_cast<std::int32_t>(examRows_[k].size()); ++row) {
            if (examRows_[k][static_cast<std::size_t>(row - 1)] == TakenByCarried)
                ++summary_.exams[k].carried;
            else
                trap([&] { listRemainingRow(table, k, file, row); });
        }
        for (const auto& [number, key] : created_[k])
            examinations_.field(file).field(number).field(key).field(texts::createdBlank()).endLine();
    }
}

// A row no carried patient took: the one a dropped patient took, a further
// row under the number of a row that was taken, or one nobody looked up.
void RunReport::listRemainingRow(dbases& table, std::size_t k, const std::string& file, std::int32_t row)
{
    const std::vector<std::int32_t>& rows = examRows_[k];
    const KeyIndex::Key key = table.recordKey(row);
    const std::string number = key ? std::to_string(*key) : table.storedKey(row);
    std::int32_t takenBy = rows[static_cast<std::size_t>(row - 1)];
    RowReason reason = RowReason::PatientDropped;
    if (takenBy == NotTaken) {
        const std::int32_t first = key ? table.firstRecordWithKey(*key) : 0;
        takenBy = first >= 1 && first <= static_cast<std::int32_t>(rows.size())
                      ? rows[static_cast<std::size_t>(first - 1)]
                      : NotTaken;
        if (takenBy == TakenByCarried)
            reason = RowReason::FurtherRow;
        else if (takenBy == NotTaken)
            reason = RowReason::NoPatient;
    }
    examinations_.field(file).field(row).field(number).field(texts::rowReason(reason, takenBy)).endLine();
    ++summary_.exams[k].notCarried[index(reason)];
}

ReportSummary RunReport::summary(const FieldLists& fields) const
{
    ReportSummary summary = summary_;
    for (const PatientEntry& entry : patients_) {
        if (entry.outcome == PatientOutcome::CarriedWithDataOf || entry.outcome == PatientOutcome::SameNumberAs)
            summary.sameNumbers.push_back({entry.key, entry.record, nameOf(entry.record), entry.dataRecord,
                                           nameOf(entry.dataRecord), entry.newNumber});
    }
    for (std::size_t t = 1; t <= fieldCounts_.size(); ++t) {
        const FieldCopyCounts& counts = fieldCounts_[t - 1];
        FieldSummary& named = summary.fields[t - 1];
        for (std::size_t f = 1; f < counts.cleaned.size(); ++f) {
            const std::string& name = fields.feldinfo_main[t][f].name;
            if (counts.cleaned[f] > 0)
                named.cleaned.push_back({name, counts.cleaned[f]});
            if (counts.cut[f] > 0)
                named.cut.push_back({name, counts.cut[f]});
        }
    }
    return summary;
}

bool RunReport::schreibe_protokoll(Env& env, ErrorReporter& errors, const std::string& outputFolder,
                                   const FieldLists& fields)
{
    Trap trap(errors, "Error in E_Datei: Sub schreibe_protokoll");
    summary_.outputFolder = outputFolder;
    bool written = true;
    const auto write = [&](const char* name, const std::string& text) {
        if (!trap([&] { raiseIfFailed(env.writeNewFile(outputFolder + name, text)); }))
            written = false;
    };
    CsvText patients;
    trap([&] { patients = patientsCsv(); });
    write(texts::PatientsFile, patients.text());
    write(texts::ExaminationsFile, examinations_.text());
    std::string protocol;
    trap([&] { protocol = texts::protocol(summary(fields)); });
    write(texts::ProtocolFile, protocol);
    return written;
}

} // namespace torvane
