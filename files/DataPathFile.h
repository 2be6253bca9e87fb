#pragma once

#include "errors/ErrorReporter.h"
#include "files/Paths.h"
#include "files/Workspace.h"
#include "platform/Env.h"

#include <string>

namespace torvane {

// "dbpfad.ini" under the common application data folder: the practice
// program's data folder, where the file chooser starts. Only ever read.
class DataPathFile {
public:
    DataPathFile(Env& env, ErrorReporter& errors, const Paths& paths, Workspace& workspace)
        : env_(env), errors_(errors), paths_(paths), workspace_(workspace)
    {
    }

    // The first field of the file's first line, as read; empty text when the
    // file is missing or the field is blank. Sets appdatenpfad.
    std::string hole_dbpfad();

private:
    Env& env_;
    ErrorReporter& errors_;
    const Paths& paths_;
    Workspace& workspace_;
};

} // namespace torvane
