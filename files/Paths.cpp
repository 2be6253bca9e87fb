#include "files/Paths.h"

#include "errors/Trap.h"
#include "platform/FileExistence.h"
#include "tables/TrimBlanks.h"

namespace torvane {

std::string Paths::pathcomplete(std::string& folder) const
{
    std::string result;
    Trap trap(errors_, "Error in y_work_together: Function pathcomplete");
    trap([&] {
        if (folder.empty() || folder.back() != separator())
            folder += separator();
        result = folder;
    });
    return result;
}

std::string Paths::nurpfad(const std::string& name) const
{
    std::string result;
    Trap trap(errors_, "Error in y_work_together: Function nurpfad");
    if (name.empty())
        return result;
    std::string folder = name;
    trap([&] {
        const std::size_t last = name.rfind(separator());
        // No separator asks for the leftmost -1 characters.
        if (last == std::string::npos)
            throw RunError::raised(errnum::InvalidArgument);
        folder = name.substr(0, last);
    });
    trap([&] {
        const std::size_t colon = folder.find(':');
        if (colon != std::string::npos && colon + 1 == folder.size())
            pathcomplete(folder);
    });
    trap([&] { result = pathcomplete(folder); });
    return result;
}

std::string Paths::nurdatei(std::string& name) const
{
    std::string result;
    Trap trap(errors_, "Error in y_work_together: Function nurdatei");
    trap([&] {
        const std::size_t last = name.rfind(separator());
        result = last == std::string::npos ? name : name.substr(last + 1);
    });
    return result;
}

bool Paths::dateivorhanden(std::string name) const
{
    bool found = false;
    Trap trap = Trap::silent();
    trap([&] {
        name = trimBlanks(name);
        std::string folder = nurpfad(name);
        pathcomplete(folder);
        const std::string file = trimBlanks(nurdatei(name));
        std::uint32_t attributes = 0;
        if (file.empty()) {
            raiseIfFailed(env_.attributes(folder, &attributes));
            found = (attributes & (attr::Directory | attr::VolumeLabel)) != 0;
            return;
        }
        raiseIfFailed(fileExists(env_, name, &found));
    });
    return found;
}

bool Paths::fileExistsOrRaise(const std::string& name) const
{
    bool exists = false;
    raiseIfFailed(fileExists(env_, name, &exists));
    return exists;
}

bool Paths::direxists(const std::string& folder) const
{
    bool found = false;
    Trap trap = Trap::silent();
    trap([&] {
        std::uint32_t attributes = 0;
        raiseIfFailed(env_.attributes(folder, &attributes));
        found = (attributes & attr::Directory) != 0;
    });
    return found;
}

std::string Paths::GetShellFolder(std::int16_t number) const
{
    std::string result;
    Trap trap(errors_, "Error in E_Datei: Function GetShellFolder");
    trap([&] {
        std::string folder;
        if (env_.specialFolder(number, &folder).isOk())
            result = folder;
    });
    return result;
}

std::string Paths::getappfolder() const
{
    std::string result;
    Trap trap(errors_, "Error in y_work_together: Function getappfolder");
    trap([&] { result = GetShellFolder(static_cast<std::int16_t>(specialfolder::CommonAppData)); });
    return result;
}

} // namespace torvane
