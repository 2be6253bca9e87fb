#include "tables/dbases.h"

#include "errors/RunError.h"
#include "resources/Templates.h"
#include "support/ScratchFolder.h"
#include "support/TemplateFields.h"
#include "support/platform/FaultInjectingEnv.h"
#include "support/platform/MemEnv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace torvane {
namespace {

constexpr std::size_t PersonStart = 481, PersonLength = 269;

std::string blanks(std::size_t n)
{
    return std::string(n, ' ');
}

// A person record: blank flag, DATNUMMER, NACHNAME, the rest blank.
std::string person(const std::string& key, const std::string& name = "")
{
    const std::string record = ' ' + key + blanks(6 - key.size()) + name;
    return record + blanks(PersonLength - record.size());
}

// The person template's header with the records A, B, C ... keyed 1, 2, 3 ...
std::string personTable(int records)
{
    std::string bytes(templateBlob(101).substr(0, PersonStart));
    bytes[4] = static_cast<char>(records);
    for (int r = 1; r <= records; ++r)
        bytes += person(std::to_string(r), std::string(1, static_cast<char>('A' + r - 1)));
    return bytes;
}

// Every test runs on the POSIX file system (true) and in memory (false).
class DbasesTest : public ::testing::TestWithParam<bool> {
protected:
    std::string path(const std::string& name) { return folder + name; }
    void open(const std::string& bytes, const std::string& name)
    {
        raiseIfFailed(env.writeNewFile(path(name), bytes));
        t.FileOpen(path(name));
    }
    std::string closeAndRead(const std::string& name)
    {
        t.FileClose();
        std::string bytes;
        raiseIfFailed(env.readFile(path(name), &bytes));
        return bytes;
    }
    std::string text(const Variant& field) { return t.GetData(field).toText(); }
    std::string seen() { return std::to_string(t.RecordNumber()) + text("NACHNAME"); }
    std::vector<std::int32_t> keys(std::initializer_list<std::int32_t> wanted)
    {
        std::vector<std::int32_t> found;
        for (const std::int32_t key : wanted)
            found.push_back(t.firstRecordWithKey(key));
        return found;
    }

    MemEnv mem;
    testsupport::ScratchFolder scratch;
    Env& env = GetParam() ? Env::Default() : static_cast<Env&>(mem);
    std::string folder = GetParam() ? scratch.path() : "/tmp/";
    dbases t{env};
};

INSTANTIATE_TEST_SUITE_P(DiskAndMemory, DbasesTest, ::testing::Bool());

TEST_P(DbasesTest, OpensEachTemplateAppendsToItAndKeepsStateAcrossCloseAndReopen)
{
    for (const TableName& table : TableNames) {
        SCOPED_TRACE(table.base);
        const std::string blob(templateBlob(table.resource)), file = std::string(table.base) + ".kvt";
        open(blob, file);
        // Names are stored with NUL bytes behind them; kvxdat2 skips T1165 and T1166.
        const auto& fields = testsupport::templateFields(table.resource);
        std::string listed, read, name, type;
        for (const testsupport::TemplateField& field : fields)
            listed += field.name + '=' + field.name + field.type + std::to_string(field.length) + ' ';
        for (std::int16_t i = 1, width = 0; i <= t.NoFields(); ++i) {
            t.hole_feldinfo(static_cast<std::uint8_t>(i), name, type, width);
            read += t.FieldName(i) + '=' + name + type + std::to_string(width) + ' ';
        }
        EXPECT_EQ(read, listed);
        const auto length = static_cast<std::size_t>(t.Recordlength());
        EXPECT_EQ(t.RecBuf(), blanks(length));
        EXPECT_EQ(t.RecordNumber(), table.resource == 101 ? 0 : 1); // as the table before left it

        t.Go(dbases::AppendRecord);
        EXPECT_TRUE(t.eof() && t.bof() && t.RecordNumber() == 1);
        t.WriteData(Variant(1), Variant("7"));
        const std::string buffer = t.RecBuf();
        // The end marker gives way to the blank record; the date bytes stay.
        EXPECT_EQ(closeAndRead(file), blob.substr(0, 4) + '\1' + blob.substr(5, blob.size() - 8) + blanks(length));
        EXPECT_EQ(t.RecBuf() + std::to_string(t.NoFields()), buffer + std::to_string(fields.size()));
    }
}

TEST_P(DbasesTest, FieldsAreFoundByNormalisedNameOrNumberPaddedCutAndWrittenOnlyByUpdate)
{
    std::string file = personTable(2);
    file.replace(PersonStart, 10, "*12     Ma"); // flagged, NACHNAME behind a blank
    open(file, "person.kvt");
    t.Go(1);
    Variant name("  NachName ");
    EXPECT_EQ(t.GetData(name).toText() + text(Variant("2")), "MaMa");
    EXPECT_EQ(name, Variant("NACHNAME"));
    const std::string before = t.RecBuf();
    for (const Variant& field : {Variant("NACHNAM"), Variant(0), Variant(15), Variant(-1)}) {
        EXPECT_TRUE(t.GetData(field).isEmpty());
        t.WriteData(field, Variant("x"));
    }
    EXPECT_EQ(t.RecBuf(), before);

    const std::string umlauts = "\xE4\xF6\xFC\xDF\xC4\x80";
    t.WriteData(Variant("ORT"), Variant(umlauts));
    t.WriteData(Variant("PLZ"), Variant("1234567"));
    t.WriteData(name, Variant("X"));
    t.UpDate();
    t.Go(2);
    Variant key("datnummer");
    t.WriteData(key, Variant(17));
    EXPECT_EQ(key, Variant("DATNUMMER"));
    EXPECT_EQ(text(key) + '|' + t.RecBuf().substr(1, 6), "17|17    ");
    file.replace(PersonStart + 7, 25, "X" + blanks(24));
    file.replace(PersonStart + 90, 11, "12345" + umlauts);
    EXPECT_EQ(closeAndRead("person.kvt"), file); // record 2 never updated

    // The search for a name ends behind the 255th field.
    const std::string last = std::string("LAST\0\0\0\0\0\0\0C", 12) + std::string(20, '\0');
    open(std::string(templateBlob(103).substr(0, 8160)) + last + '\r', "wide.kvt");
    Variant found("last"), missing("F256");
    EXPECT_EQ(std::vector<int>({t.fieldNumber(found), t.fieldNumber(missing)}), std::vector<int>({255, 0}));
}

TEST_P(DbasesTest, GoOutsideTheTableKeepsTheBufferEveryMoveRereadsIt)
{
    open(personTable(3), "person.kvt");
    // What to write into NACHNAME, where to go, then the cursor and NACHNAME seen.
    struct Step {
        const char* write;
        std::int32_t nRec;
        const char* seen;
    };
    for (const Step& step : {Step{"", 3, "3C"}, Step{"unsaved", 4, "3unsaved"}, Step{"", 0, "3unsaved"},
                             Step{"", -6, "3unsaved"}, Step{"", dbases::NextRecord, "3C"},
                             Step{"unsaved", dbases::FirstRecord, "1A"}, Step{"unsaved", dbases::PreviousRecord, "1A"},
                             Step{"unsaved", 1, "1A"}, Step{"unsaved", dbases::LastRecord, "3C"}}) {
        if (*step.write)
            t.WriteData(Variant("NACHNAME"), Variant(step.write));
        t.Go(step.nRec);
        EXPECT_EQ(seen(), step.seen) << step.nRec;
    }
    t.WriteData(Variant("NACHNAME"), Variant("saved"));
    t.UpDate();
    t.Go(dbases::NextRecord);
    t.setze_buffer(person("9", "other"));
    t.Go(dbases::LastRecord);
    EXPECT_EQ(seen(), "3saved");
    EXPECT_THROW(t.setze_buffer(blanks(PersonLength + 1)), RunError);
}

TEST_P(DbasesTest, RecordsMissingFromTheFileReadAsBlanksWithKeyZero)
{
    std::string file = personTable(3);
    open(file, "person.kvt");
    t.UpdateNoRecords(5);
    t.Go(5);
    EXPECT_EQ(std::to_string(t.NoRecords()) + t.RecBuf(), "5" + blanks(PersonLength));
    file[4] = 5;
    EXPECT_EQ(closeAndRead("person.kvt"), file); // the count written, no records added
    t.FileOpen(path("person.kvt"));
    EXPECT_EQ(keys({0, 3}), std::vector<std::int32_t>({4, 3}));
    t.Go(dbases::AppendRecord); // record 6, behind the two missing ones
    t.WriteData(Variant("DATNUMMER"), Variant(9));
    t.UpDate();
    EXPECT_EQ(keys({9, 0, 3}), std::vector<std::int32_t>({6, 4, 3}));

    // Far more missing records than an index would take: searched instead.
    file.replace(4, 4, "\xFF\xFF\xFF\x7F");
    const std::string cut = file.substr(0, file.size() - PersonLength + 11);
    open(cut, "huge.kvt");
    EXPECT_EQ(keys({3, 5, 0}), std::vector<std::int32_t>({3, 0, 4}));
    t.Go(3);
    EXPECT_EQ(t.RecBuf(), person("3", "C").substr(0, 11) + blanks(PersonLength - 11));
    EXPECT_EQ(closeAndRead("huge.kvt"), cut);
}

TEST_P(DbasesTest, ARecordLengthBoundsEveryWriteAndMalformedFilesAreRefusedUnwritten)
{
    // Shorter than the fields; first, so the buffer has no room to spare behind it.
    const std::string blob(templateBlob(101)), kvxdat2(templateBlob(103));
    open(std::string(blob).replace(10, 2, std::string{100, 0}), "short.kvt");
    t.Go(dbases::AppendRecord);
    t.Go(dbases::AppendRecord);
    t.WriteData(Variant("ORT"), Variant("Berlin")); // from position 96
    EXPECT_THROW(t.WriteData(Variant("INSTITUT"), Variant("x")), RunError);
    EXPECT_EQ(t.RecBuf() + '|' + text("ORT") + text("INSTITUT"), blanks(95) + "Berli|Berli");
    t.upd();
    EXPECT_EQ(closeAndRead("short.kvt").substr(PersonStart), blanks(195) + "Berli");

    std::string noTerminator = blob, noRecordLength = blob;
    noTerminator[480] = '\0';
    noRecordLength[10] = noRecordLength[11] = '\0';
    const std::string fields256 = kvxdat2.substr(0, 8160) + kvxdat2.substr(32, 64) + '\r';
    const std::vector<std::string> files = {
        "", blob.substr(0, 20), blob.substr(0, 200), blob.substr(0, 480), noTerminator, noRecordLength, fields256};
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        open(personTable(1), "good" + std::to_string(i) + ".kvt");
        t.Go(1);
        const std::string name = "bad" + std::to_string(i) + ".kvt";
        try {
            open(files[i], name);
            ADD_FAILURE() << "opened";
        } catch (const RunError& error) {
            EXPECT_EQ(error.number, errnum::InvalidFileFormat);
        }
        EXPECT_EQ(t.NoFields() + t.NoRecords(), 0);
        EXPECT_THROW(t.Go(dbases::AppendRecord), RunError);
        EXPECT_THROW(t.UpdateNoRecords(3), RunError);
        t.WriteData(Variant(1), Variant("x"));
        EXPECT_EQ(closeAndRead(name), files[i]);
    }
}

TEST_P(DbasesTest, KeyLookupAgreesWithAScanFromTheFirstRecord)
{
    open(std::string(templateBlob(101)), "person.kvt");
    // Where to go, the key to write there and whether to update: a key
    // still only in the buffer does not count.
    struct Step {
        std::int32_t nRec;
        const char* key;
        bool update;
    };
    constexpr std::int32_t Append = dbases::AppendRecord;
    for (const Step& step : {Step{Append, "3", true}, Step{Append, "5", true}, Step{Append, "5.5", true},
                             Step{Append, "5", true}, Step{Append, "", true}, Step{Append, "7x", true},
                             Step{2, "9", true}, Step{4, "1", false}, Step{6, " 5", true}}) {
        SCOPED_TRACE(step.key);
        t.Go(step.nRec);
        t.WriteData(Variant("DATNUMMER"), Variant(step.key));
        if (step.update)
            t.UpDate();
        const std::string before = std::to_string(t.RecordNumber()) + t.RecBuf();
        const std::vector<std::int32_t> found = keys({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
        EXPECT_EQ(std::to_string(t.RecordNumber()) + t.RecBuf(), before);
        std::vector<std::int32_t> scanned(10, 0);
        for (std::int32_t r = t.NoRecords(); r >= 1; --r) {
            t.Go(r);
            if (const double key = leadingNumber(text("DATNUMMER")); key >= 0 && key <= 9 && key == std::floor(key))
                scanned[static_cast<std::size_t>(key)] = r;
        }
        EXPECT_EQ(found, scanned);
    }
}

TEST_P(DbasesTest, WritesLostToAFailedFlushAreNotTakenAsStored)
{
    // 800 blank kvxdat1 records, spanning more pages than the file cache keeps.
    const std::string bytes = std::string(templateBlob(102).substr(0, 2401)).replace(4, 2, "\x20\x03");
    raiseIfFailed(env.writeNewFile(path("kvxdat1.kvt"), bytes + blanks(800 * 2881)));
    FaultInjectingEnv faulty(env);
    dbases table(faulty);
    table.FileOpen(path("kvxdat1.kvt"));
    table.Go(1);
    table.WriteData(Variant("DATNUMMER"), Variant(999));
    table.UpDate();
    faulty.failAlways(FaultInjectingEnv::Op::FileWrite, "", errnum::DeviceIO);
    EXPECT_THROW(table.firstRecordWithKey(5), RunError); // evicts the changed page
    faulty.clearFaults();
    table.UpDate();                              // the buffer is no longer what the file holds
    EXPECT_EQ(table.firstRecordWithKey(999), 1); // flushed while indexing
    table.WriteData(Variant("DATNUMMER"), Variant(900));
    table.UpDate();
    faulty.failAlways(FaultInjectingEnv::Op::FileWrite, "", errnum::DeviceIO);
    EXPECT_THROW(for (std::int32_t r = 2; r <= 800; ++r) table.Go(r), RunError);
    faulty.clearFaults();
    EXPECT_EQ(table.firstRecordWithKey(900), 0);
    EXPECT_EQ(table.firstRecordWithKey(999), 1);
}

} // namespace
} // namespace torvane
