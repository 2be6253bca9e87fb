#include "support/RandomPractice.h"

#include "resources/Templates.h"
#include "support/TableImage.h"
#include "support/TemplateFields.h"

#include <algorithm>
#include <random>

namespace torvane::testsupport {
namespace {

std::size_t pick(std::mt19937& random, std::size_t low, std::size_t high)
{
    return std::uniform_int_distribution<std::size_t>(low, high)(random);
}

// A template's layout changed at random: the key moved, fields dropped,
// inserted (named like numbers, or like fields already there), resized, retyped.
std::vector<TemplateField> randomLayout(int resource, std::mt19937& random)
{
    static const char* const Names[] = {"2", "5", "1.5", "-1", "300", "EXTRA", "NACHNAME", "T1111", "ort"};
    std::vector<TemplateField> fields = templateFields(resource);
    for (std::size_t changes = pick(random, 0, 3); changes > 0; --changes) {
        const auto at = fields.begin() + static_cast<std::ptrdiff_t>(pick(random, 1, fields.size() - 1));
        const std::size_t how = pick(random, 0, 4);
        if (how == 0)
            std::iter_swap(at, fields.begin() + static_cast<std::ptrdiff_t>(pick(random, 0, fields.size() - 1)));
        else if (how == 1 && at->name != "DATNUMMER" && at->name != "NACHNAME" && at->name != "VORNAME")
            fields.erase(at);
        else if (how == 2)
            at->length = static_cast<int>(pick(random, 0, 60));
        else if (how == 3)
            at->type = "DNc"[pick(random, 0, 2)];
        else if (how == 4 && fields.size() < 255) // the most a table can hold
            fields.insert(at,
                          {Names[pick(random, 0, std::size(Names) - 1)], 'C', static_cast<int>(pick(random, 1, 30))});
    }
    return fields;
}

} // namespace

PracticeFiles randomPractice(std::uint32_t seed)
{
    static const char* const OddKeys[] = {"",   "0",   "-3", "7.5", "0.6", "+4",     "1e2", "12abc",
                                          " 9", "3 4", ".5", "2.5", "-0",  "999999", "1,5"};
    static const std::string Bytes = "  aeimnrstAEZ\xE4\xFC\xDF\xC3\xA9_/()!0123456789,.-";
    std::mt19937 random(seed);
    std::vector<std::string> keys(pick(random, 15, 40));
    for (std::string& key : keys)
        key = pick(random, 0, 5) == 0 ? OddKeys[pick(random, 0, std::size(OddKeys) - 1)]
                                      : std::to_string(pick(random, 1, keys.size()));
    PracticeFiles files;
    for (std::size_t k = 0; k < 4; ++k) {
        const std::vector<TemplateField> fields = randomLayout(TableNames[k].resource, random);
        std::vector<std::string> rowKeys = keys;
        if (k > 0) {
            std::shuffle(rowKeys.begin(), rowKeys.end(), random);
            rowKeys.resize(pick(random, 0, keys.size()));
        }
        std::vector<Row> rows;
        for (const std::string& key : rowKeys) {
            Row& row = rows.emplace_back(Row{{"DATNUMMER", key}});
            for (const TemplateField& field : fields) {
                std::string value(pick(random, 0, static_cast<std::size_t>(field.length)), ' ');
                for (char& c : value)
                    c = Bytes[pick(random, 0, Bytes.size() - 1)];
                if (field.name != "DATNUMMER" && pick(random, 0, 2) != 0)
                    row.emplace_back(field.name, value);
            }
        }
        files[k] = layoutTable(fields, rows, pick(random, 0, 1) == 0);
    }
    if (pick(random, 0, 3) == 0)
        files[3].reset();
    return files;
}

} // namespace torvane::testsupport
