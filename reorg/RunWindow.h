#pragma once

#include <string>
#include <vector>

namespace torvane {

enum class MessageIcon { Information, Exclamation };

// What the user said in the final confirmation window.
enum class Confirmation {
    Backup, // "Ich habe eine Sicherheitskopie angefertigt …"
    Doubt,  // "Ich bin mir nicht sicher …", or the window closed otherwise
};

// What a message box shows. Lines in `text` are separated by single
// carriage returns.
struct Message {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::Information;
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
    // While busy the window shows the wait pointer and its buttons take no
    // input. A run starts from the window with a folder chosen, and returns
    // it to that state while it waits for the user.
    virtual void setBusy(bool busy) = 0;

    // Lines in `text` are separated by single carriage returns. Returns once
    // the user has acknowledged the message.
    virtual void messageBox(const std::string& text, const std::string& title, MessageIcon icon) = 0;

    // The completion message, and the warnings about what the run will lose
    // (each "table file: what happens", the most important first), in the
    // order this front end shows them; returns once the user has seen both.
    virtual void showCompletion(const Message& completion, const std::vector<std::string>& warnings) = 0;

    // The final confirmation window, modal and owned by the main window.
    // Doubt is answered with `onDoubt` while the window is still shown; the
    // window closes once that message is acknowledged.
    virtual Confirmation showFinalConfirmation(const Message& onDoubt) = 0;
};

} // namespace torvane
