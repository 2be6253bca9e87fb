// Torvane: the reorganisation in its desktop window.

#include "platform/Clock.h"
#include "platform/Env.h"
#include "reorg/Session.h"
#include "errors/ProgramEnd.h"
#include "ui/FRMHaupt.h"
#include "ui/MessageBoxes.h"
#include "ui/Pictures.h"
#include "ui/QtErrorDialogs.h"
#include "ui/QtFileChooser.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char** argv)
{
    using namespace torvane;
    using namespace torvane::ui;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvane"));
    QApplication::setWindowIcon(programIcon());
    // The program ends only through its own end, with that end's status.
    QApplication::setQuitOnLastWindowClosed(false);
    // Qt's own dialogs (the file chooser) in the desktop's language where Qt's translations are installed.
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    Env& env = Env::Default();
    SystemClock clock;
    XdgOpenMailHandler mail;
    QtErrorDialogs dialogs(env, TORVANE_SUPPORT_ADDRESS, mail);
    Session session(env, clock, dialogs);
    QtFileChooser chooser;
    QtMessageBoxes boxes;
    FRMHaupt window(session, chooser, boxes);
    dialogs.setOwner(&window);
    QObject::connect(&window, &FRMHaupt::programEnded,
                     [](EndReason reason) { QCoreApplication::exit(exitStatus(reason)); });

    window.Form_Load();
    if (const std::optional<EndReason> ended = window.endReason())
        return exitStatus(*ended);
    window.show();
    return QApplication::exec();
}
