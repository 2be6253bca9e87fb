#include "files/DataPathFile.h"

#include "errors/Trap.h"
#include "platform/FirstField.h"
#include "tables/TrimBlanks.h"

namespace torvane {
namespace {

constexpr const char* FolderName = "Velmora_Patientendaten";
constexpr const char* FileName = "dbpfad.ini";

} // namespace

std::string DataPathFile::hole_dbpfad()
{
    std::string result;
    Trap trap(errors_, "Error in E_Datei: Function hole_dbpfad");
    trap([&] {
        std::string appFolder = paths_.getappfolder();
        workspace_.appdatenpfad = trimBlanks(paths_.pathcomplete(appFolder) + FolderName + paths_.separator());
    });
    std::string file;
    trap([&] { file = paths_.pathcomplete(workspace_.appdatenpfad) + FileName; });
    // A missing file is the ordinary case and no error.
    if (!paths_.dateivorhanden(file))
        return result;
    std::string field;
    // An empty file runs past its end: reported, and nothing was read.
    trap([&] { raiseIfFailed(readFirstField(env_, file, &field)); });
    if (!trimBlanks(field).empty())
        result = field;
    return result;
}

} // namespace torvane
