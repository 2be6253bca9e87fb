#include "ui/frmError.h"

#include "desktop/frmErrorLayout.h"
#include "errors/ProgramEnd.h"
#include "errors/Trap.h"
#include "ui/Fonts.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"
#include "ui/WholeLinesTextBox.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

namespace torvane::ui {
namespace {

namespace layout = desktop::frmErrorLayout;

constexpr int AbortResult = 2;
// Qt lays out in pixels of 96 dpi and scales them to the screen itself.
constexpr int QtDpi = 96;

int pixels(int twips)
{
    return desktop::pixels(twips, QtDpi);
}

QRect twips(const desktop::TwipsRect& rect)
{
    return {pixels(rect.left), pixels(rect.top), pixels(rect.width), pixels(rect.height)};
}

QString qtCaption(std::string_view caption)
{
    return QString::fromLatin1(caption.data(), static_cast<qsizetype>(caption.size()));
}

template <class Widget>
Widget* place(Widget* widget, const char* name, const QRect& where)
{
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(where);
    return widget;
}

QPushButton* button(const char* name, const QString& text, const QRect& where, QWidget* parent)
{
    auto* result = place(new QPushButton(text, parent), name, where);
    result->setAutoDefault(false);
    return result;
}

template <class Box>
Box* onButtonFace(Box* box)
{
    QPalette buttonFace = box->palette();
    buttonFace.setColor(QPalette::Base, buttonFace.color(QPalette::Button));
    box->setPalette(buttonFace);
    return box;
}

QPlainTextEdit* textBox(const char* name, const QRect& where, QWidget* parent)
{
    auto* result = place(new QPlainTextEdit(parent), name, where);
    result->setReadOnly(true);
    result->setTabChangesFocus(true);
    return onButtonFace(result);
}

} // namespace

frmError::frmError(const ErrorLog& log, ErrorReporter& errors, const desktop::BugReportRoute& route, QWidget* owner)
    : QDialog(owner), ErrorDialogBase(log, errors), errorLog_(log), route_(route)
{
    Form_Load();
}

void frmError::Form_Load()
{
    Trap trap(errors(), "Error in frmError: Sub Form_Load");
    trap([&] { buildControls(); });
    trap([&] {
        connect(cmdOK, &QPushButton::clicked, this, [this] { handle([this] { cmdOK_Click(); }); });
        connect(cmdExit, &QPushButton::clicked, this, [this] { handle([this] { cmdExit_Click(); }); });
        connect(cmdDetails, &QPushButton::clicked, this, [this] { handle([this] { cmdDetails_Click(); }); });
        connect(cmdbugreport, &QPushButton::clicked, this, [this] { handle([this] { cmdbugreport_Click(); }); });
    });
}

void frmError::buildControls()
{
    setObjectName(QStringLiteral("frmError"));
    setWindowTitle(QStringLiteral("Fehlerbericht"));
    setWindowIcon(programIcon());
    setFont(tahoma(8.25));
    setFixedSize(pixels(layout::ClientWidth), pixels(layout::DesignHeight));

    imgImage_0 = place(new QLabel(this), "imgImage_0", twips(layout::imgImage));
    imgImage_0->setPixmap(errorPicture());
    imgImage_2 = place(new QLabel(this), "imgImage_2", twips(layout::imgImage));
    imgImage_2->setPixmap(programPicture());
    txtMsg = onButtonFace(place(new WholeLinesTextBox(this), "txtMsg", twips(layout::txtMsg)));
    cmdOK = button("cmdOK", QStringLiteral("O&K"), twips(layout::cmdOK), this);
    cmdExit = button("cmdExit", QStringLiteral("&Abbruch"), twips(layout::cmdExit), this);
    cmdDetails = button("cmdDetails", qtCaption(layout::Unfold), twips(layout::cmdDetails), this);
    cmdbugreport =
        button("cmdbugreport", QStringLiteral("Bugreport per E-Mail senden"), twips(layout::cmdbugreport), this);
    cmdbugreport->setIcon(mailPicture());
    cmdbugreport->setIconSize(mailPicture().size());
    txtDetails = textBox("txtDetails", twips(layout::txtDetails), this);
    txtDetails->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDetails->hide();
    frlongname = place(new QFrame(this), "frlongname", twips(layout::frlongname));
    frlongname->setFrameShape(QFrame::HLine);
    frlongname->setFrameShadow(QFrame::Sunken);

    setTabOrder(cmdOK, cmdExit);
    setTabOrder(cmdExit, txtMsg);
    setTabOrder(txtMsg, cmdDetails);
    setTabOrder(cmdDetails, txtDetails);
    setTabOrder(txtDetails, cmdbugreport);
}

void frmError::setDetailsText(const std::string& text)
{
    txtDetails->setPlainText(qtLines(text));
}

void frmError::SetForm(bool)
{
    Trap trap(errors(), "Error in frmError: Sub SetForm");
    trap([&] {
        imgImage_0->show();
        imgImage_2->hide();
    });
    trap([&] {
        cmdOK->show();
        cmdExit->show();
        cmdDetails->show();
        cmdbugreport->show();
    });
    trap([&] { cmdOK->setDefault(true); });
    trap([&] { setOuterHeight(layout::FoldedHeight); });
    trap([&] { setWindowTitle(QStringLiteral("Fehler")); });
    trap([&] { cmdDetails->setEnabled(true); });
    trap([&] { cmdOK->setFocus(); });
}

void frmError::setInformationLayout()
{
    imgImage_0->hide();
    imgImage_2->show();
    cmdExit->hide();
    setWindowTitle(QStringLiteral("Information"));
}

void frmError::disableOk()
{
    cmdOK->setEnabled(false);
}

void frmError::setMessageText(const std::string& text)
{
    txtMsg->setPlainText(qtLines(text));
}

DialogAnswer frmError::showModal()
{
    return exec() == QDialog::Accepted ? DialogAnswer::Ok : DialogAnswer::Abort;
}

void frmError::reject()
{
    if (cmdOK->isEnabled() && cmdOK->isVisible())
        cmdOK->click();
}

void frmError::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (heightTwips_ != 0)
        setOuterHeight(heightTwips_);
}

void frmError::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && heightTwips_ != 0)
        setOuterHeight(heightTwips_);
}

void frmError::cmdOK_Click()
{
    Trap trap(errors(), "Error in frmError: Sub cmdOK_Click");
    trap([&] { accept(); });
}

void frmError::cmdExit_Click()
{
    Trap trap(errors(), "Error in frmError: Sub cmdExit_Click");
    trap([&] { done(AbortResult); });
}

void frmError::cmdDetails_Click()
{
    Trap trap(errors(), "Error in frmError: Sub cmdDetails_Click");
    const layout::Details next = layout::afterDetailsClick(cmdDetails->text().toStdString());
    trap([&] { setOuterHeight(next.outerHeight); });
    trap([&] { cmdDetails->setText(qtCaption(next.caption)); });
    trap([&] { txtDetails->setVisible(next.unfolded); });
}

void frmError::cmdbugreport_Click()
{
    desktop::cmdbugreport_Click(route_, errorLog_, errors());
}

template <class Handler>
void frmError::handle(Handler&& handler)
{
    try {
        handler();
    } catch (const ProgramEnd&) {
        done(AbortResult);
    }
}

void frmError::setOuterHeight(int twips)
{
    heightTwips_ = twips;
    const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    setFixedSize(pixels(layout::ClientWidth), pixels(twips) - frame.top() - frame.bottom());
}

} // namespace torvane::ui
