#pragma once

#include "platform/Env.h"
#include "support/platform/MemEnv.h"

#include <functional>
#include <map>
#include <memory>
#include <set>

namespace torvane {

// A power cut for a file system in memory, as storage engines test their
// files against one. Counts every operation like FaultInjectingEnv; from
// the operation the cut is set before, every operation fails with 57
// (device I/O) and changes nothing. reboot() then keeps only what was made
// durable: a file's content as of its last flush (syncFile or the file's
// own sync; empty when never flushed), and a folder's entries (files and
// folders created, renamed in or out, deleted) as of the folder's last
// syncFolder. A file renamed from one folder to another may thus come back
// in both, or in neither, depending on which folder was flushed. Renaming
// folders is not modelled. Files and locks from it must not outlive a
// reboot.
class CrashSimulatingEnv final : public Env {
public:
    explicit CrashSimulatingEnv(char separator = '\\');

    // The disk as it is now, for setting up and looking; after changing it
    // directly, settle() takes it as on the device.
    MemEnv& mem() { return *mem_; }
    void settle();

    // Operation k (from 1, counted since the last settle or reboot) and all
    // after it fail; 0 for no cut.
    void cutPowerBefore(std::uint64_t k) { cutBefore_ = k; }
    std::uint64_t operations() const { return count_; }
    bool powerFailed() const { return cutBefore_ != 0 && count_ >= cutBefore_; }
    // What was not durable is gone; no cut is pending and counting restarts.
    void reboot();

    char separator() const override { return mem_->separator(); }

    Status openReadWrite(const std::string& path, std::unique_ptr<RandomRWFile>* out) override;
    Status attributes(const std::string& path, std::uint32_t* out) override;
    Status findPlainFile(const std::string& path, bool* found) override;
    Status makeFolder(const std::string& path) override;
    Status deleteFile(const std::string& path) override;
    Status copyFile(const std::string& from, const std::string& to) override;
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
    Status tryLockFolder(const std::string& path, std::unique_ptr<FolderLock>* out) override;
    Status writeNewFile(const std::string& path, std::string_view bytes) override;
    Status appendTextLine(const std::string& path, std::string_view text) override;
    Status readFile(const std::string& path, std::string* out) override;
    Status tempFolder(std::string* out) override;
    Status specialFolder(int number, std::string* out) override;
    Status absolutePath(const std::string& path, std::string* out) override;
    Status openUrl(const std::string& url) override;
    std::string existingName(const std::string& path) override { return mem_->existingName(path); }
    Status privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                const std::string& fallback, std::size_t size, std::string* out) override;

private:
    class File;
    using Id = std::uint64_t;

    // One operation: fails once the power is out, otherwise runs.
    Status perform(const std::string& path, const std::function<Status()>& action);
    // The path as the disk names it, without trailing separators.
    std::string canonical(const std::string& path);
    std::string parentOf(const std::string& key) const;
    std::string root() const;
    void noteCreated(const std::string& key);
    void makeDurable(Id id, std::string bytes) { durableContent_[id] = std::move(bytes); }
    void collect(const std::string& folder);

    std::unique_ptr<MemEnv> mem_;
    std::uint64_t count_ = 0;
    std::uint64_t cutBefore_ = 0;
    Id nextId_ = 1;
    std::map<std::string, Id> liveFiles_;
    std::set<std::string> liveFolders_;
    std::map<std::string, Id> durableFiles_;
    std::set<std::string> durableFolders_;
    std::map<Id, std::string> durableContent_;
};

} // namespace torvane
