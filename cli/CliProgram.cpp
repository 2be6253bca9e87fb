#include "cli/CliProgram.h"

#include "cli/TerminalErrorDialogFactory.h"
#include "cli/TerminalText.h"
#include "cli/TerminalWindow.h"
#include "errors/ProgramEnd.h"
#include "errors/RunError.h"
#include "errors/Trap.h"
#include "platform/Cp1252.h"
#include "reorg/BackupRestore.h"
#include "reorg/DataFolderGuard.h"
#include "reorg/ReorganisationRun.h"
#include "reorg/Session.h"
#include "tables/TrimBlanks.h"

namespace torvane::cli {
namespace {

// The chooser's part of "Reorg-Datei wählen": the data folder is the
// chosen file's folder.
void chooseFile(Session& session, const std::string& file)
{
    Trap trap(session.errors, "Error in FRMHaupt: Sub cmdLoad_Click");
    std::string folder;
    trap([&] { folder = session.files.paths.nurpfad(file); });
    trap([&] { session.workspace.quellpfad[0] = folder; });
    if (trimBlanks(session.workspace.quellpfad[0]).empty())
        endProgram(EndReason::NoFolder);
}

int refuseName(Terminal& terminal, const std::string& name)
{
    terminal.err << "Der Dateiname enthält Zeichen, die hier nicht darstellbar sind: " << name << "\n";
    return exitcode::Usage;
}

void show(std::ostream& stream, const Message& message)
{
    stream << "\n" << terminalText(message.title) << "\n" << terminalText(message.text);
    if (message.text.empty() || message.text.back() != '\r')
        stream << "\n";
    stream << std::flush;
}

// The data folder locked for this program and an interrupted copy-back
// finished, told on standard error. Refusals end the program.
void secureDataFolder(Session& session, Terminal& terminal, std::string& dataFolder)
{
    const DataFolderGuard::Check check = DataFolderGuard(session).sichere_datenordner(dataFolder);
    if (check.notice)
        show(terminal.err, *check.notice);
    if (check.state == DataFolderGuard::State::RecoveryFailed)
        endProgram(EndReason::RecoveryFailed);
    if (check.state != DataFolderGuard::State::Ready)
        endProgram(EndReason::Locked);
}

// The folder holding a backup folder; the backup folder is completed in place.
std::string parentOf(Session& session, std::string& backup)
{
    while (backup.size() > 1 && backup.back() == session.env.separator())
        backup.pop_back();
    const std::string parent = session.files.paths.nurpfad(backup);
    session.files.paths.pathcomplete(backup);
    return parent;
}

int notFound(Terminal& terminal, const CliOptions& options)
{
    if (options.restoreFolder.empty())
        terminal.err << "Die Patiententabelle wurde nicht gefunden: " << options.patientTable << "\n";
    else
        terminal.err << "Der Sicherungsordner wurde nicht gefunden: " << options.restoreFolder << "\n";
    terminal.err << usageLine();
    return exitcode::Usage;
}

[[noreturn]] void restore(Session& session, Terminal& terminal, const std::string& backup)
{
    std::string& data = session.workspace.quellpfad[0];
    const RestoreOutcome outcome = sicherung_zurueckholen(session, data, backup);
    show(outcome.end == EndReason::Restored ? terminal.out : terminal.err, outcome.message);
    endProgram(outcome.end);
}

} // namespace

int runCli(const CliOptions& options, Env& env, const Clock& clock, Terminal& terminal,
           ReorganisationRun::Report report, ReorganisationRun::Checks checks)
{
    if (options.help) {
        terminal.out << helpText(env.separator());
        return exitcode::Help;
    }
    std::string table;
    std::string backup;
    if (!cp1252::fromUtf8(options.patientTable, &table))
        return refuseName(terminal, options.patientTable);
    if (!cp1252::fromUtf8(options.restoreFolder, &backup))
        return refuseName(terminal, options.restoreFolder);
    TerminalErrorDialogFactory dialogs(terminal, terminal.inputIsTerminal);
    Session session(env, clock, dialogs);
    try {
        session.load();
        // What an interrupted copy-back left is finished before the table
        // is looked for: the table may be the one that was on its way.
        std::string& data = session.workspace.quellpfad[0];
        data = backup.empty() ? session.files.paths.nurpfad(table) : parentOf(session, backup);
        if (!session.files.paths.direxists(data))
            return notFound(terminal, options);
        secureDataFolder(session, terminal, data);
        if (options.restore)
            restore(session, terminal, backup);
        if (!session.files.paths.dateivorhanden(table))
            return notFound(terminal, options);
        TerminalWindow window(terminal, options.confirm, dialogs,
                              session.files.paths.pathcomplete(session.workspace.temppfad) + "Errorlog.txt");
        chooseFile(session, table);
        ReorganisationRun(session, window, report, checks).cmdsynchronisieren_Click(0);
    } catch (const ProgramEnd& end) {
        return exitStatus(end.reason);
    }
}

int runCommandLine(const std::vector<std::string>& arguments, Env& env, const Clock& clock, Terminal& terminal,
                   ReorganisationRun::Report report, ReorganisationRun::Checks checks)
{
    std::optional<CliOptions> options = parseOptions(arguments);
    if (!options) {
        terminal.err << usageLine();
        return exitcode::Usage;
    }
    for (std::string* given : {&options->patientTable, &options->restoreFolder}) {
        std::string name;
        if (options->help || given->empty() || !cp1252::fromUtf8(*given, &name))
            continue;
        // A current folder the code page cannot name leaves no full name to work with.
        std::string full;
        const Status made = env.absolutePath(name, &full);
        if (made.number() == errnum::BadFileName) {
            // The error text names the full path as far as the code page can.
            terminal.err << terminalText(RunError::fromStatus(made).text) << "\n";
            return exitcode::Usage;
        }
        if (made.isOk())
            *given = cp1252::toUtf8(full);
    }
    return runCli(*options, env, clock, terminal, report, checks);
}

} // namespace torvane::cli
