#include "cli/CliProgram.h"

#include "cli/TerminalErrorDialogs.h"
#include "cli/TerminalWindow.h"
#include "errors/ProgramEnd.h"
#include "errors/Trap.h"
#include "platform/Cp1252.h"
#include "platform/TrimBlanks.h"
#include "reorg/Session.h"

namespace torvane::cli {
namespace {

// The chooser's part of "Reorg-Datei wählen": the data folder is the
// chosen file's folder.
void chooseFile(Session& session, const std::string& file)
{
    Trap trap(session.errors, "Error in FRMHaupt: Sub cmdLoad_Click");
    std::string folder;
    trap([&] { folder = session.paths.nurpfad(file); });
    trap([&] { session.workspace.quellpfad[0] = folder; });
    if (trimBlanks(session.workspace.quellpfad[0]).empty())
        endProgram(EndReason::NoFolder);
}

} // namespace

int runCli(const CliOptions& options, Env& env, const Clock& clock, Terminal& terminal,
           ReorganisationRun::Report report)
{
    if (options.help) {
        terminal.out << helpText();
        return exitcode::CopiedBack;
    }
    std::string table;
    if (!cp1252::fromUtf8(options.patientTable, &table)) {
        terminal.err << "Der Dateiname enthält Zeichen, die hier nicht darstellbar sind: " << options.patientTable
                     << "\n";
        return exitcode::Usage;
    }
    TerminalErrorDialogs dialogs(terminal, terminal.inputIsTerminal);
    Session session(env, clock, dialogs);
    try {
        session.load();
        if (!session.paths.dateivorhanden(table)) {
            terminal.err << "Die Patiententabelle wurde nicht gefunden: " << options.patientTable << "\n"
                         << usageLine();
            return exitcode::Usage;
        }
        TerminalWindow window(terminal, options.confirm, dialogs,
                              session.paths.pathcomplete(session.workspace.temppfad) + "Errorlog.txt");
        chooseFile(session, table);
        ReorganisationRun(session, window, report).cmdsynchronisieren_Click(0);
    } catch (const ProgramEnd& end) {
        return exitStatus(end.reason);
    }
}

} // namespace torvane::cli
