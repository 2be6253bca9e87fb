#pragma once

#include "reorg/RecordTransfer.h"
#include "reorg/RunReport.h"
#include "reorg/RunWindow.h"
#include "reorg/Session.h"

#include <cstdint>
#include <memory>
#include <string>

namespace torvane {

// The run behind "Start - Reorganisieren": working copies in a dated staging
// folder, fresh tables from the templates, every patient carried over, the
// result in a dated output folder inside the data folder, and — only after
// the user has affirmed a backup — the result copied over the data folder's
// tables. Every run ends the program: the handler never returns.
//
// With the report, the output folder also receives what became of every
// patient record and examination row, and the log box its summary, both
// before the completion message.
class ReorganisationRun {
public:
    enum class Report { Written, Omitted };

    ReorganisationRun(Session& session, RunWindow& window, Report report = Report::Written)
        : session_(session),
          window_(window),
          report_(report == Report::Written ? std::make_unique<RunReport>() : nullptr),
          transfer_(session, report_.get())
    {
    }

    // Index is the Start button's element number: 0, the element of quellpfad used.
    [[noreturn]] void cmdsynchronisieren_Click(std::int16_t Index);

private:
    void secureDataFolder(std::string& source);
    std::string makeFolder(std::string& base, const char* prefix);
    void tell(const Message& message);
    void appendLog(const std::string& line);
    void readMainFieldLists();
    void readTempFieldLists();
    void freshTempTables();
    void transferAll(std::int32_t n);
    void writeOutput(const std::string& output);
    void writeReport(const std::string& output);
    void copyBack(std::string& output, std::string& source);

    Session& session_;
    RunWindow& window_;
    std::unique_ptr<RunReport> report_;
    RecordTransfer transfer_;
};

} // namespace torvane
