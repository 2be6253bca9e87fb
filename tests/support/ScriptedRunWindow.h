#pragma once

#include "reorg/RunWindow.h"

#include <functional>
#include <string>
#include <vector>

namespace torvane::testsupport {

// The main window as a run sees it: every call recorded in order as one
// line, the final confirmation answered as scripted.
class ScriptedRunWindow final : public RunWindow {
public:
    explicit ScriptedRunWindow(Confirmation answer) : answer_(answer) {}

    void setLogText(const std::string& text) override
    {
        log = text;
        events.push_back("log " + text);
    }
    std::string logText() const override { return log; }
    void setProgressVisible(bool visible) override { events.push_back(visible ? "show progress" : "hide progress"); }
    void setProgressMin(float value) override { events.push_back("min " + whole(value)); }
    void setProgressMax(float value) override { events.push_back("max " + whole(value)); }
    void setProgressValue(float value) override { events.push_back("value " + whole(value)); }
    void setCounterCaption(const std::string& caption) override { events.push_back("caption " + caption); }
    void repaint() override { events.push_back("repaint"); }
    void setBusy(bool busy) override { events.push_back(busy ? "busy" : "idle"); }
    void messageBox(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        events.push_back(title + (icon == MessageIcon::Information ? " (i): " : " (!): ") + text);
    }
    void showCompletion(const Message& completion, const std::vector<std::string>& shown) override
    {
        messageBox(completion.text, completion.title, completion.icon);
        for (const std::string& warning : shown)
            events.push_back("warning " + warning);
        warnings = shown;
    }
    Confirmation showFinalConfirmation(const Message& onDoubt) override
    {
        events.push_back("confirmation");
        if (whileConfirming)
            whileConfirming();
        if (answer_ == Confirmation::Doubt)
            messageBox(onDoubt.text, onDoubt.title, onDoubt.icon);
        events.push_back("confirmation closed");
        return answer_;
    }

    std::string log;
    std::vector<std::string> events;
    std::vector<std::string> warnings;
    // What happens elsewhere while the window waits.
    std::function<void()> whileConfirming;

private:
    static std::string whole(float value) { return std::to_string(static_cast<int>(value)); }

    Confirmation answer_;
};

} // namespace torvane::testsupport
