#pragma once

#include "platform/RunWindow.h"

#include <string>
#include <vector>

namespace torvane::testsupport {

// The main window as a run sees it, recording what the run shows and
// answering the final confirmation as scripted.
class ScriptedRunWindow final : public RunWindow {
public:
    struct Message {
        std::string text;
        std::string title;
        MessageIcon icon;
    };

    explicit ScriptedRunWindow(Confirmation answer) : answer_(answer) {}

    void setLogText(const std::string& text) override
    {
        log = text;
        events.push_back("log");
    }
    std::string logText() const override { return log; }
    void setProgressVisible(bool visible) override { events.push_back(visible ? "show progress" : "hide progress"); }
    void setProgressMin(float value) override { events.push_back("min " + std::to_string(static_cast<int>(value))); }
    void setProgressMax(float value) override { events.push_back("max " + std::to_string(static_cast<int>(value))); }
    void setProgressValue(float value) override { values.push_back(value); }
    void setCounterCaption(const std::string& caption) override { captions.push_back(caption); }
    void repaint() override { ++repaints; }
    void messageBox(const std::string& text, const std::string& title, MessageIcon icon) override
    {
        messages.push_back({text, title, icon});
        events.push_back("message " + title);
    }
    Confirmation showFinalConfirmation() override
    {
        events.push_back("confirmation");
        return answer_;
    }

    std::string log;
    // Log changes, progress bar visibility and range, messages and the
    // confirmation, in order; the per-record calls are kept apart.
    std::vector<std::string> events;
    std::vector<float> values;
    std::vector<std::string> captions;
    int repaints = 0;
    std::vector<Message> messages;

private:
    Confirmation answer_;
};

} // namespace torvane::testsupport
