// Qt's own dialogs speak German on a machine set to another language.

#include "support/ModalScript.h"
#include "ui/GermanQtTexts.h"
#include "ui/MessageBoxes.h"
#include "ui/QtFileChooser.h"

#include <QAbstractButton>
#include <QAbstractProxyModel>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QRegularExpression>
#include <QLabel>
#include <QTemporaryDir>

using torvane::uitest::ModalScript;

namespace {

QStringList buttonTexts(const QWidget* dialog)
{
    QStringList texts;
    for (const QAbstractButton* button : dialog->findChild<QDialogButtonBox*>()->buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

} // namespace

class GermanQtTextsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(torvane::ui::installGermanQtTexts(*QCoreApplication::instance())); }

    // Buttons, labels, and the size and date of a file.
    void theChooser()
    {
        QTemporaryDir practice;
        QFile table(practice.filePath("person.kvt"));
        QVERIFY(table.open(QIODevice::WriteOnly) && table.write(QByteArray(1536, 'x')) == 1536);
        table.close();
        const auto dialog = torvane::ui::QtFileChooser::makeDialog(
            nullptr, {practice.path(), "Datenbank zur Reorganisation wählen", "KVX-Datenbank (*.KVT)", "pers*.kvt"});
        dialog->show();
        QCOMPARE(buttonTexts(dialog.get()), QStringList({"&Öffnen", "Abbrechen"}));
        QStringList labels;
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            labels << dialog->findChild<QLabel*>(name)->text();
        QCOMPARE(labels, QStringList({"Suchen in:", "Datei&name:", "Dateien des Typs:"}));
        auto* files = dialog->findChild<QFileSystemModel*>();
        const QModelIndex file = dialog->proxyModel()->mapFromSource(files->index(table.fileName()));
        const auto column = [&](int number) { return file.siblingAtColumn(number).data().toString(); };
        QTRY_COMPARE(column(1), QStringLiteral("1,50 KiB"));
        QVERIFY2(QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d$").match(column(3)).hasMatch(),
                 qPrintable(column(3)));
    }

    void aMessageBox()
    {
        ModalScript script([](QDialog* box) {
            QCOMPARE(buttonTexts(box), QStringList({"OK"}));
            box->accept();
        });
        torvane::ui::QtMessageBoxes().show(nullptr, torvane::MessageIcon::Information, "Information",
                                           "Keine Sätze zum Umsetzen vorhanden!");
    }
};

QTEST_MAIN(GermanQtTextsTest)
#include "tst_GermanQtTexts.moc"
