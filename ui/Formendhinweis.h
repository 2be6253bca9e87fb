#pragma once

#include "reorg/RunWindow.h"

#include <QDialog>

#include <cstdint>

class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace torvane::ui {

// The last gate before the practice's tables are overwritten: the user
// states that a backup exists, or that they are not sure.
class Formendhinweis final : public QDialog {
    Q_OBJECT

public:
    explicit Formendhinweis(QWidget* owner);

    // Shows the window modally until it closes. Closing it other than by OK
    // with the backup statement chosen (frame, Esc) counts as doubt.
    Confirmation ask();

private:
    void buildControls();
    void optJANEIN_Click(std::int16_t Index);
    void cmdOK_Click();

    QPlainTextEdit* txtWarnhinweis = nullptr;
    QRadioButton* optJANEIN_0 = nullptr;
    QRadioButton* optJANEIN_1 = nullptr;
    QPushButton* cmdOK = nullptr;
};

} // namespace torvane::ui
