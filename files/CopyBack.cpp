#include "files/CopyBack.h"

#include "errors/Trap.h"
#include "files/CopyBackJournal.h"
#include "platform/Cp1252.h"
#include "resources/Templates.h"

#include <algorithm>

namespace torvane {
namespace {

// Their own locations, so that the log tells a failed replacement of the
// practice's tables from a failed copy into the staging folder.
constexpr const char* CopyBackLocation = "Error in E_Datei: Sub ersetze_datenbanken";
constexpr const char* RestoreLocation = "Error in E_Datei: Sub hole_sicherung_zurueck";

bool isMissing(const Status& status)
{
    return status.number() == errnum::FileNotFound || status.number() == errnum::PathNotFound;
}

// Whether an original is there to be replaced. One that could not be
// replaced (read-only, a folder) stops the copy-back before anything changed,
// where finding out at its rename would have meant putting back the others.
bool originalPresent(Env& env, const std::string& path)
{
    std::uint32_t bits = 0;
    const Status status = env.attributes(path, &bits);
    if (isMissing(status))
        return false;
    raiseIfFailed(status);
    if ((bits & (attr::ReadOnly | attr::Directory)) != 0)
        throw RunError::raised(errnum::PathFileAccess, path);
    return true;
}

// An earlier copy-back's record is finished before a run starts; one found
// now is never overwritten.
void requireNoRecord(Env& env, const std::string& path)
{
    std::uint32_t bits = 0;
    const Status status = env.attributes(path, &bits);
    if (isMissing(status))
        return;
    raiseIfFailed(status);
    throw RunError::raised(errnum::FileExists, path);
}

// The name among a backup's notes that stands for this table file.
const std::string* noted(const std::vector<std::string>& names, const std::string& file)
{
    const auto same = [&](const std::string& name) { return cp1252::upperCase(name) == cp1252::upperCase(file); };
    const auto found = std::find_if(names.begin(), names.end(), same);
    return found == names.end() ? nullptr : &*found;
}

} // namespace

CopyBack::Result CopyBack::ersetze_datenbanken(std::string& output, std::string& data, const CopiedTables* copied)
{
    location_ = CopyBackLocation;
    std::vector<Planned> plan;
    if (!planCopyBack(output, data, plan))
        return {};
    return carryOut(data, plan, copied);
}

CopyBack::Result CopyBack::hole_sicherung_zurueck(const BackupFolders::Backup& backup, std::string& data)
{
    location_ = RestoreLocation;
    std::vector<Planned> plan;
    if (!planRestore(backup, data, plan))
        return {};
    return carryOut(data, plan, nullptr);
}

bool CopyBack::planCopyBack(std::string& output, std::string& data, std::vector<Planned>& plan)
{
    Trap trap(errors_, location_);
    return trap([&] {
        paths_.pathcomplete(output);
        paths_.pathcomplete(data);
        for (const TableName& name : TableNames) {
            const std::string file = std::string(name.base) + ".kvt";
            bool present = false;
            raiseIfFailed(env_.findPlainFile(output + file, &present));
            if (present)
                plan.push_back({output + file, inDataFolder(data, file)});
        }
    });
}

bool CopyBack::planRestore(const BackupFolders::Backup& backup, std::string& data, std::vector<Planned>& plan)
{
    Trap trap(errors_, location_);
    return trap([&] {
        paths_.pathcomplete(data);
        for (const TableName& name : TableNames) {
            const std::string file = std::string(name.base) + ".kvt";
            IntentRecord::Table table = inDataFolder(data, file);
            if (const std::string* saved = noted(backup.note.saved, file)) {
                bool present = false;
                raiseIfFailed(env_.findPlainFile(backup.folder + *saved, &present));
                // A backup that lost a table would put back a mix.
                if (!present)
                    throw RunError::raised(errnum::FileNotFound, backup.folder + *saved);
                plan.push_back({backup.folder + *saved, table});
            } else if (noted(backup.note.missing, file) && table.hadOriginal) {
                table.incoming = false;
                plan.push_back({{}, table});
            }
        }
    });
}

// A table coming in, under the name the data folder already has for it.
IntentRecord::Table CopyBack::inDataFolder(const std::string& data, const std::string& file)
{
    const std::string target = env_.existingName(data + file);
    return {target.substr(data.size()), true, originalPresent(env_, target)};
}

CopyBack::Result CopyBack::carryOut(const std::string& data, const std::vector<Planned>& plan,
                                    const CopiedTables* copied)
{
    Result result;
    IntentRecord record;
    if (!hasRoom(data, plan, result) || !describe(data, plan, record, result))
        return result;
    CopyBackJournal journal(env_, data, record);
    if (!stage(plan, data) || (copied != nullptr && !unchanged(data, *copied, result)) || !writeRecord(data, record)) {
        Trap(errors_, location_)([&] { journal.discard(); });
        return result;
    }
    Trap trap(errors_, location_);
    if (!trap([&] { journal.bringIn(); })) {
        if (!trap([&] { journal.rollBack(); })) {
            result.outcome = Outcome::Interrupted;
            result.whereTablesAre = journal.whereTablesAre();
        }
        return result;
    }
    // Every new table is in place; what a failure leaves of the rest the
    // next start completes.
    trap([&] { journal.finish(); });
    result.outcome = Outcome::Replaced;
    result.backupFolder = journal.backupFolder();
    return result;
}

// The originals are renamed, never copied: only the new tables need room.
// A volume that cannot say how much it has is tried all the same; a copy
// that does not fit is undone like any other failure.
bool CopyBack::hasRoom(const std::string& data, const std::vector<Planned>& plan, Result& result)
{
    Trap trap(errors_, location_);
    std::uint64_t needed = 0;
    for (const Planned& planned : plan) {
        std::uint64_t size = 0;
        if (!planned.source.empty() && trap([&] { raiseIfFailed(env_.fileSize(planned.source, &size)); }))
            needed += size;
    }
    std::uint64_t available = 0;
    if (!trap([&] { raiseIfFailed(env_.freeSpace(data, &available)); }) || available >= needed)
        return true;
    result.outcome = Outcome::NoRoom;
    result.needed = needed;
    result.available = available;
    return false;
}

bool CopyBack::describe(std::string data, const std::vector<Planned>& plan, IntentRecord& record, Result& result)
{
    Trap trap(errors_, location_);
    if (!trap([&] { requireNoRecord(env_, data + IntentRecord::FileName); }))
        return false;
    const std::string backup = staging_.freier_ordnername(data, BackupFolders::Prefix);
    if (backup.empty()) {
        result.outcome = Outcome::NoBackupName;
        return false;
    }
    record.backupFolder = backup.substr(data.size());
    record.created = BackupNote::stamp(clock_.now());
    for (const Planned& planned : plan)
        record.tables.push_back(planned.table);
    return trap([&] { record.backupNumber = BackupFolders(env_).nextNumber(data); });
}

// The practice program may have written to a table while the run worked or
// the confirmation waited: replacing it would throw that work away. A change
// within the same second, or one that keeps the size, still changes the
// hash. A table that cannot be read counts as changed, after its error is
// reported.
bool CopyBack::unchanged(const std::string& data, const CopiedTables& copied, Result& result)
{
    Trap trap(errors_, location_);
    for (std::size_t t = 0; t < TableNames.size(); ++t) {
        const std::string path = env_.existingName(data + TableNames[t].base + ".kvt");
        bool present = false;
        FileFingerprint now;
        const bool same = trap([&] {
                              raiseIfFailed(env_.findPlainFile(path, &present));
                              if (present && copied[t])
                                  raiseIfFailed(env_.fingerprint(path, &now));
                          }) &&
                          present == copied[t].has_value() && (!present || now == *copied[t]);
        if (!same) {
            result.outcome = Outcome::ChangedMeanwhile;
            result.changedTable = path.substr(data.size());
            return false;
        }
    }
    return true;
}

// The new tables complete and on the device beside the originals.
bool CopyBack::stage(const std::vector<Planned>& plan, const std::string& data)
{
    Trap trap(errors_, location_);
    for (const Planned& planned : plan) {
        if (planned.source.empty())
            continue;
        const std::string staged = data + planned.table.staged();
        const bool copied = trap([&] {
            raiseIfFailed(env_.copyFile(planned.source, staged));
            raiseIfFailed(env_.syncFile(staged));
        });
        if (!copied)
            return false;
    }
    return true;
}

// The record is complete on the device, and so is its name in the folder,
// before the first rename.
bool CopyBack::writeRecord(const std::string& data, const IntentRecord& record)
{
    Trap trap(errors_, location_);
    return trap([&] {
        const std::string path = data + IntentRecord::FileName;
        raiseIfFailed(env_.writeNewFile(path, record.text()));
        raiseIfFailed(env_.syncFile(path));
        raiseIfFailed(env_.syncFolder(data));
    });
}

} // namespace torvane
