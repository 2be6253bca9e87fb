#include "files/StagingFolders.h"

#include "errors/Trap.h"
#include "tables/TrimBlanks.h"

namespace torvane {
namespace {

// The counter restarts each day, so at most 101 folders per prefix and day.
constexpr int LastNumber = 100;
constexpr const char* Location = "Error in E_Datei: Function mach_temporaeres_verzeichnis";

} // namespace

std::string StagingFolders::TempDirectory()
{
    std::string result;
    Trap trap(errors_, "Error in E_Datei: Function TempDirectory");
    trap([&] {
        std::string folder;
        if (env_.tempFolder(&folder).isOk())
            result = folder;
    });
    return result;
}

std::string StagingFolders::mach_temporaeres_verzeichnis(std::string& base, const std::string& prefix)
{
    const std::string folder = freier_ordnername(base, prefix);
    if (folder.empty())
        return folder;
    // A failed creation is reported and the name handed out all the same;
    // the copy into it then fails and is reported there.
    Trap trap(errors_, Location);
    trap([&] { raiseIfFailed(env_.makeFolder(folder)); });
    return folder;
}

std::string StagingFolders::freier_ordnername(std::string& base, const std::string& prefix)
{
    Trap trap(errors_, Location);
    for (int number = 0; number <= LastNumber; ++number) {
        std::string folder;
        trap([&] { folder = candidate(base, prefix, number); });
        // A plain file of that name is no folder: its creation fails.
        if (!paths_.direxists(folder))
            return folder;
    }
    return {};
}

std::string StagingFolders::candidate(std::string& base, const std::string& prefix, int number) const
{
    return trimBlanks(paths_.pathcomplete(base) + prefix + "_" + workspace_.monat + "_" + workspace_.tag + "_" +
                      std::to_string(number));
}

} // namespace torvane
