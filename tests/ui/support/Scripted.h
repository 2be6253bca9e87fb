#pragma once

#include "ui/FileChooser.h"
#include "ui/MailHandler.h"
#include "ui/MessageBoxes.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace torvane::uitest {

// Answers the file chooser from a script: a name, or nothing for a cancel.
class ScriptedFileChooser final : public ui::FileChooser {
public:
    std::optional<QString> chooseFile(QWidget*, const ui::ChooserRequest& request) override
    {
        requests.push_back(request);
        std::optional<QString> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<QString>> answers;
    std::vector<ui::ChooserRequest> requests;
};

// Acknowledges every message at once and keeps it.
class ScriptedMessageBoxes final : public ui::MessageBoxes {
public:
    struct Shown {
        MessageIcon icon;
        QString title;
        QString text;
    };

    void show(QWidget*, MessageIcon icon, const QString& title, const QString& text) override
    {
        shown.push_back({icon, title, text});
    }

    std::vector<Shown> shown;
};

// Keeps the URLs instead of starting a mail program.
class CapturedMail final : public ui::MailHandler {
public:
    void open(const std::string& url) override { urls.push_back(url); }

    std::vector<std::string> urls;
};

} // namespace torvane::uitest
