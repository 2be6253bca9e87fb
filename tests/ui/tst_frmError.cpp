// The error dialog as the central error handler drives it, and the bug report.

#include "errors/ErrorHandler.h"
#include "errors/ProgramEnd.h"
#include "platform/Clock.h"
#include "platform/MemEnv.h"
#include "support/ModalScript.h"
#include "support/Scripted.h"
#include "ui/BugReport.h"
#include "ui/QtErrorDialogs.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>

using namespace torvane;
using namespace torvane::uitest;

namespace {

// The handler with the desktop's dialogs, over a temporary folder with a blank.
struct Reporting {
    MemEnv env{'/'};
    FixedClock clock{{2024, 3, 5, 10, 0, 0}};
    Workspace workspace;
    CapturedMail mail;
    ui::QtErrorDialogs dialogs{env, "support@example.invalid", mail};
    ErrorHandler handler{env, clock, dialogs, workspace};

    Reporting()
    {
        env.createFolders("/tmp/mit Leerzeichen");
        workspace.temppfad = "/tmp/mit Leerzeichen/";
    }

    // True when the report ended the program.
    bool report(int number)
    {
        try {
            handler.ErrorFunction(RunError::raised(number), "Error in E_Datei: Sub kopiere_datenbanken");
        } catch (const ProgramEnd& end) {
            return end.reason == EndReason::Aborted;
        }
        return false;
    }
};

QWidget* control(QWidget* dialog, const char* name)
{
    return dialog->findChild<QWidget*>(QLatin1String(name));
}

void click(QWidget* dialog, const char* button)
{
    QTest::mouseClick(control(dialog, button), Qt::LeftButton);
}

// A key as the user types it: to the focused control, else to the dialog.
void type(QWidget* dialog, Qt::Key key)
{
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target != nullptr && target->window() == dialog ? target : dialog, key);
}

QStringList focusChain(QWidget* from)
{
    QStringList names{from->objectName()};
    for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain())
        if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->window() == from->window())
            names << w->objectName();
    return names;
}

} // namespace

class FrmErrorTest : public QObject {
    Q_OBJECT

private slots:
    void layoutsFoldedWithOkFirstAndEnterOrEscActingAsOk_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("error");
        QTest::addColumn<Qt::Key>("key");
        QTest::newRow("75: error layout, Enter") << errnum::PathFileAccess << "Fehler" << true << Qt::Key_Return;
        QTest::newRow("53: information layout, Esc")
            << errnum::FileNotFound << "Information" << false << Qt::Key_Escape;
    }

    void layoutsFoldedWithOkFirstAndEnterOrEscActingAsOk()
    {
        QFETCH(int, number);
        QFETCH(QString, caption);
        QFETCH(bool, error);
        QFETCH(Qt::Key, key);
        Reporting reporting;
        ModalScript script;
        script.then([&](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), caption);
            QCOMPARE(dialog->frameGeometry().height(), 119);
            QCOMPARE(control(dialog, "imgImage_0")->isVisible(), error);
            QCOMPARE(control(dialog, "imgImage_2")->isVisible(), !error);
            QCOMPARE(control(dialog, "cmdExit")->isVisible(), error);
            QVERIFY(!control(dialog, "txtDetails")->isVisible() && control(dialog, "frlongname") != nullptr);
            if (error)
                QCOMPARE(focusChain(control(dialog, "cmdOK")),
                         QStringList({"cmdOK", "cmdExit", "txtMsg", "cmdDetails", "txtDetails", "cmdbugreport"}));
            type(dialog, key);
            QVERIFY(!dialog->isVisible());
        });
        QVERIFY(!reporting.report(number));
        QVERIFY(script.finished());
    }

    void detailsUnfoldAndFoldAgain()
    {
        Reporting reporting;
        ModalScript script;
        script.then([](QWidget* dialog) {
            auto* details = static_cast<QPushButton*>(control(dialog, "cmdDetails"));
            click(dialog, "cmdDetails");
            QCOMPARE(dialog->frameGeometry().height(), 225);
            QCOMPARE(details->text(), QStringLiteral("<< D&etails"));
            QVERIFY(control(dialog, "txtDetails")->isVisible());
            click(dialog, "cmdDetails");
            QCOMPARE(dialog->frameGeometry().height(), 119);
            QCOMPARE(details->text(), QStringLiteral("D&etails >>"));
            QVERIFY(!control(dialog, "txtDetails")->isVisible());
            click(dialog, "cmdOK");
        });
        QVERIFY(!reporting.report(errnum::PathFileAccess));
        QVERIFY(script.finished());
    }

    void fatalErrorLeavesOnlyAbbruchWhichEndsTheProgram()
    {
        Reporting reporting;
        ModalScript script;
        script.then([](QWidget* dialog) {
            QVERIFY(!control(dialog, "cmdOK")->isEnabled());
            type(dialog, Qt::Key_Return);
            type(dialog, Qt::Key_Escape);
            dialog->close();
            QVERIFY(dialog->isVisible());
            click(dialog, "cmdExit");
        });
        QVERIFY(reporting.report(errnum::OutOfMemory));
        QVERIFY(script.finished());
    }

    void bugReportHandsTheUnencodedUrlOverAndTheDialogStays()
    {
        QCOMPARE(ui::bugReportUrl("a@example.invalid", "Torvane", "C:\\Temp\\errorlog.txt"),
                 std::string("mailto:a@example.invalid?Subject=Torvane Fehlerbericht !&Body="
                             "&Attach=\"C:\\Temp\\errorlog.txt\""));

        Reporting reporting;
        ModalScript script;
        script.then([](QWidget* dialog) {
            click(dialog, "cmdbugreport");
            QVERIFY(dialog->isVisible());
            click(dialog, "cmdOK");
        });
        QVERIFY(!reporting.report(errnum::FileNotFound));
        // The log exists as "Errorlog.txt"; the attachment names it as it is on disk.
        QCOMPARE(reporting.mail.urls, std::vector<std::string>{"mailto:support@example.invalid?Subject=Torvane "
                                                               "Fehlerbericht !&Body=&Attach=\"/tmp/mit "
                                                               "Leerzeichen/Errorlog.txt\""});
    }
};

QTEST_MAIN(FrmErrorTest)
#include "tst_frmError.moc"
