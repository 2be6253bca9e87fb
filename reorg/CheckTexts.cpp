#include "reorg/CheckTexts.h"

#include "platform/Cp1252.h"
#include "reorg/CopyBackTexts.h"

namespace torvane::texts {
namespace {

std::string untouched()
{
    return cp1252::ansi("Die Reorganisation wird nicht gestartet; Ihre Originaldaten bleiben unverändert.");
}

std::string room(std::uint64_t needed, std::uint64_t available)
{
    return cp1252::ansi("benötigt werden etwa ") + megabytes(needed, true) + ", frei sind " +
           megabytes(available, false) + ".";
}

std::string askForRoom()
{
    return cp1252::ansi("Bitte schaffen Sie Platz und starten Sie die Reorganisation dann erneut.");
}

} // namespace

std::string tableMissing(const std::string& file, const std::string& dataFolder)
{
    return "Die Tabelle " + file + " fehlt im Datenordner\r" + dataFolder + "\r" +
           cp1252::ansi("Ohne person.kvt, kvxdat1.kvt und kvxdat2.kvt kann die Reorganisation nicht arbeiten.") + "\r" +
           untouched();
}

std::string tableUnreadable(const std::string& file, const std::string& dataFolder, const std::string& reason)
{
    return "Die Tabelle " + file + " im Datenordner\r" + dataFolder + "\r" +
           cp1252::ansi("lässt sich nicht als Tabelle lesen: ") + reason + ".\r" + untouched();
}

std::string noRoomInTemp(const std::string& tempFolder, std::uint64_t needed, std::uint64_t available)
{
    return cp1252::ansi("Im temporären Ordner") + "\r" + tempFolder + "\r" +
           cp1252::ansi("ist nicht genug Platz für die Arbeitskopien und neuen Tabellen:") + "\r" +
           room(needed, available) + "\r" + askForRoom() + "\r" + untouched();
}

std::string noRoomInData(const std::string& dataFolder, std::uint64_t needed, std::uint64_t available)
{
    return "Im Datenordner\r" + dataFolder + "\r" +
           cp1252::ansi("ist nicht genug Platz für den Ausgabeordner und die Übernahme der neuen Tabellen:") + "\r" +
           room(needed, available) + "\r" + askForRoom() + "\r" + untouched();
}

std::string noRoomOnSharedVolume(const std::string& tempFolder, const std::string& dataFolder, std::uint64_t needed,
                                 std::uint64_t available)
{
    return cp1252::ansi("Der temporäre Ordner") + "\r" + tempFolder + "\r" + "und der Datenordner\r" + dataFolder +
           "\r" +
           cp1252::ansi("liegen auf demselben Laufwerk, und dort ist nicht genug Platz für die Reorganisation:") +
           "\r" + room(needed, available) + "\r" + askForRoom() + "\r" + untouched();
}

std::string tempFolderInUse(const std::string& tempFolder)
{
    return cp1252::ansi("Im temporären Ordner") + "\r" + tempFolder + "\r" +
           cp1252::ansi("arbeitet gerade eine andere Reorganisation (auch eine für einen anderen Datenordner).") +
           "\r" + cp1252::ansi("Es wird nichts verändert. Bitte warten Sie, bis sie beendet ist.");
}

std::string tempFolderNotLocked(const std::string& tempFolder)
{
    return cp1252::ansi("Der temporäre Ordner") + "\r" + tempFolder + "\r" +
           cp1252::ansi("ließ sich nicht für diesen Lauf sperren (siehe Fehlermeldung). Es wird nichts verändert.");
}

std::string changedMeanwhile(const std::string& file, const std::string& outputFolder)
{
    return "Die Tabelle " + file + cp1252::ansi(" im Datenordner wurde während der Reorganisation verändert,") + "\r" +
           cp1252::ansi("vermutlich vom Praxisprogramm. Es wurde nichts ersetzt; Ihre Originaldaten sind") + "\r" +
           cp1252::ansi("so, wie das andere Programm sie hinterlassen hat. Das Ergebnis liegt weiterhin unter:") +
           "\r" + outputFolder + "\r" +
           cp1252::ansi("Bitte schließen Sie das Praxisprogramm und wiederholen Sie die Reorganisation.");
}

std::string otherVersion(const std::string& file, unsigned version)
{
    constexpr char Hex[] = "0123456789ABCDEF";
    const std::string byte = {'0', 'x', Hex[(version >> 4) & 15], Hex[version & 15]};
    return file + cp1252::ansi(": Die Datei hat die Kennung ") + byte +
           cp1252::ansi(" statt 0x03 und stammt wohl nicht aus dem Praxisprogramm; sie wird trotzdem wie "
                        "eine Praxistabelle gelesen.");
}

std::string headerLengthDiffers(const std::string& file, unsigned claimed, std::uint64_t read)
{
    return file + cp1252::ansi(": Laut Dateikopf beginnen die Sätze bei Byte ") + std::to_string(claimed) +
           cp1252::ansi(", gelesen werden sie ab Byte ") + std::to_string(read) +
           cp1252::ansi("; die Werte können verschoben oder leer ankommen.");
}

std::string recordLengthDiffers(const std::string& file, int claimed, std::int64_t widths)
{
    return file + cp1252::ansi(": Die Satzlänge im Dateikopf (") + std::to_string(claimed) +
           cp1252::ansi(") passt nicht zu den Feldern (") + std::to_string(widths) +
           cp1252::ansi("); die Werte können verschoben oder leer ankommen.");
}

std::string rowsMissing(const std::string& file, std::int64_t missing, std::int64_t claimed)
{
    return file + cp1252::ansi(": Die Datei ist kürzer, als ihre Satzzahl verlangt: ") + std::to_string(missing) +
           " von " + std::to_string(claimed) + cp1252::ansi(" Sätzen fehlen und werden als leere Sätze gelesen.");
}

std::string memoField(const std::string& file, const std::string& field)
{
    return file + ": Das Feld " + field +
           cp1252::ansi(" ist ein Memofeld; sein Inhalt steht in einer anderen Datei und wird nicht übernommen.");
}

std::string nonTextField(const std::string& file, const std::string& field, const std::string& type)
{
    return file + ": Das Feld " + field + " hat den Typ " + type +
           cp1252::ansi(", der keinen Klartext enthält; übernommen wird nur, was davon als Text lesbar ist.");
}

std::string noKeyInPatients(const std::string& file)
{
    return file + cp1252::ansi(": Die Tabelle hat kein Feld DATNUMMER; kein Patient hat eine Nummer, es wird "
                               "kein Patient übernommen.");
}

std::string noKeyInExaminations(const std::string& file)
{
    return file + cp1252::ansi(": Die Tabelle hat kein Feld DATNUMMER; keine ihrer Zeilen lässt sich einem "
                               "Patienten zuordnen, jeder Patient erhält eine leere Zeile.");
}

std::string fieldDropped(const std::string& file, const std::string& field, std::uint32_t values)
{
    return file + ": Das Feld " + field + cp1252::ansi(" gibt es in der neuen Tabelle nicht; ") +
           std::to_string(values) + (values == 1 ? " Wert geht" : cp1252::ansi(" Werte gehen")) + " verloren.";
}

std::string valuesCut(const std::string& file, const std::string& field, std::uint32_t values)
{
    return file + ": " + std::to_string(values) + (values == 1 ? " Wert" : " Werte") + " im Feld " + field +
           cp1252::ansi(values == 1 ? " wird gekürzt" : " werden gekürzt") +
           cp1252::ansi(", weil das Feld der neuen Tabelle schmaler ist.");
}

std::string noRowReached(const std::string& file, std::int32_t rows)
{
    return file + cp1252::ansi(": Keine der ") + std::to_string(rows) +
           cp1252::ansi(" Zeilen gelangt ins Ergebnis; jeder Patient erhält eine leere Zeile.");
}

std::string sameNumbers(const std::string& file, const std::vector<std::int32_t>& numbers)
{
    constexpr std::size_t Named = 10;
    std::string list;
    for (std::size_t i = 0; i < numbers.size() && i < Named; ++i)
        list += (i > 0 ? ", " : "") + std::to_string(numbers[i]);
    if (numbers.size() > Named)
        list += ", ...";
    return file + ": " + std::to_string(numbers.size()) +
           (numbers.size() == 1 ? " Patientennummer kommt" : " Patientennummern kommen") +
           cp1252::ansi(" mehrfach vor (") + list +
           cp1252::ansi("); der spätere Patient erhält die Daten des ersten (siehe Protokoll.txt).");
}

std::string warningBox(const std::vector<std::string>& warnings, std::size_t maxLines)
{
    std::string text = warnings.size() == 1 ? cp1252::ansi("Vor der Übernahme sollten Sie dies wissen:")
                                            : cp1252::ansi("Vor der Übernahme sollten Sie diese ") +
                                                  std::to_string(warnings.size()) + " Punkte wissen:";
    const std::size_t shown = warnings.size() <= maxLines ? warnings.size() : maxLines - 1;
    for (std::size_t i = 0; i < shown; ++i)
        text += "\r- " + warnings[i];
    if (shown < warnings.size())
        text += "\r... und " + std::to_string(warnings.size() - shown) +
                cp1252::ansi(" weitere Warnungen, alle im Protokoll (Protokoll.txt im Ausgabeordner).");
    return text;
}

} // namespace torvane::texts
