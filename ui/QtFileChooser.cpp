#include "ui/QtFileChooser.h"

#include "ui/GermanFileDetails.h"

#include <QFileDialog>
#include <QHeaderView>
#include <QTreeView>

namespace torvane::ui {

std::unique_ptr<QFileDialog> QtFileChooser::makeDialog(QWidget* parent, const ChooserRequest& request)
{
    auto dialog = std::make_unique<QFileDialog>(parent, request.title, request.startFolder);
    dialog->setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    // Qt takes the pattern from the last parentheses; hiding the details
    // leaves the description, parentheses and all, as the entry's text.
    dialog->setNameFilter(request.filterDescription + QStringLiteral(" (") + request.filterPattern +
                          QStringLiteral(")"));
    dialog->setProxyModel(new GermanFileDetails(dialog.get()));
    // Every detail whole: the columns as wide as their texts, the name taking the rest.
    if (auto* details = dialog->findChild<QTreeView*>(QStringLiteral("treeView"))) {
        details->header()->setStretchLastSection(false);
        details->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        details->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    dialog->resize(dialog->sizeHint().expandedTo(QSize(760, 460)));
    return dialog;
}

std::optional<QString> QtFileChooser::chooseFile(QWidget* parent, const ChooserRequest& request)
{
    std::unique_ptr<QFileDialog> dialog = makeDialog(parent, request);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return dialog->selectedFiles().constFirst();
}

} // namespace torvane::ui
