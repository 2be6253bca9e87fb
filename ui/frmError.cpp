#include "ui/frmError.h"

#include "errors/ProgramEnd.h"
#include "errors/RunError.h"
#include "errors/Trap.h"
#include "ui/BugReport.h"
#include "ui/Fonts.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"
#include "ui/WholeLinesTextBox.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWindow>

#include <cmath>

namespace torvane::ui {
namespace {

constexpr int AbortResult = 2;
constexpr int FoldedTwips = 1785;
constexpr int UnfoldedTwips = 3375;
constexpr int ClientWidthTwips = 5745;
constexpr int DesignHeightTwips = 3045;
const QString Unfold = QStringLiteral("D&etails >>");
const QString Fold = QStringLiteral("<< D&etails");

// 15 twips to the pixel at 96 dpi.
int pixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

QRect twips(int left, int top, int width, int height)
{
    return {pixels(left), pixels(top), pixels(width), pixels(height)};
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

frmError::frmError(const ErrorLog& log, ErrorReporter& errors, const BugReportRoute& route, QWidget* owner)
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
    setFixedSize(pixels(ClientWidthTwips), pixels(DesignHeightTwips));

    imgImage_0 = place(new QLabel(this), "imgImage_0", twips(120, 120, 480, 480));
    imgImage_0->setPixmap(errorPicture());
    imgImage_2 = place(new QLabel(this), "imgImage_2", twips(120, 120, 480, 480));
    imgImage_2->setPixmap(programPicture());
    txtMsg = onButtonFace(place(new WholeLinesTextBox(this), "txtMsg", twips(720, 120, 3615, 615)));
    cmdOK = button("cmdOK", QStringLiteral("O&K"), twips(4440, 160, 1200, 330), this);
    cmdExit = button("cmdExit", QStringLiteral("&Abbruch"), twips(4440, 525, 1200, 330), this);
    cmdDetails = button("cmdDetails", Unfold, twips(4440, 1005, 1200, 330), this);
    cmdbugreport = button("cmdbugreport", QStringLiteral("Bugreport per E-Mail senden"), twips(120, 720, 3615, 615),
                          this);
    cmdbugreport->setIcon(mailPicture());
    cmdbugreport->setIconSize(mailPicture().size());
    txtDetails = textBox("txtDetails", twips(120, 1440, 5535, 1455), this);
    txtDetails->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtDetails->hide();
    frlongname = place(new QFrame(this), "frlongname", twips(-360, 0, 6615, 30));
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
    trap([&] { setOuterHeight(FoldedTwips); });
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
    const bool unfold = cmdDetails->text() == Unfold;
    trap([&] { setOuterHeight(unfold ? UnfoldedTwips : FoldedTwips); });
    trap([&] { cmdDetails->setText(unfold ? Fold : Unfold); });
    trap([&] { txtDetails->setVisible(unfold); });
}

void frmError::cmdbugreport_Click()
{
    Trap trap(errors(), "Error in frmError: Sub cmdbugreport_Click");
    std::string attachment;
    // The log is "Errorlog.txt": the attachment names the file as it exists,
    // whatever the case of the name asked for.
    trap([&] { attachment = route_.env.existingName(errorLog_.fileInTemp("errorlog.txt")); });
    std::string url;
    trap([&] { url = bugReportUrl(route_.supportAddress, ProgramTitle, attachment); });
    // Whether a mail program took it is not known, and not needed.
    trap([&] { route_.env.openUrl(url); });
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
    setFixedSize(pixels(ClientWidthTwips), pixels(twips) - frame.top() - frame.bottom());
}

} // namespace torvane::ui
