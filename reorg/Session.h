#pragma once

#include "dbset/DatabaseSets.h"
#include "dbset/KeyedRecords.h"
#include "dbset/ValueFitting.h"
#include "errors/ErrorDialogFactory.h"
#include "errors/ErrorHandler.h"
#include "files/DataPathFile.h"
#include "files/Paths.h"
#include "files/StagingFolders.h"
#include "files/TableCopies.h"
#include "files/TemplateFiles.h"
#include "files/Workspace.h"
#include "platform/Clock.h"
#include "platform/Env.h"
#include "reorg/FieldLists.h"

namespace torvane {

// Everything one program run shares: the workspace texts, the error
// handler, the two database sets with their eight table objects and the
// field lists, and the routines working on them. One instance per process,
// passed to whoever needs it.
class Session {
public:
    Session(Env& env, const Clock& clock, ErrorDialogFactory& dialogs);

    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // What the main window does while loading: fixes the temporary folder
    // and the start date for the whole run of the program.
    void load();

    Env& env;
    const Clock& clock;
    Workspace workspace;
    ErrorHandler errors;
    Paths paths;
    StagingFolders staging;
    TableCopies copies;
    TemplateFiles templates;
    DataPathFile dataPath;
    DatabaseSets sets;
    KeyedRecords keyed;
    ValueFitting fitting;
    FieldLists fields;
};

} // namespace torvane
