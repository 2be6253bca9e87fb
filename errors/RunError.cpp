#include "errors/RunError.h"

#include "errors/RunTimeTexts.h"

namespace torvane {

RunError RunError::raised(int number, int lastOsError)
{
    return RunError{number, runTimeText(number), ProgramTitle, lastOsError};
}

RunError RunError::raised(int number, const std::string& detail, int lastOsError)
{
    RunError error = raised(number, lastOsError);
    if (!detail.empty())
        error.text += ": " + detail;
    return error;
}

RunError RunError::fromStatus(const Status& status)
{
    return raised(status.number(), status.path(), status.osError());
}

} // namespace torvane
