#include "win32/Win32ErrorDialogFactory.h"

#include "win32/frmError.h"

namespace torvane::win32 {

std::unique_ptr<ErrorDialog> Win32ErrorDialogFactory::load(const ErrorLog& log, ErrorReporter& errors)
{
    return std::make_unique<frmError>(log, errors, route_, IsWindow(owner_) ? owner_ : nullptr);
}

void Win32ErrorDialogFactory::resetMousePointer()
{
    SetCursor(LoadCursorW(nullptr, IDC_ARROW));
}

} // namespace torvane::win32
