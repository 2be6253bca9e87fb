#include "desktop/FormendhinweisHandlers.h"

namespace torvane::desktop {

void FormendhinweisHandlers::optJANEIN_Click(std::int16_t)
{
    controls_.enableOk();
}

void FormendhinweisHandlers::cmdOK_Click()
{
    if (controls_.optionSelected(0))
        controls_.closeWith(Confirmation::Backup);
    else if (controls_.optionSelected(1))
        refuse();
}

void FormendhinweisHandlers::refuse()
{
    controls_.tell(onDoubt_);
    controls_.closeWith(Confirmation::Doubt);
}

} // namespace torvane::desktop
