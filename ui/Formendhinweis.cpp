#include "ui/Formendhinweis.h"

#include "reorg/RunTexts.h"
#include "ui/Fonts.h"
#include "ui/Pictures.h"
#include "ui/QtText.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextDocument>
#include <QVBoxLayout>

#include <algorithm>

namespace torvane::ui {
namespace {

// Large enough for the whole warning without scroll bars.
QSize sizeForText(const QPlainTextEdit& box)
{
    const int margins = static_cast<int>(box.document()->documentMargin() * 2) + box.frameWidth() * 2 + 4;
    const QStringList lines = box.toPlainText().split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, box.fontMetrics().horizontalAdvance(line));
    return {width + margins, box.fontMetrics().lineSpacing() * static_cast<int>(lines.size()) + margins};
}

QRadioButton* option(const char* name, const std::string& text, QWidget* parent)
{
    auto* result = new QRadioButton(qtText(text), parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

} // namespace

Formendhinweis::Formendhinweis(QWidget* owner, MessageBoxes& boxes, Message onDoubt)
    : QDialog(owner), boxes_(boxes), handlers_(*this, std::move(onDoubt))
{
    buildControls();
    connect(optJANEIN_0, &QRadioButton::clicked, this, [this] { handlers_.optJANEIN_Click(0); });
    connect(optJANEIN_1, &QRadioButton::clicked, this, [this] { handlers_.optJANEIN_Click(1); });
    connect(cmdOK, &QPushButton::clicked, this, [this] { handlers_.cmdOK_Click(); });
}

void Formendhinweis::buildControls()
{
    setObjectName(QStringLiteral("Formendhinweis"));
    setWindowTitle(QStringLiteral("Endhinweis"));
    setWindowIcon(programIcon());
    setFont(arial(14.25));

    txtWarnhinweis = new QPlainTextEdit(qtLines(texts::confirmationWarning()), this);
    txtWarnhinweis->setObjectName(QStringLiteral("txtWarnhinweis"));
    txtWarnhinweis->setReadOnly(true);
    txtWarnhinweis->setTabChangesFocus(true);
    txtWarnhinweis->setLineWrapMode(QPlainTextEdit::NoWrap);
    txtWarnhinweis->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtWarnhinweis->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QSize whole = sizeForText(*txtWarnhinweis);
    txtWarnhinweis->setMinimumWidth(whole.width());
    txtWarnhinweis->setFixedHeight(whole.height());
    optJANEIN_0 = option("optJANEIN_0", texts::confirmationBackup(), this);
    optJANEIN_1 = option("optJANEIN_1", texts::confirmationDoubt(), this);
    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setEnabled(false);
    cmdOK->setMinimumWidth(cmdOK->fontMetrics().horizontalAdvance(QStringLiteral("OK")) * 4);

    auto* column = new QVBoxLayout(this);
    column->setSpacing(12);
    column->addWidget(txtWarnhinweis);
    column->addWidget(optJANEIN_0);
    column->addWidget(optJANEIN_1);
    column->addWidget(cmdOK, 0, Qt::AlignHCenter);
    column->setSizeConstraint(QLayout::SetFixedSize);

    setTabOrder(txtWarnhinweis, optJANEIN_0);
    setTabOrder(optJANEIN_0, optJANEIN_1);
    setTabOrder(optJANEIN_1, cmdOK);
}

Confirmation Formendhinweis::ask()
{
    return exec() == QDialog::Accepted ? Confirmation::Backup : Confirmation::Doubt;
}

void Formendhinweis::reject()
{
    handlers_.refuse();
}

bool Formendhinweis::optionSelected(int element) const
{
    return (element == 0 ? optJANEIN_0 : optJANEIN_1)->isChecked();
}

void Formendhinweis::enableOk()
{
    cmdOK->setEnabled(true);
}

void Formendhinweis::tell(const Message& message)
{
    boxes_.show(this, message.icon, qtText(message.title), qtLines(message.text));
}

void Formendhinweis::closeWith(Confirmation answer)
{
    if (answer == Confirmation::Backup)
        accept();
    else
        QDialog::reject();
}

} // namespace torvane::ui
