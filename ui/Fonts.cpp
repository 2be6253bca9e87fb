#include "ui/Fonts.h"

#include <QStringList>

namespace torvane::ui {
namespace {

QFont font(const QStringList& families, qreal points, bool bold)
{
    QFont result;
    result.setFamilies(families);
    result.setStyleHint(QFont::SansSerif);
    result.setPointSizeF(points);
    result.setBold(bold);
    return result;
}

} // namespace

QFont trebuchet(qreal points, bool bold)
{
    return font({"Trebuchet MS", "Fira Sans", "Liberation Sans", "DejaVu Sans"}, points, bold);
}

QFont arial(qreal points)
{
    return font({"Arial", "Liberation Sans", "Arimo", "DejaVu Sans"}, points, false);
}

QFont tahoma(qreal points)
{
    return font({"Tahoma", "DejaVu Sans Condensed", "Liberation Sans", "DejaVu Sans"}, points, false);
}

} // namespace torvane::ui
