// The error dialog as the central error handler drives it, and the bug report.

#include "errors/ErrorHandler.h"
#include "errors/ProgramEnd.h"
#include "platform/Clock.h"
#include "support/ModalScript.h"
#include "support/platform/MemEnv.h"
#include "ui/QtErrorDialogFactory.h"

using namespace torvane;
using torvane::uitest::ModalScript;

namespace {

// The handler with the desktop's dialogs over a temporary folder with a blank;
// the file system in memory keeps the bug reports' URLs instead of starting
// a mail program.
struct Reporting {
    MemEnv env{'/'};
    FixedClock clock{{2024, 3, 5, 10, 0, 0}};
    std::string tempFolder;
    ui::QtErrorDialogFactory dialogs{env, "support@example.invalid"};
    ErrorHandler handler{env, clock, dialogs, tempFolder};

    // Reports the error while the step acts on its dialog; how the program ended, if it did.
    std::optional<EndReason> report(int number, const std::function<void(QDialog*)>& step)
    {
        env.createFolders("/tmp/mit Leerzeichen");
        tempFolder = "/tmp/mit Leerzeichen/";
        ModalScript script(step);
        try {
            handler.ErrorFunction(RunError::raised(number), "Error in E_Datei: Sub kopiere_datenbanken");
        } catch (const ProgramEnd& end) {
            return end.reason;
        }
        return std::nullopt;
    }
};

QWidget* control(QDialog* dialog, const char* name)
{
    return dialog->findChild<QWidget*>(QLatin1String(name));
}

// A key as the user types it: to the control with the focus.
void type(QDialog* dialog, Qt::Key key)
{
    QTest::keyClick(dialog->focusWidget() != nullptr ? dialog->focusWidget() : dialog, key);
}

} // namespace

class FrmErrorTest : public QObject {
    Q_OBJECT

private slots:
    void layoutsDetailsAndBugReportWithEnterOrEscActingAsOk_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("error");
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("75: error layout, Enter") << errnum::PathFileAccess << true << Qt::Key_Return;
        QTest::newRow("53: information layout, Esc") << errnum::FileNotFound << false << Qt::Key_Escape;
    }

    void layoutsDetailsAndBugReportWithEnterOrEscActingAsOk()
    {
        QFETCH(int, number);
        QFETCH(bool, error);
        QFETCH(Qt::Key, key);
        Reporting reporting;
        const auto ended = reporting.report(number, [&](QDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QString(error ? "Fehler" : "Information"));
            QCOMPARE(control(dialog, "imgImage_0")->isVisible(), error);
            QCOMPARE(control(dialog, "imgImage_2")->isVisible(), !error);
            QCOMPARE(control(dialog, "cmdExit")->isVisible(), error);
            QVERIFY(control(dialog, "txtMsg") != nullptr && control(dialog, "frlongname") != nullptr);
            QVERIFY(!control(dialog, "txtDetails")->isVisible() && dialog->frameGeometry().height() == 119);
            for (const bool unfolded : {true, false}) {
                QTest::mouseClick(control(dialog, "cmdDetails"), Qt::LeftButton);
                QCOMPARE(dialog->frameGeometry().height(), unfolded ? 225 : 119);
                const char* const caption = unfolded ? "<< D&etails" : "D&etails >>";
                QCOMPARE(control(dialog, "cmdDetails")->property("text"), QVariant(caption));
                QCOMPARE(control(dialog, "txtDetails")->isVisible(), unfolded);
            }
            QTest::mouseClick(control(dialog, "cmdbugreport"), Qt::LeftButton);
            QVERIFY(dialog->isVisible());
            type(dialog, key);
            QVERIFY(!dialog->isVisible());
        });
        QVERIFY(!ended);
        // Nothing percent-encoded; the log exists as "Errorlog.txt" and the attachment names it as it is on disk.
        const std::string url = "mailto:support@example.invalid?Subject=Torvane Fehlerbericht !&Body="
                                "&Attach=\"/tmp/mit Leerzeichen/Errorlog.txt\"";
        QCOMPARE(reporting.env.openedUrls(), std::vector<std::string>{url});
    }

    void fatalErrorLeavesOnlyAbbruchWhichEndsTheProgram()
    {
        const auto ended = Reporting().report(errnum::OutOfMemory, [](QDialog* dialog) {
            QVERIFY(!control(dialog, "cmdOK")->isEnabled());
            type(dialog, Qt::Key_Return);
            type(dialog, Qt::Key_Escape);
            dialog->close();
            QVERIFY(dialog->isVisible());
            QTest::mouseClick(control(dialog, "cmdExit"), Qt::LeftButton);
        });
        QCOMPARE(ended, std::optional(EndReason::Aborted));
    }
};

QTEST_MAIN(FrmErrorTest)
#include "tst_frmError.moc"
