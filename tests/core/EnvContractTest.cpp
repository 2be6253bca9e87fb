// Behaviour every file system shares; run against the system's own in a
// scratch folder and against the one in memory.
#include "platform/Cp1252.h"
#include "platform/PosixEnv.h"
#include "support/ScratchFolder.h"
#include "support/platform/MemEnv.h"
#include "support/platform/StatusMatchers.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>

namespace torvane {
namespace {

using Names = std::vector<std::string>;

// The temporary and application data folders in a scratch folder of their
// own, named once without and once with a trailing separator.
struct PosixWorld {
    testsupport::ScratchFolder scratch;
    testsupport::ScratchFolder system;
    PosixEnv env{folders()};

    PosixEnv::Folders folders() const
    {
        const std::filesystem::path root = cp1252::toUtf8(system.path());
        std::filesystem::create_directories(root / "tmp");
        std::filesystem::create_directories(root / "ProgramData");
        return {(root / "tmp").string(), (root / "ProgramData/").string()};
    }
    std::string root() const { return scratch.path(); }
    std::string currentFolder() const
    {
        std::string folder;
        cp1252::fromUtf8(std::filesystem::current_path().string() + "/", &folder);
        return folder;
    }
    Names entries() const { return scratch.entries(); }
    void makeReadOnly(const std::string& path) { ASSERT_EQ(::chmod(cp1252::toUtf8(path).c_str(), 0444), 0); }
    // Creates a file under exactly this name, past the lookup regardless of case.
    void place(const std::string& name, std::string_view bytes) { std::ofstream(cp1252::toUtf8(root() + name)) << bytes; }
};

struct MemWorld {
    MemEnv env;

    MemWorld()
    {
        env.createFolders("/work");
        env.createFolders("/system/tmp");
        env.createFolders("/system/ProgramData");
        env.setTempFolder("/system/tmp/");
        env.setCommonAppDataFolder("/system/ProgramData");
    }
    std::string root() const { return "/work/"; }
    std::string currentFolder() const { return "/"; }
    Names entries() const { return env.folderEntries("/work"); }
    void makeReadOnly(const std::string& path) { env.setAttributes(path, attr::ReadOnly | attr::Archive); }
    void place(const std::string& name, std::string_view bytes) { env.putFile(root() + name, bytes); }
};

template <typename World>
class EnvContractTest : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return world.root() + name; }
    void write(const std::string& name, std::string_view bytes)
    {
        ASSERT_THAT(env.writeNewFile(at(name), bytes), IsOk());
    }
    std::string content(const std::string& name)
    {
        std::string bytes;
        return env.readFile(at(name), &bytes).isOk() ? bytes : "(" + name + " unreadable)";
    }

    World world;
    Env& env = world.env;
};

using Worlds = ::testing::Types<PosixWorld, MemWorld>;
TYPED_TEST_SUITE(EnvContractTest, Worlds);

// A missing name in an existing folder is 53, in a missing folder 76.
TYPED_TEST(EnvContractTest, AttributesListingAndFailures)
{
    this->write("person.kvt", "x");
    this->write(".person.kvt", "x");
    this->write("locked.kvt", "x");
    this->world.makeReadOnly(this->at("locked.kvt"));
    ASSERT_THAT(this->env.makeFolder(this->at("Daten")), IsOk());

    struct Case { std::string name; int error; std::uint32_t bits; bool listed; };
    for (const Case& c : std::vector<Case>{{"person.kvt", 0, attr::Archive, true},
                                           {".person.kvt", 0, attr::Archive | attr::Hidden, false},
                                           {"locked.kvt", 0, attr::Archive | attr::ReadOnly, true},
                                           {"Daten", 0, attr::Directory, false},
                                           {"Daten/", 0, attr::Directory, false},
                                           {"fehlt.kvt", errnum::FileNotFound, 0, false},
                                           {"fehlt/person.kvt", errnum::PathNotFound, 0, false},
                                           {"person.kvt/x", errnum::PathNotFound, 0, false}}) {
        std::uint32_t bits = 0;
        bool listed = !c.listed;
        EXPECT_EQ(std::pair(this->env.attributes(this->at(c.name), &bits).number(), bits), std::pair(c.error, c.bits))
            << c.name;
        EXPECT_THAT(this->env.findPlainFile(this->at(c.name), &listed), IsOk()) << c.name;
        EXPECT_EQ(listed, c.listed) << c.name;
    }

    std::unique_ptr<RandomRWFile> file;
    EXPECT_EQ(this->env.makeFolder(this->at("DATEN")).number(), errnum::FileExists);
    EXPECT_EQ(this->env.makeFolder(this->at("person.kvt")).number(), errnum::FileExists);
    EXPECT_EQ(this->env.makeFolder(this->at("fehlt/Daten")).number(), errnum::PathNotFound);
    EXPECT_EQ(this->env.deleteFile(this->at("locked.kvt")).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.deleteFile(this->at("Daten")).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.openReadWrite(this->at("locked.kvt"), &file).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.renameFile(this->at("fehlt.kvt"), this->at("x.kvt")).number(), errnum::FileNotFound);
    EXPECT_THAT(this->env.deleteFile(this->at("PERSON.kvt")), IsOk());
    EXPECT_EQ(this->world.entries(), (Names{".person.kvt", "Daten", "locked.kvt"}));
}

// Replacements keep the name the file already has; an exact match wins over one in other case.
TYPED_TEST(EnvContractTest, LastComponentIsFoundRegardlessOfCase)
{
    const std::string upper = cp1252::ansi("MÜLLER.KVT");
    this->write(upper, "lang und alt");
    this->write(cp1252::ansi("müller.kvt"), "alt");
    this->write("quelle.kvt", "neu");
    this->world.place("zwei.kvt", "klein");
    this->world.place("ZWEI.KVT", "gross");
    EXPECT_EQ(this->env.existingName(this->at(cp1252::ansi("Müller.kvt"))), this->at(upper));
    EXPECT_EQ(this->env.existingName(this->at("fehlt.kvt")), this->at("fehlt.kvt"));
    EXPECT_EQ(this->content(upper) + this->content("zwei.kvt"), "altklein");

    ASSERT_THAT(this->env.copyFile(this->at("QUELLE.KVT"), this->at(cp1252::ansi("müller.kvt"))), IsOk());
    ASSERT_THAT(this->env.appendTextLine(this->at("Log.txt"), ""), IsOk());
    ASSERT_THAT(this->env.appendTextLine(this->at("LOG.TXT"), "!"), IsOk());
    ASSERT_THAT(this->env.renameFile(this->at("ZWEI.KVT"), this->at("Quelle.kvt")), IsOk());
    ASSERT_THAT(this->env.renameFile(this->at("zwei.kvt"), this->at("Zwei.kvt")), IsOk());
    EXPECT_EQ(this->content(upper) + this->content("quelle.kvt") + this->content("log.txt"), "neugross\r\n!\r\n");
    EXPECT_EQ(this->world.entries(), (Names{"Log.txt", upper, "Zwei.kvt", "quelle.kvt"}));
}

// Large enough to take many rounds of any copying buffer.
TYPED_TEST(EnvContractTest, CopyIsByteExactAndFailedCopyLeavesDestinationAsItWas)
{
    std::string bytes;
    for (int i = 0; i < (5 << 20) + 17; ++i)
        bytes += static_cast<char>(i * 7 % 251);
    this->write("gross.kvt", bytes);
    ASSERT_THAT(this->env.copyFile(this->at("gross.kvt"), this->at("kopie.kvt")), IsOk());
    EXPECT_TRUE(this->content("kopie.kvt") == bytes);

    this->write("ziel.kvt", "alt");
    this->world.makeReadOnly(this->at("ziel.kvt"));
    EXPECT_EQ(this->env.copyFile(this->at("kopie.kvt"), this->at("ziel.kvt")).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.copyFile(this->at("fehlt.kvt"), this->at("ziel.kvt")).number(), errnum::FileNotFound);
    EXPECT_EQ(this->content("ziel.kvt"), "alt");
    EXPECT_EQ(this->env.copyFile(this->at("kopie.kvt"), this->at("KOPIE.kvt")).number(), errnum::PathFileAccess);
    EXPECT_TRUE(this->content("kopie.kvt") == bytes);
    EXPECT_EQ(this->env.copyFile(this->at("kopie.kvt"), this->at("fehlt/z.kvt")).number(), errnum::PathNotFound);
    EXPECT_EQ(this->world.entries(), (Names{"gross.kvt", "kopie.kvt", "ziel.kvt"}));
}

// Where the run puts its working copies and the error log, and where the
// data-path file lives.
TYPED_TEST(EnvContractTest, TemporaryAndApplicationDataFoldersExist)
{
    const char separator = this->env.separator();
    std::string temp;
    ASSERT_THAT(this->env.tempFolder(&temp), IsOk());
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), separator) << temp;
    std::string appData;
    ASSERT_THAT(this->env.specialFolder(specialfolder::CommonAppData, &appData), IsOk());
    ASSERT_GT(appData.size(), 1u);
    EXPECT_NE(appData.back(), separator) << appData;
    for (const std::string& folder : {temp, appData + separator}) {
        std::uint32_t bits = 0;
        EXPECT_THAT(this->env.attributes(folder, &bits), IsOk());
        EXPECT_EQ(bits & attr::Directory, attr::Directory) << folder;
    }
    EXPECT_THAT(this->env.specialFolder(-1, &appData), ::testing::Not(IsOk()));
}

TYPED_TEST(EnvContractTest, FlushAndAbsoluteNames)
{
    this->write("person.kvt", "x");
    ASSERT_THAT(this->env.appendTextLine(this->at("Errorlog.txt"), "Zeile"), IsOk());
    EXPECT_THAT(this->env.syncFile(this->at("person.kvt")), IsOk());
    EXPECT_THAT(this->env.syncFile(this->at("ERRORLOG.TXT")), IsOk());
    EXPECT_EQ(this->env.syncFile(this->at("fehlt.kvt")).number(), errnum::FileNotFound);
    EXPECT_EQ(this->env.syncFile(this->at("fehlt/person.kvt")).number(), errnum::PathNotFound);

    const std::string current = this->world.currentFolder();
    const std::string dotted = std::string(".") + this->env.separator() + "person.kvt";
    for (const auto& [name, expected] : std::vector<std::pair<std::string, std::string>>{
             {this->at("person.kvt"), this->at("person.kvt")},
             {"person.kvt", current + "person.kvt"},
             {dotted, current + "person.kvt"}}) {
        std::string full;
        EXPECT_THAT(this->env.absolutePath(name, &full), IsOk()) << name;
        EXPECT_EQ(full, expected) << name;
    }
}

// Folders as the copy-back uses them: listed, flushed, removed once empty,
// the room on their volume, and held by one holder at a time.
TYPED_TEST(EnvContractTest, FoldersAreListedFlushedRemovedMeasuredAndLocked)
{
    this->write("person.kvt", "12345");
    this->write(".verborgen", "x");
    ASSERT_THAT(this->env.makeFolder(this->at("Sicherung")), IsOk());
    this->write("Sicherung/person.kvt", "alt");
    std::vector<std::string> names;
    ASSERT_THAT(this->env.listFolder(this->world.root(), &names), IsOk());
    EXPECT_EQ(names, (Names{".verborgen", "Sicherung", "person.kvt"}));
    EXPECT_EQ(this->env.listFolder(this->at("fehlt"), &names).number(), errnum::FileNotFound);

    std::uint64_t bytes = 0;
    ASSERT_THAT(this->env.fileSize(this->at("PERSON.KVT"), &bytes), IsOk());
    EXPECT_EQ(bytes, 5u);
    EXPECT_EQ(this->env.fileSize(this->at("Sicherung"), &bytes).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.fileSize(this->at("fehlt.kvt"), &bytes).number(), errnum::FileNotFound);
    ASSERT_THAT(this->env.freeSpace(this->world.root(), &bytes), IsOk());
    EXPECT_GT(bytes, 0u);

    EXPECT_THAT(this->env.syncFolder(this->world.root()), IsOk());
    EXPECT_THAT(this->env.syncFolder(this->at("Sicherung") + this->env.separator()), IsOk());
    EXPECT_EQ(this->env.syncFolder(this->at("fehlt")).number(), errnum::FileNotFound);
    EXPECT_EQ(this->env.removeFolder(this->at("Sicherung")).number(), errnum::PathFileAccess);
    ASSERT_THAT(this->env.deleteFile(this->at("Sicherung/person.kvt")), IsOk());
    EXPECT_THAT(this->env.removeFolder(this->at("Sicherung")), IsOk());
    EXPECT_EQ(this->world.entries(), (Names{".verborgen", "person.kvt"}));

    std::unique_ptr<FolderLock> first, second;
    ASSERT_THAT(this->env.tryLockFolder(this->world.root(), &first), IsOk());
    ASSERT_THAT(this->env.tryLockFolder(this->world.root(), &second), IsOk());
    EXPECT_TRUE(first && !second) << "a second holder is told, not given the folder";
    first.reset();
    ASSERT_THAT(this->env.tryLockFolder(this->world.root(), &second), IsOk());
    EXPECT_TRUE(second);
    EXPECT_EQ(this->world.entries(), (Names{".verborgen", "person.kvt"})) << "the lock leaves nothing in the folder";
    EXPECT_EQ(this->env.tryLockFolder(this->at("fehlt"), &first).number(), errnum::FileNotFound);
}

// Only the first section of a name counts, and in it the first matching key.
// The value is cut to size - 1 characters, as is the default.
TYPED_TEST(EnvContractTest, ProfileStringRegardlessOfCaseAndBlanksWithDefault)
{
    this->write("error.dat", cp1252::ansi("; Erklärungen\r\n"
                                          "[Allgemein]\r\n53=falsch\r\n"
                                          "  [ ERRORS ]  \r\n"
                                          "  53  =   Datei fehlt.  \r\n"
                                          "53=zweiter Eintrag\r\n"
                                          ";61=auskommentiert\r\n"
                                          "Größe=\"  in Anführung  \"\n"
                                          "kurz='x'\r\n"
                                          "halb=\"x'\r\n"
                                          "lang=" + std::string(600, 'a') + "\r\n"
                                          "[errors]\r\n75=zweiter Abschnitt\r\n"));
    struct Case { std::string section, key; std::size_t size; std::string expected; };
    for (const Case& c : std::vector<Case>{{"Errors", "53", 500, "Datei fehlt."},
                                           {"errors", cp1252::ansi("GRÖßE"), 500, cp1252::ansi("  in Anführung  ")},
                                           {"Errors", "kurz", 500, "x"},
                                           {"Errors", "halb", 500, "\"x'"},
                                           {"Errors", "lang", 500, std::string(499, 'a')},
                                           {"Errors", "61", 500, "Vorgabe"},
                                           {"Errors", "75", 4, "Vor"},
                                           {"Errors", "54", 0, ""},
                                           {"Fehler", "53", 500, "Vorgabe"}}) {
        std::string value;
        EXPECT_THAT(this->env.privateProfileString(this->at("error.dat"), c.section, c.key, "Vorgabe", c.size, &value),
                    IsOk());
        EXPECT_EQ(value, c.expected) << c.key;
    }
    std::string value;
    EXPECT_THAT(this->env.privateProfileString(this->at("fehlt.dat"), "Errors", "53", "Vorgabe", 500, &value), IsOk());
    EXPECT_EQ(value, "Vorgabe");
}

} // namespace
} // namespace torvane
