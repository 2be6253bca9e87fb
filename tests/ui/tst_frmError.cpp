// The error dialog as the central error handler drives it, and the bug report.

#include "errors/ErrorHandler.h"
#include "errors/ProgramEnd.h"
#include "platform/Clock.h"
#include "support/ModalScript.h"
#include "support/platform/MemEnv.h"
#include "tables/dbases.h"
#include "ui/QtErrorDialogFactory.h"
#include "ui/WholeLinesTextBox.h"

#include <QScrollBar>

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

    Reporting()
    {
        env.createFolders("/tmp/mit Leerzeichen");
        tempFolder = "/tmp/mit Leerzeichen/";
    }

    // Reports the error while the step acts on its dialog; how the program ended, if it did.
    std::optional<EndReason> report(const RunError& error, const std::function<void(QDialog*)>& step)
    {
        ModalScript script(step);
        try {
            handler.ErrorFunction(error, "Error in D_Datenbank: Sub open_database");
        } catch (const ProgramEnd& end) {
            return end.reason;
        }
        return std::nullopt;
    }
    std::optional<EndReason> report(int number, const std::function<void(QDialog*)>& step)
    {
        return report(RunError::raised(number), step);
    }
};

// What opening a working copy with these bytes reports, the copy named as the practice's table.
RunError openingFails(MemEnv& env, const std::string& bytes)
{
    const std::string copy = "/tmp/mit Leerzeichen/TEMP_REORG_EINGANG_03_05_0/kvxdat2.kvt";
    env.putFile(copy, bytes);
    try {
        dbases(env).FileOpen(copy);
    } catch (const RunError& error) {
        return error;
    }
    return {};
}

// The program's longest error texts: each refusal of a table file in the
// staging folder, and the longest run-time texts with a path.
std::vector<RunError> longestErrors(MemEnv& env)
{
    const std::string header(32, '\0');
    const std::string descriptor = "DATNUMMER" + std::string(23, '\0');
    std::vector<RunError> errors;
    for (const std::string& bytes : {std::string(20, 'x'), header, header + descriptor.substr(0, 20),
                                     header + std::string(256 * 32, 'F'), header + descriptor + '\x0D'})
        errors.push_back(openingFails(env, bytes));
    const std::string table = "/home/praxis/Velmora Patientendaten/Daten/kvxdat2.kvt";
    for (int number : {errnum::DeviceIO, 74, errnum::PathFileAccess})
        errors.push_back(RunError::raised(number, table));
    errors.push_back(RunError::raised(errnum::FileNotFound));
    return errors;
}

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

    // At the size the dialog was designed for, every scroll position shows whole
    // lines only, and a text that fits has no scroll bar.
    void longestTextsShowWholeLinesAndScrollOnlyWhenNeeded()
    {
        Reporting reporting;
        reporting.handler.nameWorkingCopies("/tmp/mit Leerzeichen/TEMP_REORG_EINGANG_03_05_0",
                                            "/home/praxis/Velmora Patientendaten/Daten");
        for (const RunError& error : longestErrors(reporting.env)) {
            reporting.report(error, [&](QDialog* dialog) {
                auto* box = dialog->findChild<ui::WholeLinesTextBox*>("txtMsg");
                QCOMPARE(box->geometry(), QRect(48, 8, 241, 41));
                const QRect viewport = box->viewport()->rect();
                const auto outside = [&](const QRect& line) { return !line.intersects(viewport); };
                const auto whole = [&](const QRect& line) { return viewport.contains(line); };
                QScrollBar* bar = box->verticalScrollBar();
                for (int position = bar->maximum(); position >= bar->minimum(); --position) {
                    bar->setValue(position);
                    for (const QRect& line : box->lineRects())
                        QVERIFY2(whole(line) || outside(line), qPrintable(box->toPlainText()));
                    if (position == bar->maximum())
                        QVERIFY(whole(box->lineRects().back()));
                }
                const auto lines = box->lineRects();
                QVERIFY(lines.front().top() == 0 && lines.front().height() >= box->fontMetrics().height());
                QCOMPARE(bar->isVisible(), std::any_of(lines.begin(), lines.end(), outside));
                QTest::mouseClick(control(dialog, "cmdOK"), Qt::LeftButton);
            });
        }
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
