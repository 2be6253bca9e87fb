#include "reorg/FieldCopyPlan.h"

#include "dbset/PermittedCharacters.h"
#include "errors/Trap.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace torvane {
namespace {

// The field number a name addresses in a table, as the table object finds it.
int resolve(dbases& table, const std::string& name, std::optional<RunError>& error)
{
    try {
        Variant field(name);
        return table.fieldNumber(field);
    } catch (const RunError& e) {
        error = e;
        return 0;
    }
}

// The field's text in the buffer without blanks around it.
std::string_view trimmedField(const dbases& table, int field)
{
    if (field < 1 || field > table.NoFields())
        return {};
    const std::string& buffer = table.buffer();
    const auto start = static_cast<std::size_t>(table.fieldStart(field) - 1);
    if (start >= buffer.size())
        return {};
    std::string_view text(buffer.data() + start,
                          std::min(buffer.size() - start, static_cast<std::size_t>(table.fieldLength(field))));
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

FieldCopyPlan::FieldCopyPlan(dbases& main, dbases& temp, const FieldLists& fields, int table)
{
    const int count = fields.feldanzahl_main[static_cast<std::size_t>(table)];
    for (int f = 2; f <= count && f <= 255; ++f) {
        const auto at = static_cast<std::size_t>(f);
        steps_.push_back(plan(main, temp, fields.feldinfo_main[static_cast<std::size_t>(table)][at],
                              fields.feldinfo_temp[static_cast<std::size_t>(table)][at]));
    }
}

// Cleaning applies when the working copy's field is of type "C" and keeps
// its width; fitting applies when the fresh field at the same position is of
// type "C" and keeps that width. Padding never matters: it is blanks, and
// writing pads with blanks anyway.
FieldCopyPlan::Step FieldCopyPlan::plan(dbases& main, dbases& temp, const FieldInfo& mainField,
                                        const FieldInfo& tempField)
{
    Step step;
    step.source = resolve(main, mainField.name, step.sourceError);
    step.keep = std::numeric_limits<std::size_t>::max();
    if (mainField.typ == "C") {
        step.clean = true;
        step.keep = std::min<std::size_t>(step.keep, static_cast<std::size_t>(std::max<int>(mainField.laenge, 0)));
    }
    if (tempField.typ == "C")
        step.keep = std::min<std::size_t>(step.keep, static_cast<std::size_t>(std::max<int>(tempField.laenge, 0)));
    step.target = resolve(temp, mainField.name, step.targetError);
    return step;
}

void FieldCopyPlan::apply(const dbases& main, dbases& temp, ErrorReporter& errors) const
{
    Trap reading(errors, "Error in D_Datenbank: Function hole_datum");
    Trap writing(errors, "Error in D_Datenbank: Sub schreibe_datum");
    std::string value;
    for (const Step& step : steps_) {
        if (step.sourceError)
            reading([&] { throw *step.sourceError; });
        const std::string_view text = trimmedField(main, step.source);
        value.assign(text.substr(0, std::min(text.size(), step.keep)));
        if (step.clean) {
            for (char& c : value) {
                if (!isPermitted(c))
                    c = ' ';
            }
        }
        if (step.targetError) {
            writing([&] { throw *step.targetError; });
            continue;
        }
        if (step.target >= 1 && step.target <= temp.NoFields())
            writing([&] { temp.writeField(step.target, value); });
    }
}

} // namespace torvane
