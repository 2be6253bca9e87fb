#pragma once

#include "reorg/RunWindow.h"
#include "ui/MessageBoxes.h"

#include <QDialog>

#include <cstdint>

class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace torvane::ui {

// The last gate before the practice's tables are overwritten: the user
// states that a backup exists, or that they are not sure. Doubt is answered
// with a message over this window, which closes once that is acknowledged.
class Formendhinweis final : public QDialog {
    Q_OBJECT

public:
    Formendhinweis(QWidget* owner, MessageBoxes& boxes, Message onDoubt);

    // Shows the window modally until it closes. Closing it other than by OK
    // with the backup statement chosen (frame, Esc) counts as doubt.
    Confirmation ask();

protected:
    // Doubt, Esc and the frame.
    void reject() override;

private:
    void buildControls();
    void optJANEIN_Click(std::int16_t Index);
    void cmdOK_Click();

    QPlainTextEdit* txtWarnhinweis = nullptr;
    QRadioButton* optJANEIN_0 = nullptr;
    QRadioButton* optJANEIN_1 = nullptr;
    QPushButton* cmdOK = nullptr;
    MessageBoxes& boxes_;
    Message onDoubt_;
};

} // namespace torvane::ui
