#pragma once

class QCoreApplication;

namespace torvane::ui {

// Qt's own texts (the file chooser, the standard buttons of message boxes)
// in German whatever the desktop's language, dates and numbers in German
// too: the practice's staff read German. False when Qt's German
// translations are not installed; Qt's texts then stay English.
bool installGermanQtTexts(QCoreApplication& app);

} // namespace torvane::ui
