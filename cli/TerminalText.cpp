#include "cli/TerminalText.h"

#include "platform/Cp1252.h"

namespace torvane::cli {

std::string terminalText(const std::string& text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            out += text[i];
        }
    }
    return cp1252::toUtf8(out);
}

} // namespace torvane::cli
