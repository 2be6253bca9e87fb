#include "ui/FRMHaupt.h"

#include "errors/RunError.h"
#include "ui/Fonts.h"
#include "ui/Formendhinweis.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace torvane::ui {
namespace {

// A run repaints once per record; painting more often than the eye follows
// would only slow it down. The last record is always painted.
constexpr qint64 RepaintIntervalMs = 30;

int whole(float value)
{
    return static_cast<int>(std::lround(value));
}

QPushButton* button(const char* name, const QString& text, QWidget* parent)
{
    auto* result = new QPushButton(text, parent);
    result->setObjectName(QLatin1String(name));
    result->setFont(trebuchet(13.5, true));
    result->setMinimumHeight(result->fontMetrics().height() + 14);
    result->setMinimumWidth(result->fontMetrics().horizontalAdvance(text) + 32);
    return result;
}

QLabel* label(const char* name, const QString& text, QWidget* parent)
{
    auto* result = new QLabel(text, parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

} // namespace

FRMHaupt::FRMHaupt(Session& session, ui::FileChooser& chooser, MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent), chooser_(chooser), boxes_(boxes), handlers_(session, *this)
{
    buildControls();
    connectHandlers();
}

void FRMHaupt::buildControls()
{
    setObjectName(QStringLiteral("FRMHaupt"));
    setWindowTitle(QStringLiteral("Torvane"));
    setWindowIcon(programIcon());
    setFont(trebuchet(14.25, true));

    cmdLoad_3 = button("cmdLoad_3", QStringLiteral("Reorg-Datei wählen"), this);
    lblfiletext_1 = label("lblfiletext_1", QStringLiteral("Pfad"), this);
    lblfiletext_1->setFont(trebuchet(12, false));
    txtfile_9 = new QLineEdit(this);
    txtfile_9->setObjectName(QStringLiteral("txtfile_9"));
    txtfile_9->setFont(trebuchet(12, true));
    txtfile_9->setReadOnly(true);
    txtfile_8 = new QPlainTextEdit(this);
    txtfile_8->setObjectName(QStringLiteral("txtfile_8"));
    txtfile_8->setFont(trebuchet(12, true));
    txtfile_8->setReadOnly(true);
    txtfile_8->setTabChangesFocus(true);
    lblsatz_3 = label("lblsatz_3", QStringLiteral("0"), this);
    lblsatz_3->setFont(trebuchet(24, true));
    // The counter grows while the run holds the thread and no layout pass
    // can make room: room for any record number is reserved from the start.
    lblsatz_3->setMinimumWidth(lblsatz_3->fontMetrics().horizontalAdvance(QStringLiteral(" 999999")));
    prgprogress_4 = new QProgressBar(this);
    prgprogress_4->setObjectName(QStringLiteral("prgprogress_4"));
    prgprogress_4->setTextVisible(false);
    // Likewise the bar keeps its place while hidden, so showing it needs no layout pass.
    QSizePolicy keepPlace = prgprogress_4->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    prgprogress_4->setSizePolicy(keepPlace);
    prgprogress_4->hide();
    cmdsynchronisieren_0 = button("cmdsynchronisieren_0", QStringLiteral("Start - Reorganisieren"), this);
    cmdsynchronisieren_0->setEnabled(false);
    cmdQuit = button("cmdQuit", QStringLiteral("Ende"), this);
    lblbuild = label("lblbuild", QStringLiteral("Builddatum:"), this);

    auto* loadRow = new QHBoxLayout;
    loadRow->addWidget(cmdLoad_3);
    loadRow->addStretch();
    auto* runRow = new QHBoxLayout;
    runRow->addWidget(lblsatz_3);
    runRow->addWidget(prgprogress_4, 1);
    runRow->addWidget(cmdsynchronisieren_0);
    auto* bottomRow = new QHBoxLayout;
    bottomRow->addWidget(lblbuild);
    bottomRow->addStretch();
    bottomRow->addWidget(cmdQuit);
    auto* column = new QVBoxLayout(this);
    column->addLayout(loadRow);
    column->addSpacing(6);
    column->addWidget(lblfiletext_1);
    column->addWidget(txtfile_9);
    column->addWidget(txtfile_8, 1);
    column->addLayout(runRow);
    column->addLayout(bottomRow);

    setTabOrder(cmdLoad_3, txtfile_9);
    setTabOrder(txtfile_9, txtfile_8);
    setTabOrder(txtfile_8, cmdsynchronisieren_0);
    setTabOrder(cmdsynchronisieren_0, cmdQuit);
    resize(720, 480);
}

void FRMHaupt::connectHandlers()
{
    connect(cmdLoad_3, &QPushButton::clicked, this, [this] { handlers_.cmdLoad_Click(3); });
    connect(cmdsynchronisieren_0, &QPushButton::clicked, this, [this] { handlers_.cmdsynchronisieren_Click(0); });
    connect(cmdQuit, &QPushButton::clicked, this, [this] { handlers_.cmdQuit_Click(); });
}

void FRMHaupt::Form_Load()
{
    handlers_.Form_Load();
}

void FRMHaupt::closeEvent(QCloseEvent* event)
{
    // Closing by the frame is "Ende".
    handlers_.cmdQuit_Click();
    event->setAccepted(handlers_.endReason().has_value());
}

std::optional<std::string> FRMHaupt::chooseFile(const desktop::ChooserRequest& request)
{
    const std::optional<QString> chosen =
        chooser_.chooseFile(this, {qtText(request.startFolder), qtText(request.title),
                                   qtText(request.filterDescription), qtText(request.filterPattern)});
    if (!chosen)
        return std::nullopt;
    std::string name;
    if (!logicText(*chosen, &name))
        throw RunError::raised(errnum::BadFileName, name);
    return name;
}

std::string FRMHaupt::buildCaption() const
{
    std::string caption;
    logicText(lblbuild->text(), &caption);
    return caption;
}

void FRMHaupt::setBuildCaption(const std::string& caption)
{
    lblbuild->setText(qtText(caption));
}

void FRMHaupt::setPathText(const std::string& text)
{
    txtfile_9->setText(qtText(text));
}

void FRMHaupt::enableStart()
{
    cmdsynchronisieren_0->setEnabled(true);
}

void FRMHaupt::finish(EndReason reason)
{
    hide();
    emit programEnded(reason);
}

void FRMHaupt::setLogText(const std::string& text)
{
    log_ = text;
    txtfile_8->setPlainText(qtLines(text));
}

void FRMHaupt::setProgressVisible(bool visible)
{
    prgprogress_4->setVisible(visible);
}

void FRMHaupt::setProgressMin(float value)
{
    prgprogress_4->setMinimum(whole(value));
}

void FRMHaupt::setProgressMax(float value)
{
    prgprogress_4->setMaximum(whole(value));
}

void FRMHaupt::setProgressValue(float value)
{
    prgprogress_4->setValue(whole(value));
}

void FRMHaupt::setCounterCaption(const std::string& caption)
{
    lblsatz_3->setText(qtText(caption));
}

void FRMHaupt::repaint()
{
    const bool last = prgprogress_4->value() >= prgprogress_4->maximum();
    if (!last && painted_.isValid() && painted_.elapsed() < RepaintIntervalMs)
        return;
    // Paints and flushes to the screen at once, without returning to the
    // event loop: the run holds the thread and takes no input.
    QWidget::repaint();
    painted_.start();
}

void FRMHaupt::setBusy(bool busy)
{
    // The pointer over this window only: a dialog shown meanwhile has its
    // own. Not busy, the window is as with a folder chosen: all buttons work.
    if (busy) {
        setCursor(Qt::WaitCursor);
        // Off the buttons, before they are disabled: the focus would move on
        // to the path box and mark its text.
        setFocus();
    } else {
        unsetCursor();
    }
    for (QPushButton* button : {cmdLoad_3, cmdsynchronisieren_0, cmdQuit})
        button->setEnabled(!busy);
}

void FRMHaupt::messageBox(const std::string& text, const std::string& title, MessageIcon icon)
{
    boxes_.show(this, icon, qtText(title), qtLines(text));
}

Confirmation FRMHaupt::showFinalConfirmation(const Message& onDoubt)
{
    Formendhinweis window(this, boxes_, onDoubt);
    return window.ask();
}

} // namespace torvane::ui
