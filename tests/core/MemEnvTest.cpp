#include "platform/Cp1252.h"
#include "platform/MemEnv.h"

#include <gtest/gtest.h>

namespace torvane {
namespace {

class WindowsStyleMemEnvTest : public ::testing::Test {
protected:
    WindowsStyleMemEnvTest() { env.createFolders("C:\\Daten"); }

    std::uint32_t attributesOf(const std::string& path)
    {
        std::uint32_t bits = 0;
        EXPECT_TRUE(env.attributes(path, &bits).isOk()) << path;
        return bits;
    }

    bool listed(const std::string& path)
    {
        bool found = false;
        EXPECT_TRUE(env.findPlainFile(path, &found).isOk()) << path;
        return found;
    }

    MemEnv env{'\\'};
};

TEST_F(WindowsStyleMemEnvTest, RootsAndTempFolderExistFromTheStart)
{
    EXPECT_EQ(env.separator(), '\\');
    EXPECT_EQ(attributesOf("C:\\"), attr::Directory);
    EXPECT_EQ(attributesOf("C:"), attr::Directory);
    EXPECT_EQ(attributesOf("\\"), attr::Directory);
    EXPECT_EQ(attributesOf("\\Daten\\"), attr::Directory);

    std::string folder;
    ASSERT_TRUE(env.tempFolder(&folder).isOk());
    EXPECT_EQ(folder, "C:\\Temp\\");
    EXPECT_EQ(attributesOf(folder), attr::Directory);
    env.setTempFolder(std::nullopt);
    EXPECT_FALSE(env.tempFolder(&folder).isOk());

    std::uint32_t bits = 0;
    EXPECT_EQ(env.attributes("D:\\x.kvt", &bits).number(), errnum::PathNotFound);
}

TEST_F(WindowsStyleMemEnvTest, AttributesSetByTheTestDecideListing)
{
    env.putFile("C:\\Daten\\person.kvt", "x");
    env.putFile("C:\\Daten\\.kvxdat1.kvt", "x");
    env.putFile("C:\\Daten\\kvxdat2.kvt", "x");
    env.putFile("C:\\Daten\\kvxdat3.kvt", "x");
    env.setAttributes("C:\\Daten\\kvxdat2.kvt", attr::Hidden | attr::Archive);
    env.setAttributes("C:\\Daten\\kvxdat3.kvt", attr::System);

    EXPECT_TRUE(listed("C:\\Daten\\person.kvt"));
    EXPECT_TRUE(listed("C:\\Daten\\.kvxdat1.kvt")); // a dot does not hide a name on Windows
    EXPECT_FALSE(listed("C:\\Daten\\kvxdat2.kvt"));
    EXPECT_FALSE(listed("C:\\Daten\\kvxdat3.kvt"));
    EXPECT_FALSE(listed("C:\\Daten"));
    EXPECT_EQ(attributesOf("C:\\Daten\\kvxdat2.kvt"), attr::Hidden | attr::Archive);
    EXPECT_EQ(attributesOf("C:\\Daten\\kvxdat3.kvt"), attr::System);
}

TEST_F(WindowsStyleMemEnvTest, CaseOfLastComponentDoesNotMatter)
{
    env.putFile(cp1252::ansi("C:\\Daten\\PERSÖNLICH.KVT"), "alt");
    env.putFile("C:\\Daten\\q.kvt", "neu");
    ASSERT_TRUE(env.copyFile("C:\\Daten\\Q.KVT", cp1252::ansi("C:\\Daten\\persönlich.kvt")).isOk());
    EXPECT_EQ(env.fileBytes(cp1252::ansi("C:\\Daten\\PERSÖNLICH.KVT")), "neu");
    EXPECT_EQ(env.folderEntries("C:\\Daten"), (std::vector<std::string>{cp1252::ansi("PERSÖNLICH.KVT"), "q.kvt"}));
    EXPECT_EQ(env.existingName("C:\\Daten\\Q.kvt"), "C:\\Daten\\q.kvt");
}

TEST_F(WindowsStyleMemEnvTest, RenamingAFolderTakesItsFiles)
{
    env.putFile("C:\\Daten\\Alt\\person.kvt", "x");
    ASSERT_TRUE(env.renameFile("C:\\Daten\\Alt", "C:\\Daten\\Neu").isOk());
    EXPECT_EQ(env.fileBytes("C:\\Daten\\Neu\\person.kvt"), "x");
    EXPECT_EQ(env.folderEntries("C:\\Daten"), std::vector<std::string>{"Neu"});
    EXPECT_EQ(env.renameFile("C:\\Daten\\Neu", "C:\\Daten\\Neu\\Innen").number(), errnum::BadFileName);
}

TEST(MemEnvTest, CapacityMakesWritesFailWithoutLeavingPartialFiles)
{
    MemEnv env;
    env.putFile("/d/quelle.kvt", std::string(60, 'q'));
    env.setCapacity(100);

    EXPECT_EQ(env.writeNewFile("/d/gross.kvt", std::string(41, 'g')).number(), errnum::DiskFull);
    EXPECT_FALSE(env.fileBytes("/d/gross.kvt"));
    EXPECT_EQ(env.copyFile("/d/quelle.kvt", "/d/kopie.kvt").number(), errnum::DiskFull);
    EXPECT_FALSE(env.fileBytes("/d/kopie.kvt"));

    std::unique_ptr<RandomRWFile> file;
    ASSERT_TRUE(env.openReadWrite("/d/quelle.kvt", &file).isOk());
    EXPECT_EQ(file->write(50, std::string(51, 'x')).number(), errnum::DiskFull);
    EXPECT_TRUE(file->write(50, std::string(50, 'x')).isOk());
    EXPECT_EQ(env.usedBytes(), 100u);
    EXPECT_EQ(env.appendTextLine("/d/log.txt", "").number(), errnum::DiskFull);
    EXPECT_EQ(env.fileBytes("/d/quelle.kvt"), std::string(50, 'q') + std::string(50, 'x'));
}

TEST(MemEnvTest, OpenFileOutlivesItsDeletion)
{
    MemEnv env;
    env.putFile("/d/t.kvt", "abc");
    std::unique_ptr<RandomRWFile> file;
    ASSERT_TRUE(env.openReadWrite("/d/t.kvt", &file).isOk());
    ASSERT_TRUE(env.deleteFile("/d/t.kvt").isOk());

    char buffer[3];
    std::size_t got = 0;
    ASSERT_TRUE(file->read(0, 3, buffer, &got).isOk());
    EXPECT_EQ(std::string(buffer, got), "abc");
    EXPECT_FALSE(env.fileBytes("/d/t.kvt"));
}

TEST(MemEnvTest, WriteFarBeyondTheEndIsRefused)
{
    MemEnv env;
    std::unique_ptr<RandomRWFile> file;
    ASSERT_TRUE(env.openReadWrite("/t.kvt", &file).isOk());
    EXPECT_EQ(file->write(std::uint64_t{1} << 40, "x").number(), errnum::DiskFull);
    EXPECT_TRUE(file->write(4, "x").isOk());
    EXPECT_EQ(env.fileBytes("/t.kvt"), std::string("\0\0\0\0x", 5));
}

} // namespace
} // namespace torvane
