#include "tables/dbases.h"

#include "errors/RunError.h"
#include "platform/FaultInjectingEnv.h"
#include "platform/MemEnv.h"
#include "platform/PosixEnv.h"
#include "resources/Templates.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace torvane {
namespace {

struct OnMemEnv {
    MemEnv env;
    std::string folder = "/tmp/";
};

struct OnPosixEnv {
    testsupport::ScratchFolder scratch;
    Env& env = PosixEnv::defaultEnv();
    std::string folder = scratch.path();
};

constexpr std::size_t PersonStart = 481;
constexpr std::size_t PersonLength = 269;

std::string blanks(std::size_t n) { return std::string(n, ' '); }
std::string count(char n) { return std::string{n, 0, 0, 0}; }

// A person record: flag, DATNUMMER, NACHNAME, the rest blank.
std::string person(char flag, const std::string& key, const std::string& name)
{
    std::string record = flag + key + blanks(6 - key.size()) + name;
    return record + blanks(PersonLength - record.size());
}

// The person template's header with these records behind it.
std::string personTable(const std::vector<std::string>& records)
{
    std::string bytes(templateBlob(101).substr(0, PersonStart));
    bytes[4] = static_cast<char>(records.size());
    for (const std::string& record : records)
        bytes += record;
    return bytes;
}

// An empty table of n one-byte fields F1 .. Fn.
std::string tableOfFields(int n)
{
    std::string bytes(32, '\0');
    bytes[10] = static_cast<char>((n + 1) & 0xFF);
    bytes[11] = static_cast<char>((n + 1) >> 8);
    for (int i = 1; i <= n; ++i) {
        std::string descriptor = "F" + std::to_string(i);
        descriptor.resize(32, '\0');
        descriptor[11] = 'C';
        descriptor[16] = 1;
        bytes += descriptor;
    }
    return bytes + '\x0D';
}

template <class Backing>
class DbasesTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) { return backing.folder + name; }
    void put(const std::string& name, const std::string& bytes)
    {
        raiseIfFailed(backing.env.writeNewFile(path(name), bytes));
    }
    std::string onDisk(const std::string& name)
    {
        std::string bytes;
        raiseIfFailed(backing.env.readFile(path(name), &bytes));
        return bytes;
    }
    void open(const std::string& bytes, const std::string& name = "t.kvt")
    {
        put(name, bytes);
        t.FileOpen(path(name));
    }
    std::string closeAndRead(const std::string& name = "t.kvt")
    {
        t.FileClose();
        return onDisk(name);
    }
    std::string text(const Variant& field) { return t.GetData(field).toText(); }

    Backing backing;
    dbases t{backing.env};
};

using Backings = ::testing::Types<OnMemEnv, OnPosixEnv>;
TYPED_TEST_SUITE(DbasesTest, Backings);

TYPED_TEST(DbasesTest, OpensTheFieldListAndKeepsStateAcrossCloseAndReopen)
{
    dbases& t = this->t;
    this->open(personTable({person(' ', "1", "A"), person(' ', "2", "B")}));
    EXPECT_EQ(t.FieldName(1), "DATNUMMER");  // stored with two NUL bytes behind it
    std::string name, type;
    std::int16_t length = 0;
    t.hole_feldinfo(2, name, type, length);
    EXPECT_EQ(name + type + std::to_string(length), "NACHNAMEC25");
    EXPECT_EQ(std::vector<int>({t.NoFields(), t.Recordlength(), t.fieldStart(1), t.RecordNumber()}),
              std::vector<int>({14, 269, 2, 0}));
    EXPECT_EQ(t.RecBuf(), blanks(269));

    t.Go(2);
    t.WriteData(Variant("VORNAME"), Variant("Eva"));
    const std::string buffer = t.RecBuf();
    EXPECT_TRUE(t.FileClose().isEmpty());
    EXPECT_EQ(t.NoFields(), 14);
    EXPECT_EQ(t.RecordNumber(), 2);
    EXPECT_EQ(t.RecBuf(), buffer);
    EXPECT_THROW(t.upd(), RunError);

    this->open(std::string(templateBlob(103)), "kvxdat2.kvt");
    EXPECT_EQ(t.RecordNumber(), 2);
    EXPECT_EQ(t.RecBuf(), blanks(260));
    EXPECT_EQ(t.NoFields(), 254);
    EXPECT_EQ(t.FieldName(55) + t.FieldName(56), "T1164T1167");
}

TYPED_TEST(DbasesTest, AppendsAndRewritesTouchOnlyRecordsAndCount)
{
    dbases& t = this->t;
    for (const TableName& table : TableNames) {
        SCOPED_TRACE(table.base);
        const std::string blob(templateBlob(table.resource));
        const std::string name = std::string(table.base) + ".kvt";
        const std::size_t dataStart = blob.size() - 3;
        this->open(blob, name);
        if (table.resource == 101) {
            EXPECT_TRUE(t.eof() && !t.bof() && t.NoRecords() == 0);
        }
        t.Go(-5);
        EXPECT_TRUE(t.eof() && t.bof() && t.RecordNumber() == 1);
        const auto length = static_cast<std::size_t>(t.Recordlength());
        EXPECT_EQ(this->closeAndRead(name), blob.substr(0, 4) + count(1) + blob.substr(8, dataStart - 8) + blanks(length));

        t.FileOpen(this->path(name));
        for (int key = 2; key <= 40; ++key) {
            t.Go(-5);
            t.WriteData(Variant("DATNUMMER"), Variant(key));
            t.UpDate();
        }
        t.Go(7);
        t.WriteData(Variant(2), Variant("x"));
        t.upd();
        const std::string bytes = this->closeAndRead(name);
        ASSERT_EQ(bytes.size(), dataStart + 40 * length);
        EXPECT_EQ(bytes.substr(0, dataStart), blob.substr(0, 4) + count(40) + blob.substr(8, dataStart - 8));
        EXPECT_EQ(bytes.substr(dataStart + 39 * length, 7), " 40    ");
    }
}

TYPED_TEST(DbasesTest, FieldsAreBlankPaddedCutTrimmedAndWrittenOnlyByUpdate)
{
    dbases& t = this->t;
    this->open(personTable({person('*', "12", "  Maier"), person(' ', "13", "")}));
    t.Go(1);
    EXPECT_EQ(this->text("NACHNAME"), "Maier");
    t.WriteData(Variant("PLZ"), Variant("abc"));
    EXPECT_EQ(t.RecBuf().substr(90, 5), "abc  ");
    t.WriteData(Variant("PLZ"), Variant("1234567"));
    EXPECT_EQ(this->text("PLZ"), "12345");
    const std::string umlauts = "\xE4\xF6\xFC\xDF\xC4\x80";
    t.WriteData(Variant("ORT"), Variant(umlauts));
    t.UpDate();

    t.Go(2);
    Variant key("datnummer");
    t.WriteData(key, Variant(17));
    EXPECT_EQ(key, Variant("DATNUMMER"));
    EXPECT_EQ(this->text(key), "17");
    EXPECT_EQ(t.RecBuf().substr(1, 6), "17    ");

    const std::string bytes = this->closeAndRead();
    EXPECT_EQ(bytes.substr(PersonStart, 1) + bytes.substr(PersonStart + 90, 11), "*12345" + umlauts);
    EXPECT_EQ(bytes.substr(PersonStart + PersonLength), person(' ', "13", ""));
    t.FileOpen(this->path("t.kvt"));
    t.Go(1);
    EXPECT_EQ(this->text(Variant(7)), umlauts);
}

TYPED_TEST(DbasesTest, FieldsAreFoundByNormalisedNameOrNumberOnly)
{
    dbases& t = this->t;
    this->open(personTable({person(' ', "1", "Maier")}));
    t.Go(1);
    Variant name("  NachName ");
    EXPECT_EQ(t.GetData(name).toText(), "Maier");
    EXPECT_EQ(name, Variant("NACHNAME"));
    EXPECT_EQ(this->text(Variant("2")), "Maier");
    const std::string before = t.RecBuf();
    for (const Variant& field : {Variant("NACHNAM"), Variant(0), Variant(15), Variant(-1)}) {
        EXPECT_TRUE(t.GetData(field).isEmpty());
        t.WriteData(field, Variant("x"));
    }
    EXPECT_EQ(t.RecBuf(), before);

    t.FileClose();
    this->open(tableOfFields(255), "wide.kvt");
    Variant last("f255"), beyond("F256");
    EXPECT_EQ(t.fieldNumber(last), 255);
    EXPECT_EQ(t.fieldNumber(beyond), 0);
}

TYPED_TEST(DbasesTest, GoOutsideTheTableKeepsTheBufferEveryMoveRereadsIt)
{
    dbases& t = this->t;
    this->open(personTable({person(' ', "1", "A"), person(' ', "2", "B"), person(' ', "3", "C")}));
    const auto change = [&] { t.WriteData(Variant("NACHNAME"), Variant("unsaved")); };
    const auto seen = [&] { return std::to_string(t.RecordNumber()) + this->text("NACHNAME"); };
    t.Go(3);
    change();
    for (const int nRec : {4, 0, -6}) {
        t.Go(nRec);
        EXPECT_EQ(seen(), "3unsaved");
    }
    t.Go(-4);
    EXPECT_EQ(seen(), "3C");
    t.WriteData(Variant("NACHNAME"), Variant("saved"));
    t.UpDate();
    t.Go(-4);
    EXPECT_EQ(seen(), "3saved");

    t.Go(-1);
    change();
    t.Go(-3);
    EXPECT_EQ(seen(), "1A");
    change();
    t.Go(1);
    EXPECT_EQ(seen(), "1A");
    t.Go(-2);
    t.setze_buffer(person(' ', "9", "other"));
    t.Go(-2);
    EXPECT_EQ(seen(), "3saved");
    EXPECT_THROW(t.setze_buffer(blanks(PersonLength + 1)), RunError);
}

TYPED_TEST(DbasesTest, RecordsMissingFromAShortFileReadAsBlanks)
{
    dbases& t = this->t;
    const std::string third = person(' ', "3", "C");
    this->open(personTable({person(' ', "1", "A"), person(' ', "2", "B"), third}));
    t.UpdateNoRecords(5);
    EXPECT_EQ(t.NoRecords(), 5);
    t.Go(5);
    EXPECT_EQ(t.RecBuf(), blanks(PersonLength));
    const std::string bytes = this->closeAndRead();
    EXPECT_EQ(bytes.size(), PersonStart + 3 * PersonLength);
    EXPECT_EQ(bytes.substr(4, 4), count(5));

    this->open(personTable({person('*', "1", "A"), third}).substr(0, PersonStart + 280), "cut.kvt");
    t.Go(-2);
    EXPECT_EQ(t.RecBuf(), third.substr(0, 11) + blanks(PersonLength - 11));
}

TYPED_TEST(DbasesTest, MalformedFilesAreRefusedAndNeverWritten)
{
    dbases& t = this->t;
    const std::string blob(templateBlob(101));
    std::string noTerminator = blob, noRecordLength = blob;
    noTerminator[480] = '\0';
    noRecordLength[10] = noRecordLength[11] = '\0';
    const std::vector<std::string> files = {"", blob.substr(0, 20), blob.substr(0, 200), blob.substr(0, 480),
                                            noTerminator, noRecordLength, tableOfFields(256)};
    this->put("good.kvt", personTable({person(' ', "1", "A")}));
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        t.FileOpen(this->path("good.kvt"));
        t.Go(1);
        t.FileClose();
        const std::string name = "bad" + std::to_string(i) + ".kvt";
        this->put(name, files[i]);
        try {
            t.FileOpen(this->path(name));
            ADD_FAILURE() << "opened";
        } catch (const RunError& error) {
            EXPECT_EQ(error.number, 321);
        }
        EXPECT_EQ(t.NoFields() + t.NoRecords(), 0);
        EXPECT_THROW(t.Go(-5), RunError);
        EXPECT_THROW(t.upd(), RunError);
        EXPECT_THROW(t.UpdateNoRecords(3), RunError);
        t.WriteData(Variant(1), Variant("x"));
        t.FileClose();
        EXPECT_EQ(this->onDisk(name), files[i]);
    }
}

TYPED_TEST(DbasesTest, ARecordLengthShorterThanTheFieldsBoundsEveryWrite)
{
    dbases& t = this->t;
    std::string blob(templateBlob(101));
    blob[10] = 100;
    blob[11] = 0;
    this->open(blob);
    t.Go(-5);
    t.Go(-5);
    t.WriteData(Variant("ORT"), Variant("Berlin"));  // from position 96
    EXPECT_THROW(t.WriteData(Variant("INSTITUT"), Variant("x")), RunError);
    EXPECT_EQ(t.RecBuf(), blanks(95) + "Berli");
    EXPECT_EQ(this->text("ORT") + this->text("INSTITUT"), "Berli");
    t.upd();
    EXPECT_EQ(this->closeAndRead().substr(PersonStart), blanks(195) + "Berli");
}

TYPED_TEST(DbasesTest, KeyLookupAgreesWithAScanFromTheFirstRecord)
{
    dbases& t = this->t;
    this->open(std::string(templateBlob(101)));
    const auto scan = [&](int key) {
        for (std::int32_t r = 1; r <= t.NoRecords(); ++r) {
            t.Go(r);
            if (leadingNumber(this->text("DATNUMMER")) == key)
                return r;
        }
        return 0;
    };
    // A key still only in the buffer does not count.
    const auto setKey = [&](std::int32_t record, const Variant& key, bool write) {
        t.Go(record);
        t.WriteData(Variant("DATNUMMER"), key);
        if (write)
            t.UpDate();
        const std::string buffer = t.RecBuf();
        std::vector<std::int32_t> found, scanned;
        for (int k = 0; k <= 9; ++k)
            found.push_back(t.firstRecordWithKey(k));
        EXPECT_EQ(std::to_string(t.RecordNumber()) + t.RecBuf(), std::to_string(record) + buffer);
        for (int k = 0; k <= 9; ++k)
            scanned.push_back(scan(k));
        EXPECT_EQ(found, scanned);
    };
    for (const char* key : {"3", "5", "5.5", "5", "", "7x"}) {
        t.Go(-5);
        setKey(t.NoRecords(), Variant(key), true);
    }
    setKey(2, Variant(9), true);
    setKey(4, Variant(1), false);
    setKey(6, Variant(" 5"), true);
}

TYPED_TEST(DbasesTest, WritesLostToAFailedFlushAreNotTakenAsStored)
{
    // kvxdat1 records spanning more pages than the file cache keeps.
    std::string bytes(templateBlob(102).substr(0, 2401));
    bytes[4] = 800 & 0xFF;
    bytes[5] = 800 >> 8;
    for (int r = 1; r <= 800; ++r)
        bytes += ' ' + std::to_string(r) + blanks(2880 - std::to_string(r).size());
    this->put("kvxdat1.kvt", bytes);
    FaultInjectingEnv faulty(this->backing.env);
    dbases t(faulty);
    t.FileOpen(this->path("kvxdat1.kvt"));
    const auto loseChangedPages = [&](const auto& readMore) {
        faulty.failAlways(FaultInjectingEnv::Op::FileWrite, "", errnum::DeviceIO);
        EXPECT_THROW(readMore(), RunError);
        faulty.clearFaults();
    };

    t.Go(1);
    t.WriteData(Variant("DATNUMMER"), Variant(999));
    t.UpDate();
    loseChangedPages([&] { t.firstRecordWithKey(5); });
    t.UpDate();  // the buffer is no longer what the file holds
    EXPECT_EQ(t.firstRecordWithKey(999), 1);  // flushed while indexing
    t.WriteData(Variant("DATNUMMER"), Variant(900));
    t.UpDate();
    loseChangedPages([&] {
        for (std::int32_t r = 2; r <= 800; ++r)
            t.Go(r);
    });
    EXPECT_EQ(t.firstRecordWithKey(900), 0);
    EXPECT_EQ(t.firstRecordWithKey(999), 1);
}

} // namespace
} // namespace torvane
