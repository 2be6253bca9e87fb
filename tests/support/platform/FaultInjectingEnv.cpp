#include "support/platform/FaultInjectingEnv.h"

#include "platform/ErrnoMapping.h"

#include <array>

namespace torvane {

class FaultInjectingEnv::File final : public RandomRWFile {
public:
    File(FaultInjectingEnv& env, std::unique_ptr<RandomRWFile> target, std::string path)
        : env_(env), target_(std::move(target)), path_(std::move(path))
    {
    }

    Status read(std::uint64_t offset, std::size_t n, char* dst, std::size_t* got) override
    {
        *got = 0;
        return env_.perform(Op::FileRead, path_, {}, [&] { return target_->read(offset, n, dst, got); });
    }

    Status write(std::uint64_t offset, std::string_view data) override
    {
        return env_.perform(Op::FileWrite, path_, {}, [&] { return target_->write(offset, data); });
    }

    Status size(std::uint64_t* out) override
    {
        *out = 0;
        return env_.perform(Op::FileSize, path_, {}, [&] { return target_->size(out); });
    }

    Status sync() override
    {
        return env_.perform(Op::FileSync, path_, {}, [&] { return target_->sync(); });
    }

    Status close() override
    {
        return env_.perform(Op::FileClose, path_, {}, [&] { return target_->close(); });
    }

private:
    FaultInjectingEnv& env_;
    std::unique_ptr<RandomRWFile> target_;
    std::string path_;
};

void FaultInjectingEnv::failNth(Op op, std::string pathPart, std::uint64_t n, int number)
{
    faults_.push_back({op, std::move(pathPart), n, number});
}

void FaultInjectingEnv::failAlways(Op op, std::string pathPart, int number)
{
    faults_.push_back({op, std::move(pathPart), 0, number});
}

void FaultInjectingEnv::clearFaults()
{
    faults_.clear();
}

void FaultInjectingEnv::reportFreeSpace(std::string pathPart, std::uint64_t bytes)
{
    freeSpaces_.emplace_back(std::move(pathPart), bytes);
}

const char* FaultInjectingEnv::name(Op op)
{
    static constexpr std::array<const char*, 29> Names = {
        "openReadWrite", "attributes",   "findPlainFile", "makeFolder",           "deleteFile",    "copyFile",
        "renameFile",    "syncFile",     "writeNewFile",  "appendTextLine",       "readFile",      "tempFolder",
        "specialFolder", "absolutePath", "openUrl",       "privateProfileString", "file.read",     "file.write",
        "file.size",     "file.sync",    "file.close",    "syncFolder",           "removeFolder",  "listFolder",
        "fileSize",      "freeSpace",    "tryLockFolder", "fingerprint",          "readFileStart",
    };
    return Names.at(static_cast<std::size_t>(op));
}

std::string FaultInjectingEnv::describe(const Record& record)
{
    std::string text = std::string(name(record.op)) + " " + record.path;
    if (!record.secondPath.empty())
        text += " -> " + record.secondPath;
    if (record.injected != 0)
        text += " failed with " + std::to_string(record.injected);
    return text;
}

bool FaultInjectingEnv::Fault::matches(const Record& record) const
{
    return op == record.op &&
           (record.path.find(pathPart) != std::string::npos || record.secondPath.find(pathPart) != std::string::npos);
}

int FaultInjectingEnv::faultFor(const Record& record)
{
    for (auto fault = faults_.begin(); fault != faults_.end(); ++fault) {
        if (!fault->matches(record))
            continue;
        if (fault->nth == 0)
            return fault->number;
        if (++fault->matched == fault->nth) {
            const int number = fault->number;
            faults_.erase(fault);
            return number;
        }
    }
    return 0;
}

Status FaultInjectingEnv::perform(Op op, const std::string& path, const std::string& secondPath,
                                  const std::function<Status()>& action)
{
    Record record{op, path, secondPath, 0};
    record.injected = faultFor(record);
    log_.push_back(record);
    // A copy or rename fails mostly on its destination.
    if (record.injected != 0)
        return Status::error(record.injected, errnoForRunError(record.injected),
                             secondPath.empty() ? path : secondPath);
    return action();
}

Status FaultInjectingEnv::openReadWrite(const std::string& path, std::unique_ptr<RandomRWFile>* out)
{
    out->reset();
    return perform(Op::OpenReadWrite, path, {}, [&] {
        std::unique_ptr<RandomRWFile> file;
        Status s = target_.openReadWrite(path, &file);
        if (s.isOk())
            *out = std::make_unique<File>(*this, std::move(file), path);
        return s;
    });
}

Status FaultInjectingEnv::attributes(const std::string& path, std::uint32_t* out)
{
    *out = 0;
    return perform(Op::Attributes, path, {}, [&] { return target_.attributes(path, out); });
}

Status FaultInjectingEnv::findPlainFile(const std::string& path, bool* found)
{
    *found = false;
    return perform(Op::FindPlainFile, path, {}, [&] { return target_.findPlainFile(path, found); });
}

Status FaultInjectingEnv::makeFolder(const std::string& path)
{
    return perform(Op::MakeFolder, path, {}, [&] { return target_.makeFolder(path); });
}

Status FaultInjectingEnv::deleteFile(const std::string& path)
{
    return perform(Op::DeleteFile, path, {}, [&] { return target_.deleteFile(path); });
}

Status FaultInjectingEnv::copyFile(const std::string& from, const std::string& to)
{
    return perform(Op::CopyFile, from, to, [&] { return target_.copyFile(from, to); });
}

Status FaultInjectingEnv::copyFileNoting(const std::string& from, const std::string& to, FileFingerprint* source)
{
    *source = {};
    return perform(Op::CopyFile, from, to, [&] { return target_.copyFileNoting(from, to, source); });
}

Status FaultInjectingEnv::fingerprint(const std::string& path, FileFingerprint* out)
{
    *out = {};
    return perform(Op::Fingerprint, path, {}, [&] { return target_.fingerprint(path, out); });
}

Status FaultInjectingEnv::readFileStart(const std::string& path, std::size_t n, std::string* out)
{
    out->clear();
    return perform(Op::ReadFileStart, path, {}, [&] { return target_.readFileStart(path, n, out); });
}

Status FaultInjectingEnv::renameFile(const std::string& from, const std::string& to)
{
    return perform(Op::RenameFile, from, to, [&] { return target_.renameFile(from, to); });
}

Status FaultInjectingEnv::syncFile(const std::string& path)
{
    return perform(Op::SyncFile, path, {}, [&] { return target_.syncFile(path); });
}

Status FaultInjectingEnv::syncFolder(const std::string& path)
{
    return perform(Op::SyncFolder, path, {}, [&] { return target_.syncFolder(path); });
}

Status FaultInjectingEnv::removeFolder(const std::string& path)
{
    return perform(Op::RemoveFolder, path, {}, [&] { return target_.removeFolder(path); });
}

Status FaultInjectingEnv::listFolder(const std::string& path, std::vector<std::string>* names)
{
    names->clear();
    return perform(Op::ListFolder, path, {}, [&] { return target_.listFolder(path, names); });
}

Status FaultInjectingEnv::fileSize(const std::string& path, std::uint64_t* out)
{
    *out = 0;
    return perform(Op::SizeOfFile, path, {}, [&] { return target_.fileSize(path, out); });
}

Status FaultInjectingEnv::freeSpace(const std::string& folder, std::uint64_t* out)
{
    *out = 0;
    return perform(Op::FreeSpace, folder, {}, [&] {
        for (const auto& [pathPart, bytes] : freeSpaces_) {
            if (folder.find(pathPart) != std::string::npos) {
                *out = bytes;
                return Status::ok();
            }
        }
        return target_.freeSpace(folder, out);
    });
}

Status FaultInjectingEnv::tryLockFolder(const std::string& path, std::unique_ptr<FolderLock>* out)
{
    out->reset();
    return perform(Op::LockFolder, path, {}, [&] { return target_.tryLockFolder(path, out); });
}

Status FaultInjectingEnv::writeNewFile(const std::string& path, std::string_view bytes)
{
    return perform(Op::WriteNewFile, path, {}, [&] { return target_.writeNewFile(path, bytes); });
}

Status FaultInjectingEnv::appendTextLine(const std::string& path, std::string_view text)
{
    return perform(Op::AppendTextLine, path, {}, [&] { return target_.appendTextLine(path, text); });
}

Status FaultInjectingEnv::readFile(const std::string& path, std::string* out)
{
    out->clear();
    return perform(Op::ReadFile, path, {}, [&] { return target_.readFile(path, out); });
}

Status FaultInjectingEnv::tempFolder(std::string* out)
{
    out->clear();
    return perform(Op::TempFolder, {}, {}, [&] { return target_.tempFolder(out); });
}

Status FaultInjectingEnv::specialFolder(int number, std::string* out)
{
    out->clear();
    return perform(Op::SpecialFolder, {}, {}, [&] { return target_.specialFolder(number, out); });
}

Status FaultInjectingEnv::absolutePath(const std::string& path, std::string* out)
{
    out->clear();
    return perform(Op::AbsolutePath, path, {}, [&] { return target_.absolutePath(path, out); });
}

Status FaultInjectingEnv::openUrl(const std::string& url)
{
    return perform(Op::OpenUrl, url, {}, [&] { return target_.openUrl(url); });
}

Status FaultInjectingEnv::privateProfileString(const std::string& file, const std::string& section,
                                               const std::string& key, const std::string& fallback, std::size_t size,
                                               std::string* out)
{
    out->clear();
    return perform(Op::PrivateProfileString, file, {},
                   [&] { return target_.privateProfileString(file, section, key, fallback, size, out); });
}

} // namespace torvane
