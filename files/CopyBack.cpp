#include "files/CopyBack.h"

#include "errors/Trap.h"
#include "resources/Templates.h"

namespace torvane {
namespace {

// Its own location, so that the log tells a failed replacement of the
// practice's tables from a failed copy into the staging folder.
constexpr const char* Location = "Error in E_Datei: Sub ersetze_datenbanken";

bool isMissing(const Status& status)
{
    return status.number() == errnum::FileNotFound || status.number() == errnum::PathNotFound;
}

// Whether an original is there to be replaced. One that could not be
// replaced (read-only, a folder) stops the copy-back before anything changed,
// where deleting it table by table would have stopped halfway.
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

// A name already taken may hold an original that an earlier copy-back could
// not delete; it is never overwritten.
void requireFree(Env& env, const std::string& path)
{
    std::uint32_t bits = 0;
    const Status status = env.attributes(path, &bits);
    if (isMissing(status))
        return;
    raiseIfFailed(status);
    throw RunError::raised(errnum::FileExists, path);
}

void deleteIfPresent(Env& env, const std::string& path)
{
    const Status status = env.deleteFile(path);
    if (!isMissing(status))
        raiseIfFailed(status);
}

} // namespace

CopyBack::Outcome CopyBack::ersetze_datenbanken(std::string& output, std::string& data)
{
    std::vector<Table> tables;
    if (!plan(output, data, tables) || !stage(tables))
        return Outcome::KeptOriginals;
    const Outcome outcome = swap(tables);
    if (outcome == Outcome::Replaced)
        deleteKept(tables);
    return outcome;
}

bool CopyBack::plan(std::string& output, std::string& data, std::vector<Table>& tables)
{
    Trap trap(errors_, Location);
    for (const TableName& name : TableNames) {
        const std::string file = std::string(name.base) + ".kvt";
        Table table;
        bool present = false;
        const bool looked = trap([&] {
            table.source = paths_.pathcomplete(output) + file;
            raiseIfFailed(env_.findPlainFile(table.source, &present));
        });
        if (!looked)
            return false;
        if (!present)
            continue;
        const bool checked = trap([&] {
            table.target = env_.existingName(paths_.pathcomplete(data) + file);
            table.hadOriginal = originalPresent(env_, table.target);
            requireFree(env_, table.kept());
        });
        if (!checked)
            return false;
        tables.push_back(table);
    }
    return true;
}

// The new tables complete and on the device beside the originals.
bool CopyBack::stage(const std::vector<Table>& tables)
{
    Trap trap(errors_, Location);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const bool copied = trap([&] {
            raiseIfFailed(env_.copyFile(tables[i].source, tables[i].fresh()));
            raiseIfFailed(env_.syncFile(tables[i].fresh()));
        });
        if (!copied) {
            discardFresh(tables, 0, i + 1);
            return false;
        }
    }
    return true;
}

CopyBack::Outcome CopyBack::swap(const std::vector<Table>& tables)
{
    Trap trap(errors_, Location);
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const Table& table = tables[i];
        const bool movedAside =
            table.hadOriginal && trap([&] { raiseIfFailed(env_.renameFile(table.target, table.kept())); });
        const bool nameFree = movedAside || !table.hadOriginal;
        if (nameFree && trap([&] { raiseIfFailed(env_.renameFile(table.fresh(), table.target)); }))
            continue;
        const bool restored = restore(tables, i, movedAside);
        discardFresh(tables, i, tables.size());
        return restored ? Outcome::KeptOriginals : Outcome::RestoreFailed;
    }
    return Outcome::Replaced;
}

// Puts back the originals of the first `count` tables, which were replaced,
// and that of table `count` when it was already moved aside. Goes on after a
// failure, so that as many as possible are back.
bool CopyBack::restore(const std::vector<Table>& tables, std::size_t count, bool currentMovedAside)
{
    Trap trap(errors_, Location);
    bool restored = true;
    if (currentMovedAside)
        restored = trap([&] { raiseIfFailed(env_.renameFile(tables[count].kept(), tables[count].target)); });
    for (std::size_t i = count; i-- > 0;) {
        const Table& table = tables[i];
        // The original replaces the new table in one step; a table the data
        // folder did not have goes again.
        const bool back = trap([&] {
            if (table.hadOriginal)
                raiseIfFailed(env_.renameFile(table.kept(), table.target));
            else
                raiseIfFailed(env_.deleteFile(table.target));
        });
        restored = restored && back;
    }
    return restored;
}

// Removes the temporary copies of tables [from, to) that are still there: a
// copy that failed may have left nothing.
void CopyBack::discardFresh(const std::vector<Table>& tables, std::size_t from, std::size_t to)
{
    Trap trap(errors_, Location);
    for (std::size_t i = from; i < to; ++i)
        trap([&] { deleteIfPresent(env_, tables[i].fresh()); });
}

void CopyBack::deleteKept(const std::vector<Table>& tables)
{
    Trap trap(errors_, Location);
    for (const Table& table : tables) {
        if (table.hadOriginal)
            trap([&] { raiseIfFailed(env_.deleteFile(table.kept())); });
    }
}

} // namespace torvane
