#pragma once

#include "desktop/FormendhinweisHandlers.h"
#include "reorg/RunWindow.h"
#include "ui/MessageBoxes.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace torvane::ui {

// The last gate before the practice's tables are overwritten: the user
// states that a backup exists, or that they are not sure. Doubt is answered
// with a message over this window, which closes once that is acknowledged.
class Formendhinweis final : public QDialog, private desktop::FormendhinweisControls {
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

    bool optionSelected(int element) const override;
    void enableOk() override;
    void tell(const Message& message) override;
    void closeWith(Confirmation answer) override;

    QPlainTextEdit* txtWarnhinweis = nullptr;
    QRadioButton* optJANEIN_0 = nullptr;
    QRadioButton* optJANEIN_1 = nullptr;
    QPushButton* cmdOK = nullptr;
    MessageBoxes& boxes_;
    desktop::FormendhinweisHandlers handlers_;
};

} // namespace torvane::ui
