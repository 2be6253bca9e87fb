#pragma once

#include "reorg/RecordTransfer.h"
#include "reorg/RunWindow.h"
#include "reorg/Session.h"

#include <cstdint>
#include <string>

namespace torvane {

// The run behind "Start - Reorganisieren": working copies in a dated staging
// folder, fresh tables from the templates, every patient carried over, the
// result in a dated output folder inside the data folder, and — only after
// the user has affirmed a backup — the result copied over the data folder's
// tables. Every run ends the program: the handler never returns.
class ReorganisationRun {
public:
    ReorganisationRun(Session& session, RunWindow& window) : session_(session), window_(window), transfer_(session) {}

    // Index is the Start button's element number: 0, the element of quellpfad used.
    [[noreturn]] void cmdsynchronisieren_Click(std::int16_t Index);

private:
    std::string makeFolder(std::string& base, const char* prefix);
    void tell(const Message& message);
    void appendLog(const std::string& line);
    void readMainFieldLists();
    void readTempFieldLists();
    void freshTempTables();
    void transferAll(std::int32_t n);
    void writeOutput(const std::string& output);
    void copyBack(std::string& output, std::string& source);

    Session& session_;
    RunWindow& window_;
    RecordTransfer transfer_;
};

} // namespace torvane
