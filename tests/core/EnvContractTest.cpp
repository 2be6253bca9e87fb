// Behaviour both file systems share; run against the real one in a scratch
// folder and against the one in memory.
#include "platform/Cp1252.h"
#include "platform/MemEnv.h"
#include "platform/PosixEnv.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <random>

namespace torvane {
namespace {

struct PosixWorld {
    testsupport::ScratchFolder scratch;
    PosixEnv env;

    std::string root() const { return scratch.path(); }
    std::vector<std::string> entries() const { return scratch.entries(); }
    void makeReadOnly(const std::string& path) { ASSERT_EQ(::chmod(cp1252::toUtf8(path).c_str(), 0444), 0); }
    // Creates a file under exactly this name, past the lookup regardless of case.
    void place(const std::string& name, std::string_view bytes)
    {
        std::ofstream(cp1252::toUtf8(root() + name), std::ios::binary) << bytes;
    }
};

struct MemWorld {
    MemEnv env;

    MemWorld() { env.createFolders("/work"); }
    std::string root() const { return "/work/"; }
    std::vector<std::string> entries() const { return env.folderEntries("/work"); }
    void makeReadOnly(const std::string& path) { env.setAttributes(path, attr::ReadOnly | attr::Archive); }
    void place(const std::string& name, std::string_view bytes) { env.putFile(root() + name, bytes); }
};

template <typename World>
class EnvContractTest : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return world.root() + name; }

    void write(const std::string& name, std::string_view bytes)
    {
        ASSERT_TRUE(world.env.writeNewFile(at(name), bytes).isOk()) << name;
    }

    std::string content(const std::string& name)
    {
        std::string bytes;
        EXPECT_TRUE(world.env.readFile(at(name), &bytes).isOk()) << name;
        return bytes;
    }

    std::uint32_t attributesOf(const std::string& name)
    {
        std::uint32_t bits = 0;
        EXPECT_TRUE(world.env.attributes(at(name), &bits).isOk()) << name;
        return bits;
    }

    World world;
    Env& env = world.env;
};

using Worlds = ::testing::Types<PosixWorld, MemWorld>;
TYPED_TEST_SUITE(EnvContractTest, Worlds);

TYPED_TEST(EnvContractTest, AttributesTellFilesFoldersHiddenAndReadOnly)
{
    this->write("person.kvt", "x");
    this->write(".person.kvt", "x");
    this->write("locked.kvt", "x");
    this->world.makeReadOnly(this->at("locked.kvt"));
    ASSERT_TRUE(this->env.makeFolder(this->at("Daten")).isOk());

    EXPECT_EQ(this->attributesOf("person.kvt"), attr::Archive);
    EXPECT_EQ(this->attributesOf(".person.kvt"), attr::Archive | attr::Hidden);
    EXPECT_EQ(this->attributesOf("locked.kvt"), attr::Archive | attr::ReadOnly);
    EXPECT_EQ(this->attributesOf("Daten"), attr::Directory);
    EXPECT_EQ(this->attributesOf("Daten/"), attr::Directory);

    std::uint32_t bits = 0;
    EXPECT_EQ(this->env.attributes(this->at("fehlt.kvt"), &bits).number(), errnum::FileNotFound);
    EXPECT_EQ(this->env.attributes(this->at("fehlt/person.kvt"), &bits).number(), errnum::PathNotFound);
    EXPECT_EQ(this->env.attributes(this->at("person.kvt/x"), &bits).number(), errnum::PathNotFound);
}

TYPED_TEST(EnvContractTest, PlainFileListingSkipsFoldersHiddenAndMissingNames)
{
    this->write("person.kvt", "x");
    this->write(".person.kvt", "x");
    ASSERT_TRUE(this->env.makeFolder(this->at("Daten")).isOk());

    for (const auto& [name, expected] : std::vector<std::pair<std::string, bool>>{
             {"person.kvt", true}, {".person.kvt", false}, {"Daten", false}, {"fehlt.kvt", false},
             {"fehlt/person.kvt", false}}) {
        bool found = !expected;
        EXPECT_TRUE(this->env.findPlainFile(this->at(name), &found).isOk()) << name;
        EXPECT_EQ(found, expected) << name;
    }
}

TYPED_TEST(EnvContractTest, LastComponentIsFoundRegardlessOfCase)
{
    const std::string upperName = cp1252::ansi("MÜLLER.KVT");
    this->write(upperName, "alt");

    EXPECT_EQ(this->env.existingName(this->at(cp1252::ansi("müller.kvt"))), this->at(upperName));
    EXPECT_EQ(this->content(cp1252::ansi("Müller.kvt")), "alt");
    EXPECT_EQ(this->env.existingName(this->at("fehlt.kvt")), this->at("fehlt.kvt"));

    // A replacement keeps the name the file already has.
    this->write("quelle.kvt", "neu");
    ASSERT_TRUE(this->env.copyFile(this->at("QUELLE.KVT"), this->at(cp1252::ansi("müller.kvt"))).isOk());
    EXPECT_EQ(this->content(upperName), "neu");
    EXPECT_EQ(this->world.entries(), (std::vector<std::string>{upperName, "quelle.kvt"}));
}

TYPED_TEST(EnvContractTest, ExactNameWinsOverOtherCase)
{
    this->world.place("person.kvt", "klein");
    this->world.place("PERSON.KVT", "gross");
    EXPECT_EQ(this->content("person.kvt"), "klein");
    EXPECT_EQ(this->content("PERSON.KVT"), "gross");
}

TYPED_TEST(EnvContractTest, CopyOfMultiMegabyteFileIsByteExactAndLeavesNothingElse)
{
    std::string bytes(5 * 1024 * 1024 + 17, '\0');
    std::mt19937 random(7);
    for (char& c : bytes)
        c = static_cast<char>(random() % 7 == 0 ? 0 : random());
    this->write("gross.kvt", bytes);

    ASSERT_TRUE(this->env.copyFile(this->at("gross.kvt"), this->at("kopie.kvt")).isOk());
    EXPECT_TRUE(this->content("kopie.kvt") == bytes);
    EXPECT_EQ(this->world.entries(), (std::vector<std::string>{"gross.kvt", "kopie.kvt"}));
}

TYPED_TEST(EnvContractTest, FailedCopyLeavesDestinationAsItWas)
{
    this->write("quelle.kvt", "neu");
    this->write("ziel.kvt", "alt");
    this->world.makeReadOnly(this->at("ziel.kvt"));

    EXPECT_EQ(this->env.copyFile(this->at("quelle.kvt"), this->at("ziel.kvt")).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->content("ziel.kvt"), "alt");
    EXPECT_EQ(this->env.copyFile(this->at("fehlt.kvt"), this->at("ziel.kvt")).number(), errnum::FileNotFound);
    EXPECT_EQ(this->content("ziel.kvt"), "alt");
    EXPECT_EQ(this->env.copyFile(this->at("quelle.kvt"), this->at("quelle.kvt")).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->content("quelle.kvt"), "neu");
    EXPECT_EQ(this->env.copyFile(this->at("quelle.kvt"), this->at("fehlt/ziel.kvt")).number(), errnum::PathNotFound);
}

TYPED_TEST(EnvContractTest, MakeFolderNeedsParentAndFreeName)
{
    this->write("person.kvt", "x");
    ASSERT_TRUE(this->env.makeFolder(this->at("Ausgang")).isOk());

    EXPECT_EQ(this->env.makeFolder(this->at("Ausgang")).number(), errnum::FileExists);
    EXPECT_EQ(this->env.makeFolder(this->at("AUSGANG")).number(), errnum::FileExists);
    EXPECT_EQ(this->env.makeFolder(this->at("person.kvt")).number(), errnum::FileExists);
    EXPECT_EQ(this->env.makeFolder(this->at("fehlt/Ausgang")).number(), errnum::PathNotFound);
}

TYPED_TEST(EnvContractTest, DeleteRefusesReadOnlyFilesAndFolders)
{
    this->write("person.kvt", "x");
    this->write("locked.kvt", "x");
    this->world.makeReadOnly(this->at("locked.kvt"));
    ASSERT_TRUE(this->env.makeFolder(this->at("Daten")).isOk());

    EXPECT_EQ(this->env.deleteFile(this->at("locked.kvt")).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.deleteFile(this->at("Daten")).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.deleteFile(this->at("fehlt.kvt")).number(), errnum::FileNotFound);
    EXPECT_EQ(this->env.deleteFile(this->at("fehlt/person.kvt")).number(), errnum::PathNotFound);
    EXPECT_TRUE(this->env.deleteFile(this->at("PERSON.kvt")).isOk());
    EXPECT_EQ(this->world.entries(), (std::vector<std::string>{"Daten", "locked.kvt"}));
}

TYPED_TEST(EnvContractTest, WritingAppendingAndRenaming)
{
    ASSERT_TRUE(this->env.appendTextLine(this->at("Errorlog.txt"), "eins").isOk());
    ASSERT_TRUE(this->env.appendTextLine(this->at("Errorlog.txt"), "").isOk());
    ASSERT_TRUE(this->env.appendTextLine(this->at("errorlog.txt"), "zwei").isOk());
    EXPECT_EQ(this->content("Errorlog.txt"), "eins\r\n\r\nzwei\r\n");

    this->write("neu.kvt", "lang und alt");
    this->write("neu.kvt", "kurz");
    EXPECT_EQ(this->content("neu.kvt"), "kurz");
    this->write("leer.kvt", "");
    EXPECT_EQ(this->content("leer.kvt"), "");

    ASSERT_TRUE(this->env.renameFile(this->at("neu.kvt"), this->at("ERRORLOG.TXT")).isOk());
    EXPECT_EQ(this->content("Errorlog.txt"), "kurz");
    EXPECT_EQ(this->world.entries(), (std::vector<std::string>{"Errorlog.txt", "leer.kvt"}));
    EXPECT_EQ(this->env.renameFile(this->at("neu.kvt"), this->at("x.kvt")).number(), errnum::FileNotFound);
    EXPECT_TRUE(this->env.syncFile(this->at("Errorlog.txt")).isOk());
    EXPECT_EQ(this->env.syncFile(this->at("fehlt.kvt")).number(), errnum::FileNotFound);
}

TYPED_TEST(EnvContractTest, ChangingOnlyTheCaseRenames)
{
    this->write("person.kvt", "x");
    ASSERT_TRUE(this->env.renameFile(this->at("person.kvt"), this->at("PERSON.KVT")).isOk());
    EXPECT_EQ(this->world.entries(), std::vector<std::string>{"PERSON.KVT"});
}

TYPED_TEST(EnvContractTest, RandomAccessFileIsCreatedReadAndExtended)
{
    std::unique_ptr<RandomRWFile> file;
    ASSERT_TRUE(this->env.openReadWrite(this->at("tabelle.kvt"), &file).isOk());
    std::uint64_t size = 99;
    ASSERT_TRUE(file->size(&size).isOk());
    EXPECT_EQ(size, 0u);

    ASSERT_TRUE(file->write(0, "abcdef").isOk());
    ASSERT_TRUE(file->write(4, "XYZ").isOk());
    ASSERT_TRUE(file->sync().isOk());
    char buffer[16] = {};
    std::size_t got = 0;
    ASSERT_TRUE(file->read(2, sizeof buffer, buffer, &got).isOk());
    EXPECT_EQ(std::string(buffer, got), "cdXYZ");
    ASSERT_TRUE(file->read(50, 4, buffer, &got).isOk());
    EXPECT_EQ(got, 0u);
    ASSERT_TRUE(file->close().isOk());
    EXPECT_EQ(file->write(0, "x").number(), errnum::BadFileName);
    EXPECT_EQ(this->content("tabelle.kvt"), "abcdXYZ");

    this->world.makeReadOnly(this->at("tabelle.kvt"));
    EXPECT_EQ(this->env.openReadWrite(this->at("tabelle.kvt"), &file).number(), errnum::PathFileAccess);
    EXPECT_EQ(file, nullptr);
    EXPECT_EQ(this->env.openReadWrite(this->at("fehlt/t.kvt"), &file).number(), errnum::PathNotFound);
}

} // namespace
} // namespace torvane
