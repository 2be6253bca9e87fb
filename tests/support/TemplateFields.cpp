#include "support/TemplateFields.h"

#include <array>
#include <sstream>

namespace torvane::testsupport {
namespace {

// Each template as the table layout lists it: a name, or a numbered run
// PREFIXfirst-last (counting down when last < first), then type and length.
constexpr std::array<const char*, 4> Layouts{
    "DATNUMMER C6 NACHNAME C25 VORNAME C25 GEBDATUM C8 STRASSE C25 PLZ C5 ORT C25 ANREDE C12 GEEHRTER C9 "
    "PATNR C11 UNTDATUM C8 SERNR C29 BENUTZER C40 INSTITUT C40",
    "DATNUMMER C6 GESCHLECHT C1 UNTDATUM D8 GEBDATUM D8 TW1111-1121 C10 TW1140-1122 C10 TWW1111-1120 C30 "
    "TWW1121-1123 C254 TWW1124-1130 C30 TWWW11-15 C254 T1366-1380 C1",
    "DATNUMMER C6 T1111-1164 C1 T1167-1365 C1",
    "DATNUMMER C6 T3000-3002 C64 T3003 C80 T3004 C48 T3005-3021 C10 T3022-3034 C5 T3035 C20 T3036 C1 "
    "T3037-3046 C200 T3047-3049 C1 T3050 C145 T3051 C3 T3052-3057 C1",
};

std::vector<TemplateField> expand(const char* layout)
{
    std::vector<TemplateField> fields;
    std::istringstream in(layout);
    std::string name, typeAndLength;
    while (in >> name >> typeAndLength) {
        const TemplateField field{name, typeAndLength[0], std::stoi(typeAndLength.substr(1))};
        const std::size_t dash = name.find('-');
        if (dash == std::string::npos) {
            fields.push_back(field);
            continue;
        }
        const std::size_t digits = name.find_first_of("0123456789");
        const int first = std::stoi(name.substr(digits, dash - digits)), last = std::stoi(name.substr(dash + 1));
        for (int n = first, step = last < first ? -1 : 1; n != last + step; n += step)
            fields.push_back({name.substr(0, digits) + std::to_string(n), field.type, field.length});
    }
    return fields;
}

} // namespace

const std::vector<TemplateField>& templateFields(int resourceNumber)
{
    static const std::array<std::vector<TemplateField>, 4> all{expand(Layouts[0]), expand(Layouts[1]),
                                                               expand(Layouts[2]), expand(Layouts[3])};
    static const std::vector<TemplateField> none;
    return resourceNumber >= 101 && resourceNumber <= 104 ? all[static_cast<std::size_t>(resourceNumber - 101)] : none;
}

} // namespace torvane::testsupport
