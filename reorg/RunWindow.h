#pragma once

#include <string>

namespace torvane {

enum class MessageIcon { Information, Exclamation };

// What the user said in the final confirmation window.
enum class Confirmation {
    Backup,  // "Ich habe eine Sicherheitskopie angefertigt …"
    Doubt,   // "Ich bin mir nicht sicher …", or the window closed otherwise
};

// The main window as the reorganisation run uses it. The desktop window, the
// terminal front end and tests each provide it. Texts are Windows-1252.
class RunWindow {
public:
    virtual ~RunWindow() = default;

    // The multi-line log box.
    virtual void setLogText(const std::string& text) = 0;
    virtual std::string logText() const = 0;

    virtual void setProgressVisible(bool visible) = 0;
    virtual void setProgressMin(float value) = 0;
    virtual void setProgressMax(float value) = 0;
    virtual void setProgressValue(float value) = 0;

    // The record counter label.
    virtual void setCounterCaption(const std::string& caption) = 0;
    // Shows the window's current state while the run goes on working.
    virtual void repaint() = 0;

    // Lines in `text` are separated by single carriage returns. Returns once
    // the user has acknowledged the message.
    virtual void messageBox(const std::string& text, const std::string& title, MessageIcon icon) = 0;

    // The final confirmation window, modal and owned by the main window.
    virtual Confirmation showFinalConfirmation() = 0;
};

} // namespace torvane
