#include "support/platform/CrashSimulatingEnv.h"

#include <cerrno>
#include <stdexcept>

namespace torvane {

class CrashSimulatingEnv::File final : public RandomRWFile {
public:
    File(CrashSimulatingEnv& env, std::unique_ptr<RandomRWFile> target, Id id, std::string path)
        : env_(env), target_(std::move(target)), id_(id), path_(std::move(path))
    {
    }

    Status read(std::uint64_t offset, std::size_t n, char* dst, std::size_t* got) override
    {
        *got = 0;
        return env_.perform(path_, [&] { return target_->read(offset, n, dst, got); });
    }

    Status write(std::uint64_t offset, std::string_view data) override
    {
        return env_.perform(path_, [&] { return target_->write(offset, data); });
    }

    Status size(std::uint64_t* out) override
    {
        *out = 0;
        return env_.perform(path_, [&] { return target_->size(out); });
    }

    // What the file holds now is what a reboot finds, wherever it is named.
    Status sync() override
    {
        return env_.perform(path_, [&] {
            std::uint64_t size = 0;
            Status status = target_->size(&size);
            std::string bytes(static_cast<std::size_t>(size), '\0');
            std::size_t got = 0;
            if (status.isOk())
                status = target_->read(0, bytes.size(), bytes.data(), &got);
            if (status.isOk())
                env_.makeDurable(id_, bytes.substr(0, got));
            return status;
        });
    }

    Status close() override
    {
        return env_.perform(path_, [&] { return target_->close(); });
    }

private:
    CrashSimulatingEnv& env_;
    std::unique_ptr<RandomRWFile> target_;
    Id id_;
    std::string path_;
};

CrashSimulatingEnv::CrashSimulatingEnv(char separator) : mem_(std::make_unique<MemEnv>(separator))
{
    settle();
}

// ---- The model of the device ------------------------------------------------

std::string CrashSimulatingEnv::root() const
{
    return separator() == '/' ? "/" : "C:";
}

std::string CrashSimulatingEnv::canonical(const std::string& path)
{
    std::string key = mem_->existingName(path);
    while (key.size() > 1 && key.back() == separator())
        key.pop_back();
    return key;
}

std::string CrashSimulatingEnv::parentOf(const std::string& key) const
{
    const std::size_t sep = key.rfind(separator());
    if (sep == std::string::npos)
        return {};
    return sep == 0 ? key.substr(0, 1) : key.substr(0, sep);
}

void CrashSimulatingEnv::noteCreated(const std::string& key)
{
    if (!liveFiles_.contains(key))
        liveFiles_[key] = nextId_++;
}

void CrashSimulatingEnv::collect(const std::string& folder)
{
    liveFolders_.insert(folder);
    for (const std::string& name : mem_->folderEntries(folder)) {
        const std::string key = folder == "/" ? folder + name : folder + separator() + name;
        if (std::optional<std::string> bytes = mem_->fileBytes(key)) {
            liveFiles_[key] = nextId_;
            durableContent_[nextId_++] = std::move(*bytes);
        } else {
            collect(key);
        }
    }
}

void CrashSimulatingEnv::settle()
{
    liveFiles_.clear();
    liveFolders_.clear();
    durableContent_.clear();
    collect(root());
    durableFiles_ = liveFiles_;
    durableFolders_ = liveFolders_;
    count_ = 0;
    cutBefore_ = 0;
}

void CrashSimulatingEnv::reboot()
{
    auto disk = std::make_unique<MemEnv>(separator());
    std::set<std::string> folders;
    for (const std::string& folder : durableFolders_) {
        // Sorted, so a folder's parent has been decided before it.
        if (folder == root() || folders.contains(parentOf(folder))) {
            folders.insert(folder);
            disk->createFolders(folder);
        }
    }
    std::map<std::string, Id> files;
    for (const auto& [key, id] : durableFiles_) {
        if (!folders.contains(parentOf(key)))
            continue;
        files[key] = id;
        const auto content = durableContent_.find(id);
        disk->putFile(key, content == durableContent_.end() ? std::string() : content->second);
    }
    mem_ = std::move(disk);
    liveFiles_ = durableFiles_ = files;
    liveFolders_ = durableFolders_ = folders;
    count_ = 0;
    cutBefore_ = 0;
}

Status CrashSimulatingEnv::perform(const std::string& path, const std::function<Status()>& action)
{
    ++count_;
    if (powerFailed())
        return Status::error(errnum::DeviceIO, EIO, path);
    return action();
}

// ---- Operations that change the disk ------------------------------------------

Status CrashSimulatingEnv::openReadWrite(const std::string& path, std::unique_ptr<RandomRWFile>* out)
{
    out->reset();
    return perform(path, [&] {
        std::unique_ptr<RandomRWFile> file;
        Status status = mem_->openReadWrite(path, &file);
        if (status.isOk()) {
            const std::string key = canonical(path);
            noteCreated(key);
            *out = std::make_unique<File>(*this, std::move(file), liveFiles_[key], path);
        }
        return status;
    });
}

Status CrashSimulatingEnv::makeFolder(const std::string& path)
{
    return perform(path, [&] {
        Status status = mem_->makeFolder(path);
        if (status.isOk())
            liveFolders_.insert(canonical(path));
        return status;
    });
}

Status CrashSimulatingEnv::removeFolder(const std::string& path)
{
    return perform(path, [&] {
        const std::string key = canonical(path);
        Status status = mem_->removeFolder(path);
        if (status.isOk())
            liveFolders_.erase(key);
        return status;
    });
}

Status CrashSimulatingEnv::deleteFile(const std::string& path)
{
    return perform(path, [&] {
        const std::string key = canonical(path);
        Status status = mem_->deleteFile(path);
        if (status.isOk())
            liveFiles_.erase(key);
        return status;
    });
}

Status CrashSimulatingEnv::copyFile(const std::string& from, const std::string& to)
{
    return perform(to, [&] {
        Status status = mem_->copyFile(from, to);
        if (status.isOk())
            noteCreated(canonical(to));
        return status;
    });
}

Status CrashSimulatingEnv::copyFileNoting(const std::string& from, const std::string& to, FileFingerprint* source)
{
    *source = {};
    return perform(to, [&] {
        Status status = mem_->copyFileNoting(from, to, source);
        if (status.isOk())
            noteCreated(canonical(to));
        return status;
    });
}

Status CrashSimulatingEnv::fingerprint(const std::string& path, FileFingerprint* out)
{
    *out = {};
    return perform(path, [&] { return mem_->fingerprint(path, out); });
}

Status CrashSimulatingEnv::readFileStart(const std::string& path, std::size_t n, std::string* out)
{
    out->clear();
    return perform(path, [&] { return mem_->readFileStart(path, n, out); });
}

Status CrashSimulatingEnv::renameFile(const std::string& from, const std::string& to)
{
    return perform(to, [&] {
        const std::string source = canonical(from);
        if (liveFolders_.contains(source))
            throw std::logic_error("CrashSimulatingEnv: renaming folders is not modelled: " + source);
        Status status = mem_->renameFile(from, to);
        const std::string target = canonical(to);
        if (status.isOk() && target != source) {
            const Id id = liveFiles_.at(source);
            liveFiles_.erase(source);
            liveFiles_[target] = id;
        }
        return status;
    });
}

Status CrashSimulatingEnv::writeNewFile(const std::string& path, std::string_view bytes)
{
    return perform(path, [&] {
        Status status = mem_->writeNewFile(path, bytes);
        if (status.isOk())
            noteCreated(canonical(path));
        return status;
    });
}

Status CrashSimulatingEnv::appendTextLine(const std::string& path, std::string_view text)
{
    return perform(path, [&] {
        Status status = mem_->appendTextLine(path, text);
        if (status.isOk())
            noteCreated(canonical(path));
        return status;
    });
}

// ---- Flushes ------------------------------------------------------------------

Status CrashSimulatingEnv::syncFile(const std::string& path)
{
    return perform(path, [&] {
        Status status = mem_->syncFile(path);
        if (status.isOk()) {
            const std::string key = canonical(path);
            makeDurable(liveFiles_.at(key), mem_->fileBytes(key).value_or(""));
        }
        return status;
    });
}

Status CrashSimulatingEnv::syncFolder(const std::string& path)
{
    return perform(path, [&] {
        Status status = mem_->syncFolder(path);
        if (!status.isOk())
            return status;
        const std::string folder = canonical(path);
        std::erase_if(durableFiles_, [&](const auto& entry) { return parentOf(entry.first) == folder; });
        std::erase_if(durableFolders_, [&](const std::string& key) { return parentOf(key) == folder; });
        for (const auto& [key, id] : liveFiles_) {
            if (parentOf(key) == folder)
                durableFiles_[key] = id;
        }
        for (const std::string& key : liveFolders_) {
            if (parentOf(key) == folder)
                durableFolders_.insert(key);
        }
        return status;
    });
}

// ---- Operations that only look ------------------------------------------------

Status CrashSimulatingEnv::attributes(const std::string& path, std::uint32_t* out)
{
    *out = 0;
    return perform(path, [&] { return mem_->attributes(path, out); });
}

Status CrashSimulatingEnv::findPlainFile(const std::string& path, bool* found)
{
    *found = false;
    return perform(path, [&] { return mem_->findPlainFile(path, found); });
}

Status CrashSimulatingEnv::listFolder(const std::string& path, std::vector<std::string>* names)
{
    names->clear();
    return perform(path, [&] { return mem_->listFolder(path, names); });
}

Status CrashSimulatingEnv::fileSize(const std::string& path, std::uint64_t* out)
{
    *out = 0;
    return perform(path, [&] { return mem_->fileSize(path, out); });
}

Status CrashSimulatingEnv::freeSpace(const std::string& folder, std::uint64_t* out)
{
    *out = 0;
    return perform(folder, [&] { return mem_->freeSpace(folder, out); });
}

Status CrashSimulatingEnv::tryLockFolder(const std::string& path, std::unique_ptr<FolderLock>* out)
{
    out->reset();
    return perform(path, [&] { return mem_->tryLockFolder(path, out); });
}

Status CrashSimulatingEnv::readFile(const std::string& path, std::string* out)
{
    out->clear();
    return perform(path, [&] { return mem_->readFile(path, out); });
}

Status CrashSimulatingEnv::tempFolder(std::string* out)
{
    out->clear();
    return perform({}, [&] { return mem_->tempFolder(out); });
}

Status CrashSimulatingEnv::specialFolder(int number, std::string* out)
{
    out->clear();
    return perform({}, [&] { return mem_->specialFolder(number, out); });
}

Status CrashSimulatingEnv::absolutePath(const std::string& path, std::string* out)
{
    out->clear();
    return perform(path, [&] { return mem_->absolutePath(path, out); });
}

Status CrashSimulatingEnv::openUrl(const std::string& url)
{
    return perform(url, [&] { return mem_->openUrl(url); });
}

Status CrashSimulatingEnv::privateProfileString(const std::string& file, const std::string& section,
                                                const std::string& key, const std::string& fallback, std::size_t size,
                                                std::string* out)
{
    out->clear();
    return perform(file, [&] { return mem_->privateProfileString(file, section, key, fallback, size, out); });
}

} // namespace torvane
