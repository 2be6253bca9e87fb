#include "files/TemplateFiles.h"

#include "errors/Trap.h"
#include "resources/Templates.h"

#include <string_view>

namespace torvane {
namespace {

constexpr const char* ResourceType = "CUSTOM";

std::string templateName(const TableName& table)
{
    return std::string(table.base) + "template.kvt";
}

// Empty when nothing is carried under that number and type.
std::string_view carriedBlob(int number, const std::string& type)
{
    return type == ResourceType ? templateBlob(number) : std::string_view();
}

} // namespace

void TemplateFiles::extrahiere_aus_resource()
{
    Trap trap(errors_, "Error in E_Datei: Sub extrahiere_aus_resource");
    for (const TableName& table : TableNames) {
        trap([&] {
            const std::string path = paths_.pathcomplete(workspace_.temppfad) + templateName(table);
            if (listed(path))
                raiseIfFailed(env_.deleteFile(path));
        });
    }
    for (const TableName& table : TableNames) {
        trap([&] {
            const std::string name = templateName(table);
            if (!listed(paths_.pathcomplete(workspace_.temppfad) + name))
                schreibe_resource(table.resource, ResourceType, name, workspace_.temppfad);
        });
    }
}

void TemplateFiles::schreibe_resource(int number, const std::string& type, const std::string& fileName,
                                      std::string& folder)
{
    Trap trap = Trap::silent();
    trap([&] {
        const std::string_view blob = carriedBlob(number, type);
        if (blob.empty())
            return;
        const std::string path = paths_.pathcomplete(folder) + fileName;
        if (!listed(path))
            raiseIfFailed(env_.writeNewFile(path, blob));
    });
}

bool TemplateFiles::listed(const std::string& path) const
{
    bool found = false;
    raiseIfFailed(env_.findPlainFile(path, &found));
    return found;
}

} // namespace torvane
