#include "ui/MailHandler.h"

#include <QProcess>
#include <QString>
#include <QStringList>

namespace torvane::ui {

void XdgOpenMailHandler::open(const std::string& url)
{
    QProcess::startDetached(QStringLiteral("xdg-open"), QStringList{QString::fromStdString(url)});
}

} // namespace torvane::ui
