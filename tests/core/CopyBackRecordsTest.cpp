#include "files/BackupNote.h"
#include "files/IntentRecord.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

// Only a record or note written to its end counts: one cut short anywhere
// before its last line is read as none.
TEST(CopyBackRecordsTest, RecordAndNoteReadBackWholeAndNeverCutShort)
{
    const IntentRecord record{"REORG_SICHERUNG_03_05_2",
                              7,
                              "05.03.2011 09:30:00",
                              {{"PERSON.KVT", true, true}, {"kvxdat3.kvt", true, false}, {"kvxdat2.kvt", false, true}}};
    const BackupNote note = record.note();
    EXPECT_EQ(note, (BackupNote{7, "05.03.2011 09:30:00", {"PERSON.KVT", "kvxdat2.kvt"}, {"kvxdat3.kvt"}}));
    const std::string recordText = record.text();
    const std::string noteText = note.text();
    EXPECT_EQ(IntentRecord::parse(recordText), record);
    EXPECT_EQ(BackupNote::parse(noteText), note);
    for (std::size_t n = 0; n + 2 < recordText.size(); ++n)
        EXPECT_FALSE(IntentRecord::parse(recordText.substr(0, n))) << n;
    for (std::size_t n = 0; n + 2 < noteText.size(); ++n)
        EXPECT_FALSE(BackupNote::parse(noteText.substr(0, n))) << n;
    EXPECT_EQ(recordText.substr(recordText.find("Tabelle: kvxdat3")),
              cp1252::ansi("Tabelle: kvxdat3.kvt, neu aus kvxdat3.kvt.torvane-neu, ohne Original\r\n"
                           "Tabelle: kvxdat2.kvt, entfällt, Original nach REORG_SICHERUNG_03_05_2\r\nEnde\r\n"));
}

// Nor does one that would move files out of the data folder.
TEST(CopyBackRecordsTest, ALineThatSaysSomethingElseMakesNoRecord)
{
    const std::string good = IntentRecord{"REORG_SICHERUNG_B", 1, "x", {{"person.kvt", true, true}}}.text();
    ASSERT_TRUE(IntentRecord::parse(good));
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"neu aus person.kvt.torvane-neu", "neu aus kvxdat1.kvt.torvane-neu"},
             {"Original nach REORG_SICHERUNG_B", "Original nach REORG_SICHERUNG_C"},
             {"Sicherung Nr. 1", "Sicherung Nr. 0"},
             {"Sicherungsordner: REORG_SICHERUNG_B", "Sicherungsordner: "},
             {"Sicherungsordner: REORG_SICHERUNG_B", "Sicherungsordner: REORG_SICHERUNG_..\\..\\Windows"},
             {"Tabelle: person.kvt, neu aus person.kvt.torvane-neu",
              "Tabelle: ..\\person.kvt, neu aus ..\\person.kvt.torvane-neu"}}) {
        std::string text = good;
        text.replace(text.find(from), from.size(), to);
        EXPECT_FALSE(IntentRecord::parse(text)) << to;
    }
}

} // namespace
} // namespace torvane
