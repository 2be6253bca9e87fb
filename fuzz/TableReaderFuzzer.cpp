// Arbitrary bytes opened as a table: its layout read and compared with the
// practice's as the run's warnings do, and the same refusal as the table
// object's; every record and every field read,
// the moves to first, last, previous and next record, keys looked up; then
// one record rewritten and one appended. Nothing may crash, and nothing may
// be written outside the records: reading writes nothing at all, a rewrite
// changes only its record, an append only its record and the record count.

#include "errors/RunError.h"
#include "support/platform/MemEnv.h"
#include "tables/TableLayout.h"
#include "tables/dbases.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace torvane;

constexpr const char* Path = "C:\\fuzz.kvt";
// Enough to hold any input and what a few appends add; a claimed record far
// behind the end of the file is refused as a full disk instead.
constexpr std::uint64_t Capacity = 4u << 20;
// Records read one by one; a header may claim two billion.
constexpr std::int32_t MaxRecordsRead = 256;

[[noreturn]] void fail(const char* what, std::uint64_t at)
{
    std::fprintf(stderr, "%s (byte %llu)\n", what, static_cast<unsigned long long>(at));
    std::abort();
}

// A changed byte must lie in [from, to); bytes that a write behind the old
// end of the file added must lie in the record area.
void requireChangesWithin(const std::string& before, const std::string& after, std::uint64_t from, std::uint64_t to,
                          std::uint64_t dataStart)
{
    if (after.size() < before.size())
        fail("the file was cut", after.size());
    for (std::uint64_t i = 0; i < after.size(); ++i) {
        const bool inside = i >= from && i < to;
        if (i < before.size() && before[i] != after[i] && !inside)
            fail("a byte outside the record changed", i);
        if (i >= before.size() && i < dataStart)
            fail("the header grew", i);
    }
}

void readFields(const dbases& table)
{
    for (std::int16_t f = 0; f <= table.NoFields() + 1; ++f)
        table.GetData(Variant(static_cast<int>(f)));
}

// Lookups by name search the field list: once is enough.
void readFieldList(const dbases& table)
{
    for (std::int16_t f = 1; f <= table.NoFields(); ++f) {
        Variant byName(table.FieldName(f));
        table.GetData(byName);
        std::string name, typ;
        std::int16_t laenge = 0;
        table.hole_feldinfo(static_cast<std::uint8_t>(f), name, typ, laenge);
    }
    table.GetData(Variant(" datnummer "));
}

void readEverything(dbases& table)
{
    readFieldList(table);
    const std::int32_t last = std::min(table.NoRecords(), MaxRecordsRead);
    for (std::int32_t r = 1; r <= last; ++r) {
        table.Go(r);
        readFields(table);
    }
    for (const std::int32_t move : {-1, -4, -4, -3, -2, -3, -4, -1, -3, 0, -6}) {
        table.Go(move);
        readFields(table);
    }
    readFieldList(table);
    for (const std::int32_t key : {1, 2, 3, 0, -1, 999999})
        table.firstRecordWithKey(key);
}

std::uint64_t dataStart(const dbases& table)
{
    return 32u * static_cast<std::uint64_t>(table.NoFields()) + 33u;
}

std::uint64_t recordOffset(const dbases& table, std::int32_t record)
{
    return dataStart(table) + static_cast<std::uint64_t>(record - 1) * static_cast<std::uint64_t>(table.Recordlength());
}

void rewriteOneRecord(MemEnv& env, const std::string& value, std::uint8_t pick)
{
    dbases table(env);
    table.FileOpen(Path);
    if (table.NoRecords() < 1)
        return;
    const std::int32_t record = 1 + pick % std::min(table.NoRecords(), MaxRecordsRead);
    table.Go(record);
    for (std::int16_t f = 1; f <= table.NoFields(); ++f)
        table.WriteData(Variant(static_cast<int>(f)), Variant(value));
    const std::string before = env.fileBytes(Path).value();
    table.upd();
    table.FileClose();
    const std::uint64_t from = recordOffset(table, record);
    const std::uint64_t to = from + static_cast<std::uint64_t>(table.Recordlength());
    requireChangesWithin(before, env.fileBytes(Path).value(), from, to, dataStart(table));
}

void appendOneRecord(MemEnv& env)
{
    dbases table(env);
    table.FileOpen(Path);
    const std::string before = env.fileBytes(Path).value();
    table.Go(dbases::AppendRecord);
    table.FileClose();
    const std::string after = env.fileBytes(Path).value();
    const std::uint64_t from = recordOffset(table, table.NoRecords());
    // The record count at bytes 4..7 is the one change outside the record.
    requireChangesWithin(before.substr(0, 4) + after.substr(4, 4) + before.substr(8), after, from,
                         from + static_cast<std::uint64_t>(table.Recordlength()), dataStart(table));
}

} // namespace

// The run reads the layout from a file's first bytes, before any table is
// opened: it must refuse exactly what the table object refuses.
bool layoutRead(const std::string& input)
{
    TableLayout layout;
    const LayoutDefect defect = readTableLayout(std::string_view(input).substr(0, LayoutBytes), &layout);
    if (defect != LayoutDefect::None)
        return false;
    const LayoutDepartures found = departures(layout, input.size());
    for (const std::size_t field : found.nonTextFields) {
        if (field >= layout.fields.size())
            fail("a field outside the field list", field);
    }
    if (found.missingRows < 0 || found.missingRows > std::max(layout.noRecords, 0))
        fail("more rows missing than claimed", static_cast<std::uint64_t>(found.missingRows));
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char*>(data), size);
    const bool readable = layoutRead(input);
    bool opened = false;
    MemEnv env('\\');
    env.setCapacity(Capacity);
    env.putFile(Path, input);
    try {
        dbases table(env);
        table.FileOpen(Path);
        opened = true;
        readEverything(table);
        table.FileClose();
    } catch (const RunError&) {
        // A refused or unreadable table is reported by the caller's trap.
    }
    if (opened != readable)
        fail(readable ? "the table object refused a table the layout reader took"
                      : "the table object took a refused table",
             0);
    if (env.fileBytes(Path) != input)
        fail("reading changed the file", 0);

    const std::uint8_t pick = size > 0 ? data[size - 1] : 0;
    try {
        rewriteOneRecord(env, input.substr(0, 40), pick);
    } catch (const RunError&) {
    }
    try {
        appendOneRecord(env);
    } catch (const RunError&) {
    }
    return 0;
}
