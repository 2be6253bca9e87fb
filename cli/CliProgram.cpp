#include "cli/CliProgram.h"

#include "cli/TerminalErrorDialogFactory.h"
#include "cli/TerminalText.h"
#include "cli/TerminalWindow.h"
#include "errors/ProgramEnd.h"
#include "errors/RunError.h"
#include "errors/Trap.h"
#include "platform/Cp1252.h"
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

} // namespace

int runCli(const CliOptions& options, Env& env, const Clock& clock, Terminal& terminal,
           ReorganisationRun::Report report)
{
    if (options.help) {
        terminal.out << helpText(env.separator());
        return exitcode::Help;
    }
    std::string table;
    if (!cp1252::fromUtf8(options.patientTable, &table))
        return refuseName(terminal, options.patientTable);
    TerminalErrorDialogFactory dialogs(terminal, terminal.inputIsTerminal);
    Session session(env, clock, dialogs);
    try {
        session.load();
        if (!session.files.paths.dateivorhanden(table)) {
            terminal.err << "Die Patiententabelle wurde nicht gefunden: " << options.patientTable << "\n"
                         << usageLine();
            return exitcode::Usage;
        }
        TerminalWindow window(terminal, options.confirm, dialogs,
                              session.files.paths.pathcomplete(session.workspace.temppfad) + "Errorlog.txt");
        chooseFile(session, table);
        ReorganisationRun(session, window, report).cmdsynchronisieren_Click(0);
    } catch (const ProgramEnd& end) {
        return exitStatus(end.reason);
    }
}

int runCommandLine(const std::vector<std::string>& arguments, Env& env, const Clock& clock, Terminal& terminal,
                   ReorganisationRun::Report report)
{
    std::optional<CliOptions> options = parseOptions(arguments);
    if (!options) {
        terminal.err << usageLine();
        return exitcode::Usage;
    }
    std::string table;
    if (!options->help && cp1252::fromUtf8(options->patientTable, &table)) {
        // A current folder the code page cannot name leaves no full name to work with.
        std::string full;
        const Status made = env.absolutePath(table, &full);
        if (made.number() == errnum::BadFileName) {
            // The error text names the full path as far as the code page can.
            terminal.err << terminalText(RunError::fromStatus(made).text) << "\n";
            return exitcode::Usage;
        }
        if (made.isOk())
            options->patientTable = cp1252::toUtf8(full);
    }
    return runCli(*options, env, clock, terminal, report);
}

} // namespace torvane::cli
