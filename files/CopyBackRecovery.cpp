#include "files/CopyBackRecovery.h"

#include "errors/Trap.h"
#include "files/CopyBackJournal.h"
#include "files/IntentRecord.h"
#include "platform/Cp1252.h"

#include <algorithm>

namespace torvane {
namespace {

constexpr const char* Location = "Error in E_Datei: Sub schliesse_uebernahme_ab";

bool isRecord(const std::string& name)
{
    return cp1252::upperCase(name) == cp1252::upperCase(IntentRecord::FileName);
}

bool isStaged(const std::string& name)
{
    return name.ends_with(IntentRecord::StagedSuffix);
}

} // namespace

CopyBackRecovery::Result CopyBackRecovery::schliesse_uebernahme_ab(std::string& data)
{
    Trap trap(errors_, Location);
    Result result;
    std::vector<std::string> names;
    if (!trap([&] {
            paths_.pathcomplete(data);
            raiseIfFailed(env_.listFolder(data, &names));
        })) {
        result.found = Found::Unreadable;
        result.done = false;
        return result;
    }
    std::string record;
    for (const std::string& name : names) {
        if (isRecord(name))
            record = name;
        if (isRecord(name) || isStaged(name))
            result.leftovers.push_back(name);
    }
    if (!result.leftovers.empty() && (record.empty() || !finishForward(data + record, data, result)))
        discardLeftovers(data, result);
    return result;
}

// A record that reads completely goes forward; one cut short while it was
// being written is a leftover like the staged tables.
bool CopyBackRecovery::finishForward(const std::string& path, const std::string& data, Result& result)
{
    Trap trap(errors_, Location);
    result.found = Found::Record;
    std::string text;
    if (!trap([&] { raiseIfFailed(env_.readFile(path, &text)); })) {
        result.done = false;
        return true;
    }
    const std::optional<IntentRecord> record = IntentRecord::parse(text);
    if (!record)
        return false;
    CopyBackJournal journal(env_, data, *record);
    result.done = trap([&] { journal.bringIn(); }) && trap([&] { journal.finish(); });
    if (result.done)
        result.backupFolder = journal.backupFolder();
    else
        result.whereTablesAre = journal.whereTablesAre();
    return true;
}

// The record first: staged tables without it are never brought in.
void CopyBackRecovery::discardLeftovers(const std::string& data, Result& result)
{
    Trap trap(errors_, Location);
    result.found = Found::Staged;
    result.done = true;
    std::vector<std::string> order = result.leftovers;
    std::stable_partition(order.begin(), order.end(), isRecord);
    for (const std::string& name : order)
        result.done = trap([&] { raiseIfFailed(env_.deleteFile(data + name)); }) && result.done;
    result.done = trap([&] { raiseIfFailed(env_.syncFolder(data)); }) && result.done;
}

} // namespace torvane
