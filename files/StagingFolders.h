#pragma once

#include "errors/ErrorReporter.h"
#include "files/Paths.h"
#include "files/Workspace.h"
#include "platform/Env.h"

#include <string>

namespace torvane {

// The system temporary folder, and the dated, numbered folders a run makes
// there for its working copies and in the data folder for its result.
class StagingFolders {
public:
    StagingFolders(Env& env, ErrorReporter& errors, const Paths& paths, const Workspace& workspace)
        : env_(env), errors_(errors), paths_(paths), workspace_(workspace)
    {
    }

    // With its trailing separator; empty text when the system names none.
    std::string TempDirectory();
    // Creates base + prefix_mm_dd_n for the first n from 0 to 100 that is not
    // a folder yet and returns it without trailing separator; empty text when
    // all are taken. The caller's base is completed in place.
    std::string mach_temporaeres_verzeichnis(std::string& base, const std::string& prefix);
    // The name mach_temporaeres_verzeichnis would create, without creating
    // it, for a folder that must come into being only later.
    std::string freier_ordnername(std::string& base, const std::string& prefix);

private:
    std::string candidate(std::string& base, const std::string& prefix, int number) const;

    Env& env_;
    ErrorReporter& errors_;
    const Paths& paths_;
    const Workspace& workspace_;
};

} // namespace torvane
