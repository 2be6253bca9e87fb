#pragma once

#include "errors/ErrorReporter.h"
#include "files/DataPathFile.h"
#include "files/Paths.h"
#include "files/StagingFolders.h"
#include "files/TableCopies.h"
#include "files/TemplateFiles.h"
#include "files/Workspace.h"
#include "platform/Env.h"

namespace torvane {

// The routines on the working files and folders of one program run: path
// helpers, staging folders, table copies, templates and the data-path file.
struct WorkingFiles {
    WorkingFiles(Env& env, ErrorReporter& errors, Workspace& workspace)
        : paths(env, errors),
          staging(env, errors, paths, workspace),
          copies(env, errors, paths),
          templates(env, errors, paths, workspace),
          dataPath(env, errors, paths, workspace)
    {
    }

    WorkingFiles(const WorkingFiles&) = delete;
    WorkingFiles& operator=(const WorkingFiles&) = delete;

    Paths paths;
    StagingFolders staging;
    TableCopies copies;
    TemplateFiles templates;
    DataPathFile dataPath;
};

} // namespace torvane
