#pragma once

#include "errors/ErrorReporter.h"
#include "errors/RunError.h"
#include "platform/Clock.h"
#include "platform/Env.h"

#include <string>

namespace torvane {

// "Errorlog.txt" in the temporary folder: created with a general information
// block when missing, otherwise only appended to. Every write is one text
// followed by CR LF, in the platform's 8-bit code page.
class ErrorLog {
public:
    // The temporary folder is read at each use: it is fixed only when the
    // main window loads.
    ErrorLog(Env& env, const std::string& tempFolder, ErrorReporter& errors);

    // A file of that name in the temporary folder as it is at this moment.
    std::string fileInTemp(const std::string& name) const;

    bool exists() const;
    // Writes the general information block into a new log. Throws RunError.
    void create() const;
    // Appends the entry and one more line end, so that two empty lines
    // follow it. Throws RunError.
    void append(const std::string& entry) const;

    // The lines logged for one error, each ended by CR LF; the explanation
    // block only when there is an explanation.
    static std::string entry(const RunError& error, const std::string& location, const std::string& explanation,
                             const LocalDateTime& at);
    // An entry for what the program found and did on its own, in the error
    // entry's layout: its title after "Information: ", the text's lines
    // (separated by CR), its source and the date and time.
    static std::string informationEntry(const std::string& title, const std::string& text, const LocalDateTime& at);

private:
    std::string generalInformation() const;
    std::string path() const;

    Env& env_;
    const std::string& tempFolder_;
    ErrorReporter& errors_;
};

} // namespace torvane
