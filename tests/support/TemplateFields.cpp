#include "support/TemplateFields.h"

#include <initializer_list>

namespace torvane::testsupport {
namespace {

// One named field, or a numbered run written as the table layout lists it:
// prefix + first .. prefix + last, counting down when last < first.
struct Run {
    const char* prefix;
    int first;
    int last;
    char type;
    int length;
};

constexpr int Single = -1;

std::vector<TemplateField> expand(std::initializer_list<Run> runs)
{
    std::vector<TemplateField> fields;
    for (const Run& run : runs) {
        if (run.first == Single) {
            fields.push_back({run.prefix, run.type, run.length});
            continue;
        }
        const int step = run.last < run.first ? -1 : 1;
        for (int n = run.first;; n += step) {
            fields.push_back({run.prefix + std::to_string(n), run.type, run.length});
            if (n == run.last)
                break;
        }
    }
    return fields;
}

const std::vector<TemplateField>& person()
{
    static const std::vector<TemplateField> fields = expand({
        {"DATNUMMER", Single, 0, 'C', 6},
        {"NACHNAME", Single, 0, 'C', 25},
        {"VORNAME", Single, 0, 'C', 25},
        {"GEBDATUM", Single, 0, 'C', 8},
        {"STRASSE", Single, 0, 'C', 25},
        {"PLZ", Single, 0, 'C', 5},
        {"ORT", Single, 0, 'C', 25},
        {"ANREDE", Single, 0, 'C', 12},
        {"GEEHRTER", Single, 0, 'C', 9},
        {"PATNR", Single, 0, 'C', 11},
        {"UNTDATUM", Single, 0, 'C', 8},
        {"SERNR", Single, 0, 'C', 29},
        {"BENUTZER", Single, 0, 'C', 40},
        {"INSTITUT", Single, 0, 'C', 40},
    });
    return fields;
}

const std::vector<TemplateField>& kvxdat1()
{
    static const std::vector<TemplateField> fields = expand({
        {"DATNUMMER", Single, 0, 'C', 6},
        {"GESCHLECHT", Single, 0, 'C', 1},
        {"UNTDATUM", Single, 0, 'D', 8},
        {"GEBDATUM", Single, 0, 'D', 8},
        {"TW", 1111, 1121, 'C', 10},
        {"TW", 1140, 1122, 'C', 10},
        {"TWW", 1111, 1120, 'C', 30},
        {"TWW", 1121, 1123, 'C', 254},
        {"TWW", 1124, 1130, 'C', 30},
        {"TWWW", 11, 15, 'C', 254},
        {"T", 1366, 1380, 'C', 1},
    });
    return fields;
}

const std::vector<TemplateField>& kvxdat2()
{
    static const std::vector<TemplateField> fields = expand({
        {"DATNUMMER", Single, 0, 'C', 6},
        {"T", 1111, 1164, 'C', 1},
        {"T", 1167, 1365, 'C', 1},
    });
    return fields;
}

const std::vector<TemplateField>& kvxdat3()
{
    static const std::vector<TemplateField> fields = expand({
        {"DATNUMMER", Single, 0, 'C', 6},
        {"T", 3000, 3002, 'C', 64},
        {"T", 3003, 3003, 'C', 80},
        {"T", 3004, 3004, 'C', 48},
        {"T", 3005, 3021, 'C', 10},
        {"T", 3022, 3034, 'C', 5},
        {"T", 3035, 3035, 'C', 20},
        {"T", 3036, 3036, 'C', 1},
        {"T", 3037, 3046, 'C', 200},
        {"T", 3047, 3049, 'C', 1},
        {"T", 3050, 3050, 'C', 145},
        {"T", 3051, 3051, 'C', 3},
        {"T", 3052, 3057, 'C', 1},
    });
    return fields;
}

} // namespace

const std::vector<TemplateField>& templateFields(int resourceNumber)
{
    static const std::vector<TemplateField> none;
    switch (resourceNumber) {
    case 101: return person();
    case 102: return kvxdat1();
    case 103: return kvxdat2();
    case 104: return kvxdat3();
    default: return none;
    }
}

} // namespace torvane::testsupport
