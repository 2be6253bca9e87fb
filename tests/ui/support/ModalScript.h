#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

namespace torvane::uitest {

// Acts on real modal windows while their exec() runs: polls for the active
// modal window and runs the next step on each new one. A window nobody
// expected fails the test and is closed, and so is one a failed step left
// open, so a failing test never hangs.
class ModalScript final {
public:
    using Step = std::function<void(QWidget* modal)>;

    ModalScript()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(5);
    }

    void then(Step step) { steps_.push_back(std::move(step)); }
    bool finished() const { return steps_.empty(); }

private:
    void poll()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == handled_ || !modal->isVisible())
            return;
        handled_ = modal;
        if (steps_.empty())
            QTest::qFail(qPrintable("unexpected window " + modal->windowTitle()), __FILE__, __LINE__);
        else
            runNextStep(modal);
        if (QTest::currentTestFailed() && handled_ && handled_->isVisible())
            forceClose(handled_);
    }

    void runNextStep(QWidget* modal)
    {
        const Step step = std::move(steps_.front());
        steps_.pop_front();
        step(modal);
    }

    static void forceClose(QWidget* modal)
    {
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->done(QDialog::Accepted);
        else
            modal->close();
    }

    QTimer timer_;
    QPointer<QWidget> handled_;
    std::deque<Step> steps_;
};

} // namespace torvane::uitest
