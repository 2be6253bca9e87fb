#pragma once

#include <QIdentityProxyModel>

namespace torvane::ui {

// The file chooser's size and date columns in the program's locale: Qt's
// file model writes them in the machine's, which need not be German.
class GermanFileDetails final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override;
};

} // namespace torvane::ui
