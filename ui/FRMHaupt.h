#pragma once

#include "errors/ProgramEnd.h"
#include "reorg/RunWindow.h"
#include "reorg/Session.h"
#include "ui/CommonDialog.h"
#include "ui/FileChooser.h"
#include "ui/MessageBoxes.h"

#include <QElapsedTimer>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace torvane::ui {

// The program's main window: pick the patient table, start the
// reorganisation, end. While a run holds the thread the window shows its
// log, counter and progress, and takes no input.
class FRMHaupt final : public QWidget, public RunWindow {
    Q_OBJECT

public:
    FRMHaupt(Session& session, FileChooser& chooser, MessageBoxes& boxes, QWidget* parent = nullptr);

    // When the window is created, before it is shown: the temporary folder,
    // the build date and the start date.
    void Form_Load();

    // How the program ended, once it has; nothing of the window runs after.
    std::optional<EndReason> endReason() const { return ended_; }

    void setLogText(const std::string& text) override;
    std::string logText() const override { return log_; }
    void setProgressVisible(bool visible) override;
    void setProgressMin(float value) override;
    void setProgressMax(float value) override;
    void setProgressValue(float value) override;
    void setCounterCaption(const std::string& caption) override;
    void repaint() override;
    void setBusy(bool busy) override;
    void messageBox(const std::string& text, const std::string& title, MessageIcon icon) override;
    // The completion box, then one "Warnung" box listing the warnings.
    void showCompletion(const Message& completion, const std::vector<std::string>& warnings) override;
    Confirmation showFinalConfirmation(const Message& onDoubt) override;

signals:
    // The windows are closed; the application should exit now.
    void programEnded(torvane::EndReason reason);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectHandlers();

    void cmdLoad_Click(std::int16_t Index);
    void cmdsynchronisieren_Click(std::int16_t Index);
    void cmdQuit_Click();
    void checkDataFolder();

    // Runs a handler from the window system. The end of the program stops
    // here, at the outermost frame, and never crosses Qt's event loop.
    template <class Handler>
    void handle(Handler&& handler);
    void finish(EndReason reason);

    Session& session_;
    MessageBoxes& boxes_;
    CommonDialog CommonDialog1;
    std::string log_;
    QElapsedTimer painted_;
    std::optional<EndReason> ended_;

    QPushButton* cmdLoad_3 = nullptr;
    QLabel* lblfiletext_1 = nullptr;
    QLineEdit* txtfile_9 = nullptr;
    QPlainTextEdit* txtfile_8 = nullptr;
    QLabel* lblsatz_3 = nullptr;
    QProgressBar* prgprogress_4 = nullptr;
    QPushButton* cmdsynchronisieren_0 = nullptr;
    QPushButton* cmdQuit = nullptr;
    QLabel* lblbuild = nullptr;
};

} // namespace torvane::ui
