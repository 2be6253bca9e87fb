#include "platform/Clock.h"

#include <windows.h>

namespace torvane {

LocalDateTime SystemClock::now() const
{
    SYSTEMTIME local{};
    ::GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

} // namespace torvane
