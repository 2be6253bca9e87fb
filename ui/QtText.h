#pragma once

#include <QString>

#include <string>

namespace torvane::ui {

// The logic's Windows-1252 text as Qt shows it.
QString qtText(const std::string& ansi);

// The same, with CR LF or single CR line breaks turned into line breaks.
QString qtLines(const std::string& ansi);

// Qt's text for the logic. False when a character has no place in the
// code page (it then stands as '?').
bool logicText(const QString& text, std::string* ansi);

} // namespace torvane::ui
