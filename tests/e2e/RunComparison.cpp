#include "e2e/RunComparison.h"

#include "platform/Cp1252.h"

#include <fstream>
#include <map>
#include <sstream>

namespace torvane::e2e {
namespace {

namespace fs = std::filesystem;

// Relative UTF-8 names ("/"-separated, folders ending in "/") and their bytes.
using Tree = std::map<std::string, std::string>;

std::string bytesOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool isRunEntry(const std::string& name)
{
    return name.starts_with("TEMP_REORG_EINGANG_") || name.ends_with("template.kvt") || name.ends_with("temp.kvt") ||
           name == "Errorlog.txt";
}

Tree readTree(const fs::path& root, bool onlyRunEntries)
{
    Tree tree;
    if (!fs::exists(root))
        return tree;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        const std::u8string relative = it->path().lexically_relative(root).generic_u8string();
        const std::string name(relative.begin(), relative.end());
        if (onlyRunEntries && !isRunEntry(name.substr(0, name.find('/')))) {
            if (it->is_directory())
                it.disable_recursion_pending();
            continue;
        }
        tree[name + (it->is_directory() ? "/" : "")] = it->is_directory() ? "" : bytesOf(it->path());
    }
    return tree;
}

// Each native folder name, wherever a text shows it, read as the Windows
// one: the rest of that path on its line takes '\' as well.
std::string asOnWindows(const std::string& text, const std::vector<std::pair<std::string, std::string>>& names)
{
    std::string out;
    std::size_t line = 0;
    while (line < text.size()) {
        const std::size_t end = std::min(text.find('\n', line), text.size());
        std::string part = text.substr(line, end - line);
        for (const auto& [native, windows] : names) {
            for (std::size_t at = part.find(native); at != std::string::npos; at = part.find(native, at)) {
                part.replace(at, native.size(), windows);
                at += windows.size();
                for (std::size_t slash = part.find('/', at); slash != std::string::npos; slash = part.find('/', slash))
                    part[slash] = '\\';
            }
        }
        out += part + (end < text.size() ? "\n" : "");
        line = end + 1;
    }
    return out;
}

// The error log's entries, also as the terminal shows them, carry the
// second they were made in.
std::string withoutDates(std::string text)
{
    for (std::size_t at = text.find("\nDate: "); at != std::string::npos; at = text.find("\nDate: ", at + 1)) {
        const std::size_t end = std::min(text.find_first_of("\r\n", at + 1), text.size());
        text.replace(at + 1, end - at - 1, "Date: -");
    }
    return text;
}

// So does the note in a backup folder, in its first line.
std::string withoutNoteDate(std::string text)
{
    const std::size_t at = text.find(" vom ");
    const std::size_t end = text.find('\r');
    if (at != std::string::npos && end != std::string::npos && at < end)
        text.replace(at + 5, end - at - 5, "-");
    return text;
}

// The run report's protocol begins with the time of the run.
std::string withoutRunTime(std::string text)
{
    const std::string marker = "Uhr";
    const std::size_t end = text.find(marker);
    const std::size_t comma = text.rfind(", ", end);
    if (end != std::string::npos && comma != std::string::npos && end < text.find('\n'))
        text.replace(comma + 2, end - comma - 2, "- ");
    return text;
}

bool isProtocol(const std::string& name)
{
    return name.ends_with("/Protokoll.txt");
}

class Comparison {
public:
    Comparison(const RunRecord& native, const RunRecord& windows) : native_(native), windows_(windows)
    {
        const auto folder = [](const RunRecord& r, const std::string& name) { return name + r.separator; };
        consoleNames_ = {{folder(native, native.dataName), folder(windows, windows.dataName)},
                         {folder(native, native.tempName), folder(windows, windows.tempName)}};
        for (const auto& [n, w] : consoleNames_)
            logNames_.emplace_back(cp1252::ansi(n), cp1252::ansi(w));
    }

    void trees(const std::string& what, Tree native, Tree windows)
    {
        for (Tree* tree : {&native, &windows}) {
            if (auto log = tree->find("Errorlog.txt"); log != tree->end())
                log->second = withoutDates(log->second);
            for (auto& [name, bytes] : *tree) {
                if (name.ends_with("/SICHERUNG.txt"))
                    bytes = withoutNoteDate(bytes);
            }
        }
        if (auto log = native.find("Errorlog.txt"); log != native.end())
            log->second = asOnWindows(log->second, logNames_);
        for (Tree* tree : {&native, &windows}) {
            for (auto& [name, bytes] : *tree) {
                if (isProtocol(name))
                    bytes = withoutRunTime(tree == &native ? asOnWindows(bytes, logNames_) : bytes);
            }
        }
        for (const auto& [name, bytes] : native) {
            const auto other = windows.find(name);
            if (other == windows.end())
                differences_.push_back(what + ": only natively " + name);
            else if (other->second != bytes)
                differences_.push_back(what + ": different bytes in " + name);
        }
        for (const auto& [name, bytes] : windows) {
            if (native.count(name) == 0)
                differences_.push_back(what + ": only on Windows " + name);
        }
    }

    void console()
    {
        for (int run = 1; fs::exists(native_.console / (std::to_string(run) + ".status")); ++run) {
            for (const char* stream : {".status", ".out", ".err"}) {
                const std::string file = std::to_string(run) + stream;
                const std::string native = withoutDates(asOnWindows(bytesOf(native_.console / file), consoleNames_));
                if (native != withoutDates(bytesOf(windows_.console / file)))
                    differences_.push_back("console: different " + file);
            }
        }
    }

    std::vector<std::string> differences() const { return differences_; }

private:
    const RunRecord& native_;
    const RunRecord& windows_;
    std::vector<std::pair<std::string, std::string>> consoleNames_;
    std::vector<std::pair<std::string, std::string>> logNames_;
    std::vector<std::string> differences_;
};

} // namespace

std::vector<std::string> runDifferences(const RunRecord& native, const RunRecord& windows)
{
    Comparison comparison(native, windows);
    comparison.trees("data folder", readTree(native.data, false), readTree(windows.data, false));
    comparison.trees("temporary folder", readTree(native.temp, true), readTree(windows.temp, true));
    comparison.console();
    return comparison.differences();
}

} // namespace torvane::e2e
