// Behaviour every file system shares; run against the system's own
// (PosixEnv, or WindowsEnv in the Windows build) in a scratch folder, and
// against the one in memory with either separator.
#include "platform/Cp1252.h"
#include "support/ScratchFolder.h"
#include "support/platform/MemEnv.h"
#include "support/platform/StatusMatchers.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include "platform/WindowsEnv.h"

#include <windows.h>
#else
#include "platform/PosixEnv.h"
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace torvane {
namespace {

using Names = std::vector<std::string>;

// What the worlds on a disk share: a scratch folder to work in, and another
// holding the temporary and application data folders where the Env takes
// them as settings.
struct ScratchWorld {
    testsupport::ScratchFolder scratch;
    testsupport::ScratchFolder system;

    std::string root() const { return scratch.path(); }
    std::string currentFolder() const
    {
        return testsupport::cp1252Name(std::filesystem::current_path()) +
               static_cast<char>(std::filesystem::path::preferred_separator);
    }
    Names entries() const { return scratch.entries(); }
    void makeReadOnly(const std::string& path)
    {
        using std::filesystem::perms;
        std::filesystem::permissions(testsupport::fsPath(path),
                                     perms::owner_write | perms::group_write | perms::others_write,
                                     std::filesystem::perm_options::remove);
    }
    // Creates a file under exactly this name, past the lookup regardless of case.
    void place(const std::string& name, std::string_view bytes)
    {
        std::ofstream(testsupport::fsPath(root() + name), std::ios::binary) << bytes;
    }
    std::string systemFolder(const std::string& name) const
    {
        std::filesystem::create_directories(testsupport::fsPath(system.path() + name));
        return system.path() + name;
    }
};

#ifdef _WIN32
// Hidden and system files carry their attributes; no two names differ only in case.
struct DiskWorld : ScratchWorld {
    WindowsEnv env{systemFolder("tmp")};
    static constexpr bool CaseSensitiveNames = false;

    std::string hiddenName(const std::string& name) const { return name; }
    void hide(const std::string& path) { addAttribute(path, FILE_ATTRIBUTE_HIDDEN); }
    bool markSystem(const std::string& path) { return addAttribute(path, FILE_ATTRIBUTE_SYSTEM); }

private:
    static bool addAttribute(const std::string& path, DWORD bit)
    {
        const std::wstring name = testsupport::fsPath(path).wstring();
        return ::SetFileAttributesW(name.c_str(), ::GetFileAttributesW(name.c_str()) | bit) != 0;
    }
};
#else
// A hidden file is a dot name; there are no system files.
struct DiskWorld : ScratchWorld {
    PosixEnv env{{cp1252::toUtf8(systemFolder("tmp")), cp1252::toUtf8(systemFolder("ProgramData") + "/")}};
    static constexpr bool CaseSensitiveNames = true;

    std::string hiddenName(const std::string& name) const { return "." + name; }
    void hide(const std::string&) {}
    bool markSystem(const std::string&) { return false; }
};
#endif

template <char Separator>
struct MemWorld {
    MemEnv env{Separator};
    static constexpr bool CaseSensitiveNames = true;

    MemWorld()
    {
        env.createFolders(root());
        env.createFolders(top() + "system" + Separator + "tmp");
        env.createFolders(top() + "system" + Separator + "ProgramData");
        env.setTempFolder(top() + "system" + Separator + "tmp" + Separator);
        env.setCommonAppDataFolder(top() + "system" + Separator + "ProgramData");
    }
    static std::string top() { return Separator == '/' ? "/" : "C:\\"; }
    std::string root() const { return top() + "work" + Separator; }
    std::string currentFolder() const { return top(); }
    Names entries() const { return env.folderEntries(root()); }
    void makeReadOnly(const std::string& path) { env.setAttributes(path, attr::ReadOnly | attr::Archive); }
    std::string hiddenName(const std::string& name) const { return Separator == '/' ? "." + name : name; }
    void hide(const std::string& path) { env.setAttributes(path, attr::Hidden | attr::Archive); }
    bool markSystem(const std::string& path)
    {
        env.setAttributes(path, attr::System | attr::Archive);
        return true;
    }
    void place(const std::string& name, std::string_view bytes) { env.putFile(root() + name, bytes); }
};

template <typename World>
class EnvContractTest : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return world.root() + name; }
    std::string in(const std::string& folder, const std::string& name) const
    {
        return at(folder) + env.separator() + name;
    }
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

using Worlds = ::testing::Types<DiskWorld, MemWorld<'/'>, MemWorld<'\\'>>;
TYPED_TEST_SUITE(EnvContractTest, Worlds);

// A missing name in an existing folder is 53, in a missing folder 76.
TYPED_TEST(EnvContractTest, AttributesListingAndFailures)
{
    const std::string hidden = this->world.hiddenName("versteckt.kvt");
    this->write("person.kvt", "x");
    this->write(hidden, "x");
    this->world.hide(this->at(hidden));
    this->write("locked.kvt", "x");
    this->world.makeReadOnly(this->at("locked.kvt"));
    this->write("system.kvt", "x");
    const bool system = this->world.markSystem(this->at("system.kvt"));
    ASSERT_THAT(this->env.makeFolder(this->at("Daten")), IsOk());

    const std::string sep(1, this->env.separator());
    struct Case {
        std::string name;
        int error;
        std::uint32_t bits;
        bool listed;
    };
    std::vector<Case> cases{{"person.kvt", 0, attr::Archive, true},
                            {hidden, 0, attr::Archive | attr::Hidden, false},
                            {"locked.kvt", 0, attr::Archive | attr::ReadOnly, true},
                            {"Daten", 0, attr::Directory, false},
                            {"Daten" + sep, 0, attr::Directory, false},
                            {"fehlt.kvt", errnum::FileNotFound, 0, false},
                            {"fehlt" + sep + "person.kvt", errnum::PathNotFound, 0, false},
                            {"person.kvt" + sep + "x", errnum::PathNotFound, 0, false}};
    if (system)
        cases.push_back({"system.kvt", 0, attr::Archive | attr::System, false});
    for (const Case& c : cases) {
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
    EXPECT_EQ(this->env.makeFolder(this->in("fehlt", "Daten")).number(), errnum::PathNotFound);
    EXPECT_EQ(this->env.deleteFile(this->at("locked.kvt")).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.deleteFile(this->at("Daten")).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.openReadWrite(this->at("locked.kvt"), &file).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.renameFile(this->at("fehlt.kvt"), this->at("x.kvt")).number(), errnum::FileNotFound);
    EXPECT_THAT(this->env.deleteFile(this->at("PERSON.kvt")), IsOk());
    EXPECT_THAT(this->env.deleteFile(this->at("system.kvt")), IsOk());
    Names left{hidden, "Daten", "locked.kvt"};
    std::sort(left.begin(), left.end());
    EXPECT_EQ(this->world.entries(), left);
}

// Replacements keep the name the file already has.
TYPED_TEST(EnvContractTest, LastComponentIsFoundRegardlessOfCase)
{
    const std::string upper = cp1252::ansi("MÜLLER.KVT");
    this->write(upper, "lang und alt");
    this->write(cp1252::ansi("müller.kvt"), "alt");
    this->write("quelle.kvt", "neu");
    this->write("zwei.kvt", "klein");
    this->write("drei.kvt", "gross");
    EXPECT_EQ(this->env.existingName(this->at(cp1252::ansi("Müller.kvt"))), this->at(upper));
    EXPECT_EQ(this->env.existingName(this->at("fehlt.kvt")), this->at("fehlt.kvt"));
    EXPECT_EQ(this->content(upper), "alt");

    ASSERT_THAT(this->env.copyFile(this->at("QUELLE.KVT"), this->at(cp1252::ansi("müller.kvt"))), IsOk());
    ASSERT_THAT(this->env.appendTextLine(this->at("Log.txt"), ""), IsOk());
    ASSERT_THAT(this->env.appendTextLine(this->at("LOG.TXT"), "!"), IsOk());
    ASSERT_THAT(this->env.renameFile(this->at("DREI.KVT"), this->at("Quelle.kvt")), IsOk());
    ASSERT_THAT(this->env.renameFile(this->at("zwei.kvt"), this->at("Zwei.kvt")), IsOk());
    EXPECT_EQ(this->content(upper) + this->content("quelle.kvt") + this->content("log.txt"), "neugross\r\n!\r\n");
    EXPECT_EQ(this->world.entries(), (Names{"Log.txt", upper, "Zwei.kvt", "quelle.kvt"}));
}

// Where two names may differ only in case, an exact match wins, and
// otherwise the smallest, whatever order the folder lists them in.
TYPED_TEST(EnvContractTest, OfNamesDifferingInCaseTheExactOneOrTheSmallestIsTaken)
{
    if constexpr (!TypeParam::CaseSensitiveNames)
        GTEST_SKIP() << "names differing only in case cannot both exist here";
    this->world.place("zwei.kvt", "klein");
    this->world.place("ZWEI.KVT", "gross");
    EXPECT_EQ(this->content("zwei.kvt") + this->content("ZWEI.KVT") + this->content("Zwei.kvt"), "kleingrossgross");
    ASSERT_THAT(this->env.renameFile(this->at("ZWEI.KVT"), this->at("Drei.kvt")), IsOk());
    EXPECT_EQ(this->world.entries(), (Names{"Drei.kvt", "zwei.kvt"}));
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
    EXPECT_EQ(this->env.copyFile(this->at("kopie.kvt"), this->in("fehlt", "z.kvt")).number(), errnum::PathNotFound);

    // A copy of a read-only file can be written.
    ASSERT_THAT(this->env.copyFile(this->at("ziel.kvt"), this->at("frei.kvt")), IsOk());
    EXPECT_THAT(this->env.appendTextLine(this->at("frei.kvt"), ""), IsOk());
    EXPECT_EQ(this->world.entries(), (Names{"frei.kvt", "gross.kvt", "kopie.kvt", "ziel.kvt"}));
}

// The copy that notes its source gives the same fingerprint as looking at
// the source afterwards; a change of one byte, same size, shows in the hash.
TYPED_TEST(EnvContractTest, FingerprintsAreTakenWhileCopyingAndShowChanges)
{
    std::string bytes;
    for (int i = 0; i < (3 << 20) + 5; ++i)
        bytes += static_cast<char>(i * 13 % 253);
    this->write("gross.kvt", bytes);
    FileFingerprint copied;
    ASSERT_THAT(this->env.copyFileNoting(this->at("gross.kvt"), this->at("kopie.kvt"), &copied), IsOk());
    EXPECT_TRUE(this->content("kopie.kvt") == bytes);
    FileFingerprint now;
    ASSERT_THAT(this->env.fingerprint(this->at("gross.kvt"), &now), IsOk());
    EXPECT_EQ(now, copied);
    EXPECT_EQ(copied.size, bytes.size());

    bytes[1 << 20] = static_cast<char>(bytes[1 << 20] ^ 1);
    this->write("gross.kvt", bytes);
    ASSERT_THAT(this->env.fingerprint(this->at("gross.kvt"), &now), IsOk());
    EXPECT_NE(now.hash, copied.hash);
    EXPECT_EQ(now.size, copied.size);

    std::string start;
    ASSERT_THAT(this->env.readFileStart(this->at("gross.kvt"), 4, &start), IsOk());
    EXPECT_EQ(start, bytes.substr(0, 4));
    this->write("kurz.kvt", "ab");
    ASSERT_THAT(this->env.readFileStart(this->at("kurz.kvt"), 4, &start), IsOk());
    EXPECT_EQ(start, "ab");

    EXPECT_EQ(this->env.fingerprint(this->at("fehlt.kvt"), &now).number(), errnum::FileNotFound);
    EXPECT_EQ(this->env.readFileStart(this->at("fehlt.kvt"), 4, &start).number(), errnum::FileNotFound);
    EXPECT_EQ(this->env.copyFileNoting(this->at("fehlt.kvt"), this->at("z.kvt"), &copied).number(),
              errnum::FileNotFound);
    EXPECT_EQ(this->world.entries(), (Names{"gross.kvt", "kopie.kvt", "kurz.kvt"}));
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
    EXPECT_EQ(this->env.syncFile(this->in("fehlt", "person.kvt")).number(), errnum::PathNotFound);

    const std::string current = this->world.currentFolder();
    const std::string dotted = std::string(".") + this->env.separator() + "person.kvt";
    for (const auto& [name, expected] :
         std::vector<std::pair<std::string, std::string>>{{this->at("person.kvt"), this->at("person.kvt")},
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
    const std::string hidden = this->world.hiddenName("verborgen.kvt");
    this->write("person.kvt", "12345");
    this->write(hidden, "x");
    this->world.hide(this->at(hidden));
    ASSERT_THAT(this->env.makeFolder(this->at("Sicherung")), IsOk());
    ASSERT_THAT(this->env.writeNewFile(this->in("Sicherung", "person.kvt"), "alt"), IsOk());
    Names expected{hidden, "Sicherung", "person.kvt"};
    std::sort(expected.begin(), expected.end());
    Names names;
    ASSERT_THAT(this->env.listFolder(this->world.root(), &names), IsOk());
    EXPECT_EQ(names, expected);
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
    ASSERT_THAT(this->env.deleteFile(this->in("Sicherung", "person.kvt")), IsOk());
    EXPECT_THAT(this->env.removeFolder(this->at("Sicherung")), IsOk());

    std::unique_ptr<FolderLock> first, second;
    ASSERT_THAT(this->env.tryLockFolder(this->world.root(), &first), IsOk());
    ASSERT_THAT(this->env.tryLockFolder(this->world.root(), &second), IsOk());
    EXPECT_TRUE(first && !second) << "a second holder is told, not given the folder";
    first.reset();
    ASSERT_THAT(this->env.tryLockFolder(this->world.root(), &second), IsOk());
    EXPECT_TRUE(second);
    second.reset();
    expected.erase(std::find(expected.begin(), expected.end(), "Sicherung"));
    EXPECT_EQ(this->world.entries(), expected) << "the lock leaves nothing in the folder";
    EXPECT_EQ(this->env.tryLockFolder(this->at("fehlt"), &first).number(), errnum::FileNotFound);
}

// What Windows' GetPrivateProfileStringW answers; the other Envs read the
// file the same way.
TYPED_TEST(EnvContractTest, PrivateProfileStringAnswersAsWindowsReadsTheFile)
{
    const std::string errors = cp1252::ansi("; Erklärungen\r\n"
                                            "[Allgemein]\r\n53=falsch\r\n"
                                            "  [ ERRORS ]  \r\n"
                                            "  53  =   Datei fehlt.  \r\n"
                                            "53=zweiter Eintrag\r\n"
                                            ";61=kein Kommentar\r\n"
                                            "Tab\t=\tmit Tabulator\t\r\n"
                                            "Größe=\"  in Anführung  \"\n"
                                            "kurz='x'\r\n"
                                            "halb=\"x'\r\n"
                                            "lang=" +
                                            std::string(600, 'a') +
                                            "\r\n"
                                            "ohne\r\n"
                                            "ohne=später\r\n") +
                               "bytes=\x80\x81\x8D\xE4\xFF\r\n" + "[errors]\r\n75=zweiter Abschnitt\r\n";
    const std::string crOnly = "[Errors\r53=ohne Klammer\r[Err]ors]\r53=letzte Klammer\r\r[Errors]\r53=nur CR\r";
    const std::string utf8 = "\xEF\xBB\xBF[Errors]\r\n53=Gr\xC3\xBC\xC3\x9F"
                             "e\r\n";
    struct Case {
        const std::string* file;
        std::string section, key, fallback;
        std::size_t size;
        std::string expected;
    };
    const std::vector<Case> cases{
        {&errors, "Errors", "53", "Vorgabe", 500, "Datei fehlt."},
        {&errors, " errors ", " TAB ", "Vorgabe", 500, "mit Tabulator"},
        {&errors, "Errors", cp1252::ansi("Größe"), "Vorgabe", 500, cp1252::ansi("  in Anführung  ")},
        {&errors, "Errors", "kurz", "Vorgabe", 500, "x"},
        {&errors, "Errors", "halb", "Vorgabe", 500, "\"x'"},
        {&errors, "Errors", "lang", "Vorgabe", 500, std::string(499, 'a')},
        {&errors, "Errors", "61", "Vorgabe", 500, "Vorgabe"},
        {&errors, "Errors", ";61", "Vorgabe", 500, "kein Kommentar"},
        {&errors, "Errors", "ohne", "Vorgabe", 500, "Vorgabe"},
        {&errors, "Errors", "bytes", "Vorgabe", 500, "\x80\x81\x8D\xE4\xFF"},
        {&errors, "Errors", "75", "Vorgabe", 500, "Vorgabe"},
        {&errors, "Errors", "75", "Vorgabe", 4, "Vor"},
        {&errors, "Errors", "54", "Vorgabe", 0, ""},
        {&errors, "Fehler", "53", "Vorgabe", 500, "Vorgabe"},
        {&errors, "Errors", "54", "Vorgabe  ", 500, "Vorgabe"},
        {&errors, "Errors", "54", "  \"Vorgabe\"", 500, "  \"Vorgabe\""},
        {&errors, "Errors", "54", "'Vorgabe'  ", 500, "Vorgabe"},
        {&crOnly, "Errors", "53", "Vorgabe", 500, "nur CR"},
        {&crOnly, "Err]ors", "53", "Vorgabe", 500, "letzte Klammer"},
        {&utf8, "Errors", "53", "Vorgabe", 500, cp1252::ansi("Grüße")},
        {nullptr, "Errors", "53", "Vorgabe", 500, "Vorgabe"},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const std::string file = this->at("error" + std::to_string(i) + ".dat");
        if (c.file != nullptr) {
            ASSERT_THAT(this->env.writeNewFile(file, *c.file), IsOk());
        }
        std::string value = "vorher";
        EXPECT_THAT(this->env.privateProfileString(file, c.section, c.key, c.fallback, c.size, &value), IsOk());
        EXPECT_EQ(value, c.expected) << "case " << i << ": [" << c.section << "] " << c.key;
    }
}

// Large tables are read through mapped windows, which must show what was
// written after they were mapped.
TEST(DiskEnvTest, AMappedRegionShowsLaterWrites)
{
    const testsupport::ScratchFolder scratch;
    std::unique_ptr<RandomRWFile> file;
    ASSERT_THAT(Env::Default().openReadWrite(scratch.path() + "gross.kvt", &file), IsOk());
    constexpr std::size_t Start = RandomRWFile::MapGranularity;
    ASSERT_THAT(file->write(0, std::string(Start + 10, 'a')), IsOk());
    std::unique_ptr<MappedRegion> region;
    ASSERT_THAT(file->mapForReading(Start, 10, &region), IsOk());
    ASSERT_THAT(file->write(Start + 2, "neu"), IsOk());
    EXPECT_EQ(std::string_view(region->data(), region->size()), "aaneuaaaaa");
    region.reset();
    EXPECT_THAT(file->close(), IsOk());
}

} // namespace
} // namespace torvane
