#include "ui/ExitStatus.h"

namespace torvane::ui {

int exitStatus(EndReason reason)
{
    switch (reason) {
    case EndReason::CopiedBack:
    case EndReason::Quit:
        return 0;
    case EndReason::Doubt:
        return 3;
    case EndReason::NothingToDo:
        return 4;
    case EndReason::Refused:
        return 5;
    case EndReason::ErrorsBeforeCopyBack:
        return 6;
    case EndReason::Aborted:
    case EndReason::NoFolder:
        break;
    }
    return 1;
}

} // namespace torvane::ui
