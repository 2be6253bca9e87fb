#pragma once

#include "errors/ErrorReporter.h"
#include "platform/Env.h"

#include <cstdint>
#include <string>

namespace torvane {

// Completing, splitting and testing paths. The separator is the platform's
// ('\' on Windows, '/' on POSIX); the rules are the same for both.
class Paths {
public:
    Paths(Env& env, ErrorReporter& errors) : env_(env), errors_(errors) {}

    char separator() const { return env_.separator(); }

    // Appends the separator to the caller's variable when it does not end in one.
    std::string pathcomplete(std::string& folder) const;
    // The folder part of a full name, always ending in the separator.
    std::string nurpfad(const std::string& name) const;
    // The name after the last separator; the argument is not changed.
    std::string nurdatei(std::string& name) const;
    // A file that is listed as a plain file and carries one of the
    // read-only, hidden, system or archive attributes; for a name ending in
    // the separator, a folder. Reports nothing.
    bool dateivorhanden(std::string name) const;
    // dateivorhanden of a full file name for a decision the data depends on:
    // a file that could not be looked at throws the failure into the
    // caller's trap instead of counting as missing.
    bool fileExistsOrRaise(const std::string& name) const;
    // Reports nothing.
    bool direxists(const std::string& folder) const;
    // The special folder's path without trailing separator, or empty text.
    std::string GetShellFolder(std::int16_t number) const;
    // The common application data folder (specialfolder::CommonAppData).
    std::string getappfolder() const;

private:
    Env& env_;
    ErrorReporter& errors_;
};

} // namespace torvane
