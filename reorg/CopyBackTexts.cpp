#include "reorg/CopyBackTexts.h"

#include "platform/Cp1252.h"

namespace torvane::texts {
namespace {

std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string inDataFolder(const std::string& dataFolder)
{
    return "Im Datenordner\r" + dataFolder + "\r";
}

std::string finishedNextTime()
{
    return cp1252::ansi("Bitte starten Sie die Praxissoftware erst wieder, wenn Torvane die Übernahme") + "\r" +
           cp1252::ansi("abgeschlossen hat: Beim nächsten Start von Torvane mit diesem Datenordner") + "\r" +
           "wird sie fortgesetzt.";
}

std::string roomLine(std::uint64_t needed, std::uint64_t available)
{
    return cp1252::ansi("benötigt ") + megabytes(needed, true) + ", frei " + megabytes(available, false) + ".\r";
}

} // namespace

std::string otherRunActive(const std::string& dataFolder)
{
    return inDataFolder(dataFolder) +
           cp1252::ansi("arbeitet gerade eine andere Reorganisation oder das Zurückholen einer Sicherung.") + "\r" +
           cp1252::ansi("Es wird nichts verändert. Bitte warten Sie, bis sie beendet ist.");
}

std::string folderNotLocked(const std::string& dataFolder)
{
    return "Der Datenordner\r" + dataFolder + "\r" +
           cp1252::ansi("ließ sich nicht für diesen Lauf sperren (siehe Fehlermeldung). Es wird nichts verändert.");
}

std::string recoveryFinished(const std::string& dataFolder, const std::string& backupFolder)
{
    return inDataFolder(dataFolder) +
           cp1252::ansi("wurde eine unterbrochene Übernahme neuer Dateien gefunden (REORG_UEBERNAHME.txt).") + "\r" +
           cp1252::ansi("Alle neuen Dateien lagen vollständig bereit; die Übernahme ist jetzt abgeschlossen.") + "\r" +
           "Die bisherigen Dateien liegen im Ordner:\r" + backupFolder + "\r";
}

std::string recoveryDiscarded(const std::string& dataFolder, const std::vector<std::string>& names)
{
    return inDataFolder(dataFolder) + cp1252::ansi("wurden Dateien einer abgebrochenen Übernahme gefunden:") + "\r" +
           joined(names) + "\r" +
           cp1252::ansi("Die Übernahme hatte noch nicht begonnen: Diese Dateien wurden gelöscht,") + "\r" +
           cp1252::ansi("Ihre Originaldaten sind unverändert.");
}

std::string recoveryFailed(const std::string& dataFolder, const std::string& whereTablesAre)
{
    const std::string places = whereTablesAre.empty()
                                   ? cp1252::ansi("(Die Datei REORG_UEBERNAHME.txt ließ sich nicht lesen.)") + "\r"
                                   : whereTablesAre;
    return inDataFolder(dataFolder) +
           cp1252::ansi("wurde eine unterbrochene Übernahme gefunden (REORG_UEBERNAHME.txt), die sich nicht") + "\r" +
           cp1252::ansi("abschließen ließ (siehe Fehlermeldung). Die Dateien bleiben, wo sie sind:") + "\r" + places +
           finishedNextTime();
}

std::string recoveryDiscardFailed(const std::string& dataFolder, const std::vector<std::string>& names)
{
    return inDataFolder(dataFolder) + cp1252::ansi("wurden Dateien einer abgebrochenen Übernahme gefunden:") + "\r" +
           joined(names) + "\r" +
           cp1252::ansi("Sie ließen sich nicht alle löschen (siehe Fehlermeldung). Ihre Originaldaten sind") + "\r" +
           cp1252::ansi("unverändert; beim nächsten Start versucht Torvane es erneut.");
}

std::string recoveryUnreadable(const std::string& dataFolder)
{
    return "Der Datenordner\r" + dataFolder + "\r" +
           cp1252::ansi("ließ sich nicht auf eine unterbrochene Übernahme prüfen (siehe Fehlermeldung).") + "\r" +
           cp1252::ansi("Es wird nichts verändert.");
}

std::string copyBackKeptOriginals(const std::string& outputFolder)
{
    return cp1252::ansi("Die neuen Dateien konnten nicht in den Datenordner übernommen werden.") + "\r" +
           cp1252::ansi("Ihre Originaldaten sind unverändert. Sie finden die neuen Dateien") + "\r" +
           "weiterhin unter:" + "\r" + outputFolder + "\r";
}

std::string copyBackNoRoom(const std::string& outputFolder, std::uint64_t needed, std::uint64_t available)
{
    return cp1252::ansi("Im Datenordner ist nicht genug Platz für die neuen Dateien:") + "\r" +
           roomLine(needed, available) +
           cp1252::ansi("Ihre Originaldaten sind unverändert. Sie finden die neuen Dateien") + "\r" +
           "weiterhin unter:" + "\r" + outputFolder + "\r";
}

std::string copyBackInterrupted(const std::string& outputFolder, const std::string& whereTablesAre)
{
    return cp1252::ansi("Die neuen Dateien konnten nicht vollständig übernommen werden, und auch das") + "\r" +
           cp1252::ansi("Zurückstellen der Originaldateien schlug fehl (siehe Fehlermeldungen).") + "\r" +
           "Die Dateien liegen jetzt:\r" + whereTablesAre + finishedNextTime() + "\r" +
           cp1252::ansi("Die neuen Dateien liegen außerdem unter:") + "\r" + outputFolder + "\r";
}

std::string noFreeBackupName(const std::string& dataFolder)
{
    return cp1252::ansi("Für heute sind bereits alle 101 Ordner REORG_SICHERUNG_..._0 bis _100 in") + "\r" +
           dataFolder + "\r" + cp1252::ansi("vergeben. Es wird nichts verändert.") + "\r" +
           cp1252::ansi("Bitte räumen Sie ältere Sicherungsordner auf oder starten Sie morgen erneut.");
}

std::string originalsKeptIn(const std::string& backupFolder)
{
    return "Die bisherigen Dateien liegen im Ordner " + backupFolder;
}

std::string nothingToRestore(const std::string& dataFolder)
{
    return inDataFolder(dataFolder) + "gibt es keinen Sicherungsordner REORG_SICHERUNG_... mit einer Sicherung." +
           "\r" + cp1252::ansi("Es wird nichts verändert.");
}

std::string notABackup(const std::string& folder)
{
    return folder + "\r" +
           cp1252::ansi("ist kein Sicherungsordner von Torvane: SICHERUNG.txt fehlt oder ist unvollständig.") + "\r" +
           cp1252::ansi("Es wird nichts verändert.");
}

std::string restored(const std::string& backupFolder, const std::string& newBackupFolder)
{
    return "Die Dateien aus der Sicherung\r" + backupFolder + "\r" +
           cp1252::ansi("sind zurückgeholt. Die Dateien, die sie ersetzt haben, liegen im Ordner:") + "\r" +
           newBackupFolder + "\r";
}

std::string restoreKeptOriginals(const std::string& backupFolder)
{
    return "Die Sicherung\r" + backupFolder + "\r" +
           cp1252::ansi("konnte nicht zurückgeholt werden (siehe Fehlermeldung). Der Datenordner ist unverändert.");
}

std::string restoreNoRoom(std::uint64_t needed, std::uint64_t available)
{
    return cp1252::ansi("Im Datenordner ist nicht genug Platz, um die Sicherung zurückzuholen:") + "\r" +
           roomLine(needed, available) + cp1252::ansi("Der Datenordner ist unverändert.");
}

std::string restoreInterrupted(const std::string& whereTablesAre)
{
    return cp1252::ansi("Die Sicherung konnte nicht vollständig zurückgeholt werden, und auch das") + "\r" +
           cp1252::ansi("Zurückstellen der bisherigen Dateien schlug fehl (siehe Fehlermeldungen).") + "\r" +
           "Die Dateien liegen jetzt:\r" + whereTablesAre + finishedNextTime();
}

std::string megabytes(std::uint64_t bytes, bool roundUp)
{
    constexpr std::uint64_t Megabyte = std::uint64_t{1} << 20;
    const std::uint64_t tenths = (bytes * 10 + (roundUp ? Megabyte - 1 : 0)) / Megabyte;
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10) + " MB";
}

} // namespace torvane::texts
