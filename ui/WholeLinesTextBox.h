#pragma once

#include <QAbstractScrollArea>
#include <QRect>
#include <QString>
#include <QTextLayout>

#include <memory>
#include <utility>
#include <vector>

namespace torvane::ui {

// A read-only text box that never shows a line cut in half: its inner
// height holds as many whole lines as fit, with the rest above and below,
// and it scrolls by whole lines, with a scroll bar only when the text has
// more lines than fit. Lines wrap at word boundaries, long words anywhere.
// Ctrl+C copies the whole text.
class WholeLinesTextBox final : public QAbstractScrollArea {
public:
    explicit WholeLinesTextBox(QWidget* parent);

    void setPlainText(const QString& text);
    QString toPlainText() const { return text_; }

    // Where each line of the text is painted in the viewport at the present
    // scroll position; lines scrolled away lie outside it.
    std::vector<QRect> lineRects() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void layOut();
    int layOutLines(qreal width);
    int pitch() const;

    QString text_;
    std::vector<std::unique_ptr<QTextLayout>> paragraphs_;
    std::vector<std::pair<QTextLayout*, int>> lines_; // paragraph, line within it
};

} // namespace torvane::ui
