#pragma once

#include "desktop/BugReport.h"
#include "errors/ErrorDialogBase.h"

#include <QDialog>

#include <string>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace torvane::ui {

class WholeLinesTextBox;

// The error dialog: the error text beside a picture, OK to carry on,
// "&Abbruch" to end the program, the full log entry below "D&etails >>",
// and a bug-report e-mail with the error log attached.
class frmError final : public QDialog, public ErrorDialogBase {
    Q_OBJECT

public:
    frmError(const ErrorLog& log, ErrorReporter& errors, const desktop::BugReportRoute& route, QWidget* owner);

    void setDetailsText(const std::string& text) override;
    void SetForm(bool bYesNo) override;
    void setInformationLayout() override;
    void disableOk() override;
    void setMessageText(const std::string& text) override;
    DialogAnswer showModal() override;

protected:
    // Esc and the frame act as OK, and do nothing while OK is disabled.
    void reject() override;
    // The frame is known only once the window manager has put it around
    // the window, by the time the window is activated: the height is set
    // again then.
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Form_Load();
    void buildControls();
    void cmdOK_Click();
    void cmdExit_Click();
    void cmdDetails_Click();
    void cmdbugreport_Click();

    // Runs a button's handler. Should the program end while a report of
    // the handler's own failure is shown, this dialog ends with "&Abbruch".
    template <class Handler>
    void handle(Handler&& handler);
    // The window's height including its frame, as far as the frame is known.
    void setOuterHeight(int twips);

    const ErrorLog& errorLog_;
    const desktop::BugReportRoute& route_;
    int heightTwips_ = 0; // 0 until a layout sets one: the design size

    QLabel* imgImage_0 = nullptr;
    QLabel* imgImage_2 = nullptr;
    WholeLinesTextBox* txtMsg = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdExit = nullptr;
    QPushButton* cmdDetails = nullptr;
    QPushButton* cmdbugreport = nullptr;
    QPlainTextEdit* txtDetails = nullptr;
    QFrame* frlongname = nullptr;
};

} // namespace torvane::ui
