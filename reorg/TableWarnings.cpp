#include "reorg/TableWarnings.h"

#include "reorg/CheckTexts.h"
#include "resources/Templates.h"

#include <algorithm>
#include <set>

namespace torvane {
namespace {

std::string fileOf(std::size_t table)
{
    return std::string(TableNames[table - 1].base) + ".kvt";
}

// A name of digits addresses the field of that number, as a lookup reads it.
bool addressesByNumber(const std::string& name, std::size_t fields)
{
    if (name.empty() || name.size() > 3 ||
        !std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    const auto number = static_cast<std::size_t>(std::stoi(name));
    return number >= 1 && number <= fields;
}

} // namespace

void TableWarnings::add(Rank rank, std::size_t table, std::string text)
{
    entries_.push_back({rank, table, std::move(text)});
}

void TableWarnings::inspect(std::size_t table, const TableLayout& layout, std::uint64_t fileSize)
{
    const std::string file = fileOf(table);
    const LayoutDepartures found = departures(layout, fileSize);
    if (found.noKey) {
        noKey_[table] = true;
        add(NoKey, table, table == 1 ? texts::noKeyInPatients(file) : texts::noKeyInExaminations(file));
    }
    if (found.missingRows > 0)
        add(RowsMissing, table, texts::rowsMissing(file, found.missingRows, layout.noRecords));
    if (found.otherVersion)
        add(Layout, table, texts::otherVersion(file, layout.version));
    if (found.headerLengthDiffers)
        add(Layout, table, texts::headerLengthDiffers(file, layout.headerLength, layout.dataStart()));
    if (found.recordLengthDiffers) {
        std::int64_t widths = 1;
        for (const TableLayout::Field& field : layout.fields)
            widths += field.length;
        add(Layout, table, texts::recordLengthDiffers(file, layout.recordLength, widths));
    }
    for (const std::size_t i : found.nonTextFields) {
        const TableLayout::Field& field = layout.fields[i];
        add(FieldType, table,
            field.type == "M" ? texts::memoField(file, field.name) : texts::nonTextField(file, field.name, field.type));
    }
}

// Field 1 is the key and never copied; the others go by name.
void TableWarnings::fields(std::size_t table, const FieldLists& lists, const FieldCopyCounts& counts)
{
    const std::string file = fileOf(table);
    std::set<std::string> fresh;
    for (const FieldInfo& field : lists.feldinfo_temp[table]) {
        if (!field.name.empty())
            fresh.insert(field.name);
    }
    for (int f = 2; f <= lists.feldanzahl_main[table] && f <= 255; ++f) {
        const auto at = static_cast<std::size_t>(f);
        const std::string& name = lists.feldinfo_main[table][at].name;
        if (name.empty())
            continue;
        if (fresh.count(name) == 0 && !addressesByNumber(name, fresh.size()))
            add(Dropped, table, texts::fieldDropped(file, name, counts.dropped[at]));
        else if (counts.cut[at] > 0)
            add(Cut, table, texts::valuesCut(file, name, counts.cut[at]));
    }
}

void TableWarnings::transfer(const ReportSummary& summary)
{
    for (std::size_t k = 1; k <= summary.exams.size(); ++k) {
        const ExamSummary& exam = summary.exams[k - 1];
        if (!exam.missing && exam.read > 0 && exam.carried == 0 && !noKey_[k + 1])
            add(NoRowReached, k + 1, texts::noRowReached(fileOf(k + 1), exam.read));
    }
    std::vector<std::int32_t> numbers;
    for (const SameNumber& same : summary.sameNumbers)
        numbers.push_back(same.number);
    std::sort(numbers.begin(), numbers.end());
    numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
    if (!numbers.empty())
        add(SameNumbers, 1, texts::sameNumbers(fileOf(1), numbers));
}

std::vector<std::string> TableWarnings::ordered() const
{
    std::vector<const Entry*> sorted;
    for (const Entry& entry : entries_)
        sorted.push_back(&entry);
    std::stable_sort(sorted.begin(), sorted.end(), [](const Entry* a, const Entry* b) {
        return a->rank != b->rank ? a->rank < b->rank : a->table < b->table;
    });
    std::vector<std::string> texts;
    for (const Entry* entry : sorted)
        texts.push_back(entry->text);
    return texts;
}

} // namespace torvane
