#pragma once

#include "platform/Env.h"
#include "tables/KeyIndex.h"
#include "tables/PagedFile.h"
#include "tables/Variant.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace torvane {

// The table object: one open table file in the dBASE III layout, its field
// list, one record buffer and a 1-based cursor. It traps nothing: a failed
// file operation is thrown as RunError into the calling procedure's trap.
//
// Values are Windows-1252 text, left-aligned and blank-padded in the record.
// Reading a field reads the buffer; writing a field changes only the buffer,
// which reaches the file through upd/UpDate or when a blank record is
// appended.
class dbases {
public:
    // Where Go moves besides a record number 1..NoRecords.
    static constexpr std::int32_t FirstRecord = -1;
    static constexpr std::int32_t LastRecord = -2;
    static constexpr std::int32_t PreviousRecord = -3;
    static constexpr std::int32_t NextRecord = -4;
    // A blank record appended at the end, the cursor on it.
    static constexpr std::int32_t AppendRecord = -5;

    explicit dbases(Env& env);
    ~dbases();

    dbases(const dbases&) = delete;
    dbases& operator=(const dbases&) = delete;

    Date AccessDate() const { return accessDate_; }
    void AccessDate(Date value) { accessDate_ = value; }
    std::int32_t NoRecords() const { return noRecords_; }
    void NoRecords(std::int32_t value);
    std::int16_t Recordlength() const { return recordLength_; }
    void Recordlength(std::int16_t value);
    std::uint8_t mnFields() const { return fieldCount_; }
    void mnFields(std::uint8_t value);

    std::uint8_t anzahl_felder() const { return fieldCount_; }
    void hole_feldinfo(std::uint8_t feldnummer, std::string& name, std::string& typ, std::int16_t& laenge) const;
    std::int32_t hole_nummer() const { return cursor_; }
    // The cursor, not the field DATNUMMER.
    std::int32_t datnummer() const { return cursor_; }
    void setze_buffer(const std::string& buffer);
    std::string lies_buffer() const { return buffer_; }
    void FileOpen(const std::string& sPath);
    Variant FileClose();
    std::string RecBuf() const { return buffer_; }
    std::int16_t NoFields() const { return fieldCount_; }
    std::string FieldName(std::int16_t i) const;
    // A field name is trimmed and upper-cased in the caller's argument.
    Variant GetData(Variant& vField) const;
    Variant GetData(const Variant& vField) const;
    void WriteData(Variant& vField, const Variant& vData);
    void WriteData(const Variant& vField, const Variant& vData);
    void Go(std::int32_t nRec);
    void upd();
    void UpDate() { upd(); }
    void UpdateNoRecords(std::int32_t nummer = 0);
    std::int32_t RecordNumber() const { return cursor_; }
    bool eof() const { return cursor_ == noRecords_; }
    bool bof() const { return cursor_ == 1; }

    // Beyond the classic interface, for the paths that run once per patient.

    bool isOpen() const { return file_ != nullptr; }
    const std::string& buffer() const { return buffer_; }
    // The field number a name or number addresses (0 when none), as
    // GetData and WriteData find it; normalises a name in place.
    int fieldNumber(Variant& vField) const;
    // 1-based start in the record and length of a field 1..NoFields.
    int fieldStart(int field) const { return starts_[static_cast<std::size_t>(field - 1)]; }
    int fieldLength(int field) const { return lengths_[static_cast<std::size_t>(field - 1)]; }
    // WriteData of a text into field 1..NoFields.
    void writeField(int field, std::string_view text);
    // The record buffer for changes made directly; it then no longer counts
    // as stored, so the next upd writes it. Its length must stay.
    std::string& editBuffer()
    {
        bufferStored_ = false;
        return buffer_;
    }
    // The first record whose DATNUMMER reads as the key, 0 when none; the
    // same record a scan from record 1 would stop at. Cursor and buffer stay.
    std::int32_t firstRecordWithKey(std::int32_t key);
    // The key record 1..NoRecords reads as (none when that is no whole
    // number), as positioning on a key sees it. Cursor and buffer stay.
    KeyIndex::Key recordKey(std::int32_t record);
    // A record's key field as stored, blanks around removed. Cursor and buffer stay.
    std::string storedKey(std::int32_t record);
    // The records that begin inside the file; a header may claim more,
    // which then read as blank records.
    std::int32_t storedRecords() const { return isOpen() ? heldRecords() : 0; }

private:
    struct Layout;

    // Records a header may claim beyond the end of its file and still be indexed.
    static constexpr std::int32_t MaxAbsentIndexed = 1 << 16;

    void ReadRecord();
    std::int32_t Skip(std::int32_t n);
    void append();
    void clearLayout();
    void install(const Layout& layout);
    int fieldCount() const;
    std::pair<std::size_t, std::size_t> keySpan() const;
    KeyIndex::Key keyOf(const char* record, std::size_t length) const;
    static KeyIndex::Key keyOfText(const char* text, std::size_t width);
    void buildIndex();
    std::int32_t heldRecords() const;
    std::int32_t scanForKey(std::int32_t key, std::int32_t held);
    void noteWritten();
    void forgetStoredState();
    template <class Operation>
    auto onFile(Operation operation);
    std::uint64_t recordOffset(std::int32_t record) const;

    Env& env_;
    std::unique_ptr<PagedFile> file_;

    Date accessDate_;
    std::int32_t noRecords_ = 0;
    std::int16_t recordLength_ = 0;
    std::uint8_t fieldCount_ = 0;

    std::vector<std::string> names_;
    std::vector<std::string> types_;
    std::vector<int> lengths_;
    std::vector<int> starts_;
    std::vector<int> decimals_;
    std::int64_t dataStart_ = 0;
    std::string buffer_;
    std::int32_t cursor_ = 0;

    // The buffer holds exactly the stored bytes of the record at the cursor,
    // so rereading or rewriting it would change nothing.
    bool bufferStored_ = false;
    int keyField_ = 0;
    bool indexBuilt_ = false;
    KeyIndex index_;
    std::string scratch_;
};

} // namespace torvane
