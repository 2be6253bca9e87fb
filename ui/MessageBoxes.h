#pragma once

#include "reorg/RunWindow.h"

#include <QString>

class QWidget;

namespace torvane::ui {

// Message boxes with an OK button only: the desktop's, or an
// acknowledgement on the spot in tests.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Returns once the user has acknowledged the message.
    virtual void show(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void show(QWidget* parent, MessageIcon icon, const QString& title, const QString& text) override;
};

} // namespace torvane::ui
