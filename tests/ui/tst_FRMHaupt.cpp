// The main window's whole flow on a small generated practice.

#include "platform/Clock.h"
#include "platform/MemEnv.h"
#include "reorg/Session.h"
#include "sample/SamplePractice.h"
#include "support/ModalScript.h"
#include "support/Scripted.h"
#include "ui/FRMHaupt.h"
#include "ui/QtErrorDialogs.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <map>

using namespace torvane;
using namespace torvane::uitest;

namespace {

const char* const Tables[] = {"person.kvt", "kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"};

// A practice in memory, a data-path file naming it, and the main window
// loaded and shown over it.
struct Practice {
    MemEnv env{'/'};
    FixedClock clock{{2024, 3, 5, 10, 0, 0}};
    CapturedMail mail;
    ui::QtErrorDialogs dialogs{env, "support@example.invalid", mail};
    Session session{env, clock, dialogs};
    ScriptedFileChooser chooser;
    ScriptedMessageBoxes boxes;
    ui::FRMHaupt window{session, chooser, boxes};
    std::optional<EndReason> ended;

    Practice()
    {
        env.createFolders("/praxis");
        sample::writeSamplePractice(env, "/praxis/", {.patients = 30, .seed = 7, .withKvxdat3 = true});
        env.createFolders("/etc/xdg/Velmora_Patientendaten");
        env.putFile("/etc/xdg/Velmora_Patientendaten/dbpfad.ini", "/praxis\r\n");
        dialogs.setOwner(&window);
        QObject::connect(&window, &ui::FRMHaupt::programEnded, [this](EndReason reason) { ended = reason; });
        window.Form_Load();
        window.show();
    }

    template <class T = QWidget>
    T* control(const char* name) const
    {
        return window.findChild<T*>(QLatin1String(name));
    }

    std::map<std::string, std::string> dataFolder() const
    {
        std::map<std::string, std::string> bytes;
        for (const char* table : Tables)
            bytes[table] = env.fileBytes(std::string("/praxis/") + table).value_or("");
        return bytes;
    }

    void choose(std::optional<QString> answer)
    {
        chooser.answers.push_back(std::move(answer));
        QTest::mouseClick(control<QPushButton>("cmdLoad_3"), Qt::LeftButton);
    }

    void start() { QTest::mouseClick(control<QPushButton>("cmdsynchronisieren_0"), Qt::LeftButton); }
};

// Chooses the options in this order, then presses OK; OK is enabled only once one is chosen.
ModalScript::Step confirmWith(std::vector<const char*> options)
{
    return [options](QWidget* modal) {
        QCOMPARE(modal->windowTitle(), QStringLiteral("Endhinweis"));
        QVERIFY(modal->findChild<QWidget*>("txtWarnhinweis") != nullptr);
        auto* ok = modal->findChild<QPushButton*>("cmdOK");
        QVERIFY(!ok->isEnabled());
        for (const char* name : options)
            QTest::mouseClick(modal->findChild<QRadioButton*>(name), Qt::LeftButton);
        QTest::mouseClick(ok, Qt::LeftButton);
    };
}

ModalScript::Step pressOk()
{
    return [](QWidget* modal) { QTest::mouseClick(modal->findChild<QPushButton*>("cmdOK"), Qt::LeftButton); };
}

} // namespace

class FRMHauptTest : public QObject {
    Q_OBJECT

private slots:
    void startsWithNothingChosen()
    {
        Practice practice;
        for (const char* name : {"cmdLoad_3", "lblfiletext_1", "txtfile_9", "txtfile_8", "lblsatz_3", "prgprogress_4",
                                 "cmdsynchronisieren_0", "cmdQuit", "lblbuild"})
            QVERIFY2(practice.control(name) != nullptr, name);
        QCOMPARE(practice.control<QLabel>("lblbuild")->text(), QStringLiteral("Builddatum: 2010/11/30"));
        QVERIFY(practice.control("prgprogress_4")->isHidden());
        QVERIFY(!practice.control("cmdsynchronisieren_0")->isEnabled());
    }

    void confirmedBackupCopiesTheResultBack()
    {
        Practice practice;
        const auto before = practice.dataFolder();
        practice.choose(QStringLiteral("/praxis/person.kvt"));
        const ui::ChooserRequest& request = practice.chooser.requests.at(0);
        QCOMPARE(request.startFolder, QStringLiteral("/praxis"));
        QCOMPARE(request.filterPattern, QStringLiteral("pers*.kvt"));
        QCOMPARE(practice.control<QLineEdit>("txtfile_9")->text(), QStringLiteral("/praxis/"));

        ModalScript script;
        script.then(confirmWith({"optJANEIN_1", "optJANEIN_0"}));
        practice.start();

        QCOMPARE(practice.ended, std::optional(EndReason::CopiedBack));
        QVERIFY(script.finished());
        const int records = practice.control<QProgressBar>("prgprogress_4")->maximum();
        QCOMPARE(practice.control<QLabel>("lblsatz_3")->text(), QStringLiteral(" %1").arg(records));
        const ScriptedMessageBoxes::Shown& done = practice.boxes.shown.at(0);
        QCOMPARE(done.icon, MessageIcon::Exclamation);
        const std::string output = done.text.split('\n').at(2).toStdString();
        QVERIFY(output.starts_with("/praxis/REORG_AUSGANG_"));
        const auto after = practice.dataFolder();
        for (const char* table : Tables) {
            QCOMPARE(after.at(table), practice.env.fileBytes(output + table).value_or("missing"));
            QVERIFY(after.at(table) != before.at(table));
        }
    }

    void doubtLeavesTheDataFolderByteIdentical_data()
    {
        QTest::addColumn<bool>("byFrame");
        QTest::newRow("statement of doubt") << false;
        QTest::newRow("window closed by its frame") << true;
    }

    void doubtLeavesTheDataFolderByteIdentical()
    {
        QFETCH(bool, byFrame);
        Practice practice;
        const auto before = practice.dataFolder();
        practice.choose(QStringLiteral("/praxis/person.kvt"));
        ModalScript script;
        if (byFrame)
            script.then([](QWidget* modal) {
                QTest::mouseClick(modal->findChild<QRadioButton*>("optJANEIN_0"), Qt::LeftButton);
                modal->close();
            });
        else
            script.then(confirmWith({"optJANEIN_0", "optJANEIN_1"}));
        practice.start();

        QCOMPARE(practice.ended, std::optional(EndReason::Doubt));
        QCOMPARE(practice.dataFolder(), before);
        QCOMPARE(practice.boxes.shown.back().title, QStringLiteral("Kontrolliertes Ende"));
    }

    void firstCancelIsReportedAndEndsTheProgram()
    {
        Practice practice;
        ModalScript script;
        script.then([](QWidget* modal) {
            QCOMPARE(modal->windowTitle(), QStringLiteral("Information"));
            pressOk()(modal);
        });
        practice.choose(std::nullopt);

        QCOMPARE(practice.ended, std::optional(EndReason::NoFolder));
        QVERIFY(script.finished() && practice.window.isHidden());
    }

    void laterCancelKeepsTheEarlierFolder()
    {
        Practice practice;
        practice.choose(QStringLiteral("/praxis/person.kvt"));
        ModalScript script;
        script.then(pressOk());
        practice.choose(std::nullopt);

        QVERIFY(!practice.ended && script.finished());
        QCOMPARE(practice.session.workspace.quellpfad[0], std::string("/praxis/"));
        QVERIFY(practice.control("cmdsynchronisieren_0")->isEnabled());
    }

    void endeAndTheFrameEndWithoutAQuestion()
    {
        Practice byButton;
        QTest::mouseClick(byButton.control<QPushButton>("cmdQuit"), Qt::LeftButton);
        Practice byFrame;
        byFrame.window.close();
        QCOMPARE(byButton.ended, std::optional(EndReason::Quit));
        QCOMPARE(byFrame.ended, std::optional(EndReason::Quit));
    }
};

QTEST_MAIN(FRMHauptTest)
#include "tst_FRMHaupt.moc"
