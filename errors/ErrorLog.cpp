#include "errors/ErrorLog.h"

#include "errors/CorrectPath.h"
#include "errors/ProgramVersion.h"
#include "platform/FileExistence.h"

#include <algorithm>
#include <cstdio>

namespace torvane {
namespace {

constexpr const char* LogName = "Errorlog.txt";
constexpr const char* LineEnd = "\r\n";

std::string twoDigits(int value)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

// The German short date and long time: 05.03.2011 and 14:07:09.
std::string dateAndTime(const LocalDateTime& at)
{
    char year[16];
    std::snprintf(year, sizeof year, "%04d", at.year);
    return "Date: " + twoDigits(at.day) + "." + twoDigits(at.month) + "." + year + " Time: " + twoDigits(at.hour) +
           ":" + twoDigits(at.minute) + ":" + twoDigits(at.second);
}

std::string line(const std::string& text)
{
    return text + LineEnd;
}

} // namespace

ErrorLog::ErrorLog(Env& env, const std::string& tempFolder, ErrorReporter& errors)
    : env_(env), tempFolder_(tempFolder), errors_(errors)
{
}

std::string ErrorLog::fileInTemp(const std::string& name) const
{
    return CorrectPath(tempFolder_, env_.separator(), errors_) + name;
}

std::string ErrorLog::path() const
{
    return fileInTemp(LogName);
}

// Any failure to look counts as absence, as with every existence test.
bool ErrorLog::exists() const
{
    bool exists = false;
    return fileExists(env_, path(), &exists).isOk() && exists;
}

void ErrorLog::create() const
{
    raiseIfFailed(env_.appendTextLine(path(), generalInformation()));
}

void ErrorLog::append(const std::string& entry) const
{
    raiseIfFailed(env_.appendTextLine(path(), entry + LineEnd));
}

std::string ErrorLog::generalInformation() const
{
    return line("===================== General Information =====================") +
           line(std::string("AppName: ") + ProgramTitle) + line("Version: " + GetVersion(errors_)) +
           line("Location: " + tempFolder_) + line("===================== End General Information =================");
}

std::string ErrorLog::entry(const RunError& error, const std::string& location, const std::string& explanation,
                            const LocalDateTime& at)
{
    // A message of several lines (separated by CR, as in a message box)
    // keeps its lines in the log.
    std::string text;
    std::size_t start = 0;
    const std::string message = "Error " + std::to_string(error.number) + ": " + error.text;
    do {
        const std::size_t end = std::min(message.find('\r', start), message.size());
        text += line(message.substr(start, end - start));
        start = end + 1;
    } while (start < message.size());
    if (!explanation.empty()) {
        text += line("!============Error Information/Solution =============!");
        text += line(explanation);
        text += line("!============End of Information/Solution ============!");
    }
    text += line("Last DLL Error: " + std::to_string(error.lastOsError));
    text += line("Error Source: " + error.source);
    text += line("Procedure: " + location);
    text += line(dateAndTime(at));
    return text;
}

std::string ErrorLog::informationEntry(const std::string& title, const std::string& text, const LocalDateTime& at)
{
    std::string entry = line("Information: " + title);
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\r', start), text.size());
        entry += line(text.substr(start, end - start));
        start = end + 1;
    }
    entry += line(std::string("Error Source: ") + ProgramTitle);
    entry += line(dateAndTime(at));
    return entry;
}

} // namespace torvane
