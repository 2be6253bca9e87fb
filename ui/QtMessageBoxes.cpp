#include "ui/MessageBoxes.h"

#include <QMessageBox>

namespace torvane::ui {

void QtMessageBoxes::show(QWidget* parent, MessageIcon icon, const QString& title, const QString& text)
{
    const QMessageBox::Icon kind = icon == MessageIcon::Information ? QMessageBox::Information : QMessageBox::Warning;
    QMessageBox box(kind, title, text, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace torvane::ui
