// Torvane: the reorganisation in its desktop window.

#include "errors/ProgramEnd.h"
#include "platform/Clock.h"
#include "platform/Env.h"
#include "reorg/Session.h"
#include "ui/FRMHaupt.h"
#include "ui/GermanQtTexts.h"
#include "ui/MessageBoxes.h"
#include "ui/Pictures.h"
#include "ui/QtErrorDialogFactory.h"
#include "ui/QtFileChooser.h"

#include <QApplication>

int main(int argc, char** argv)
{
    using namespace torvane;
    using namespace torvane::ui;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvane"));
    QApplication::setWindowIcon(programIcon());
    // The program ends only through its own end, with that end's status.
    QApplication::setQuitOnLastWindowClosed(false);
    installGermanQtTexts(app);

    Env& env = Env::Default();
    const SystemClock clock;
    QtErrorDialogFactory dialogs(env, TORVANE_SUPPORT_ADDRESS);
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
