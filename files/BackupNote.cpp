#include "files/BackupNote.h"

#include "files/TextLines.h"
#include "platform/Cp1252.h"

#include <cstdio>

namespace torvane {
namespace {

constexpr std::string_view Heading = "Torvane-Sicherung Nr. ";
constexpr std::string_view Dated = " vom ";
constexpr std::string_view Saved = "Gesichert: ";
constexpr std::string_view Missing = "Fehlte: ";
constexpr std::string_view End = "Ende";

std::string line(std::string_view text)
{
    return std::string(text) + "\r\n";
}

} // namespace

std::string BackupNote::text() const
{
    std::string text = line(std::string(Heading) + std::to_string(number) + std::string(Dated) + created);
    text += line(cp1252::ansi("Die Tabellen des Datenordners vor der Übernahme. "
                              "Zurückholen: torvane-cli --restore=<dieser Ordner>"));
    for (const std::string& name : saved)
        text += line(std::string(Saved) + name);
    for (const std::string& name : missing)
        text += line(std::string(Missing) + name);
    return text + line(End);
}

std::optional<BackupNote> BackupNote::parse(std::string_view text)
{
    const std::vector<std::string> lines = textLines(text);
    if (lines.empty() || !lines.front().starts_with(Heading) || lines.back() != End)
        return std::nullopt;
    BackupNote note;
    const std::string_view heading = std::string_view(lines.front()).substr(Heading.size());
    const std::size_t dated = heading.find(Dated);
    const std::optional<int> number = positiveNumber(heading.substr(0, dated));
    if (dated == std::string_view::npos || !number)
        return std::nullopt;
    note.number = *number;
    note.created = heading.substr(dated + Dated.size());
    for (const std::string& entry : lines) {
        if (entry.starts_with(Saved))
            note.saved.push_back(entry.substr(Saved.size()));
        else if (entry.starts_with(Missing))
            note.missing.push_back(entry.substr(Missing.size()));
    }
    return note;
}

std::string BackupNote::stamp(const LocalDateTime& at)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d %02d:%02d:%02d", at.day, at.month, at.year, at.hour, at.minute,
                  at.second);
    return buffer;
}

} // namespace torvane
