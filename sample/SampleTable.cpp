#include "sample/SampleTable.h"

#include "errors/RunError.h"

#include <algorithm>

namespace torvane::sample {
namespace {

constexpr std::size_t ChunkSize = 1 << 20;

} // namespace

SampleTable::SampleTable(Env& env, const std::string& path, std::string_view blob)
{
    raiseIfFailed(env.openReadWrite(path, &file_));
    std::size_t offset = 32;
    std::size_t start = 1; // behind the deletion flag
    while (offset < blob.size() && static_cast<unsigned char>(blob[offset]) != 0x0D) {
        const std::string_view descriptor = blob.substr(offset, 32);
        std::string name(descriptor.substr(0, 11));
        name.erase(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));
        const auto length = static_cast<unsigned char>(descriptor[16]);
        fields_[name] = {start, length};
        names_.push_back(name);
        start += length;
        offset += 32;
    }
    recordLength_ = start;
    header_ = std::string(blob.substr(0, offset + 1)); // up to the terminator
    written_ = header_.size();
}

void SampleTable::set(std::string& record, const std::string& field, std::string_view value) const
{
    const Field& f = fields_.at(field);
    const std::size_t n = std::min(value.size(), f.length);
    record.replace(f.start, n, value.substr(0, n));
    std::fill(record.begin() + static_cast<std::ptrdiff_t>(f.start + n),
              record.begin() + static_cast<std::ptrdiff_t>(f.start + f.length), ' ');
}

int SampleTable::width(const std::string& field) const
{
    return static_cast<int>(fields_.at(field).length);
}

void SampleTable::append(const std::string& record)
{
    chunk_ += record;
    ++count_;
    if (chunk_.size() >= ChunkSize)
        flushChunk();
}

void SampleTable::finish()
{
    chunk_ += '\x1A';
    flushChunk();
    for (int i = 0; i < 4; ++i)
        header_[4 + static_cast<std::size_t>(i)] = static_cast<char>((count_ >> (8 * i)) & 0xFF);
    raiseIfFailed(file_->write(0, header_));
    raiseIfFailed(file_->close());
}

void SampleTable::flushChunk()
{
    raiseIfFailed(file_->write(written_, chunk_));
    written_ += chunk_.size();
    chunk_.clear();
}

} // namespace torvane::sample
