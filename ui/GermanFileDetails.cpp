#include "ui/GermanFileDetails.h"

#include <QFileSystemModel>
#include <QLocale>

namespace torvane::ui {
namespace {

// The columns of Qt's file model.
constexpr int SizeColumn = 1;
constexpr int DateColumn = 3;

} // namespace

QVariant GermanFileDetails::data(const QModelIndex& index, int role) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (role != Qt::DisplayRole || files == nullptr || (index.column() != SizeColumn && index.column() != DateColumn))
        return QIdentityProxyModel::data(index, role);
    const QFileInfo file = files->fileInfo(mapToSource(index));
    if (index.column() == DateColumn)
        return QLocale().toString(file.lastModified(), QLocale::ShortFormat);
    return file.isDir() ? QString() : QLocale().formattedDataSize(file.size());
}

} // namespace torvane::ui
