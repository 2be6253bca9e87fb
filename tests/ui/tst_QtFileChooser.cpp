// The desktop's file chooser as the main window configures it.

#include "ui/QtFileChooser.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QTemporaryDir>
#include <QTest>

using namespace torvane::ui;

// The files the dialog offers in its current folder.
static QStringList offered(QFileDialog& dialog)
{
    auto* model = dialog.findChild<QFileSystemModel*>();
    const QModelIndex folder = model->index(dialog.directory().absolutePath());
    QStringList names;
    for (int row = 0; row < model->rowCount(folder); ++row) {
        const QModelIndex entry = model->index(row, 0, folder);
        if (!model->isDir(entry) && (model->flags(entry) & Qt::ItemIsEnabled) != 0)
            names << model->fileName(entry);
    }
    names.sort();
    return names;
}

class QtFileChooserTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheDescriptionWholeAndListsPatientTablesInAnyCase()
    {
        QTemporaryDir practice;
        for (const char* name : {"person.kvt", "PERSON2.KVT", "Persdat.Kvt", "kvxdat1.kvt", "pers.txt", "aperson.kvt"})
            QVERIFY(QFile(practice.filePath(name)).open(QIODevice::WriteOnly));
        const ChooserRequest request{practice.path(), "Datenbank zur Reorganisation wählen", "KVX-Datenbank (*.KVT)",
                                     "pers*.kvt"};
        std::unique_ptr<QFileDialog> dialog = QtFileChooser::makeDialog(nullptr, request);
        dialog->show();

        QCOMPARE(dialog->windowTitle(), request.title);
        QCOMPARE(dialog->findChild<QComboBox*>("fileTypeCombo")->currentText(), request.filterDescription);
        QTRY_COMPARE(offered(*dialog), QStringList({"PERSON2.KVT", "Persdat.Kvt", "person.kvt"}));
    }
};

QTEST_MAIN(QtFileChooserTest)
#include "tst_QtFileChooser.moc"
