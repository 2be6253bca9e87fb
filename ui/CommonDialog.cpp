#include "ui/CommonDialog.h"

#include "errors/RunError.h"
#include "ui/QtText.h"

namespace torvane::ui {

void CommonDialog::ShowOpen(QWidget* parent)
{
    const std::size_t bar = Filter.find('|');
    ChooserRequest request;
    request.startFolder = qtText(InitDir);
    request.title = qtText(DialogTitle);
    request.filterDescription = qtText(Filter.substr(0, bar));
    request.filterPattern = bar == std::string::npos ? QString() : qtText(Filter.substr(bar + 1));

    const std::optional<QString> chosen = chooser_.chooseFile(parent, request);
    if (!chosen) {
        if (CancelError)
            throw RunError::raised(errnum::ChooserCancelled);
        return;
    }
    std::string name;
    if (!logicText(*chosen, &name))
        throw RunError::raised(errnum::BadFileName, name);
    FileName = name;
}

} // namespace torvane::ui
