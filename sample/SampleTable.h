#pragma once

#include "platform/Env.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace torvane::sample {

// Writes one table file: the empty template's header followed by records,
// streamed to disk in large chunks so that big practices need little memory.
class SampleTable {
public:
    SampleTable(Env& env, const std::string& path, std::string_view templateBlob);

    std::string blankRecord() const { return std::string(recordLength_, ' '); }
    // Puts the value left-aligned and blank-padded (cut at the width) into the record.
    void set(std::string& record, const std::string& field, std::string_view value) const;
    int width(const std::string& field) const;
    const std::vector<std::string>& fieldNames() const { return names_; }

    void append(const std::string& record);
    // Writes the record count and, as many practice files carry it, the end marker.
    void finish();

private:
    struct Field {
        std::size_t start;
        std::size_t length;
    };

    void flushChunk();

    std::unique_ptr<RandomRWFile> file_;
    std::string header_;
    std::size_t recordLength_ = 0;
    std::vector<std::string> names_;
    std::unordered_map<std::string, Field> fields_;
    std::string chunk_;
    std::uint64_t written_ = 0;
    std::uint32_t count_ = 0;
};

} // namespace torvane::sample
