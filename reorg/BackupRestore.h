#pragma once

#include "errors/ProgramEnd.h"
#include "reorg/RunWindow.h"
#include "reorg/Session.h"

#include <string>

namespace torvane {

struct RestoreOutcome {
    EndReason end = EndReason::CopyBackFailed;
    Message message;
};

// Undoes a copy-back: puts back the tables of the data folder's newest
// backup, or of the chosen backup folder inside it, with the same care as
// the copy-back; the tables they replace go into a fresh backup folder, so
// that the restore can be undone in turn. The caller holds the data folder
// (DataFolderGuard). Both folders with their trailing separator; an empty
// choice means the newest.
RestoreOutcome sicherung_zurueckholen(Session& session, std::string& dataFolder, const std::string& chosenBackup);

} // namespace torvane
