#include "reorg/RunTexts.h"

#include "platform/Cp1252.h"

namespace torvane::texts {

std::string nothingToDo()
{
    return cp1252::ansi("Keine Sätze zum Umsetzen vorhanden!");
}

std::string completion(const std::string& outputFolder)
{
    return cp1252::ansi("Die Umsetzung ist vollständig erfolgt. Sie finden die") + "\r" +
           "neuen Dateien unter:" + "\r" + outputFolder + "\r";
}

std::string noFreeFolder(const std::string& base, const std::string& prefix)
{
    return cp1252::ansi("Für heute sind bereits alle 101 Ordner ") + prefix + "_..._0 bis _100 in" + "\r" + base +
           "\r" + cp1252::ansi("vergeben. Die Reorganisation wird abgebrochen, ohne Ihre Originaldaten zu verändern.") +
           "\r" + cp1252::ansi("Bitte räumen Sie ältere Ordner auf oder starten Sie morgen erneut.");
}

std::string tooManyPatients()
{
    return cp1252::ansi("Die Datenbank enthält mehr als 32767 Patienten, die umgesetzt werden müssten.") + "\r" +
           cp1252::ansi("Mehr als 32767 Patienten kann die Reorganisation nicht neu nummerieren.") + "\r" +
           cp1252::ansi("Die Reorganisation wird abgebrochen, ohne Ihre Originaldaten zu verändern.");
}

std::string doubtEnd()
{
    return cp1252::ansi("Das Programm bricht jetzt ab, ohne Änderungen an") + "\r" + "den Originaldaten vorzunehmen." +
           "\r" + cp1252::ansi("Damit ist Artiqon 2.71 zur Zeit nicht lauffähig.") + "\r" +
           cp1252::ansi("Klären Sie bitte die Umgebungsbedingungen und starten Sie ") + "\r" +
           "dann Torvane nch einmal.";
}

std::string confirmationWarning()
{
    return cp1252::ansi("Die Umsetzung ist vollständig und abgeschlossen!") + "\r\n" + "\r\n" +
           cp1252::ansi("Wenn Sie dies jetzt bestätigen, werden Ihre Originaldaten ") + "\r\n" +
           cp1252::ansi("unwiderruflich überschrieben und sind dann verloren!");
}

std::string confirmationBackup()
{
    return cp1252::ansi("Ich habe eine Sicherheitskopie angefertigt und kann nun die Arbeiten abschließen lassen.");
}

std::string confirmationDoubt()
{
    return cp1252::ansi("Ich bin mir nicht sicher, bitte keine Änderungen an meinen Originaldaten durchführen!");
}

} // namespace torvane::texts
