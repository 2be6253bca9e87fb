#pragma once

#include "reorg/RunWindow.h"

#include <cstdint>

namespace torvane::desktop {

// The final confirmation window as its handlers use it.
class FormendhinweisControls {
public:
    virtual ~FormendhinweisControls() = default;

    // optJANEIN element 0 (the backup statement) or 1 (doubt) is selected.
    virtual bool optionSelected(int element) const = 0;
    virtual void enableOk() = 0;
    // A message box over the window, which is still shown; returns once it
    // is acknowledged.
    virtual void tell(const Message& message) = 0;
    // Closes the window; the run goes on with the answer.
    virtual void closeWith(Confirmation answer) = 0;
};

// The last gate before the practice's tables are overwritten, the same in
// every desktop program: OK stays disabled until a statement is chosen; OK
// with the backup statement lets the run go on; doubt — by the statement,
// Esc or the frame — is answered with a message over this window, which
// closes once that is acknowledged.
class FormendhinweisHandlers {
public:
    FormendhinweisHandlers(FormendhinweisControls& controls, Message onDoubt)
        : controls_(controls), onDoubt_(std::move(onDoubt))
    {
    }

    void optJANEIN_Click(std::int16_t Index);
    void cmdOK_Click();
    // Esc and the frame.
    void refuse();

private:
    FormendhinweisControls& controls_;
    Message onDoubt_;
};

} // namespace torvane::desktop
