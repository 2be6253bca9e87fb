#pragma once

#include "reorg/RecordTransfer.h"
#include "reorg/RunReport.h"
#include "reorg/RunWindow.h"
#include "reorg/Session.h"
#include "reorg/TableWarnings.h"

#include "errors/ProgramEnd.h"
#include "files/TableCopies.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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
//
// With the checks, a run that cannot finish does not start (one message, one
// logged error, nothing created), one temporary folder serves one run at a
// time, the user is warned of what the run will lose before confirming, and
// the copy-back replaces nothing that changed since it was copied.
class ReorganisationRun {
public:
    enum class Report { Written, Omitted };
    enum class Checks { Made, Omitted };

    ReorganisationRun(Session& session, RunWindow& window, Report report = Report::Written,
                      Checks checks = Checks::Made)
        : session_(session),
          window_(window),
          report_(report == Report::Written ? std::make_unique<RunReport>() : nullptr),
          checks_(checks == Checks::Made),
          transfer_(session, report_.get())
    {
    }

    // Index is the Start button's element number: 0, the element of quellpfad used.
    [[noreturn]] void cmdsynchronisieren_Click(std::int16_t Index);

private:
    void secureDataFolder(std::string& source);
    void secureTempFolder();
    void refuseUnfitStart(const std::string& source);
    [[noreturn]] void refuse(int number, const std::string& text, EndReason reason);
    void inspectWorkingCopies(std::string staging);
    std::vector<std::string> collectWarnings();
    std::string makeFolder(std::string& base, const char* prefix);
    void tell(const Message& message);
    void appendLog(const std::string& line);
    void readMainFieldLists();
    void readTempFieldLists();
    void freshTempTables();
    void transferAll(std::int32_t n);
    void writeOutput(const std::string& output);
    void writeReport(const std::string& output, const std::vector<std::string>& warnings);
    void copyBack(std::string& output, std::string& source);

    Session& session_;
    RunWindow& window_;
    std::unique_ptr<RunReport> report_;
    bool checks_;
    CopiedTables copied_;
    TableWarnings warnings_;
    RecordTransfer transfer_;
};

} // namespace torvane
