#pragma once

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <functional>
#include <utility>

namespace torvane::uitest {

// Acts once on the next modal window while its exec() runs, polling for it.
// The step must have run by the time the script goes. A window nobody
// expected fails the test, and a window still open after a failure is
// closed, so a failing test never hangs.
class ModalScript final {
public:
    explicit ModalScript(std::function<void(QDialog* modal)> step) : step_(std::move(step))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(5);
    }

    ~ModalScript()
    {
        if (step_ && !QTest::currentTestFailed())
            QTest::qFail("the expected window never showed", __FILE__, __LINE__);
    }

private:
    void poll()
    {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (modal == nullptr || !modal->isVisible())
            return;
        if (step_)
            std::exchange(step_, nullptr)(modal);
        else if (!QTest::currentTestFailed())
            QTest::qFail(qPrintable("unexpected window " + modal->windowTitle()), __FILE__, __LINE__);
        if (QTest::currentTestFailed() && modal->isVisible())
            modal->done(QDialog::Accepted);
    }

    QTimer timer_;
    std::function<void(QDialog* modal)> step_;
};

} // namespace torvane::uitest
