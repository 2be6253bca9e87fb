// What only Windows has: UTF-16 names on disk, names the code page cannot
// carry, share modes and Win32 codes.
#include "platform/Cp1252.h"
#include "platform/ErrnoMapping.h"
#include "platform/Win32ErrorMapping.h"
#include "platform/WindowsEnv.h"
#include "support/ScratchFolder.h"
#include "support/platform/StatusMatchers.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace torvane {
namespace {

TEST(WindowsEnvTest, NamesAreWindows1252InsideAndUtf16OnDiskAndErrorsKeepTheWin32CodeAndPath)
{
    const testsupport::ScratchFolder scratch;
    WindowsEnv env;
    ASSERT_THAT(env.writeNewFile(scratch.path() + cp1252::ansi("Müller €.kvt"), "x"), IsOk());
    EXPECT_TRUE(std::filesystem::exists(testsupport::fsPath(scratch.path()).wstring() + L"M\u00FCller \u20AC.kvt"));

    std::string bytes;
    const Status missing = env.readFile(scratch.path() + "fehlt.kvt", &bytes);
    EXPECT_EQ(missing.number(), errnum::FileNotFound);
    EXPECT_EQ(missing.osError(), int{ERROR_FILE_NOT_FOUND});
    EXPECT_EQ(missing.path(), scratch.path() + "fehlt.kvt");
    EXPECT_EQ(env.readFile(std::string("a\0b", 3), &bytes).number(), errnum::BadFileName);
    EXPECT_EQ(env.makeFolder(scratch.path() + "a<b").number(), errnum::BadFileName);
}

// The common application data folder without, the temporary folder with
// its trailing separator; a temporary folder given replaces the system's.
TEST(WindowsEnvTest, SystemFoldersAsTheRunUsesThem)
{
    WindowsEnv env;
    std::string folder;
    ASSERT_THAT(env.specialFolder(specialfolder::CommonAppData, &folder), IsOk());
    EXPECT_NE(folder.back(), '\\');
    EXPECT_TRUE(std::filesystem::is_directory(testsupport::fsPath(folder))) << folder;
    ASSERT_THAT(env.tempFolder(&folder), IsOk());
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_TRUE(std::filesystem::is_directory(testsupport::fsPath(folder))) << folder;
    ASSERT_THAT(WindowsEnv("D:\\Eigener").tempFolder(&folder), IsOk());
    EXPECT_EQ(folder, "D:\\Eigener\\");
}

// A folder such as "C:\Praxis\Łódź" is refused and named, never taken as
// "C:\Praxis\?ód?"; a name in it is not found under a changed spelling.
TEST(WindowsEnvTest, NamesTheCodePageCannotCarryAreRefusedWithTheirCharacters)
{
    const testsupport::ScratchFolder scratch;
    const std::filesystem::path polish = testsupport::fsPath(scratch.path()) / L"\u0141\u00F3d\u017A";
    std::filesystem::create_directory(polish);
    std::ofstream(polish / L"person.kvt") << "x";
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(polish);
    WindowsEnv env;
    std::string full = "vorher";
    const Status refused = env.absolutePath("person.kvt", &full);
    std::filesystem::current_path(before);

    EXPECT_EQ(refused.number(), errnum::BadFileName);
    EXPECT_EQ(refused.osError(), int{ERROR_NO_UNICODE_TRANSLATION});
    EXPECT_EQ(refused.path(), scratch.path() + cp1252::ansi("?ód?\\person.kvt (enthält Zeichen, die Windows-1252 "
                                                            "nicht darstellen kann: U+0141 U+017A)"));
    EXPECT_EQ(full, "");
    std::uint32_t bits = 0;
    EXPECT_NE(env.attributes(scratch.path() + cp1252::ansi("?ód?\\person.kvt"), &bits).number(), 0);
}

// Another program may read a table while it is open, but not write it.
TEST(WindowsEnvTest, AnOpenTableLetsReadersInAndKeepsWritersOut)
{
    const testsupport::ScratchFolder scratch;
    WindowsEnv env;
    const std::string table = scratch.path() + "person.kvt";
    std::unique_ptr<RandomRWFile> file;
    ASSERT_THAT(env.openReadWrite(table, &file), IsOk());
    ASSERT_THAT(file->write(0, "Tabelle"), IsOk());

    const std::wstring name = testsupport::fsPath(table).wstring();
    const auto open = [&](DWORD access) {
        const HANDLE handle = ::CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        const DWORD code = handle == INVALID_HANDLE_VALUE ? ::GetLastError() : 0;
        if (handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle);
        return code;
    };
    EXPECT_EQ(open(GENERIC_READ), 0u);
    EXPECT_EQ(open(GENERIC_WRITE), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

    std::unique_ptr<RandomRWFile> second;
    const Status again = env.openReadWrite(table, &second);
    EXPECT_EQ(std::pair(again.number(), again.osError()),
              std::pair(errnum::PathFileAccess, int{ERROR_SHARING_VIOLATION}));
    EXPECT_EQ(env.deleteFile(table).number(), errnum::PathFileAccess);
    ASSERT_THAT(file->close(), IsOk());
    EXPECT_THAT(env.deleteFile(table), IsOk());
}

// The lock is a hidden file nobody else may open, gone with its holder; one
// that a power cut left behind is taken over, not taken for a holder.
TEST(WindowsEnvTest, AFolderLockIsAHiddenFileThatGoesWithItsHolder)
{
    const testsupport::ScratchFolder scratch;
    WindowsEnv env;
    const std::filesystem::path lockFile = testsupport::fsPath(scratch.path()) / L"REORG_SPERRE.lck";
    std::ofstream(lockFile) << "vom Stromausfall";
    std::unique_ptr<FolderLock> lock;
    ASSERT_THAT(env.tryLockFolder(scratch.path(), &lock), IsOk());
    ASSERT_TRUE(lock);
    const DWORD bits = ::GetFileAttributesW(lockFile.c_str());
    EXPECT_NE(bits, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(bits & FILE_ATTRIBUTE_HIDDEN, DWORD{FILE_ATTRIBUTE_HIDDEN});
    const HANDLE reader =
        ::CreateFileW(lockFile.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_EQ(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(::GetLastError(), DWORD{ERROR_SHARING_VIOLATION});
    lock.reset();
    EXPECT_FALSE(std::filesystem::exists(lockFile));
}

// The same failure reads the same on both systems.
TEST(WindowsEnvTest, Win32CodesGiveTheNumbersOfTheClosestPosixFailure)
{
    struct Pair {
        DWORD win32;
        int posix;
        bool folderThere;
    };
    for (const Pair& p :
         {Pair{ERROR_FILE_NOT_FOUND, ENOENT, true}, Pair{ERROR_PATH_NOT_FOUND, ENOENT, false},
          Pair{ERROR_ACCESS_DENIED, EACCES, true}, Pair{ERROR_DISK_FULL, ENOSPC, true},
          Pair{ERROR_HANDLE_DISK_FULL, ENOSPC, true}, Pair{ERROR_SHARING_VIOLATION, EBUSY, true},
          Pair{ERROR_LOCK_VIOLATION, EBUSY, true}, Pair{ERROR_GEN_FAILURE, EIO, true}, Pair{ERROR_CRC, EIO, true},
          Pair{ERROR_ALREADY_EXISTS, EEXIST, true}, Pair{ERROR_FILE_EXISTS, EEXIST, true},
          Pair{ERROR_INVALID_NAME, EINVAL, true}, Pair{ERROR_FILENAME_EXCED_RANGE, ENAMETOOLONG, true},
          Pair{ERROR_NO_UNICODE_TRANSLATION, EILSEQ, true}, Pair{ERROR_TOO_MANY_OPEN_FILES, EMFILE, true},
          Pair{ERROR_WRITE_PROTECT, EROFS, true}, Pair{ERROR_NOT_SAME_DEVICE, EXDEV, true}})
        EXPECT_EQ(runErrorForWin32(p.win32), runErrorForErrno(p.posix, p.folderThere)) << p.win32;
}

} // namespace
} // namespace torvane
