#pragma once

#include "dbset/Databases.h"
#include "errors/ErrorDialogFactory.h"
#include "errors/ErrorHandler.h"
#include "files/WorkingFiles.h"
#include "files/Workspace.h"
#include "platform/Clock.h"
#include "platform/Env.h"
#include "reorg/FieldLists.h"

#include <memory>
#include <string>

namespace torvane {

// One program run: its platform and clock, the shared texts, the error
// handler, the working files, the database sets and the field lists the
// run reads from them. One instance per process, passed to whoever needs it.
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
    WorkingFiles files;
    Databases databases;
    FieldLists fields;
    // The data folder this program holds against every other run, and its
    // lock; empty while it holds none.
    std::string lockedFolder;
    std::unique_ptr<FolderLock> dataFolderLock;
    // Every run writes its templates and temp tables under the same names
    // into the temporary folder: held from the run's start to the end.
    std::unique_ptr<FolderLock> tempFolderLock;
};

} // namespace torvane
