#include "support/platform/MemEnv.h"

#include "platform/ContentHash.h"
#include "platform/Cp1252.h"
#include "platform/ErrnoMapping.h"
#include "platform/PrivateProfile.h"

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace torvane {
namespace {

// A fuzzed offset must not make a file ask for more memory than the machine has.
constexpr std::uint64_t MaxFileSize = std::uint64_t{1} << 30;
constexpr std::uint64_t UnlimitedFreeSpace = std::uint64_t{1} << 40;
constexpr std::uint32_t SettableAttributes = attr::ReadOnly | attr::Hidden | attr::System | attr::Archive;

bool isDotName(const std::string& name)
{
    return !name.empty() && name.front() == '.' && name != "." && name != "..";
}

} // namespace

class MemEnv::File final : public RandomRWFile {
public:
    File(const MemEnv& env, std::string path, std::shared_ptr<std::string> bytes)
        : env_(env), path_(std::move(path)), bytes_(std::move(bytes))
    {
    }

    Status read(std::uint64_t offset, std::size_t n, char* dst, std::size_t* got) override
    {
        *got = 0;
        if (!bytes_)
            return closedFailure();
        if (offset >= bytes_->size())
            return Status::ok();
        *got = static_cast<std::size_t>(std::min<std::uint64_t>(n, bytes_->size() - offset));
        std::memcpy(dst, bytes_->data() + offset, *got);
        return Status::ok();
    }

    Status write(std::uint64_t offset, std::string_view data) override
    {
        if (!bytes_)
            return closedFailure();
        if (offset > MaxFileSize || data.size() > MaxFileSize - offset)
            return diskFullFailure(path_);
        const std::uint64_t end = offset + data.size();
        const std::uint64_t growth = end > bytes_->size() ? end - bytes_->size() : 0;
        if (!env_.fits(growth))
            return diskFullFailure(path_);
        if (growth > 0)
            bytes_->resize(static_cast<std::size_t>(end), '\0');
        bytes_->replace(static_cast<std::size_t>(offset), data.size(), data);
        return Status::ok();
    }

    Status size(std::uint64_t* out) override
    {
        *out = 0;
        if (!bytes_)
            return closedFailure();
        *out = bytes_->size();
        return Status::ok();
    }

    Status sync() override { return bytes_ ? Status::ok() : closedFailure(); }

    Status close() override
    {
        bytes_.reset();
        return Status::ok();
    }

private:
    Status closedFailure() const { return Status::error(errnum::BadFileName, EBADF, path_); }

    const MemEnv& env_;
    std::string path_;
    std::shared_ptr<std::string> bytes_;
};

class MemEnv::Lock final : public FolderLock {
public:
    Lock(std::set<std::string>& locked, std::string key) : locked_(locked), key_(std::move(key)) {}
    ~Lock() override { locked_.erase(key_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;

private:
    std::set<std::string>& locked_;
    std::string key_;
};

MemEnv::MemEnv(char separator) : separator_(separator), root_(separator == '/' ? "/" : "C:")
{
    nodes_[root_].folder = true;
    const std::string temp = separator == '/' ? "/tmp" : "C:\\Temp";
    nodes_[temp].folder = true;
    tempFolder_ = temp + separator;
    commonAppData_ = separator == '/' ? "/etc/xdg" : "C:\\ProgramData";
}

// ---- Paths -----------------------------------------------------------------

std::string MemEnv::key(const std::string& path) const
{
    std::string k = path;
    const bool onCurrentDrive = separator_ == '\\' && !k.empty() && k[0] == '\\' && (k.size() == 1 || k[1] != '\\');
    if (onCurrentDrive)
        k = root_ + k;
    while (k.size() > 1 && k.back() == separator_)
        k.pop_back();
    return k;
}

std::optional<std::string> MemEnv::parentKey(const std::string& key) const
{
    const std::size_t sep = key.rfind(separator_);
    if (key == root_ || sep == std::string::npos)
        return std::nullopt;
    return sep == 0 ? key.substr(0, 1) : key.substr(0, sep);
}

std::string MemEnv::nameOf(const std::string& key) const
{
    const std::size_t sep = key.rfind(separator_);
    return sep == std::string::npos ? key : key.substr(sep + 1);
}

std::string MemEnv::childPrefix(const std::string& folderKey) const
{
    return folderKey == "/" ? folderKey : folderKey + separator_;
}

std::vector<std::string> MemEnv::childKeys(const std::string& folderKey) const
{
    const std::string prefix = childPrefix(folderKey);
    std::vector<std::string> keys;
    for (auto it = nodes_.lower_bound(prefix); it != nodes_.end() && it->first.starts_with(prefix); ++it) {
        // The root "/" is its own prefix, not its own child.
        if (it->first.size() > prefix.size() && it->first.find(separator_, prefix.size()) == std::string::npos)
            keys.push_back(it->first);
    }
    return keys;
}

// The map is sorted, so among names differing only in case the smallest
// wins, as with PosixEnv.
std::string MemEnv::resolve(const std::string& path) const
{
    const std::string k = key(path);
    const std::optional<std::string> parent = parentKey(k);
    if (find(k) != nullptr || !parent || !isFolder(*parent))
        return k;
    const std::string wanted = cp1252::upperCase(nameOf(k));
    for (const std::string& child : childKeys(*parent)) {
        if (cp1252::upperCase(nameOf(child)) == wanted)
            return child;
    }
    return k;
}

// ---- Nodes -----------------------------------------------------------------

MemEnv::Node* MemEnv::find(const std::string& key)
{
    const auto it = nodes_.find(key);
    return it == nodes_.end() ? nullptr : &it->second;
}

const MemEnv::Node* MemEnv::find(const std::string& key) const
{
    const auto it = nodes_.find(key);
    return it == nodes_.end() ? nullptr : &it->second;
}

bool MemEnv::isFolder(const std::string& key) const
{
    const Node* node = find(key);
    return node != nullptr && node->folder;
}

bool MemEnv::isAbsolute(const std::string& path) const
{
    return path.starts_with(separator_ == '/' ? "/" : "\\") || path.starts_with(root_);
}

bool MemEnv::isHidden(const std::string& key, const Node& node) const
{
    return (node.attributes & attr::Hidden) != 0 || (separator_ == '/' && isDotName(nameOf(key)));
}

bool MemEnv::fits(std::uint64_t growth) const
{
    return !capacity_ || usedBytes() + growth <= *capacity_;
}

MemEnv::Node& MemEnv::addFile(const std::string& key)
{
    Node& node = nodes_[key];
    node.attributes = attr::Archive;
    node.bytes = std::make_shared<std::string>();
    return node;
}

void MemEnv::moveTree(const std::string& from, const std::string& to)
{
    std::vector<std::string> keys{from};
    const std::string prefix = childPrefix(from);
    for (auto it = nodes_.lower_bound(prefix); it != nodes_.end() && it->first.starts_with(prefix); ++it)
        keys.push_back(it->first);
    nodes_.erase(to);
    for (const std::string& k : keys) {
        auto handle = nodes_.extract(k);
        handle.key() = to + k.substr(from.size());
        nodes_.insert(std::move(handle));
    }
}

std::uint64_t MemEnv::usedBytes() const
{
    std::uint64_t total = 0;
    for (const auto& [k, node] : nodes_) {
        if (node.bytes)
            total += node.bytes->size();
    }
    return total;
}

// ---- Failures --------------------------------------------------------------

Status MemEnv::failure(int osError, const std::string& key) const
{
    const std::optional<std::string> parent = parentKey(key);
    return osFailure(osError, parent && isFolder(*parent), key);
}

Status MemEnv::checkParent(const std::string& key) const
{
    const std::optional<std::string> parent = parentKey(key);
    return parent && isFolder(*parent) ? Status::ok() : failure(ENOENT, key);
}

Status MemEnv::checkReplaceable(const std::string& key, const Node* node) const
{
    if (node == nullptr)
        return checkParent(key);
    if (node->folder)
        return folderFailure(key);
    if ((node->attributes & attr::ReadOnly) != 0)
        return readOnlyFailure(key);
    return Status::ok();
}

// ---- Set-up for tests ------------------------------------------------------

void MemEnv::createFolders(const std::string& path)
{
    const std::string k = key(path);
    if (const Node* node = find(k)) {
        if (!node->folder)
            throw std::logic_error("MemEnv: a file is in the way of folder " + k);
        return;
    }
    const std::optional<std::string> parent = parentKey(k);
    if (!parent)
        throw std::logic_error("MemEnv: outside the root: " + k);
    createFolders(*parent);
    nodes_[k].folder = true;
}

void MemEnv::putFile(const std::string& path, std::string_view bytes)
{
    const std::string k = key(path);
    const std::optional<std::string> parent = parentKey(k);
    if (!parent)
        throw std::logic_error("MemEnv: outside the root: " + k);
    createFolders(*parent);
    Node* node = find(k);
    if (node != nullptr && node->folder)
        throw std::logic_error("MemEnv: a folder is in the way of file " + k);
    if (node == nullptr)
        node = &addFile(k);
    node->bytes->assign(bytes);
}

void MemEnv::setAttributes(const std::string& path, std::uint32_t bits)
{
    Node* node = find(key(path));
    if (node == nullptr)
        throw std::logic_error("MemEnv: no such file or folder: " + path);
    node->attributes = bits & SettableAttributes;
}

std::optional<std::string> MemEnv::fileBytes(const std::string& path) const
{
    const Node* node = find(key(path));
    if (node == nullptr || node->folder)
        return std::nullopt;
    return *node->bytes;
}

std::vector<std::string> MemEnv::folderEntries(const std::string& folder) const
{
    std::vector<std::string> names;
    for (const std::string& child : childKeys(key(folder)))
        names.push_back(nameOf(child));
    return names;
}

// ---- Env -------------------------------------------------------------------

Status MemEnv::openReadWrite(const std::string& path, std::unique_ptr<RandomRWFile>* out)
{
    out->reset();
    const std::string k = resolve(path);
    Node* node = find(k);
    if (Status s = checkReplaceable(k, node); !s.isOk())
        return s;
    if (node == nullptr)
        node = &addFile(k);
    *out = std::make_unique<File>(*this, k, node->bytes);
    return Status::ok();
}

Status MemEnv::attributes(const std::string& path, std::uint32_t* out)
{
    *out = 0;
    const std::string k = resolve(path);
    const Node* node = find(k);
    if (node == nullptr)
        return failure(ENOENT, k);
    *out = node->attributes | (isHidden(k, *node) ? attr::Hidden : 0) | (node->folder ? attr::Directory : 0);
    return Status::ok();
}

Status MemEnv::findPlainFile(const std::string& path, bool* found)
{
    const std::string k = resolve(path);
    const Node* node = find(k);
    *found = node != nullptr && !node->folder && !isHidden(k, *node) && (node->attributes & attr::System) == 0;
    return Status::ok();
}

Status MemEnv::makeFolder(const std::string& path)
{
    const std::string k = resolve(path);
    if (find(k) != nullptr)
        return failure(EEXIST, k);
    if (Status s = checkParent(k); !s.isOk())
        return s;
    nodes_[k].folder = true;
    return Status::ok();
}

Status MemEnv::deleteFile(const std::string& path)
{
    const std::string k = resolve(path);
    const Node* node = find(k);
    if (node == nullptr)
        return failure(ENOENT, k);
    if (Status s = checkReplaceable(k, node); !s.isOk())
        return s;
    nodes_.erase(k);
    return Status::ok();
}

Status MemEnv::copyFile(const std::string& from, const std::string& to)
{
    const std::string source = resolve(from);
    const Node* in = find(source);
    if (in == nullptr)
        return failure(ENOENT, source);
    if (in->folder)
        return folderFailure(source);
    const std::string target = resolve(to);
    Node* out = find(target);
    if (Status s = checkReplaceable(target, out); !s.isOk())
        return s;
    if (out == in)
        return Status::error(errnum::PathFileAccess, 0, target);
    const std::uint64_t replaced = out != nullptr ? out->bytes->size() : 0;
    if (!fits(in->bytes->size() - std::min<std::uint64_t>(replaced, in->bytes->size()))) {
        // The target was already cut to nothing when the device filled up.
        nodes_.erase(target);
        return diskFullFailure(target);
    }
    if (out == nullptr)
        out = &addFile(target);
    *out->bytes = *in->bytes;
    return Status::ok();
}

Status MemEnv::copyFileNoting(const std::string& from, const std::string& to, FileFingerprint* source)
{
    *source = {};
    const Status copied = copyFile(from, to);
    if (copied.isOk())
        *source = {find(resolve(to))->bytes->size(), 0, ContentHash::of(*find(resolve(to))->bytes)};
    return copied;
}

Status MemEnv::fingerprint(const std::string& path, FileFingerprint* out)
{
    *out = {};
    std::string bytes;
    if (Status s = readFile(path, &bytes); !s.isOk())
        return s;
    *out = {bytes.size(), 0, ContentHash::of(bytes)};
    return Status::ok();
}

Status MemEnv::readFileStart(const std::string& path, std::size_t n, std::string* out)
{
    const Status read = readFile(path, out);
    if (out->size() > n)
        out->resize(n);
    return read;
}

Status MemEnv::renameFile(const std::string& from, const std::string& to)
{
    const std::string source = resolve(from);
    const Node* in = find(source);
    if (in == nullptr)
        return failure(ENOENT, source);
    std::string target = resolve(to);
    // A change of case only: the lookup would find the source itself.
    if (target == source)
        target = key(to);
    if (target == source)
        return Status::ok();
    const Node* out = find(target);
    if (Status s = checkReplaceable(target, out); !s.isOk())
        return s;
    if (out != nullptr && in->folder)
        return failure(ENOTDIR, target);
    if (in->folder && target.starts_with(childPrefix(source)))
        return failure(EINVAL, target);
    moveTree(source, target);
    return Status::ok();
}

Status MemEnv::syncFile(const std::string& path)
{
    const std::string k = resolve(path);
    return find(k) != nullptr ? Status::ok() : failure(ENOENT, k);
}

Status MemEnv::syncFolder(const std::string& path)
{
    const std::string k = resolve(path);
    if (find(k) == nullptr)
        return failure(ENOENT, k);
    return isFolder(k) ? Status::ok() : failure(ENOTDIR, k);
}

Status MemEnv::removeFolder(const std::string& path)
{
    const std::string k = resolve(path);
    if (find(k) == nullptr)
        return failure(ENOENT, k);
    if (!isFolder(k))
        return failure(ENOTDIR, k);
    if (k == root_ || !childKeys(k).empty())
        return failure(ENOTEMPTY, k);
    nodes_.erase(k);
    return Status::ok();
}

Status MemEnv::listFolder(const std::string& path, std::vector<std::string>* names)
{
    names->clear();
    const std::string k = resolve(path);
    if (find(k) == nullptr)
        return failure(ENOENT, k);
    if (!isFolder(k))
        return failure(ENOTDIR, k);
    *names = folderEntries(k);
    return Status::ok();
}

Status MemEnv::fileSize(const std::string& path, std::uint64_t* out)
{
    *out = 0;
    const std::string k = resolve(path);
    const Node* node = find(k);
    if (node == nullptr)
        return failure(ENOENT, k);
    if (node->folder)
        return folderFailure(k);
    *out = node->bytes->size();
    return Status::ok();
}

Status MemEnv::freeSpace(const std::string& folder, std::uint64_t* out)
{
    *out = 0;
    const std::string k = resolve(folder);
    if (!isFolder(k))
        return failure(ENOENT, k);
    const std::uint64_t used = usedBytes();
    *out = !capacity_ ? UnlimitedFreeSpace : *capacity_ > used ? *capacity_ - used : 0;
    return Status::ok();
}

Status MemEnv::tryLockFolder(const std::string& path, std::unique_ptr<FolderLock>* out)
{
    out->reset();
    const std::string k = resolve(path);
    if (!isFolder(k))
        return failure(find(k) == nullptr ? ENOENT : ENOTDIR, k);
    if (lockedFolders_.insert(k).second)
        *out = std::make_unique<Lock>(lockedFolders_, k);
    return Status::ok();
}

Status MemEnv::writeNewFile(const std::string& path, std::string_view bytes)
{
    const std::string k = resolve(path);
    Node* node = find(k);
    if (Status s = checkReplaceable(k, node); !s.isOk())
        return s;
    const std::uint64_t replaced = node != nullptr ? node->bytes->size() : 0;
    if (!fits(bytes.size() - std::min<std::uint64_t>(replaced, bytes.size()))) {
        // No half-written file survives.
        nodes_.erase(k);
        return diskFullFailure(k);
    }
    if (node == nullptr)
        node = &addFile(k);
    node->bytes->assign(bytes);
    return Status::ok();
}

Status MemEnv::appendTextLine(const std::string& path, std::string_view text)
{
    const std::string k = resolve(path);
    Node* node = find(k);
    if (Status s = checkReplaceable(k, node); !s.isOk())
        return s;
    if (node == nullptr)
        node = &addFile(k);
    const std::string line = std::string(text) + "\r\n";
    if (!fits(line.size()))
        return diskFullFailure(k);
    *node->bytes += line;
    return Status::ok();
}

Status MemEnv::readFile(const std::string& path, std::string* out)
{
    out->clear();
    const std::string k = resolve(path);
    const Node* node = find(k);
    if (node == nullptr)
        return failure(ENOENT, k);
    if (node->folder)
        return folderFailure(k);
    *out = *node->bytes;
    return Status::ok();
}

Status MemEnv::tempFolder(std::string* out)
{
    out->clear();
    if (!tempFolder_)
        return Status::error(errnum::PathNotFound, ENOENT, {});
    *out = *tempFolder_;
    return Status::ok();
}

Status MemEnv::specialFolder(int number, std::string* out)
{
    out->clear();
    if (number != specialfolder::CommonAppData)
        return Status::error(errnum::InvalidArgument, 0, {});
    if (!commonAppData_)
        return Status::error(errnum::PathNotFound, ENOENT, {});
    *out = *commonAppData_;
    return Status::ok();
}

Status MemEnv::absolutePath(const std::string& path, std::string* out)
{
    if (isAbsolute(path))
        *out = path;
    else
        *out = childPrefix(root_) + (path.starts_with(std::string(".") + separator_) ? path.substr(2) : path);
    return Status::ok();
}

Status MemEnv::openUrl(const std::string& url)
{
    openedUrls_.push_back(url);
    return Status::ok();
}

Status MemEnv::privateProfileString(const std::string& file, const std::string& section, const std::string& key,
                                    const std::string& fallback, std::size_t size, std::string* out)
{
    return readPrivateProfileString(*this, file, section, key, fallback, size, out);
}

std::string MemEnv::existingName(const std::string& path)
{
    const std::string found = resolve(path);
    if (found == key(path))
        return path;
    const std::size_t last = path.find_last_not_of(separator_);
    return found + path.substr(last == std::string::npos ? path.size() : last + 1);
}

} // namespace torvane
