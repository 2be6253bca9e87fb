// The main window's whole flow on a small generated practice.

#include "platform/Clock.h"
#include "reorg/Session.h"
#include "sample/SamplePractice.h"
#include "support/ModalScript.h"
#include "support/platform/MemEnv.h"
#include "ui/FRMHaupt.h"
#include "ui/QtErrorDialogFactory.h"

#include <QProgressBar>

using namespace torvane;
using torvane::uitest::ModalScript;

namespace {

// How the main window looked when it was painted, or when a message opened.
struct Seen {
    bool waitPointer = false;
    bool buttonsEnabled = false;
    QString counter;
    int bar = 0;
    bool outputWritten = false;

    bool operator==(const Seen&) const = default;
};

// A message as it opened: over which window, and whether that window still showed.
struct Shown {
    QString title, text, over;
    bool overShown = false;
    Seen window;
    std::size_t paintedBefore = 0;
};

// A practice in memory, a data-path file naming it, and the main window loaded and shown over it.
// The practice answers the chooser from a script and acknowledges every message at once.
struct Practice : QObject, ui::FileChooser, ui::MessageBoxes {
    MemEnv env{'/'};
    FixedClock clock{{2024, 3, 5, 10, 0, 0}};
    ui::QtErrorDialogFactory dialogs{env, "support@example.invalid"};
    Session session{env, clock, dialogs};
    ui::FRMHaupt window{session, *this, *this};
    std::optional<QString> answer; // nothing: cancel
    ui::ChooserRequest asked;
    std::vector<Shown> shown;
    std::vector<Seen> painted;
    std::optional<EndReason> ended;

    Practice()
    {
        env.createFolders("/etc/xdg/Velmora_Patientendaten");
        env.putFile("/etc/xdg/Velmora_Patientendaten/dbpfad.ini", "/praxis\r\n");
        env.createFolders("/praxis");
        sample::writeSamplePractice(env, "/praxis/", {.patients = 30, .seed = 7, .withKvxdat3 = true});
        dialogs.setOwner(&window);
        QObject::connect(&window, &ui::FRMHaupt::programEnded, [this](EndReason reason) { ended = reason; });
        window.Form_Load();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        control("lblsatz_3")->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted.push_back(seen());
        return false;
    }

    Seen seen() const
    {
        bool output = false;
        for (const std::string& name : env.folderEntries("/praxis"))
            output = output || name.starts_with("REORG_AUSGANG_");
        return {window.testAttribute(Qt::WA_SetCursor) && window.cursor().shape() == Qt::WaitCursor,
                control("cmdLoad_3")->isEnabled() && control("cmdsynchronisieren_0")->isEnabled() &&
                    control("cmdQuit")->isEnabled(),
                control("lblsatz_3")->property("text").toString(), window.findChild<QProgressBar*>()->value(), output};
    }

    std::optional<QString> chooseFile(QWidget*, const ui::ChooserRequest& request) override
    {
        asked = request;
        return answer;
    }

    void show(QWidget* parent, MessageIcon, const QString& title, const QString& text) override
    {
        shown.push_back({title, text, parent->windowTitle(), parent->isVisible(), seen(), painted.size()});
    }

    QWidget* control(const char* name) const { return window.findChild<QWidget*>(QLatin1String(name)); }

    void choose(std::optional<QString> name)
    {
        answer = std::move(name);
        QTest::mouseClick(control("cmdLoad_3"), Qt::LeftButton);
    }

    std::vector<std::string> tables(const std::string& folder) const
    {
        std::vector<std::string> bytes;
        for (const char* table : {"person.kvt", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"})
            bytes.push_back(env.fileBytes(folder + table).value_or("missing"));
        return bytes;
    }
};

} // namespace

class FRMHauptTest : public QObject {
    Q_OBJECT

private slots:
    void chooseStartAndConfirm_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("byFrame");
        QTest::addColumn<EndReason>("end");
        QTest::newRow("backup, after doubting")
            << QStringList{"optJANEIN_1", "optJANEIN_0"} << false << EndReason::CopiedBack;
        QTest::newRow("doubt, after backup") << QStringList{"optJANEIN_0", "optJANEIN_1"} << false << EndReason::Doubt;
        QTest::newRow("backup, then closed by the frame") << QStringList{"optJANEIN_0"} << true << EndReason::Doubt;
    }

    // Copied back on confirmation only; otherwise "Kontrolliertes Ende" opens over the still shown
    // "Endhinweis" and the data folder stays byte-identical. From the Start click to the completion
    // message the window is busy, and it paints the last record before the output is written.
    void chooseStartAndConfirm()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, byFrame);
        QFETCH(EndReason, end);
        Practice practice;
        for (const char* name : {"lblfiletext_1", "txtfile_8", "lblbuild", "cmdQuit", "prgprogress_4"})
            QVERIFY2(practice.control(name) != nullptr, name);
        QVERIFY(!practice.control("cmdsynchronisieren_0")->isEnabled());
        const auto before = practice.tables("/praxis/");

        practice.choose(QStringLiteral("/praxis/person.kvt"));
        const ui::ChooserRequest& asked = practice.asked;
        QCOMPARE(QStringList({asked.startFolder, asked.title, asked.filterDescription, asked.filterPattern}),
                 QStringList({"/praxis", "Datenbank zur Reorganisation wählen", "KVX-Datenbank (*.KVT)", "pers*.kvt"}));
        QCOMPARE(practice.control("txtfile_9")->property("text"), QVariant("/praxis/"));
        ModalScript script([&](QDialog* modal) {
            QVERIFY(modal->objectName() == "Formendhinweis" && modal->findChild<QWidget*>("txtWarnhinweis"));
            auto* ok = modal->findChild<QWidget*>("cmdOK");
            QVERIFY(!ok->isEnabled());
            for (const QString& name : options)
                QTest::mouseClick(modal->findChild<QWidget*>(name), Qt::LeftButton);
            if (byFrame)
                modal->close();
            else
                QTest::mouseClick(ok, Qt::LeftButton);
            QVERIFY(!modal->isVisible());
        });
        practice.painted.clear();
        QTest::mouseClick(practice.control("cmdsynchronisieren_0"), Qt::LeftButton);
        QCOMPARE(practice.ended, std::optional(end));

        // The sample practice has patient numbers twice: their warning follows the completion.
        QCOMPARE(practice.shown.size(), end == EndReason::Doubt ? 3u : 2u);
        const Shown& completion = practice.shown.front();
        const Shown& warning = practice.shown.at(1);
        QVERIFY(warning.title == "Warnung" && warning.over == "Torvane");
        QVERIFY(warning.text.startsWith("Vor der Übernahme") && warning.text.contains("mehrfach vor"));
        const int records = practice.control("prgprogress_4")->property("maximum").toInt();
        const Seen lastRecord{true, false, QStringLiteral(" %1").arg(records), records, false};
        QVERIFY(completion.paintedBefore > 0 && practice.painted.at(completion.paintedBefore - 1) == lastRecord);
        for (std::size_t i = 0; i < completion.paintedBefore; ++i)
            QVERIFY(practice.painted[i].waitPointer && !practice.painted[i].buttonsEnabled);
        QVERIFY(completion.title == "...und fertig!" && completion.over == "Torvane");
        QVERIFY(!completion.window.waitPointer && completion.window.buttonsEnabled);
        if (end == EndReason::Doubt) {
            const Shown& doubt = practice.shown.back();
            QCOMPARE(QStringList({doubt.title, doubt.over}), QStringList({"Kontrolliertes Ende", "Endhinweis"}));
            QVERIFY(doubt.overShown);
        }
        const std::string output = completion.text.split('\n').at(2).toStdString();
        QVERIFY(output.starts_with("/praxis/REORG_AUSGANG_"));
        const auto reorganised = practice.tables(output);
        QVERIFY(reorganised != before);
        QCOMPARE(practice.tables("/praxis/"), end == EndReason::CopiedBack ? reorganised : before);
    }

    // What an interrupted copy-back left in the chosen folder is dealt with
    // before Start is offered, and the user told in a message box.
    void recoveryAfterTheChoice()
    {
        Practice practice;
        practice.env.putFile("/praxis/person.kvt.torvane-neu", "halb kopiert");
        practice.choose(QStringLiteral("/praxis/person.kvt"));
        QCOMPARE(practice.shown.size(), 1u);
        QCOMPARE(QStringList({practice.shown[0].title, practice.shown[0].over}),
                 QStringList({"Information", "Torvane"}));
        QVERIFY(practice.shown[0].text.contains("wurden Dateien einer abgebrochenen Übernahme gefunden:\n"
                                                "person.kvt.torvane-neu\n"));
        QVERIFY(!practice.env.fileBytes("/praxis/person.kvt.torvane-neu"));
        QVERIFY(!practice.ended && practice.control("cmdsynchronisieren_0")->isEnabled());
    }

    // The first cancel ends the program; a later one keeps the folder, and the frame then ends as "Ende".
    void cancellingTheChooser()
    {
        Practice first, later;
        later.choose(QStringLiteral("/praxis/person.kvt"));
        for (Practice* practice : {&first, &later}) {
            ModalScript script([](QDialog* modal) {
                QCOMPARE(modal->windowTitle(), QStringLiteral("Information"));
                QTest::mouseClick(modal->findChild<QWidget*>("cmdOK"), Qt::LeftButton);
            });
            practice->choose(std::nullopt);
        }
        QCOMPARE(first.ended, std::optional(EndReason::NoFolder));
        QVERIFY(first.window.isHidden() && !later.ended && later.control("cmdsynchronisieren_0")->isEnabled());
        QCOMPARE(later.session.workspace.quellpfad[0], std::string("/praxis/"));
        later.window.close();
        QCOMPARE(later.ended, std::optional(EndReason::Quit));
    }
};

QTEST_MAIN(FRMHauptTest)
#include "tst_FRMHaupt.moc"
