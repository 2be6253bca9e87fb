#include "tables/dbases.h"

#include "errors/RunError.h"
#include "platform/Cp1252.h"
#include "tables/TableLayout.h"
#include "tables/TrimBlanks.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace torvane {

namespace {

constexpr std::size_t HeaderSize = 32;
constexpr std::size_t DescriptorSize = 32;

[[noreturn]] void refuse(const std::string& path, const char* reason)
{
    throw RunError::raised(errnum::InvalidFileFormat, cp1252::ansi(reason) + " (" + path + ")");
}

} // namespace

struct dbases::Layout {
    std::int32_t noRecords = 0;
    std::int16_t recordLength = 0;
    std::vector<std::string> names, types;
    std::vector<int> lengths, starts, decimals;
};

dbases::dbases(Env& env) : env_(env) {}

dbases::~dbases()
{
    if (!file_)
        return;
    try {
        FileClose();
    } catch (const RunError&) {
        // Closing at destruction has no caller left to report to.
    }
}

void dbases::NoRecords(std::int32_t value)
{
    noRecords_ = value;
    indexBuilt_ = false;
}

void dbases::Recordlength(std::int16_t value)
{
    recordLength_ = value;
    forgetStoredState();
}

void dbases::mnFields(std::uint8_t value)
{
    fieldCount_ = value;
    indexBuilt_ = false;
}

void dbases::forgetStoredState()
{
    bufferStored_ = false;
    indexBuilt_ = false;
}

// A failed file operation may have cost the cache changed pages, written
// records among them: neither the buffer nor the index then shows the file.
template <class Operation>
auto dbases::onFile(Operation operation)
{
    try {
        return operation();
    } catch (const RunError&) {
        forgetStoredState();
        throw;
    }
}

void dbases::hole_feldinfo(std::uint8_t feldnummer, std::string& name, std::string& typ, std::int16_t& laenge) const
{
    if (feldnummer < 1 || feldnummer > fieldCount())
        throw RunError::raised(errnum::SubscriptOutOfRange);
    const std::size_t i = feldnummer - 1u;
    name = names_[i];
    typ = types_[i];
    laenge = static_cast<std::int16_t>(lengths_[i]);
}

std::string dbases::FieldName(std::int16_t i) const
{
    if (i < 1 || i > fieldCount())
        throw RunError::raised(errnum::SubscriptOutOfRange);
    return names_[static_cast<std::size_t>(i - 1)];
}

void dbases::setze_buffer(const std::string& buffer)
{
    // A buffer of another length would write a record over its neighbours.
    if (buffer.size() != static_cast<std::size_t>(std::max<int>(recordLength_, 0)))
        throw RunError::raised(errnum::InvalidArgument);
    buffer_ = buffer;
    bufferStored_ = false;
}

void dbases::FileOpen(const std::string& sPath)
{
    if (file_)
        FileClose();
    clearLayout();
    std::unique_ptr<RandomRWFile> raw;
    raiseIfFailed(env_.openReadWrite(sPath, &raw));
    auto file = std::make_unique<PagedFile>(std::move(raw));

    std::string start(LayoutBytes, '\0');
    start.resize(file->read(0, start.data(), LayoutBytes));
    TableLayout read;
    if (const LayoutDefect defect = readTableLayout(start, &read); defect != LayoutDefect::None)
        refuse(sPath, defectText(defect));
    Layout layout;
    layout.noRecords = read.noRecords;
    layout.recordLength = read.recordLength;
    for (TableLayout::Field& field : read.fields) {
        layout.names.push_back(std::move(field.name));
        layout.types.push_back(std::move(field.type));
        layout.lengths.push_back(field.length);
        layout.decimals.push_back(field.decimals);
        layout.starts.push_back(field.start);
    }

    file_ = std::move(file);
    install(layout);
}

Variant dbases::FileClose()
{
    indexBuilt_ = false;
    bufferStored_ = false;
    if (file_) {
        std::unique_ptr<PagedFile> file = std::move(file_);
        file->close();
    }
    return {};
}

int dbases::fieldNumber(Variant& vField) const
{
    if (vField.isNumeric()) {
        std::int16_t number = 0;
        if (!roundToInt16(vField.toNumber(), &number))
            throw RunError::raised(errnum::Overflow);
        return number;
    }
    vField = Variant(cp1252::upperCase(trimBlanks(vField.toText())));
    const std::string name = vField.toText();
    for (int i = 0; i < fieldCount(); ++i) {
        if (names_[static_cast<std::size_t>(i)] == name)
            return i + 1;
    }
    return 0;
}

Variant dbases::GetData(Variant& vField) const
{
    const int field = fieldNumber(vField);
    if (field < 1 || field > fieldCount())
        return {};
    const auto start = static_cast<std::size_t>(fieldStart(field) - 1);
    if (start >= buffer_.size())
        return Variant(std::string());
    return Variant(trimBlanks(std::string_view(buffer_).substr(start, static_cast<std::size_t>(fieldLength(field)))));
}

Variant dbases::GetData(const Variant& vField) const
{
    Variant copy = vField;
    return GetData(copy);
}

void dbases::WriteData(Variant& vField, const Variant& vData)
{
    const int field = fieldNumber(vField);
    if (field < 1 || field > fieldCount())
        return;
    writeField(field, vData.toText());
}

void dbases::WriteData(const Variant& vField, const Variant& vData)
{
    Variant copy = vField;
    WriteData(copy, vData);
}

void dbases::writeField(int field, std::string_view text)
{
    const auto start = static_cast<std::size_t>(fieldStart(field) - 1);
    if (start >= buffer_.size())
        throw RunError::raised(errnum::InvalidArgument);
    const auto length = static_cast<std::size_t>(fieldLength(field));
    // The buffer keeps its length: a field reaching past the record is cut.
    const std::size_t room = std::min(length, buffer_.size() - start);
    const std::size_t copied = std::min(room, text.size());
    char* target = buffer_.data() + start;
    if (std::memcmp(target, text.data(), copied) != 0) {
        std::memcpy(target, text.data(), copied);
        bufferStored_ = false;
    }
    for (std::size_t i = copied; i < room; ++i) {
        if (target[i] != ' ') {
            target[i] = ' ';
            bufferStored_ = false;
        }
    }
}

void dbases::Go(std::int32_t nRec)
{
    if (nRec >= 1 && nRec <= noRecords_) {
        if (nRec == cursor_ && bufferStored_)
            return;
        cursor_ = nRec;
        ReadRecord();
        return;
    }
    switch (nRec) {
    case FirstRecord:
        cursor_ = 1;
        ReadRecord();
        break;
    case LastRecord:
        if (cursor_ == noRecords_ && bufferStored_)
            break;
        cursor_ = noRecords_;
        ReadRecord();
        break;
    case PreviousRecord:
        Skip(-1);
        break;
    case NextRecord:
        Skip(1);
        break;
    case AppendRecord:
        append();
        break;
    default:
        break;
    }
}

void dbases::upd()
{
    if (!file_)
        throw RunError::raised(errnum::BadFileName);
    if (cursor_ < 1)
        throw RunError::raised(errnum::BadRecordNumber);
    if (buffer_.size() != static_cast<std::size_t>(std::max<int>(recordLength_, 0)) || recordLength_ < 1)
        throw RunError::raised(errnum::BadRecordLength);
    if (bufferStored_)
        return;
    onFile([&] { file_->write(recordOffset(cursor_), buffer_); });
    bufferStored_ = true;
    if (indexBuilt_ && cursor_ <= index_.recordCount())
        index_.update(cursor_, keyOf(buffer_.data(), buffer_.size()));
}

void dbases::UpdateNoRecords(std::int32_t nummer)
{
    if (!file_)
        throw RunError::raised(errnum::BadFileName);
    if (nummer != 0) {
        noRecords_ = nummer;
        indexBuilt_ = false;
    }
    const auto count = static_cast<std::uint32_t>(noRecords_);
    const char bytes[4] = {static_cast<char>(count & 0xFF), static_cast<char>((count >> 8) & 0xFF),
                           static_cast<char>((count >> 16) & 0xFF), static_cast<char>(count >> 24)};
    onFile([&] { file_->write(4, std::string_view(bytes, 4)); });
}

// A damaged header may claim more records than the file holds; those read
// as blank records. A few missing records are indexed like the others, but
// a header claiming millions that are not there would cost that much time
// and memory, so such a file is searched record by record instead.
std::int32_t dbases::firstRecordWithKey(std::int32_t key)
{
    if (!file_)
        throw RunError::raised(errnum::BadFileName);
    const std::int32_t held = heldRecords();
    if (noRecords_ - held > MaxAbsentIndexed)
        return onFile([&] { return scanForKey(key, held); });
    if (!indexBuilt_ || index_.recordCount() != noRecords_)
        onFile([&] { buildIndex(); });
    return index_.first(key);
}

// From the key index, which holds every record's key, so that naming many
// scattered records reads none of them.
KeyIndex::Key dbases::recordKey(std::int32_t record)
{
    if (!file_)
        throw RunError::raised(errnum::BadFileName);
    if (record < 1 || record > noRecords_)
        throw RunError::raised(errnum::SubscriptOutOfRange);
    if (noRecords_ - heldRecords() > MaxAbsentIndexed) {
        const std::string text = storedKey(record);
        return keyOfText(text.data(), text.size());
    }
    if (!indexBuilt_ || index_.recordCount() != noRecords_)
        onFile([&] { buildIndex(); });
    return index_.keyOf(record);
}

std::string dbases::storedKey(std::int32_t record)
{
    if (!file_)
        throw RunError::raised(errnum::BadFileName);
    const std::pair<std::size_t, std::size_t> span = keySpan();
    std::string text(span.second, ' ');
    if (record >= 1 && record <= heldRecords())
        onFile([&] { file_->read(recordOffset(record) + span.first, text.data(), span.second); });
    return trimBlanks(text);
}

// The records that begin inside the file, at most NoRecords.
std::int32_t dbases::heldRecords() const
{
    const std::uint64_t size = file_->size();
    const auto start = static_cast<std::uint64_t>(dataStart_);
    if (recordLength_ < 1 || noRecords_ < 1 || size <= start)
        return 0;
    const auto length = static_cast<std::uint64_t>(recordLength_);
    const std::uint64_t held = (size - start + length - 1) / length;
    return static_cast<std::int32_t>(std::min<std::uint64_t>(held, static_cast<std::uint64_t>(noRecords_)));
}

std::int32_t dbases::scanForKey(std::int32_t key, std::int32_t held)
{
    const auto [start, width] = keySpan();
    std::string text;
    for (std::int32_t r = 1; r <= held; ++r) {
        text.assign(width, ' ');
        file_->read(recordOffset(r) + start, text.data(), width);
        if (keyOfText(text.data(), width) == key)
            return r;
    }
    text.assign(width, ' ');
    return keyOfText(text.data(), width) == key ? held + 1 : 0;
}

void dbases::ReadRecord()
{
    if (!file_)
        throw RunError::raised(errnum::BadFileName);
    bufferStored_ = false;
    if (cursor_ < 1)
        return;
    scratch_.assign(static_cast<std::size_t>(std::max<int>(recordLength_, 0)), ' ');
    const std::size_t got =
        onFile([&] { return file_->read(recordOffset(cursor_), scratch_.data(), scratch_.size()); });
    // Bytes behind the end of the file read as blanks, never as leftovers.
    std::fill(scratch_.begin() + static_cast<std::ptrdiff_t>(got), scratch_.end(), ' ');
    buffer_.swap(scratch_);
    bufferStored_ = got == buffer_.size();
}

std::int32_t dbases::Skip(std::int32_t n)
{
    const std::int64_t target = static_cast<std::int64_t>(cursor_) + n;
    std::int32_t moved = 0;
    if (target >= 1 && target <= noRecords_) {
        cursor_ = static_cast<std::int32_t>(target);
        moved = n;
    } else if (bufferStored_) {
        return 0; // rereading would give the same bytes
    }
    ReadRecord();
    return moved;
}

void dbases::append()
{
    if (noRecords_ == std::numeric_limits<std::int32_t>::max())
        throw RunError::raised(errnum::Overflow);
    buffer_.assign(static_cast<std::size_t>(std::max<int>(recordLength_, 0)), ' ');
    bufferStored_ = false;
    cursor_ = noRecords_ + 1;
    upd();
    noRecords_ = cursor_;
    noteWritten();
    UpdateNoRecords(0);
}

void dbases::noteWritten()
{
    if (indexBuilt_ && index_.recordCount() == noRecords_ - 1)
        index_.append(keyOf(buffer_.data(), buffer_.size()));
    else
        indexBuilt_ = false;
}

void dbases::clearLayout()
{
    noRecords_ = 0;
    recordLength_ = 0;
    fieldCount_ = 0;
    names_.clear();
    types_.clear();
    lengths_.clear();
    starts_.clear();
    decimals_.clear();
    dataStart_ = 0;
    buffer_.clear();
    keyField_ = 0;
    indexBuilt_ = false;
    bufferStored_ = false;
}

void dbases::install(const Layout& layout)
{
    noRecords_ = layout.noRecords;
    recordLength_ = layout.recordLength;
    names_ = layout.names;
    types_ = layout.types;
    lengths_ = layout.lengths;
    starts_ = layout.starts;
    decimals_ = layout.decimals;
    fieldCount_ = static_cast<std::uint8_t>(names_.size());
    buffer_.assign(static_cast<std::size_t>(recordLength_), ' ');
    dataStart_ = static_cast<std::int64_t>(DescriptorSize * names_.size() + HeaderSize + 1);
    Variant key("DATNUMMER");
    keyField_ = fieldNumber(key);
}

int dbases::fieldCount() const
{
    return std::min<int>(fieldCount_, static_cast<int>(names_.size()));
}

// Where the key field lies inside a record: [start, start + width).
std::pair<std::size_t, std::size_t> dbases::keySpan() const
{
    const auto length = static_cast<std::size_t>(std::max<int>(recordLength_, 0));
    if (keyField_ == 0 || keyField_ > fieldCount())
        return {0, 0}; // no key field: every record reads as blank
    const auto start = static_cast<std::size_t>(fieldStart(keyField_) - 1);
    if (start >= length)
        return {0, 0};
    return {start, std::min<std::size_t>(static_cast<std::size_t>(fieldLength(keyField_)), length - start)};
}

KeyIndex::Key dbases::keyOf(const char* record, std::size_t length) const
{
    const auto [start, width] = keySpan();
    if (start + width > length)
        return std::nullopt;
    return keyOfText(record + start, width);
}

KeyIndex::Key dbases::keyOfText(const char* text, std::size_t width)
{
    const double value = leadingNumber(text, width);
    std::int32_t key = 0;
    if (std::floor(value) != value || !roundToInt32(value, &key))
        return std::nullopt;
    return key;
}

void dbases::buildIndex()
{
    if (!file_)
        throw RunError::raised(errnum::BadFileName);
    index_.clear(std::min(noRecords_, heldRecords() + MaxAbsentIndexed));
    indexBuilt_ = false;
    const auto [start, width] = keySpan();
    std::string text;
    const std::int32_t held = heldRecords();
    for (std::int32_t r = 1; r <= held; ++r) {
        text.assign(width, ' ');
        file_->read(recordOffset(r) + start, text.data(), width);
        index_.append(keyOfText(text.data(), width));
    }
    text.assign(width, ' ');
    const KeyIndex::Key absent = keyOfText(text.data(), width);
    for (std::int32_t r = held + 1; r <= noRecords_; ++r)
        index_.append(absent);
    indexBuilt_ = true;
}

std::uint64_t dbases::recordOffset(std::int32_t record) const
{
    return static_cast<std::uint64_t>(dataStart_) +
           static_cast<std::uint64_t>(record - 1) * static_cast<std::uint64_t>(recordLength_);
}

} // namespace torvane
