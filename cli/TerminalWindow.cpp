#include "cli/TerminalWindow.h"

#include "cli/TerminalText.h"
#include "errors/ProgramEnd.h"
#include "reorg/CheckTexts.h"
#include "reorg/RunTexts.h"

#include <algorithm>
#include <string>

namespace torvane::cli {
namespace {

constexpr int BarWidth = 40;

// The completion message ends with the output folder on a line of its own.
std::string lastLine(std::string text)
{
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    const std::size_t cr = text.rfind('\r');
    return cr == std::string::npos ? text : text.substr(cr + 1);
}

// Lines ended by CR LF, those that are warnings left out.
std::string withoutWarnings(const std::string& lines)
{
    std::string kept;
    std::size_t start = 0;
    while (start < lines.size()) {
        const std::size_t end = lines.find("\r\n", start);
        const std::size_t next = end == std::string::npos ? lines.size() : end + 2;
        if (lines.compare(start, std::string_view(texts::WarningPrefix).size(), texts::WarningPrefix) != 0)
            kept.append(lines, start, next - start);
        start = next;
    }
    return kept;
}

} // namespace

void TerminalWindow::setLogText(const std::string& text)
{
    // The log box only ever grows by whole lines during a run; print what is new.
    if (text.size() > log_.size() && text.compare(0, log_.size(), log_) == 0) {
        clearProgressLine();
        terminal_.out << terminalText(withoutWarnings(text.substr(log_.size()))) << std::flush;
    }
    log_ = text;
}

void TerminalWindow::setProgressVisible(bool visible)
{
    if (!visible)
        clearProgressLine();
    progressVisible_ = visible;
}

void TerminalWindow::repaint()
{
    if (!progressVisible_ || !terminal_.errorIsTerminal)
        return;
    const float span = std::max(max_ - min_, 1.0f);
    const int permille = std::clamp(static_cast<int>((value_ - min_) * 1000 / span), 0, 1000);
    if (permille == drawnPermille_)
        return;
    drawnPermille_ = permille;
    const int filled = permille * BarWidth / 1000;
    terminal_.err << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
                  << std::string(static_cast<std::size_t>(BarWidth - filled), ' ') << "] " << counter_ << " / "
                  << static_cast<long>(max_) << std::flush;
    progressDrawn_ = true;
}

void TerminalWindow::clearProgressLine()
{
    if (!progressDrawn_)
        return;
    terminal_.err << "\r" << std::string(BarWidth + 30, ' ') << "\r" << std::flush;
    progressDrawn_ = false;
    drawnPermille_ = -1;
}

void TerminalWindow::messageBox(const std::string& text, const std::string& title, MessageIcon)
{
    clearProgressLine();
    if (title == "...und fertig!")
        outputFolder_ = lastLine(text);
    terminal_.out << "\n" << terminalText(title) << "\n" << terminalText(text);
    if (text.empty() || text.back() != '\r')
        terminal_.out << "\n";
    terminal_.out << std::flush;
    if (terminal_.inputIsTerminal) {
        terminal_.out << "[Eingabetaste]" << std::flush;
        std::string ignored;
        std::getline(terminal_.in, ignored);
    }
}

void TerminalWindow::showCompletion(const Message& completion, const std::vector<std::string>& warnings)
{
    clearProgressLine();
    for (const std::string& warning : warnings)
        terminal_.err << terminalText(texts::WarningPrefix + warning) << "\n";
    terminal_.err << std::flush;
    messageBox(completion.text, completion.title, completion.icon);
}

bool TerminalWindow::interactive() const
{
    return confirm_ == ConfirmOption::Ask && terminal_.inputIsTerminal;
}

Confirmation TerminalWindow::showFinalConfirmation(const Message& onDoubt)
{
    const Confirmation choice = choose();
    if (choice == Confirmation::Doubt)
        messageBox(onDoubt.text, onDoubt.title, onDoubt.icon);
    return choice;
}

Confirmation TerminalWindow::choose()
{
    // Unattended, a run that reported errors never overwrites the practice's files.
    if (!interactive() && dialogs_.reportedErrors() > 0) {
        terminal_.err << "\nDie Originaldaten werden nicht ersetzt: Während des Laufs wurden "
                      << dialogs_.reportedErrors()
                      << " Fehler gemeldet, und ohne Rückfrage wird nach einem Fehler nichts überschrieben.\n"
                      << "Die Ergebnisse liegen im Ausgabeordner "
                      << (outputFolder_.empty() ? "(siehe Meldung oben)" : terminalText(outputFolder_))
                      << ",\ndas Fehlerprotokoll in " << terminalText(errorLogPath_) << "\n";
        endProgram(EndReason::ErrorsBeforeCopyBack);
    }
    switch (confirm_) {
    case ConfirmOption::Backup:
        return Confirmation::Backup;
    case ConfirmOption::Doubt:
        return Confirmation::Doubt;
    case ConfirmOption::Ask:
        break;
    }
    return askConfirmation();
}

Confirmation TerminalWindow::askConfirmation()
{
    terminal_.out << "\nEndhinweis\n"
                  << terminalText(texts::confirmationWarning()) << "\n\n"
                  << "  1  " << terminalText(texts::confirmationBackup()) << "\n"
                  << "  2  " << terminalText(texts::confirmationDoubt()) << "\n"
                  << "Auswahl (1 oder 2): " << std::flush;
    std::string answer;
    if (std::getline(terminal_.in, answer) && answer == "1")
        return Confirmation::Backup;
    return Confirmation::Doubt;
}

} // namespace torvane::cli
