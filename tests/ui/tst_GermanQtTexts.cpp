// Qt's own dialogs speak German on a machine set to another language.

#include "support/ModalScript.h"
#include "ui/GermanQtTexts.h"
#include "ui/MessageBoxes.h"
#include "ui/QtFileChooser.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFileDialog>
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

    void theChooser()
    {
        QTemporaryDir practice;
        const auto dialog = torvane::ui::QtFileChooser::makeDialog(
            nullptr, {practice.path(), "Datenbank zur Reorganisation wählen", "KVX-Datenbank (*.KVT)", "pers*.kvt"});
        dialog->show();
        QCOMPARE(buttonTexts(dialog.get()), QStringList({"&Öffnen", "Abbrechen"}));
        QStringList labels;
        for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
            labels << dialog->findChild<QLabel*>(name)->text();
        QCOMPARE(labels, QStringList({"Suchen in:", "Datei&name:", "Dateien des Typs:"}));
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
