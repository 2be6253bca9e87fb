#include "files/TableCopies.h"

#include "errors/Trap.h"
#include "resources/Templates.h"

namespace torvane {

void TableCopies::kopiere_datenbanken(std::string& source, std::string& destination, CopiedTables* copied)
{
    Trap trap(errors_, "Error in E_Datei: Sub kopiere_datenbanken");
    for (std::size_t t = 0; t < TableNames.size(); ++t) {
        const std::string name = std::string(TableNames[t].base) + ".kvt";
        std::string from;
        std::string to;
        trap([&] { from = paths_.pathcomplete(source) + name; });
        // A table skipped unnoticed would make a result without its rows.
        bool present = false;
        trap([&] { present = paths_.fileExistsOrRaise(from); });
        if (!present)
            continue;
        // A table found under another case keeps the name the user gave it.
        trap([&] { to = env_.existingName(paths_.pathcomplete(destination) + name); });
        if (paths_.dateivorhanden(to))
            trap([&] { raiseIfFailed(env_.deleteFile(to)); });
        // After a failed delete this fails on the file still there, and is
        // reported a second time.
        if (copied == nullptr) {
            trap([&] { raiseIfFailed(env_.copyFile(from, to)); });
            continue;
        }
        FileFingerprint taken;
        if (trap([&] { raiseIfFailed(env_.copyFileNoting(from, to, &taken)); }))
            (*copied)[t] = taken;
    }
}

} // namespace torvane
