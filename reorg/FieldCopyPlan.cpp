#include "reorg/FieldCopyPlan.h"

#include "dbset/PermittedCharacters.h"
#include "errors/Trap.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

namespace torvane {
namespace {

// Each byte as cleaning leaves it: itself when permitted, else a blank.
constexpr std::array<char, 256> cleanedBytes()
{
    std::array<char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] = PermittedBytes[static_cast<std::size_t>(c)] ? static_cast<char>(c) : ' ';
    return table;
}
constexpr std::array<char, 256> Cleaned = cleanedBytes();

// Below this the libc calls cost more than a plain loop.
constexpr std::size_t ShortField = 16;

// The text between the first and the last non-blank; most fields of an
// examination row are blank, so whole words of blanks are skipped at once.
std::string_view trimmed(const char* begin, const char* end)
{
    constexpr std::uint64_t Blanks = 0x2020202020202020ull;
    std::uint64_t word = 0;
    while (end - begin >= 8 && (std::memcpy(&word, begin, 8), word == Blanks))
        begin += 8;
    while (begin < end && *begin == ' ')
        ++begin;
    while (end - begin >= 8 && (std::memcpy(&word, end - 8, 8), word == Blanks))
        end -= 8;
    while (end > begin && end[-1] == ' ')
        --end;
    return {begin, static_cast<std::size_t>(end - begin)};
}

// Returns, when Noting, whether cleaning changed any byte; noting adds no
// branch, so counting costs no mispredictions.
template <bool Noting>
bool copyCleaned(char* to, const char* from, std::size_t length)
{
    unsigned char changed = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const char c = from[i];
        const char cleaned = Cleaned[static_cast<unsigned char>(c)];
        to[i] = cleaned;
        if constexpr (Noting)
            changed |= static_cast<unsigned char>(cleaned ^ c);
    }
    return changed != 0;
}

// Counts, for each byte of a run of one-character fields, whether cleaning
// changed it.
void countChangedBytes(const char* cleaned, const char* from, std::size_t length, std::uint32_t* counts)
{
    for (std::size_t i = 0; i < length; ++i)
        counts[i] += cleaned[i] != from[i] ? 1u : 0u;
}

bool anyUnpermitted(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return !PermittedBytes[static_cast<unsigned char>(c)]; });
}

// Whether the bytes behind the written part hold one that cleaning (when it
// applies) leaves as more than a blank.
bool losesCharacters(std::string_view text, std::size_t written, bool clean)
{
    for (std::size_t i = text.size(); i > written; --i) {
        const char c = text[i - 1];
        if ((clean ? Cleaned[static_cast<unsigned char>(c)] : c) != ' ')
            return true;
    }
    return false;
}

void copyPlain(char* to, const char* from, std::size_t length)
{
    if (length < ShortField) {
        for (std::size_t i = 0; i < length; ++i)
            to[i] = from[i];
    } else {
        std::memmove(to, from, length);
    }
}

void fillBlanks(char* to, std::size_t length)
{
    if (length < ShortField) {
        for (std::size_t i = 0; i < length; ++i)
            to[i] = ' ';
    } else {
        std::memset(to, ' ', length);
    }
}

// The part of a field inside the record buffer, which keeps its length.
auto spanOf(const dbases& table, int field)
{
    struct {
        std::uint16_t start = 0;
        std::uint16_t length = 0;
        bool inside = false;
    } span;
    if (field < 1 || field > table.NoFields())
        return span;
    const auto start = static_cast<std::size_t>(table.fieldStart(field) - 1);
    const std::size_t size = table.buffer().size();
    if (start >= size)
        return span;
    span.start = static_cast<std::uint16_t>(start);
    span.length =
        static_cast<std::uint16_t>(std::min(size - start, static_cast<std::size_t>(table.fieldLength(field))));
    span.inside = true;
    return span;
}

} // namespace

FieldCopyPlan::FieldCopyPlan(dbases& main, dbases& temp, const FieldLists& fields, int table)
{
    const auto t = static_cast<std::size_t>(table);
    const int count = fields.feldanzahl_main[t];
    for (int f = 2; f <= count && f <= 255; ++f) {
        const auto at = static_cast<std::size_t>(f);
        Step step = plan(main, temp, fields.feldinfo_main[t][at], fields.feldinfo_temp[t][at]);
        step.field = static_cast<std::uint8_t>(f);
        add(step);
    }
}

// kvxdat2 is 253 one-character fields in a row: copied as one run of bytes
// they cost one step instead of 253.
void FieldCopyPlan::add(const Step& step)
{
    const bool oneCharacter = step.written && step.sourceError < 0 && step.targetError < 0 && step.source.length == 1 &&
                              step.target.length == 1 && step.keep >= 1;
    if (oneCharacter && !steps_.empty()) {
        Step& last = steps_.back();
        if (last.bytewise && last.clean == step.clean && last.source.start + last.source.length == step.source.start &&
            last.target.start + last.target.length == step.target.start) {
            ++last.source.length;
            ++last.target.length;
            return;
        }
    }
    steps_.push_back(step);
    steps_.back().bytewise = oneCharacter;
}

// Cleaning applies when the working copy's field is of type "C" and keeps
// its width; fitting applies when the fresh field at the same position is of
// type "C" and keeps that width; writing keeps the target field's width.
// Padding never matters: it is blanks, and writing pads with blanks anyway.
FieldCopyPlan::Step FieldCopyPlan::plan(dbases& main, dbases& temp, const FieldInfo& mainField,
                                        const FieldInfo& tempField)
{
    Step step;
    int source = 0;
    step.sourceError = resolve(main, mainField.name, &source);
    const auto from = spanOf(main, source);
    step.source = {from.start, from.length};

    int target = 0;
    step.targetError = resolve(temp, mainField.name, &target);
    const auto to = spanOf(temp, target);
    step.target = {to.start, to.length};
    step.written = target >= 1 && target <= temp.NoFields();
    // Writing a field that starts behind the record fails like the routine does.
    if (step.written && !to.inside && step.targetError < 0) {
        step.targetError = static_cast<std::int16_t>(errors_.size());
        errors_.push_back(RunError::raised(errnum::InvalidArgument));
    }

    std::size_t keep = step.target.length;
    if (mainField.typ == "C") {
        step.clean = true;
        step.cleanWidth = static_cast<std::uint16_t>(std::max<int>(mainField.laenge, 0));
        keep = std::min<std::size_t>(keep, step.cleanWidth);
    }
    if (tempField.typ == "C")
        keep = std::min<std::size_t>(keep, static_cast<std::size_t>(std::max<int>(tempField.laenge, 0)));
    step.keep = static_cast<std::uint16_t>(keep);
    return step;
}

// The field number a name addresses in a table, as the table object finds it;
// a failing lookup is kept to be reported whenever the field is copied.
std::int16_t FieldCopyPlan::resolve(dbases& table, const std::string& name, int* field)
{
    try {
        Variant address(name);
        *field = table.fieldNumber(address);
        return -1;
    } catch (const RunError& error) {
        *field = 0;
        errors_.push_back(error);
        return static_cast<std::int16_t>(errors_.size() - 1);
    }
}

void FieldCopyPlan::apply(const dbases& main, dbases& temp, ErrorReporter& errors, FieldCopyCounts* counts) const
{
    if (counts != nullptr)
        copy<true>(main, temp, errors, counts);
    else
        copy<false>(main, temp, errors, nullptr);
}

// Counting is compiled apart, so that a copy without it costs nothing extra.
template <bool Counting>
void FieldCopyPlan::copy(const dbases& main, dbases& temp, ErrorReporter& errors, FieldCopyCounts* counts) const
{
    Trap reading(errors, "Error in D_Datenbank: Function hole_datum");
    Trap writing(errors, "Error in D_Datenbank: Sub schreibe_datum");
    const char* source = main.buffer().data();
    char* target = temp.editBuffer().data();
    for (const Step& step : steps_) {
        if (step.sourceError >= 0)
            reading([&] { throw errors_[static_cast<std::size_t>(step.sourceError)]; });
        if (step.targetError >= 0) {
            writing([&] { throw errors_[static_cast<std::size_t>(step.targetError)]; });
            continue;
        }
        const char* from = source + step.source.start;
        if (!step.written) {
            if (Counting && !trimmed(from, from + step.source.length).empty())
                ++counts->dropped[step.field];
            continue;
        }
        char* to = target + step.target.start;
        if (step.bytewise) {
            if (!step.clean) {
                copyPlain(to, from, step.source.length);
                continue;
            }
            if (copyCleaned<Counting>(to, from, step.source.length))
                countChangedBytes(to, from, step.source.length, &counts->cleaned[step.field]);
            continue;
        }
        const std::string_view text = trimmed(from, from + step.source.length);
        if (Counting && text.empty()) {
            fillBlanks(to, step.target.length);
            continue;
        }
        const std::size_t length = std::min<std::size_t>(text.size(), step.keep);
        const bool changed = copyValue<Counting>(step, to, text.data(), length, counts);
        fillBlanks(to + length, step.target.length - length);
        if (Counting && text.size() > length)
            countBeyond(step, text, length, changed, *counts);
    }
}

// Copies a value, cleaned where the step cleans. Counting, it counts and
// tells whether cleaning changed it.
template <bool Counting>
bool FieldCopyPlan::copyValue(const Step& step, char* to, const char* from, std::size_t length, FieldCopyCounts* counts)
{
    if (!step.clean) {
        copyPlain(to, from, length);
        return false;
    }
    const bool changed = copyCleaned<Counting>(to, from, length);
    if constexpr (Counting)
        counts->cleaned[step.field] += changed ? 1u : 0u;
    return changed;
}

// A value longer than what was written: cleaning looks at it as wide as the
// working copy's field, so a change behind the written part counts too; and
// the value was cut when that part held a character cleaning keeps.
void FieldCopyPlan::countBeyond(const Step& step, std::string_view text, std::size_t length, bool changed,
                                FieldCopyCounts& counts)
{
    if (step.clean && !changed &&
        anyUnpermitted(text.substr(length, std::min<std::size_t>(text.size(), step.cleanWidth) - length)))
        ++counts.cleaned[step.field];
    if (losesCharacters(text, length, step.clean))
        ++counts.cut[step.field];
}

} // namespace torvane
