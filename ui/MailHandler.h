#pragma once

#include <string>

namespace torvane::ui {

// Hands a mailto URL to the desktop's mail program, exactly as given: a
// URL passed through QUrl would come out percent-encoded.
class MailHandler {
public:
    virtual ~MailHandler() = default;

    // The URL in UTF-8. Whether a mail program takes it is not reported.
    virtual void open(const std::string& url) = 0;
};

// The desktop's handler through xdg-open, the URL as its one argument.
class XdgOpenMailHandler final : public MailHandler {
public:
    void open(const std::string& url) override;
};

} // namespace torvane::ui
