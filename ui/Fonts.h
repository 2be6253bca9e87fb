#pragma once

#include <QFont>

namespace torvane::ui {

// The windows' fonts. Where a named font is not installed, a sans serif of
// similar width stands in.
QFont trebuchet(qreal points, bool bold);
QFont arial(qreal points);
QFont tahoma(qreal points);

} // namespace torvane::ui
