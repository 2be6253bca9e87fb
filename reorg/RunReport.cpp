#include "reorg/RunReport.h"

#include "errors/Trap.h"
#include "platform/TrimBlanks.h"
#include "reorg/ReportTexts.h"
#include "resources/Templates.h"

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
    person_ = {fieldNamed(person, "DATNUMMER"), fieldNamed(person, "NACHNAME"), fieldNamed(person, "VORNAME"),
               fieldNamed(person, "GEBDATUM")};
    personRows_ = person.NoRecords();
    summary_.patients.read = personRows_;
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
    for (const std::string_view column : texts::PatientsHeader)
        patients_.field(column);
    patients_.endLine();
    for (const PatientOutcome outcome : {PatientOutcome::Carried, PatientOutcome::Placeholder, PatientOutcome::Nameless,
                                         PatientOutcome::NoValidNumber})
        outcomeTexts_[index(outcome)] = texts::patientOutcome(outcome, 0);
}

void RunReport::patientRead(std::int32_t r, const dbases& person)
{
    record_ = r;
    key_ = 0;
    rows_ = {};
    number_.assign(fieldText(person, person_.number));
    surname_.assign(fieldText(person, person_.surname));
    firstName_.assign(fieldText(person, person_.firstName));
    birthDate_.assign(fieldText(person, person_.birthDate));
}

void RunReport::positioned(std::int32_t d, const DatabaseSets& sets)
{
    key_ = d;
    const std::size_t used = sets.db4_missing ? 3 : 4;
    for (std::size_t k = 0; k < used; ++k)
        rows_[k] = sets.db_main[k].hole_nummer();
    // Only a record that leads to another one is named with that one.
    if (rows_[0] != record_) {
        const dbases& person = sets.db_main[0];
        dataName_ = personName(fieldText(person, person_.surname), fieldText(person, person_.firstName));
    }
}

// A record positioned on a row the synchronisation appended has a number no
// patient record carries; one positioned on another record goes with that one.
void RunReport::dropped(DropReason reason)
{
    const std::int32_t taken = rows_[0];
    PatientOutcome outcome = PatientOutcome::NoValidNumber;
    if (reason != DropReason::NoValidNumber && taken >= 1 && taken <= personRows_) {
        if (taken != record_)
            outcome = PatientOutcome::SameNumberAs;
        else
            outcome = reason == DropReason::Placeholder ? PatientOutcome::Placeholder : PatientOutcome::Nameless;
    }
    for (std::size_t k = 0; k < examRows_.size(); ++k) {
        const std::int32_t row = rows_[k + 1];
        if (row >= 1 && row <= static_cast<std::int32_t>(examRows_[k].size()) &&
            examRows_[k][static_cast<std::size_t>(row - 1)] == NotTaken)
            examRows_[k][static_cast<std::size_t>(row - 1)] = record_;
    }
    finishPatient(outcome, taken, 0);
}

void RunReport::carried(std::int16_t number)
{
    const std::int32_t taken = rows_[0];
    for (std::size_t k = 0; k < examRows_.size(); ++k) {
        const std::int32_t row = rows_[k + 1];
        if (summary_.exams[k].missing || row < 1 || row > examCounts_[k]) {
            created_[k].emplace_back(number, key_);
            ++summary_.exams[k].createdBlank;
        } else if (row <= static_cast<std::int32_t>(examRows_[k].size())) {
            examRows_[k][static_cast<std::size_t>(row - 1)] = TakenByCarried;
        }
    }
    finishPatient(taken >= 1 && taken != record_ ? PatientOutcome::CarriedWithDataOf : PatientOutcome::Carried,
                  taken, number);
}

void RunReport::finishPatient(PatientOutcome outcome, std::int32_t other, std::int16_t number)
{
    patients_.field(record_).field(number_);
    if (number > 0)
        patients_.field(number);
    else
        patients_.skip();
    patients_.field(surname_).field(firstName_).field(birthDate_);
    const std::string& fixed = outcomeTexts_[index(outcome)];
    patients_.field(fixed.empty() ? texts::patientOutcome(outcome, other) : fixed);
    patients_.endLine();
    ++summary_.patients.outcomes[index(outcome)];
    if (outcome == PatientOutcome::CarriedWithDataOf || outcome == PatientOutcome::SameNumberAs)
        summary_.sameNumbers.push_back({key_, record_, personName(surname_, firstName_), other, dataName_, number});
}

void RunReport::sammle_restzeilen(DatabaseSets& sets, ErrorReporter& errors)
{
    Trap trap(errors, "Error in B_Sync: Sub sammle_restzeilen");
    for (const std::string_view column : texts::ExaminationsHeader)
        examinations_.field(column);
    examinations_.endLine();
    for (std::size_t k = 0; k < examRows_.size(); ++k) {
        dbases& table = sets.db_main[k + 1];
        for (std::int32_t row = 1; row <= static_cast<std::int32_t>(examRows_[k].size()); ++row) {
            if (examRows_[k][static_cast<std::size_t>(row - 1)] == TakenByCarried)
                ++summary_.exams[k].carried;
            else
                trap([&] { listRemainingRow(table, k, row); });
        }
        for (const auto& [number, key] : created_[k])
            examinations_.field(tableFile(k + 1)).field(number).field(key).field(texts::createdBlank()).endLine();
    }
}

// A row no carried patient took: the one a dropped patient took, a further
// row under the number of a row that was taken, or one nobody looked up.
void RunReport::listRemainingRow(dbases& table, std::size_t k, std::int32_t row)
{
    const std::vector<std::int32_t>& rows = examRows_[k];
    const auto [number, key] = table.storedKey(row);
    std::int32_t takenBy = rows[static_cast<std::size_t>(row - 1)];
    RowReason reason = RowReason::PatientDropped;
    if (takenBy == NotTaken) {
        const std::int32_t first = key ? table.firstRecordWithKey(*key) : 0;
        takenBy = first >= 1 && first <= static_cast<std::int32_t>(rows.size()) ? rows[static_cast<std::size_t>(first - 1)]
                                                                                 : NotTaken;
        if (takenBy == TakenByCarried)
            reason = RowReason::FurtherRow;
        else if (takenBy == NotTaken)
            reason = RowReason::NoPatient;
    }
    examinations_.field(tableFile(k + 1)).field(row).field(number).field(texts::rowReason(reason, takenBy)).endLine();
    ++summary_.exams[k].notCarried[index(reason)];
}

ReportSummary RunReport::summary(const FieldLists& fields) const
{
    ReportSummary summary = summary_;
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
    write(texts::PatientsFile, patients_.text());
    write(texts::ExaminationsFile, examinations_.text());
    std::string protocol;
    trap([&] { protocol = texts::protocol(summary(fields)); });
    write(texts::ProtocolFile, protocol);
    return written;
}

} // namespace torvane
