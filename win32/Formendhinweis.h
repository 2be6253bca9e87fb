#pragma once

#include "desktop/FormendhinweisHandlers.h"
#include "reorg/RunWindow.h"
#include "win32/DialogWindow.h"

#include <windows.h>

namespace torvane::win32 {

// The last gate before the practice's tables are overwritten: the user
// states that a backup exists, or that they are not sure. Doubt is answered
// with a message over this window, which closes once that is acknowledged.
class Formendhinweis final : public DialogWindow, private desktop::FormendhinweisControls {
public:
    // Creates the window, hidden, owned by owner.
    Formendhinweis(HWND owner, Message onDoubt);

    // Shows the window modally until it closes. Closing it other than by OK
    // with the backup statement chosen (frame, Esc) counts as doubt.
    Confirmation ask();

private:
    void onCreate() override;
    void onCommand(int id, int notification) override;
    HWND initialFocus() const override;

    bool optionSelected(int element) const override;
    void enableOk() override;
    void tell(const Message& message) override;
    void closeWith(Confirmation answer) override;

    desktop::FormendhinweisHandlers handlers_;
};

} // namespace torvane::win32
