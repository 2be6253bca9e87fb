#include "support/ReferenceReorganisation.h"

#include "resources/Templates.h"
#include "support/TableImage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace torvane::testsupport {
namespace {

// Letters, the German umlauts and sharp s, digits and four marks, in Windows-1252.
const std::string Permitted = std::string("abcdefghijklmnopqrstuvwxyz\xE4\xF6\xFC\xDF"
                                          "ABCDEFGHIJKLMNOPQRSTUVWXYZ\xC4\xD6\xDC") +
                              "0123456789" + ",.- ";
const std::string Padding(250, ' ');

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Windows-1252 upper case.
std::string upperCase(std::string text)
{
    for (char& c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7))
            c = static_cast<char>(u - 0x20);
        else if (u == 0x9A || u == 0x9C || u == 0x9E)
            c = static_cast<char>(u - 0x10);
        else if (u == 0xFF)
            c = '\x9F';
    }
    return text;
}

// The decimal number a text starts with (blanks, a sign, digits, a point,
// digits); 0 when it starts with none.
double leadingNumber(const std::string& text)
{
    std::size_t i = text.find_first_not_of(' ');
    std::string number;
    if (i != std::string::npos && (text[i] == '+' || text[i] == '-'))
        number += text[i++];
    while (i < text.size() && isDigit(text[i]))
        number += text[i++];
    if (i < text.size() && text[i] == '.') {
        number += text[i++];
        while (i < text.size() && isDigit(text[i]))
            number += text[i++];
    }
    return std::strtod(number.c_str(), nullptr);
}

double roundedHalfToEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0))
        return below + 1;
    return below;
}

// A field named like a number addresses the field at that position: blanks
// around, a sign, digits with one decimal point or comma, an exponent.
std::optional<double> numberIn(const std::string& name)
{
    const std::string text = trimmed(name);
    std::string number;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        number += text[i++];
    int digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (isDigit(text[i])) {
            number += text[i];
            ++digits;
        } else if ((text[i] == '.' || text[i] == ',') && !point) {
            number += '.';
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0)
        return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        number += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            number += text[i++];
        const std::size_t firstDigit = i;
        while (i < text.size() && isDigit(text[i]))
            number += text[i++];
        if (i == firstDigit)
            return std::nullopt;
    }
    if (i != text.size())
        return std::nullopt;
    return std::strtod(number.c_str(), nullptr);
}

// One open table file: its bytes, its field list, one record buffer, a cursor.
class Table {
public:
    explicit Table(std::string bytes) : file(std::move(bytes))
    {
        const TableImage layout(file);
        records = layout.count;
        recordLength = layout.recordLength;
        fields = layout.fields;
        dataStart = layout.dataStart;
        buffer.assign(length(), ' ');
    }

    void go(std::int32_t n)
    {
        if (n >= 1 && n <= records) {
            cursor = n;
            readRecord();
        } else if (n == -1) {
            cursor = 1;
            readRecord();
        } else if (n == -2) {
            cursor = records;
            readRecord();
        } else if (n == -3 || n == -4) {
            const std::int32_t target = cursor + (n == -3 ? -1 : 1);
            if (target >= 1 && target <= records)
                cursor = target;
            readRecord();
        } else if (n == -5) {
            buffer.assign(length(), ' ');
            cursor = records + 1;
            upd();
            records = cursor;
            writeCount();
        }
    }

    void upd() { write(offsetOf(cursor), buffer); }

    std::string getData(const std::string& field) const
    {
        const ImageField* f = addressed(field);
        const auto start = f == nullptr ? 0 : static_cast<std::size_t>(f->start - 1);
        if (f == nullptr || start >= buffer.size())
            return {};
        return trimmed(buffer.substr(start, static_cast<std::size_t>(f->length)));
    }

    // The buffer keeps its length: a field reaching past it is cut.
    void writeData(const std::string& field, const std::string& value)
    {
        const ImageField* f = addressed(field);
        const auto start = f == nullptr ? 0 : static_cast<std::size_t>(f->start - 1);
        if (f == nullptr || start >= buffer.size())
            return;
        const auto width = static_cast<std::size_t>(f->length);
        std::string text = (value + std::string(width, ' ')).substr(0, width);
        text.resize(std::min(text.size(), buffer.size() - start));
        buffer.replace(start, text.size(), text);
    }

    std::string file;
    std::int32_t records = 0;
    std::int16_t recordLength = 0;
    std::vector<ImageField> fields;
    std::size_t dataStart = 0;
    std::string buffer;
    std::int32_t cursor = 0;

private:
    std::size_t length() const { return static_cast<std::size_t>(std::max<int>(recordLength, 0)); }
    std::size_t offsetOf(std::int32_t r) const { return dataStart + static_cast<std::size_t>(r - 1) * length(); }

    // By number when the text reads as one (out of range addresses nothing),
    // otherwise the first field named like it, trimmed and upper-cased.
    const ImageField* addressed(const std::string& field) const
    {
        if (const std::optional<double> number = numberIn(field)) {
            if (!(std::fabs(*number) < 1e6))
                return nullptr;
            const double position = roundedHalfToEven(*number);
            if (position < 1 || position > static_cast<double>(fields.size()))
                return nullptr;
            return &fields[static_cast<std::size_t>(position) - 1];
        }
        const std::string name = upperCase(trimmed(field));
        for (const ImageField& f : fields) {
            if (f.name == name)
                return &f;
        }
        return nullptr;
    }

    void readRecord()
    {
        if (cursor < 1)
            return;
        const std::size_t at = offsetOf(cursor);
        buffer.assign(at < file.size() ? file.substr(at, length()) : std::string());
        buffer.resize(length(), ' ');
    }

    void write(std::size_t at, const std::string& bytes)
    {
        if (at + bytes.size() > file.size())
            file.resize(at + bytes.size(), '\0');
        file.replace(at, bytes.size(), bytes);
    }

    void writeCount()
    {
        const auto count = static_cast<std::uint32_t>(records);
        for (std::size_t i = 0; i < 4; ++i)
            file[4 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
    }
};

// Positions the table on its first row with the key, scanning from record 1;
// without one, a row carrying the key is appended and written.
void synchronise(Table& table, std::int32_t key)
{
    const std::int32_t records = table.records;
    for (std::int32_t i = 1; i <= records; ++i) {
        table.go(i);
        if (leadingNumber(table.getData("Datnummer")) == key)
            return;
    }
    table.go(-5);
    table.go(-2);
    table.writeData("DATNUMMER", std::to_string(key));
    table.upd();
}

// Fitting a character value: cut, or padded by at most 250 blanks.
void fitted(std::string& value, const std::string& type, int length)
{
    if (type == "C")
        value = (value + Padding).substr(0, static_cast<std::size_t>(length));
}

void checked(std::string& value, const std::string& type, int length)
{
    if (type != "C")
        return;
    fitted(value, type, length);
    for (std::size_t i = 0; i < static_cast<std::size_t>(length) && i < value.size(); ++i) {
        if (Permitted.find(value[i]) == std::string::npos)
            value[i] = ' ';
    }
}

class Reorganisation {
public:
    Reorganisation(const PracticeFiles& sources, const std::array<std::string_view, 4>& templates)
    {
        for (std::size_t k = 0; k < 4; ++k) {
            if (sources[k])
                main_[k].emplace(*sources[k]);
            else if (k < 3)
                throw std::invalid_argument("a practice needs person, kvxdat1 and kvxdat2");
            fresh_.emplace_back(std::string(templates[k]));
        }
        kvxdat3Missing_ = !main_[3];
    }

    ReferenceResult run()
    {
        for (std::size_t t = 0; t < 4; ++t) {
            if (main_[t])
                mainFields_[t] = main_[t]->fields;
            freshFields_[t] = fresh_[t].fields;
        }
        ReferenceResult result;
        const std::int32_t n = main_[0]->records;
        result.nothingToDo = n < 2;
        for (std::int32_t r = 1; r <= n && !result.nothingToDo; ++r)
            transfer(r);
        result.carried = running_;
        for (std::size_t k = 0; k < 4; ++k) {
            result.fresh[k] = fresh_[k].file;
            if (main_[k])
                result.working[k] = main_[k]->file;
        }
        return result;
    }

private:
    void transfer(std::int32_t r)
    {
        Table& person = *main_[0];
        person.go(r);
        const double d = roundedHalfToEven(leadingNumber(person.getData("Datnummer")));
        if (d < 1)
            return;
        for (std::size_t k = 0; k < 4; ++k) {
            if (main_[k])
                synchronise(*main_[k], static_cast<std::int32_t>(d));
        }
        const std::string surname = trimmed(person.getData("Nachname"));
        const std::string firstName = trimmed(person.getData("Vorname"));
        if (surname == "Neuer_Patient" || trimmed(surname + firstName).empty())
            return;
        if (running_ == 32767)
            throw std::runtime_error("the running number cannot count past 32767");
        ++running_;
        appendRows();
        copyFields();
    }

    // haenge_satz_an: a blank row in every fresh table under the next key,
    // every table positioned on its row with that key, then the running number.
    void appendRows()
    {
        std::int32_t key = largestKey() + 1;
        if (key < 1)
            key = 1;
        for (Table& table : fresh_) {
            table.go(-5);
            table.go(-2);
        }
        for (Table& table : fresh_)
            table.writeData("DATNUMMER", std::to_string(key));
        for (Table& table : fresh_)
            table.upd();
        for (Table& table : fresh_)
            synchronise(table, key);
        for (Table& table : fresh_)
            table.writeData("DATNUMMER", std::to_string(running_));
        for (Table& table : fresh_)
            table.upd();
    }

    // The largest record position of the fresh person table, visiting each
    // record, then back to the record it stood on.
    std::int32_t largestKey()
    {
        Table& person = fresh_[0];
        const std::int32_t noted = person.cursor;
        std::int32_t largest = -10;
        for (std::int32_t i = 1; i <= person.records; ++i) {
            person.go(i);
            largest = std::max(largest, person.cursor);
        }
        person.go(noted);
        return largest;
    }

    void copyFields()
    {
        for (std::size_t t = 0; t < 4; ++t) {
            if (t == 3 && kvxdat3Missing_)
                continue;
            for (std::size_t f = 2; f <= mainFields_[t].size(); ++f) {
                const ImageField& source = mainFields_[t][f - 1];
                const ImageField target = f <= freshFields_[t].size() ? freshFields_[t][f - 1] : ImageField{};
                std::string value = main_[t]->getData(source.name);
                checked(value, source.type, source.length);
                fitted(value, target.type, target.length);
                fresh_[t].writeData(source.name, value);
                fresh_[t].upd();
            }
        }
    }

    std::array<std::optional<Table>, 4> main_;
    std::vector<Table> fresh_;
    bool kvxdat3Missing_ = false;
    std::array<std::vector<ImageField>, 4> mainFields_;
    std::array<std::vector<ImageField>, 4> freshFields_;
    int running_ = 0;
};

} // namespace

ReferenceResult referenceReorganisation(const PracticeFiles& sources, const std::array<std::string_view, 4>& templates)
{
    return Reorganisation(sources, templates).run();
}

ReferenceResult referenceReorganisation(const PracticeFiles& sources)
{
    return referenceReorganisation(sources,
                                   {templateBlob(101), templateBlob(102), templateBlob(103), templateBlob(104)});
}

} // namespace torvane::testsupport
