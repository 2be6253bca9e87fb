#include "ui/WholeLinesTextBox.h"

#include <QClipboard>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextOption>

#include <algorithm>

namespace torvane::ui {
namespace {

constexpr int SidePadding = 2;

} // namespace

WholeLinesTextBox::WholeLinesTextBox(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setSingleStep(1);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(), qOverload<>(&QWidget::update));
    layOut();
}

void WholeLinesTextBox::setPlainText(const QString& text)
{
    text_ = text;
    layOut();
}

int WholeLinesTextBox::pitch() const
{
    return std::max(fontMetrics().lineSpacing(), 1);
}

void WholeLinesTextBox::layOut()
{
    const QRect inner = contentsRect();
    const int visible = std::max(inner.height() / pitch(), 1);
    const int spare = std::max(inner.height() - visible * pitch(), 0);
    setViewportMargins(SidePadding, spare / 2, SidePadding, spare - spare / 2);

    // The scroll bar takes width from the text: with it the text may need
    // more lines, never fewer.
    const qreal width = inner.width() - 2 * SidePadding;
    const bool scrolls = layOutLines(width) > visible;
    if (scrolls)
        layOutLines(width - verticalScrollBar()->sizeHint().width());
    setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setRange(0, std::max(static_cast<int>(lines_.size()) - visible, 0));
    verticalScrollBar()->setPageStep(visible);
    viewport()->update();
}

int WholeLinesTextBox::layOutLines(qreal width)
{
    paragraphs_.clear();
    lines_.clear();
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    for (const QString& paragraph : text_.split(QLatin1Char('\n'))) {
        auto layout = std::make_unique<QTextLayout>(paragraph, font());
        layout->setTextOption(option);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLineWidth(std::max(width, 1.0));
            line.setPosition(QPointF(0, static_cast<qreal>(lines_.size()) * pitch()));
            lines_.emplace_back(layout.get(), line.lineNumber());
        }
        layout->endLayout();
        paragraphs_.push_back(std::move(layout));
    }
    return static_cast<int>(lines_.size());
}

std::vector<QRect> WholeLinesTextBox::lineRects() const
{
    std::vector<QRect> rects;
    const int first = verticalScrollBar()->value();
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i)
        rects.emplace_back(0, (i - first) * pitch(), viewport()->width(), pitch());
    return rects;
}

void WholeLinesTextBox::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.setPen(palette().color(QPalette::Text));
    const QPointF scrolled(0, -verticalScrollBar()->value() * pitch());
    for (const auto& [layout, number] : lines_) {
        const QTextLine line = layout->lineAt(number);
        if (line.y() + scrolled.y() >= 0 && line.y() + scrolled.y() + pitch() <= viewport()->height())
            line.draw(&painter, scrolled);
    }
}

void WholeLinesTextBox::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    layOut();
}

void WholeLinesTextBox::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        layOut();
}

void WholeLinesTextBox::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy))
        QGuiApplication::clipboard()->setText(text_);
    else
        QAbstractScrollArea::keyPressEvent(event);
}

} // namespace torvane::ui
