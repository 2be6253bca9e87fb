#include "reorg/ReorganisationRun.h"

#include "errors/ProgramEnd.h"
#include "errors/Trap.h"
#include "files/CopyBack.h"
#include "reorg/CheckTexts.h"
#include "reorg/CopyBackTexts.h"
#include "reorg/DataFolderGuard.h"
#include "reorg/ReportTexts.h"
#include "reorg/RunLocation.h"
#include "reorg/RunTexts.h"
#include "reorg/StartChecks.h"
#include "resources/Templates.h"

namespace torvane {
namespace {

// " 1", " 2", … as the counter label shows record numbers.
std::string counterCaption(std::int32_t r)
{
    std::string caption(1, ' ');
    caption += std::to_string(r);
    return caption;
}

} // namespace

void ReorganisationRun::cmdsynchronisieren_Click(std::int16_t Index)
{
    Trap trap(session_.errors, RunLocation);
    Workspace& ws = session_.workspace;
    std::string& source = ws.quellpfad.at(static_cast<std::size_t>(Index));

    trap([&] { window_.setBusy(true); });
    secureDataFolder(source);
    if (checks_) {
        secureTempFolder();
        refuseUnfitStart(source);
    }
    trap([&] { window_.setLogText(""); });
    std::string staging = makeFolder(ws.temppfad, "TEMP_REORG_EINGANG");
    trap([&] { session_.errors.nameWorkingCopies(staging, source); });
    trap([&] { session_.files.copies.kopiere_datenbanken(source, staging, checks_ ? &copied_ : nullptr); });
    trap([&] {
        std::uint8_t set = DatabaseSets::MainSet;
        session_.databases.sets.open_database(set, staging);
    });
    trap([&] { appendLog("Die Datei wird reorganisiert"); });
    readMainFieldLists();
    if (checks_)
        inspectWorkingCopies(staging);

    trap([&] { window_.setProgressVisible(true); });
    trap([&] { window_.setProgressMin(0); });
    trap([&] { session_.files.templates.extrahiere_aus_resource(); });
    freshTempTables();
    trap([&] {
        std::uint8_t set = DatabaseSets::TempSet;
        session_.databases.sets.open_database(set, ws.temppfad);
    });
    readTempFieldLists();

    std::int32_t n = 0;
    trap([&] {
        std::uint8_t set = DatabaseSets::MainSet;
        std::string table = "DB1";
        n = session_.databases.sets.anzahl_datensaetze(set, table);
    });
    if (n < 2) {
        tell({texts::nothingToDo(), "Information", MessageIcon::Information});
        endProgram(EndReason::NothingToDo);
    }
    if (report_)
        trap([&] { report_->begin(session_.clock.now(), source, staging, session_.databases.sets); });
    transferAll(n);
    if (report_)
        report_->sammle_restzeilen(session_.databases.sets, session_.errors);

    trap([&] {
        std::uint8_t set = DatabaseSets::TempSet;
        session_.databases.sets.Close_db(set);
    });
    trap([&] { window_.setProgressVisible(false); });
    trap([&] {
        std::uint8_t set = DatabaseSets::MainSet;
        session_.databases.sets.Close_db(set);
    });

    std::vector<std::string> warnings;
    if (checks_)
        warnings = collectWarnings();
    std::string output = makeFolder(source, "REORG_AUSGANG");
    trap([&] { session_.files.paths.pathcomplete(output); });
    writeOutput(output);
    writeReport(output, warnings);
    trap([&] { window_.setBusy(false); });
    trap([&] {
        window_.showCompletion({texts::completion(output), "...und fertig!", MessageIcon::Exclamation}, warnings);
    });

    Confirmation choice = Confirmation::Doubt;
    trap([&] {
        choice = window_.showFinalConfirmation({texts::doubtEnd(), "Kontrolliertes Ende", MessageIcon::Information});
    });
    if (choice == Confirmation::Doubt)
        endProgram(EndReason::Doubt);
    trap([&] { window_.setBusy(true); });
    copyBack(output, source);
    endProgram(EndReason::CopiedBack);
}

// Nothing is copied before the data folder is this run's alone and free of
// what an interrupted copy-back left.
void ReorganisationRun::secureDataFolder(std::string& source)
{
    const DataFolderGuard::Check check = DataFolderGuard(session_).sichere_datenordner(source);
    if (check.notice)
        tell(*check.notice);
    if (check.state == DataFolderGuard::State::RecoveryFailed)
        endProgram(EndReason::RecoveryFailed);
    if (check.state != DataFolderGuard::State::Ready)
        endProgram(EndReason::Locked);
    if (check.notice) {
        Trap trap(session_.errors, RunLocation);
        trap([&] { window_.setBusy(true); });
    }
}

// The templates and temp tables of two runs would overwrite each other.
void ReorganisationRun::secureTempFolder()
{
    Trap trap(session_.errors, RunLocation);
    const std::string& temp = session_.workspace.temppfad;
    if (session_.tempFolderLock)
        return;
    std::unique_ptr<FolderLock> lock;
    if (!trap([&] { raiseIfFailed(session_.env.tryLockFolder(temp, &lock)); })) {
        tell({texts::tempFolderNotLocked(temp), "Information", MessageIcon::Information});
        endProgram(EndReason::Locked);
    }
    if (!lock) {
        tell({texts::tempFolderInUse(temp), "Information", MessageIcon::Information});
        endProgram(EndReason::Locked);
    }
    session_.tempFolderLock = std::move(lock);
}

void ReorganisationRun::refuseUnfitStart(const std::string& source)
{
    Trap trap(session_.errors, RunLocation);
    std::optional<StartChecks::Refusal> refusal;
    trap([&] {
        std::string temp = session_.workspace.temppfad;
        refusal =
            StartChecks(session_.env, session_.errors).pruefe_start(source, session_.files.paths.pathcomplete(temp));
    });
    if (refusal)
        refuse(refusal->number, refusal->text, EndReason::Refused);
}

// One error, told once and logged once; then the program ends.
void ReorganisationRun::refuse(int number, const std::string& text, EndReason reason)
{
    Trap trap(session_.errors, RunLocation);
    trap([&] { window_.setBusy(false); });
    session_.errors.ErrorFunction(RunError{number, text, ProgramTitle, 0}, RunLocation);
    endProgram(reason);
}

// The working copies as copied, before anything reads their rows.
void ReorganisationRun::inspectWorkingCopies(std::string staging)
{
    Trap trap(session_.errors, RunLocation);
    trap([&] { session_.files.paths.pathcomplete(staging); });
    for (std::size_t t = 1; t <= TableNames.size(); ++t) {
        if (!copied_[t - 1])
            continue;
        trap([&] {
            const std::string path = session_.env.existingName(staging + TableNames[t - 1].base + ".kvt");
            std::string start;
            raiseIfFailed(session_.env.readFileStart(path, LayoutBytes, &start));
            TableLayout layout;
            if (readTableLayout(start, &layout) == LayoutDefect::None)
                warnings_.inspect(t, layout, copied_[t - 1]->size);
        });
    }
}

// After the transfer: what its counts show added to what the working copies
// showed, and all of it in the log box.
std::vector<std::string> ReorganisationRun::collectWarnings()
{
    Trap trap(session_.errors, RunLocation);
    if (report_) {
        trap([&] {
            for (std::size_t t = 1; t <= TableNames.size(); ++t) {
                if (t < 4 || !session_.databases.sets.db4_missing)
                    warnings_.fields(t, session_.fields, report_->fieldCounts(t));
            }
            warnings_.transfer(report_->summary(session_.fields));
        });
    }
    std::vector<std::string> warnings = warnings_.ordered();
    for (const std::string& warning : warnings)
        trap([&] { appendLog(texts::WarningPrefix + warning); });
    return warnings;
}

// Without a free folder name there is nowhere to copy to: the run stops
// before it copies anything.
std::string ReorganisationRun::makeFolder(std::string& base, const char* prefix)
{
    Trap trap(session_.errors, RunLocation);
    std::string folder;
    trap([&] { folder = session_.files.staging.mach_temporaeres_verzeichnis(base, prefix); });
    if (folder.empty()) {
        tell({texts::noFreeFolder(base, prefix), "Information", MessageIcon::Information});
        endProgram(EndReason::Refused);
    }
    return folder;
}

// The user reads a message while the run waits, so without the wait pointer.
void ReorganisationRun::tell(const Message& message)
{
    Trap trap(session_.errors, RunLocation);
    trap([&] { window_.setBusy(false); });
    trap([&] { window_.messageBox(message.text, message.title, message.icon); });
}

void ReorganisationRun::appendLog(const std::string& line)
{
    window_.setLogText(window_.logText() + line + "\r\n");
}

void ReorganisationRun::readMainFieldLists()
{
    Trap trap(session_.errors, RunLocation);
    FieldLists& lists = session_.fields;
    const std::size_t tables = session_.databases.sets.db4_missing ? 3 : 4;
    for (std::size_t t = 1; t <= tables; ++t) {
        dbases& table = session_.databases.sets.db_main[t - 1];
        trap([&] { lists.feldanzahl_main[t] = table.NoFields(); });
        for (int f = 1; f <= lists.feldanzahl_main[t] && f <= 255; ++f) {
            FieldInfo& info = lists.feldinfo_main[t][static_cast<std::size_t>(f)];
            trap([&] { table.hole_feldinfo(static_cast<std::uint8_t>(f), info.name, info.typ, info.laenge); });
        }
    }
}

void ReorganisationRun::readTempFieldLists()
{
    Trap trap(session_.errors, RunLocation);
    for (std::size_t t = 1; t <= 4; ++t) {
        dbases& table = session_.databases.sets.db_temp[t - 1];
        std::int16_t count = 0;
        trap([&] { count = table.NoFields(); });
        for (int f = 1; f <= count && f <= 255; ++f) {
            FieldInfo& info = session_.fields.feldinfo_temp[t][static_cast<std::size_t>(f)];
            trap([&] { table.hole_feldinfo(static_cast<std::uint8_t>(f), info.name, info.typ, info.laenge); });
        }
    }
}

// Each run starts from fresh copies of the pristine templates.
void ReorganisationRun::freshTempTables()
{
    Trap trap(session_.errors, RunLocation);
    Workspace& ws = session_.workspace;
    for (const TableName& name : TableNames) {
        const std::string base = name.base;
        std::string table;
        trap([&] { table = session_.files.paths.pathcomplete(ws.temppfad) + base + "temp.kvt"; });
        if (session_.files.paths.dateivorhanden(table))
            trap([&] { raiseIfFailed(session_.env.deleteFile(table)); });
        trap([&] {
            raiseIfFailed(session_.env.copyFile(session_.files.paths.pathcomplete(ws.temppfad) + base + "template.kvt",
                                                session_.files.paths.pathcomplete(ws.temppfad) + base + "temp.kvt"));
        });
    }
}

void ReorganisationRun::transferAll(std::int32_t n)
{
    Trap trap(session_.errors, RunLocation);
    trap([&] { window_.setProgressMax(static_cast<float>(n)); });
    std::int16_t running = 0;
    for (std::int32_t r = 1; r <= n; ++r) {
        trap([&] { window_.setProgressValue(static_cast<float>(r)); });
        trap([&] { window_.setCounterCaption(counterCaption(r)); });
        trap([&] { window_.repaint(); });
        TransferResult result = TransferResult::Skipped;
        trap([&] { result = transfer_.transfer(r, running); });
        if (result == TransferResult::LimitReached) {
            tell({texts::tooManyPatients(), "Information", MessageIcon::Information});
            endProgram(EndReason::Refused);
        }
    }
}

// All four result tables are written, a kvxdat3 even when the source had none.
void ReorganisationRun::writeOutput(const std::string& output)
{
    Trap trap(session_.errors, RunLocation);
    Workspace& ws = session_.workspace;
    for (const TableName& name : TableNames) {
        const std::string file = output + name.base + ".kvt";
        if (session_.files.paths.dateivorhanden(file))
            trap([&] { raiseIfFailed(session_.env.deleteFile(file)); });
        trap([&] { raiseIfFailed(session_.env.copyFile(ws.temppfad + name.base + "temp.kvt", file)); });
    }
}

// The report's files follow the result tables; a failure to write them
// changes neither the tables nor the rest of the run.
void ReorganisationRun::writeReport(const std::string& output, const std::vector<std::string>& warnings)
{
    if (!report_)
        return;
    Trap trap(session_.errors, RunLocation);
    report_->warnings(warnings);
    const bool written = report_->schreibe_protokoll(session_.env, session_.errors, output, session_.fields);
    trap([&] { window_.setLogText(window_.logText() + texts::logLines(report_->summary(session_.fields), written)); });
}

// All four tables or none: after a failure the user learns that the data
// folder is as it was, or where every table is when even putting them back
// failed, and the program ends without claiming a copy-back.
void ReorganisationRun::copyBack(std::string& output, std::string& source)
{
    Trap trap(session_.errors, RunLocation);
    CopyBack::Result result;
    CopyBack replacement(session_.env, session_.errors, session_.files.paths, session_.files.staging, session_.clock);
    trap([&] { result = replacement.ersetze_datenbanken(output, source, checks_ ? &copied_ : nullptr); });
    std::string text;
    switch (result.outcome) {
    case CopyBack::Outcome::Replaced:
        trap([&] { appendLog(texts::originalsKeptIn(result.backupFolder)); });
        return;
    case CopyBack::Outcome::KeptOriginals:
        text = texts::copyBackKeptOriginals(output);
        break;
    case CopyBack::Outcome::NoRoom:
        text = texts::copyBackNoRoom(output, result.needed, result.available);
        break;
    case CopyBack::Outcome::NoBackupName:
        text = texts::noFreeBackupName(source);
        break;
    case CopyBack::Outcome::ChangedMeanwhile:
        refuse(errnum::ChangedMeanwhile, texts::changedMeanwhile(result.changedTable, output),
               EndReason::CopyBackFailed);
    case CopyBack::Outcome::Interrupted:
        text = texts::copyBackInterrupted(output, result.whereTablesAre);
        break;
    }
    tell({text, "Kontrolliertes Ende", MessageIcon::Exclamation});
    endProgram(EndReason::CopyBackFailed);
}

} // namespace torvane
