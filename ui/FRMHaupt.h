#pragma once

#include "desktop/FRMHauptHandlers.h"
#include "errors/ProgramEnd.h"
#include "reorg/Session.h"
#include "ui/FileChooser.h"
#include "ui/MessageBoxes.h"

#include <QElapsedTimer>
#include <QWidget>

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
class FRMHaupt final : public QWidget, public desktop::FRMHauptControls {
    Q_OBJECT

public:
    FRMHaupt(Session& session, ui::FileChooser& chooser, MessageBoxes& boxes, QWidget* parent = nullptr);

    // When the window is created, before it is shown: the temporary folder,
    // the build date and the start date.
    void Form_Load();

    // How the program ended, once it has; nothing of the window runs after.
    std::optional<EndReason> endReason() const { return handlers_.endReason(); }

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
    Confirmation showFinalConfirmation(const Message& onDoubt) override;

    std::optional<std::string> chooseFile(const desktop::ChooserRequest& request) override;
    std::string buildCaption() const override;
    void setBuildCaption(const std::string& caption) override;
    void setPathText(const std::string& text) override;
    void enableStart() override;
    void finish(EndReason reason) override;

signals:
    // The windows are closed; the application should exit now.
    void programEnded(torvane::EndReason reason);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectHandlers();

    ui::FileChooser& chooser_;
    MessageBoxes& boxes_;
    desktop::FRMHauptHandlers handlers_;
    std::string log_;
    QElapsedTimer painted_;

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
