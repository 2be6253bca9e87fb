// The desktop's file chooser as the main window configures it.

#include "ui/QtFileChooser.h"

#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>

class QtFileChooserTest : public QObject {
    Q_OBJECT

private slots:
    // The entry shows its description whole; files not matching it are shown disabled.
    void showsTheDescriptionWholeAndOffersPatientTablesInAnyCase()
    {
        QTemporaryDir practice;
        for (const char* name : {"person.kvt", "PERSON2.KVT", "Persdat.Kvt", "kvxdat1.kvt", "pers.txt", "aperson.kvt"})
            QVERIFY(QFile(practice.filePath(name)).open(QIODevice::WriteOnly));
        const auto dialog = torvane::ui::QtFileChooser::makeDialog(
            nullptr, {practice.path(), "Datenbank zur Reorganisation wählen", "KVX-Datenbank (*.KVT)", "pers*.kvt"});
        dialog->show();

        const QVariant description = dialog->findChild<QWidget*>("fileTypeCombo")->property("currentText");
        QCOMPARE(description, QVariant("KVX-Datenbank (*.KVT)"));
        auto* model = dialog->findChild<QFileSystemModel*>();
        const QModelIndex folder = model->index(practice.path());
        const auto offered = [&] {
            QStringList names;
            for (int row = 0; row < model->rowCount(folder); ++row)
                if ((model->flags(model->index(row, 0, folder)) & Qt::ItemIsEnabled) != 0)
                    names << model->fileName(model->index(row, 0, folder));
            names.sort();
            return names;
        };
        QTRY_COMPARE(offered(), QStringList({"PERSON2.KVT", "Persdat.Kvt", "person.kvt"}));
    }
};

QTEST_MAIN(QtFileChooserTest)
#include "tst_QtFileChooser.moc"
