#pragma once

#include "platform/Env.h"

#include <functional>
#include <vector>

namespace torvane {

// Passes every call on to another Env and fails the ones it is told to, for
// proving that a failure at any point leaves the files consistent. Each Env
// call that can fail, and each read, write, size, sync and close of a file
// opened through it, is one operation; a fault picks the operations it hits
// by their kind and path. A failed operation never reaches the target: a
// failed write writes nothing. Files opened through it must not outlive it.
class FaultInjectingEnv final : public Env {
public:
    enum class Op {
        OpenReadWrite,
        Attributes,
        FindPlainFile,
        MakeFolder,
        DeleteFile,
        CopyFile,
        RenameFile,
        SyncFile,
        WriteNewFile,
        AppendTextLine,
        ReadFile,
        TempFolder,
        SpecialFolder,
        AbsolutePath,
        OpenUrl,
        PrivateProfileString,
        FileRead,
        FileWrite,
        FileSize,
        FileSync,
        FileClose,
        SyncFolder,
        RemoveFolder,
        ListFolder,
        SizeOfFile,
        FreeSpace,
        LockFolder,
        Fingerprint,
        ReadFileStart,
    };

    struct Record {
        Op op = Op::OpenReadWrite;
        std::string path;
        std::string secondPath; // the destination of a copy or rename
        int injected = 0;       // the error number it failed with; 0 when passed on
    };

    explicit FaultInjectingEnv(Env& target) : target_(target) {}

    // An operation matches when it is of this kind and its path or
    // destination contains pathPart ("" matches every path).

    // The n-th matching operation from now on (n from 1) fails once with
    // this run-time error number.
    void failNth(Op op, std::string pathPart, std::uint64_t n, int number);
    // Every matching operation fails, until cleared.
    void failAlways(Op op, std::string pathPart, int number);
    void clearFaults();
    // A folder whose path contains pathPart reports this much free space,
    // as a nearly full volume would; the space itself is not limited.
    void reportFreeSpace(std::string pathPart, std::uint64_t bytes);

    // Every operation so far, in order.
    const std::vector<Record>& log() const { return log_; }
    static const char* name(Op op);
    // "copyFile C:\a -> C:\b failed with 61", for test messages.
    static std::string describe(const Record& record);

    char separator() const override { return target_.separator(); }

    Status openReadWrite(const std::string& path, std::unique_ptr<RandomRWFile>* out) override;
    Status attributes(const std::string& path, std::uint32_t* out) override;
    Status findPlainFile(const std::string& path, bool* found) override;
    Status makeFolder(const std::string& path) override;
    Status deleteFile(const std::string& path) override;
    Status copyFile(const std::string& from, const std::string& to) override;
    // A copy like any other: the kind of operation is CopyFile.
    Status copyFileNoting(const std::string& from, const std::string& to, FileFingerprint* source) override;
    Status fingerprint(const std::string& path, FileFingerprint* out) override;
    Status readFileStart(const std::string& path, std::size_t n, std::string* out) override;
    Status renameFile(const std::string& from, const std::string& to) override;
    Status syncFile(const std::string& path) override;
    Status syncFolder(const std::string& path) override;
    Status removeFolder(const std::string& path) override;
    Status listFolder(const std::string& path, std::vector<std::string>* names) override;
    Status fileSize(const std::string& path, std::uint64_t* out) override;
    Status freeSpace(const std::string& folder, std::uint64_t* out) override;
    // A lock held by another holder is no failure: it passes through as it is.
    Status tryLockFolder(const std::string& path, std::unique_ptr<FolderLock>* out) override;
    Status writeNewFile(const std::string& path, std::string_view bytes) override;
    Status appendTextLine(const std::string& path, std::string_view text) override;
    Status readFile(const std::string& path, std::string* out) override;
    Status tempFolder(std::string* out) override;
    Status specialFolder(int number, std::string* out) override;
    Status absolutePath(const std::string& path, std::string* out) override;
    Status openUrl(const std::string& url) override;
    // Cannot fail, so it is not an operation.
    std::string existingName(const std::string& path) override { return target_.existingName(path); }
    Status privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& fallback, std::size_t size, std::string* out) override;

private:
    class File;

    struct Fault {
        Op op;
        std::string pathPart;
        std::uint64_t nth; // 0: every match
        int number;
        std::uint64_t matched = 0;

        bool matches(const Record& record) const;
    };

    // Logs the operation, then fails it or runs it on the target.
    Status perform(Op op, const std::string& path, const std::string& secondPath,
                   const std::function<Status()>& action);
    int faultFor(const Record& record);

    Env& target_;
    std::vector<Fault> faults_;
    std::vector<std::pair<std::string, std::uint64_t>> freeSpaces_;
    std::vector<Record> log_;
};

} // namespace torvane
