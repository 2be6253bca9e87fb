#include "desktop/CommonDialog.h"

#include "errors/RunError.h"

namespace torvane::desktop {

void CommonDialog::ShowOpen(FileChooser& chooser)
{
    const std::size_t bar = Filter.find('|');
    ChooserRequest request;
    request.startFolder = InitDir;
    request.title = DialogTitle;
    request.filterDescription = Filter.substr(0, bar);
    request.filterPattern = bar == std::string::npos ? std::string() : Filter.substr(bar + 1);

    const std::optional<std::string> chosen = chooser.chooseFile(request);
    if (!chosen) {
        if (CancelError)
            throw RunError::raised(errnum::ChooserCancelled);
        return;
    }
    FileName = *chosen;
}

} // namespace torvane::desktop
