// A fuzzed patient table carried over into fresh tables. The working copies
// are the fuzz bytes as person.kvt beside the examination tables of a small
// generated practice (kvxdat3 left out when the last byte is odd), the fresh
// tables are the templates, and every patient record goes through the record
// transfer as the run does it, with errors shown to a dialog that always
// answers OK, after the checks a run makes before it starts. Nothing may
// crash.

#include "errors/ErrorDialogBase.h"
#include "errors/Trap.h"
#include "platform/Clock.h"
#include "reorg/RecordTransfer.h"
#include "reorg/RunLocation.h"
#include "reorg/Session.h"
#include "reorg/StartChecks.h"
#include "resources/Templates.h"
#include "sample/SamplePractice.h"
#include "support/platform/MemEnv.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>

namespace {

using namespace torvane;

constexpr const char* Staging = "C:\\Temp\\TEMP_REORG_EINGANG_03_05_0\\";
// A header may claim two billion patients; a few hundred cover every path.
constexpr std::int32_t MaxRecords = 300;

class QuietDialog final : public ErrorDialogBase {
public:
    using ErrorDialogBase::ErrorDialogBase;
    void setDetailsText(const std::string&) override {}
    void SetForm(bool) override {}
    void setInformationLayout() override {}
    void disableOk() override {}
    void setMessageText(const std::string&) override {}
    DialogAnswer showModal() override { return DialogAnswer::Ok; }
};

class QuietDialogs final : public ErrorDialogFactory {
public:
    std::unique_ptr<ErrorDialog> load(const ErrorLog& log, ErrorReporter& errors) override
    {
        return std::make_unique<QuietDialog>(log, errors);
    }
    void resetMousePointer() override {}
};

// The examination tables of a generated practice, by file name.
const std::map<std::string, std::string>& examinationTables()
{
    static const std::map<std::string, std::string> tables = [] {
        MemEnv env('\\');
        env.createFolders("C:\\Praxis");
        sample::writeSamplePractice(env, "C:\\Praxis\\", {6, 7, true});
        std::map<std::string, std::string> found;
        for (const char* name : {"kvxdat1.kvt", "kvxdat2.kvt", "kvxdat3.kvt"})
            found[name] = env.fileBytes(std::string("C:\\Praxis\\") + name).value();
        return found;
    }();
    return tables;
}

void readFieldLists(Session& session)
{
    Trap trap(session.errors, RunLocation);
    FieldLists& lists = session.fields;
    for (std::size_t t = 1; t <= 4; ++t) {
        if (t == 4 && session.databases.sets.db4_missing)
            break;
        dbases& table = session.databases.sets.db_main[t - 1];
        lists.feldanzahl_main[t] = table.NoFields();
        for (int f = 1; f <= lists.feldanzahl_main[t] && f <= 255; ++f) {
            FieldInfo& info = lists.feldinfo_main[t][static_cast<std::size_t>(f)];
            trap([&] { table.hole_feldinfo(static_cast<std::uint8_t>(f), info.name, info.typ, info.laenge); });
        }
    }
    for (std::size_t t = 1; t <= 4; ++t) {
        dbases& table = session.databases.sets.db_temp[t - 1];
        for (int f = 1; f <= table.NoFields() && f <= 255; ++f) {
            FieldInfo& info = lists.feldinfo_temp[t][static_cast<std::size_t>(f)];
            trap([&] { table.hole_feldinfo(static_cast<std::uint8_t>(f), info.name, info.typ, info.laenge); });
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    MemEnv env('\\');
    env.setCapacity(32u << 20);
    env.putFile(std::string(Staging) + "person.kvt", std::string(reinterpret_cast<const char*>(data), size));
    const bool withKvxdat3 = size == 0 || data[size - 1] % 2 == 0;
    for (const auto& [name, bytes] : examinationTables()) {
        if (withKvxdat3 || name != "kvxdat3.kvt")
            env.putFile(Staging + name, bytes);
    }
    for (const TableName& table : TableNames)
        env.putFile(std::string("C:\\Temp\\") + table.base + "temp.kvt", templateBlob(table.resource));

    const FixedClock clock({2011, 3, 5, 9, 30, 0});
    QuietDialogs dialogs;
    Session session(env, clock, dialogs);
    session.load();
    // The run checks its tables before it starts; what it refuses never
    // reaches the transfer.
    if (StartChecks(env, session.errors).pruefe_start(Staging, session.workspace.temppfad))
        return 0;
    std::uint8_t mainSet = DatabaseSets::MainSet;
    std::string staging = Staging;
    session.databases.sets.open_database(mainSet, staging);
    std::uint8_t tempSet = DatabaseSets::TempSet;
    std::string temp = session.workspace.temppfad;
    session.databases.sets.open_database(tempSet, temp);
    readFieldLists(session);

    Trap trap(session.errors, RunLocation);
    RecordTransfer transfer(session);
    std::int16_t running = 0;
    const std::int32_t last = std::min(session.databases.sets.db_main[0].NoRecords(), MaxRecords);
    for (std::int32_t r = 1; r <= last; ++r)
        trap([&] { transfer.transfer(r, running); });
    session.databases.sets.Close_db(tempSet);
    session.databases.sets.Close_db(mainSet);
    return 0;
}
