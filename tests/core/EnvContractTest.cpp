// Behaviour both file systems share; run against the real one in a scratch
// folder and against the one in memory.
#include "platform/Cp1252.h"
#include "platform/MemEnv.h"
#include "platform/PosixEnv.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>

namespace torvane {
namespace {

using Names = std::vector<std::string>;

struct PosixWorld {
    testsupport::ScratchFolder scratch;
    PosixEnv env;

    std::string root() const { return scratch.path(); }
    Names entries() const { return scratch.entries(); }
    void makeReadOnly(const std::string& path) { ASSERT_EQ(::chmod(cp1252::toUtf8(path).c_str(), 0444), 0); }
    // Creates a file under exactly this name, past the lookup regardless of case.
    void place(const std::string& name, std::string_view bytes) { std::ofstream(cp1252::toUtf8(root() + name)) << bytes; }
};

struct MemWorld {
    MemEnv env;

    MemWorld() { env.createFolders("/work"); }
    std::string root() const { return "/work/"; }
    Names entries() const { return env.folderEntries("/work"); }
    void makeReadOnly(const std::string& path) { env.setAttributes(path, attr::ReadOnly | attr::Archive); }
    void place(const std::string& name, std::string_view bytes) { env.putFile(root() + name, bytes); }
};

template <typename World>
class EnvContractTest : public ::testing::Test {
protected:
    std::string at(const std::string& name) const { return world.root() + name; }
    void write(const std::string& name, std::string_view bytes) { ASSERT_TRUE(env.writeNewFile(at(name), bytes).isOk()); }
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
    ASSERT_TRUE(this->env.makeFolder(this->at("Daten")).isOk());

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
        EXPECT_TRUE(this->env.findPlainFile(this->at(c.name), &listed).isOk() && listed == c.listed) << c.name;
    }

    std::unique_ptr<RandomRWFile> file;
    EXPECT_EQ(this->env.makeFolder(this->at("DATEN")).number(), errnum::FileExists);
    EXPECT_EQ(this->env.makeFolder(this->at("person.kvt")).number(), errnum::FileExists);
    EXPECT_EQ(this->env.makeFolder(this->at("fehlt/Daten")).number(), errnum::PathNotFound);
    EXPECT_EQ(this->env.deleteFile(this->at("locked.kvt")).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.deleteFile(this->at("Daten")).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.openReadWrite(this->at("locked.kvt"), &file).number(), errnum::PathFileAccess);
    EXPECT_EQ(this->env.renameFile(this->at("fehlt.kvt"), this->at("x.kvt")).number(), errnum::FileNotFound);
    EXPECT_TRUE(this->env.deleteFile(this->at("PERSON.kvt")).isOk());
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

    ASSERT_TRUE(this->env.copyFile(this->at("QUELLE.KVT"), this->at(cp1252::ansi("müller.kvt"))).isOk());
    ASSERT_TRUE(this->env.appendTextLine(this->at("Log.txt"), "").isOk());
    ASSERT_TRUE(this->env.appendTextLine(this->at("LOG.TXT"), "!").isOk());
    ASSERT_TRUE(this->env.renameFile(this->at("ZWEI.KVT"), this->at("Quelle.kvt")).isOk());
    ASSERT_TRUE(this->env.renameFile(this->at("zwei.kvt"), this->at("Zwei.kvt")).isOk());
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
    ASSERT_TRUE(this->env.copyFile(this->at("gross.kvt"), this->at("kopie.kvt")).isOk());
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

} // namespace
} // namespace torvane
