#include "cli/CliOptions.h"

#include <string_view>

namespace torvane::cli {

std::optional<CliOptions> parseOptions(const std::vector<std::string>& arguments)
{
    CliOptions options;
    bool confirmGiven = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string_view arg = arguments[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg.rfind("--confirm=", 0) == 0 && !confirmGiven) {
            const std::string_view value = arg.substr(10);
            if (value == "backup")
                options.confirm = ConfirmOption::Backup;
            else if (value == "doubt")
                options.confirm = ConfirmOption::Doubt;
            else
                return std::nullopt;
            confirmGiven = true;
        } else if (arg == "--restore" && !options.restore) {
            options.restore = true;
        } else if (arg.rfind("--restore=", 0) == 0 && arg.size() > 10 && !options.restore) {
            options.restore = true;
            options.restoreFolder = arg.substr(10);
        } else if (!arg.empty() && arg[0] != '-' && options.patientTable.empty()) {
            options.patientTable = arg;
        } else {
            return std::nullopt;
        }
    }
    // A restore asks nothing; it takes either the patient table or the backup folder.
    const bool restoreTakesOne = options.restoreFolder.empty() != options.patientTable.empty();
    if (options.restore && (confirmGiven || !restoreTakesOne))
        return std::nullopt;
    if (!options.help && !options.restore && options.patientTable.empty())
        return std::nullopt;
    return options;
}

const char* usageLine()
{
    return "Aufruf: torvane-cli [--confirm=backup|doubt] PATIENTENTABELLE\n"
           "       torvane-cli --restore PATIENTENTABELLE | --restore=SICHERUNGSORDNER\n";
}

std::string helpText(char separator)
{
    const std::string example = separator == '\\' ? "C:\\Praxis\\Daten\\person.kvt" : "/praxis/daten/person.kvt";
    return std::string(usageLine()) +
           "\n"
           "Reorganisiert die Patientendatenbank in dem Ordner, in dem PATIENTENTABELLE\n"
           "liegt: Die Patienten werden neu durchnummeriert, Platzhalter (\"Neuer_Patient\")\n"
           "und Patienten ohne Namen entfallen, jeder Patient erhält genau eine Zeile in\n"
           "jeder Untersuchungstabelle, und alle Texte werden bereinigt.\n"
           "\n"
           "Beispiel (ein Pfad mit Leerzeichen steht in Anführungszeichen):\n"
           "  torvane-cli --confirm=backup \"" +
           example +
           "\"\n"
           "\n"
           "Die Originaldateien werden erst überschrieben, nachdem bestätigt wurde, dass\n"
           "eine Sicherheitskopie existiert. Das Ergebnis liegt außerdem im Ordner\n"
           "REORG_AUSGANG_<Monat>_<Tag>_<n> im Datenordner, mit einem Bericht darüber, was\n"
           "aus jedem Patienten geworden ist: Patienten.csv (alte und neue Nummer jedes\n"
           "Patientensatzes), Untersuchungen.csv (nicht übernommene und leer angelegte\n"
           "Untersuchungszeilen) und Protokoll.txt (Zusammenfassung und Warnungen). Die\n"
           "Zusammenfassung erscheint vor der Rückfrage auch hier. Die ersetzten\n"
           "Originaldateien werden in den Ordner REORG_SICHERUNG_<Monat>_<Tag>_<n> im\n"
           "Datenordner verschoben.\n"
           "\n"
           "  --confirm=backup  bestätigt, dass eine Sicherheitskopie angefertigt wurde:\n"
           "                    die Originaldateien werden ersetzt.\n"
           "  --confirm=doubt   bricht vor dem Ersetzen ab: die Originaldateien bleiben\n"
           "                    unverändert.\n"
           "  ohne --confirm    fragt nach (1 = Sicherheitskopie vorhanden, 2 = abbrechen);\n"
           "                    jede andere Antwort gilt als Abbruch.\n"
           "  --restore         holt die Dateien der neuesten Sicherung im Ordner von\n"
           "                    PATIENTENTABELLE zurück; die Dateien, die sie ersetzen,\n"
           "                    kommen in einen neuen Sicherungsordner.\n"
           "  --restore=SICHERUNGSORDNER\n"
           "                    ebenso mit dieser Sicherung (einem Ordner REORG_SICHERUNG_...).\n"
           "  --help            zeigt diese Hilfe.\n"
           "\n"
           "Warnungen zu dem, was der Lauf verliert, stehen vor der Abschlussmeldung je in\n"
           "einer Zeile \"Warnung: <Tabelle>: ...\" auf der Standardfehlerausgabe.\n"
           "\n"
           "Wird ohne Rückfrage gearbeitet (--confirm=backup oder keine Eingabe am Terminal)\n"
           "und ist während des Laufs ein Fehler gemeldet worden, werden die Originaldateien\n"
           "nicht ersetzt.\n"
           "\n"
           "Rückgabewerte:\n"
           "  0  Originaldateien durch das Ergebnis ersetzt (bzw. Sicherung zurückgeholt)\n"
           "  1  mit \"Abbruch\" im Fehlerdialog beendet\n"
           "  2  falscher Aufruf\n"
           "  3  abgebrochen, weil keine Sicherheitskopie bestätigt wurde\n"
           "  4  keine Sätze zum Umsetzen vorhanden\n"
           "  5  Lauf abgelehnt, nichts angelegt (person.kvt, kvxdat1.kvt oder kvxdat2.kvt\n"
           "     fehlt, eine Tabelle ist nicht lesbar, zu wenig Platz im temporären Ordner\n"
           "     oder im Datenordner; kein freier Ordnername, mehr als 32767 Patienten)\n"
           "  6  nicht ersetzt, weil ohne Rückfrage nach gemeldeten Fehlern, weil der Platz\n"
           "     im Datenordner nicht reichte, weil das Ersetzen fehlschlug oder weil eine\n"
           "     Tabelle während der Reorganisation verändert wurde (die Originaldateien\n"
           "     bleiben dann, wie sie sind)\n"
           "  7  im Datenordner oder im temporären Ordner arbeitet gerade ein anderer Lauf\n"
           "     (oder er ließ sich nicht sperren); nichts verändert\n"
           "  8  keine Sicherung zum Zurückholen gefunden; nichts verändert\n"
           "  9  eine unterbrochene Übernahme ließ sich nicht abschließen; die Dateien\n"
           "     bleiben, wo sie sind (die Meldung nennt, wo jede Tabelle liegt)\n"
           "\n"
           "Vor jedem Lauf wird eine durch Absturz oder Stromausfall unterbrochene Übernahme\n"
           "im Datenordner abgeschlossen; was dabei gefunden und getan wurde, steht auf der\n"
           "Fehlerausgabe und im Fehlerprotokoll.\n";
}

} // namespace torvane::cli
