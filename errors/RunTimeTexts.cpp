#include "errors/RunTimeTexts.h"

#include "platform/Cp1252.h"

#include <string_view>

namespace torvane {
namespace {

struct Text {
    int number;
    std::string_view utf8;
};

constexpr Text Texts[] = {
    {3, "Return ohne GoSub"},
    {5, "Unzulässiger Prozeduraufruf oder ungültiges Argument"},
    {6, "Überlauf"},
    {7, "Nicht genügend Speicher"},
    {9, "Index außerhalb des gültigen Bereichs"},
    {11, "Division durch Null"},
    {13, "Typen unverträglich"},
    {52, "Dateiname oder -nummer falsch"},
    {53, "Datei nicht gefunden"},
    {54, "Dateimodus falsch"},
    {55, "Datei bereits geöffnet"},
    {57, "Fehler beim Lesen von oder Schreiben auf das Gerät"},
    {58, "Datei existiert bereits"},
    {59, "Falsche Datensatzlänge"},
    {61, "Datenträger voll"},
    {62, "Einlesen hinter Dateiende"},
    {63, "Falsche Datensatznummer"},
    {67, "Zu viele Dateien"},
    {68, "Gerät nicht verfügbar"},
    {70, "Zugriff verweigert"},
    {71, "Datenträger nicht bereit"},
    {74, "Umbenennen bei Angabe unterschiedlicher Laufwerke nicht möglich"},
    {75, "Fehler beim Zugriff auf Pfad/Datei"},
    {76, "Pfad nicht gefunden"},
    {321, "Ungültiges Dateiformat"},
    {32755, "Abbrechen ausgewählt"},
};

} // namespace

std::string runTimeText(int number)
{
    for (const Text& text : Texts) {
        if (text.number == number)
            return cp1252::ansi(text.utf8);
    }
    return cp1252::ansi("Anwendungs- oder objektdefinierter Fehler");
}

} // namespace torvane
