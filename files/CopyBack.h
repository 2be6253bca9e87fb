#pragma once

#include "errors/ErrorReporter.h"
#include "files/BackupFolders.h"
#include "files/IntentRecord.h"
#include "files/Paths.h"
#include "files/StagingFolders.h"
#include "files/TableCopies.h"
#include "platform/Clock.h"
#include "platform/Env.h"

#include <cstdint>
#include <string>
#include <vector>

namespace torvane {

// Puts new tables in place of the data folder's so that a failure, a crash
// or a power cut at any point leaves either all the old tables or all the
// new ones: a new person table beside old examination tables would give the
// practice program wrong patients' findings. The new tables are first
// copied in under temporary names and flushed; then the intent record says
// what follows; then the originals move into a fresh backup folder
// REORG_SICHERUNG_<mm>_<dd>_<n> inside the data folder and the new tables
// take their names. A failure before the last rename puts everything back;
// an interruption is finished by the next start (CopyBackRecovery).
//
// On success the data folder holds what deleting each table and copying the
// new one in would give (the case of an existing name kept), plus the backup
// folder. A table the data folder did not have is added, and the backup
// notes that it had none. Each failure is reported.
class CopyBack {
public:
    enum class Outcome {
        Replaced,         // all new tables in place, the originals in the backup folder
        KeptOriginals,    // nothing replaced; the data folder as it was
        NoRoom,           // not enough room for the new tables; nothing touched
        NoBackupName,     // all of the day's backup folder names are taken; nothing touched
        Interrupted,      // neither finished nor put back: the next start finishes it
        ChangedMeanwhile, // a table is no longer what was copied; nothing touched
    };

    struct Result {
        Outcome outcome = Outcome::KeptOriginals;
        std::string backupFolder;    // Replaced: with its trailing separator
        std::uint64_t needed = 0;    // NoRoom: bytes the new tables take
        std::uint64_t available = 0; // NoRoom: bytes free on the data folder's volume
        std::string whereTablesAre;  // Interrupted: one line per table, each ended by CR
        std::string changedTable;    // ChangedMeanwhile: its file name as in the data folder
    };

    CopyBack(Env& env, ErrorReporter& errors, const Paths& paths, StagingFolders& staging, const Clock& clock)
        : env_(env), errors_(errors), paths_(paths), staging_(staging), clock_(clock)
    {
    }

    // The output folder's tables in place of the data folder's; a table
    // missing from the output leaves the data folder's as it was. Both
    // folders are completed in place. With `copied`, nothing is replaced
    // unless each of the data folder's tables is still exactly what was
    // copied from it, checked once the new tables are staged beside them.
    Result ersetze_datenbanken(std::string& output, std::string& data, const CopiedTables* copied = nullptr);
    // A backup's tables put back in the same way, and a table it notes as
    // missing removed; what they replace goes into a fresh backup folder.
    // The data folder is completed in place.
    Result hole_sicherung_zurueck(const BackupFolders::Backup& backup, std::string& data);

private:
    struct Planned {
        std::string source; // empty for a table that goes
        IntentRecord::Table table;
    };

    bool planCopyBack(std::string& output, std::string& data, std::vector<Planned>& plan);
    bool planRestore(const BackupFolders::Backup& backup, std::string& data, std::vector<Planned>& plan);
    IntentRecord::Table inDataFolder(const std::string& data, const std::string& file);
    Result carryOut(const std::string& data, const std::vector<Planned>& plan, const CopiedTables* copied);
    bool unchanged(const std::string& data, const CopiedTables& copied, Result& result);
    bool hasRoom(const std::string& data, const std::vector<Planned>& plan, Result& result);
    bool describe(std::string data, const std::vector<Planned>& plan, IntentRecord& record, Result& result);
    bool stage(const std::vector<Planned>& plan, const std::string& data);
    bool writeRecord(const std::string& data, const IntentRecord& record);

    Env& env_;
    ErrorReporter& errors_;
    const Paths& paths_;
    StagingFolders& staging_;
    const Clock& clock_;
    const char* location_ = "";
};

} // namespace torvane
