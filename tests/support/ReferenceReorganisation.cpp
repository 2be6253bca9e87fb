#include "support/ReferenceReorganisation.h"

#include "resources/Templates.h"
#include "support/TableImage.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <regex>
#include <stdexcept>

namespace torvane::testsupport {
namespace {

// Letters, the German umlauts and sharp s, digits and four marks, in Windows-1252.
const std::string Permitted = std::string("abcdefghijklmnopqrstuvwxyz\xE4\xF6\xFC\xDF") +
                              "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xDC" + "0123456789,.- ";

// Field names are ASCII.
std::string upperCase(std::string text)
{
    for (char& c : text)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return text;
}

// The decimal number a trimmed text starts with (a sign, digits, a point,
// digits); 0 when it starts with none.
double leadingNumber(const std::string& text)
{
    std::size_t end = text.find_first_of("+-") == 0 ? 1 : 0;
    end = std::min(text.find_first_not_of("0123456789", end), text.size());
    if (end < text.size() && text[end] == '.')
        end = std::min(text.find_first_not_of("0123456789", end + 1), text.size());
    return std::strtod(text.substr(0, end).c_str(), nullptr);
}

// A field name that reads as a number: blanks around, a sign, digits with one
// decimal point or comma, an exponent.
std::optional<double> numberIn(const std::string& name)
{
    static const std::regex Number(" *([+-]?([0-9]+[.,]?[0-9]*|[.,][0-9]+)([eE][+-]?[0-9]+)?) *");
    std::smatch match;
    if (name.find_first_of("0123456789") == std::string::npos || !std::regex_match(name, match, Number))
        return std::nullopt;
    std::string number = match[1];
    std::replace(number.begin(), number.end(), ',', '.');
    return std::strtod(number.c_str(), nullptr);
}

// Cut or padded by at most 250 blanks, character fields only; cleaning turns
// what is not permitted into blanks.
std::string fitted(std::string value, const std::string& type, int length, bool clean = false)
{
    if (type == "C")
        value = (value + std::string(250, ' ')).substr(0, static_cast<std::size_t>(length));
    for (char& c : value)
        c = type == "C" && clean && Permitted.find(c) == std::string::npos ? ' ' : c;
    return value;
}

// One open table file with its record buffer and cursor.
struct Table : TableImage {
    explicit Table(std::string_view bytes) : TableImage(std::string(bytes)), buffer(length(), ' ') {}

    std::size_t length() const { return static_cast<std::size_t>(std::max<int>(recordLength, 0)); }

    // A record number positions and reads; -2 reads the last record; -5
    // appends and writes a blank record and the new count; anything else does nothing.
    void go(std::int32_t n)
    {
        if (n == -2 || (n >= 1 && n <= count)) {
            cursor = n == -2 ? count : n;
            buffer = record(cursor);
        } else if (n == -5) {
            buffer.assign(length(), ' ');
            cursor = count + 1;
            upd();
            count = cursor;
            for (std::size_t i = 0; i < 4; ++i)
                file[4 + i] = static_cast<char>(static_cast<std::uint32_t>(count) >> (8 * i));
        }
    }

    void upd()
    {
        const std::size_t at = dataStart + static_cast<std::size_t>(cursor - 1) * length();
        if (file.size() < at + length())
            file.resize(at + length(), '\0');
        file.replace(at, length(), buffer);
    }

    std::string getData(const std::string& name) const
    {
        const auto at = span(name);
        return at ? trimmed(buffer.substr(at->first, at->second)) : "";
    }

    // The buffer keeps its length: a field reaching past it is cut.
    void writeData(const std::string& name, const std::string& value)
    {
        if (const auto at = span(name))
            buffer.replace(at->first, at->second, (value + std::string(at->second, ' ')).substr(0, at->second));
    }

    // Where the field lies in the buffer, cut at its end: by position when
    // the name reads as a number, otherwise the first field named like it,
    // trimmed and upper-cased. None when that addresses no field.
    std::optional<std::pair<std::size_t, std::size_t>> span(const std::string& name) const
    {
        auto f = fields.end();
        if (const std::optional<double> number = numberIn(name)) {
            const double position = std::nearbyint(*number);
            if (position >= 1 && position <= static_cast<double>(fields.size()))
                f = fields.begin() + static_cast<std::ptrdiff_t>(position) - 1;
        } else {
            f = std::find_if(fields.begin(), fields.end(),
                             [wanted = upperCase(trimmed(name))](const ImageField& g) { return g.name == wanted; });
        }
        if (f == fields.end() || static_cast<std::size_t>(f->start) > buffer.size())
            return std::nullopt;
        const auto start = static_cast<std::size_t>(f->start - 1);
        return std::pair(start, std::min(static_cast<std::size_t>(f->length), buffer.size() - start));
    }

    std::string buffer;
    std::int32_t cursor = 0;
};

// Positions the table on its first row with the key, scanning from record 1;
// without one, a row carrying the key is appended and written. Returns the row.
std::int32_t synchronise(Table& table, std::int32_t key)
{
    for (std::int32_t i = 1, records = table.count; i <= records; ++i) {
        table.go(i);
        if (leadingNumber(table.getData("Datnummer")) == key)
            return i;
    }
    table.go(-5);
    table.go(-2);
    table.writeData("DATNUMMER", std::to_string(key));
    table.upd();
    return table.cursor;
}

std::string cleanedAll(std::string value)
{
    for (char& c : value)
        c = Permitted.find(c) == std::string::npos ? ' ' : c;
    return value;
}

std::string trimmedRight(const std::string& text)
{
    return text.substr(0, text.find_last_not_of(' ') + 1);
}

// The working copies (without kvxdat3 when the practice lacks it), the
// fresh tables and the running number.
struct Reorganisation {
    void transfer(std::int32_t r)
    {
        Table& person = *main[0];
        person.go(r);
        ReferencePatient& patient = patients.emplace_back();
        patient.record = r;
        patient.number = person.getData("Datnummer");
        patient.surname = person.getData("Nachname");
        patient.firstName = person.getData("Vorname");
        patient.birthDate = person.getData("GEBDATUM");
        const double key = std::nearbyint(leadingNumber(person.getData("Datnummer")));
        if (key < 1)
            return;
        patient.key = static_cast<std::int32_t>(key);
        for (std::size_t k = 0; k < main.size(); ++k) {
            if (main[k])
                patient.rows[k] = synchronise(*main[k], patient.key);
        }
        const std::string surname = person.getData("Nachname");
        patient.dataSurname = surname;
        patient.dataFirstName = person.getData("Vorname");
        patient.outcome = surname == "Neuer_Patient" ? ReferencePatient::Outcome::Placeholder
                          : trimmed(surname + person.getData("Vorname")).empty() ? ReferencePatient::Outcome::Nameless
                                                                                 : ReferencePatient::Outcome::Carried;
        if (patient.outcome != ReferencePatient::Outcome::Carried)
            return;
        if (running == 32767)
            throw std::runtime_error("the running number cannot count past 32767");
        patient.newNumber = ++running;
        appendRows();
        copyFields();
    }

    // A blank row in every fresh table under the next key, every table
    // positioned on its first row with that key, then the running number.
    void appendRows()
    {
        const std::int32_t key = std::max(largestKey() + 1, 1);
        for (Table& table : fresh) {
            table.go(-5);
            table.go(-2);
            table.writeData("DATNUMMER", std::to_string(key));
            table.upd();
            synchronise(table, key);
            table.writeData("DATNUMMER", std::to_string(running));
            table.upd();
        }
    }

    // The largest record position met on a walk over the fresh person table,
    // which then goes back to the record it stood on; -10 when it is empty.
    std::int32_t largestKey()
    {
        Table& person = fresh[0];
        const std::int32_t noted = person.cursor;
        std::int32_t largest = -10;
        for (std::int32_t i = 1; i <= person.count; ++i) {
            person.go(i);
            largest = std::max(largest, person.cursor);
        }
        person.go(noted);
        return largest;
    }

    // Fields 2.. of each working copy by name, cleaned to the source field,
    // fitted to the fresh field at the same position, the row rewritten each time.
    void copyFields()
    {
        for (std::size_t t = 0; t < 4; ++t) {
            if (!main[t])
                continue;
            const std::vector<ImageField>& targets = fresh[t].fields;
            for (std::size_t f = 1; f < main[t]->fields.size(); ++f) {
                const ImageField& source = main[t]->fields[f];
                const ImageField target = f < targets.size() ? targets[f] : ImageField{};
                const std::string read = main[t]->getData(source.name);
                const std::string value = fitted(read, source.type, source.length, true);
                fresh[t].writeData(source.name, fitted(value, target.type, target.length));
                fresh[t].upd();
                count(t, f + 1, source, read);
            }
        }
    }

    // What cleaning and fitting did to a value that reached the fresh table.
    void count(std::size_t t, std::size_t f, const ImageField& source, const std::string& read)
    {
        const auto span = fresh[t].span(source.name);
        if (!span)
            return;
        ReferenceFieldCount& counted = fields[t][static_cast<int>(f)];
        const bool text = source.type == "C";
        if (text && fitted(read, source.type, source.length, true) != fitted(read, source.type, source.length))
            ++counted.cleaned;
        const std::string arrived = fresh[t].buffer.substr(span->first, span->second);
        if (trimmedRight(text ? cleanedAll(read) : read) != trimmedRight(arrived))
            ++counted.cut;
    }

    std::array<std::optional<Table>, 4> main;
    std::vector<Table> fresh;
    int running = 0;
    std::vector<ReferencePatient> patients;
    std::array<std::map<int, ReferenceFieldCount>, 4> fields;
};

} // namespace

ReferenceResult referenceReorganisation(const PracticeFiles& sources)
{
    Reorganisation run;
    for (std::size_t k = 0; k < 4; ++k) {
        if (sources[k])
            run.main[k].emplace(*sources[k]);
        run.fresh.emplace_back(templateBlob(TableNames[k].resource));
    }
    ReferenceResult result;
    const std::int32_t n = run.main[0]->count;
    result.nothingToDo = n < 2;
    for (std::int32_t r = 1; r <= n && !result.nothingToDo; ++r)
        run.transfer(r);
    result.carried = run.running;
    result.patients = run.patients;
    result.fields = run.fields;
    for (std::size_t k = 0; k < 4; ++k) {
        result.fresh[k] = run.fresh[k].file;
        if (run.main[k])
            result.working[k] = run.main[k]->file;
    }
    return result;
}

double referenceNumber(const std::string& keyText)
{
    return leadingNumber(keyText);
}

} // namespace torvane::testsupport
