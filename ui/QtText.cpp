#include "ui/QtText.h"

#include "platform/Cp1252.h"

namespace torvane::ui {

QString qtText(const std::string& ansi)
{
    return QString::fromStdString(cp1252::toUtf8(ansi));
}

QString qtLines(const std::string& ansi)
{
    QString text = qtText(ansi);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool logicText(const QString& text, std::string* ansi)
{
    return cp1252::fromUtf8(text.toStdString(), ansi);
}

} // namespace torvane::ui
