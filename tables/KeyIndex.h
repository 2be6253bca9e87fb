#pragma once

#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

namespace torvane {

// Where each key first occurs in a table, so that positioning on a key does
// not scan from record 1. A record's key is the whole number its key field
// reads as; records whose key is fractional or out of range can never match
// and are kept as "no key".
class KeyIndex {
public:
    using Key = std::optional<std::int32_t>;

    // Empties the index, making room for the given number of records.
    void clear(std::int32_t expected = 0);
    std::int32_t recordCount() const { return static_cast<std::int32_t>(keys_.size()); }

    // Adds the record after the last one.
    void append(Key key);
    // The key of an indexed record changed.
    void update(std::int32_t record, Key key);
    // The first record carrying the key, 0 when there is none.
    std::int32_t first(std::int32_t key) const;
    // The key of an indexed record.
    Key keyOf(std::int32_t record) const { return keys_[static_cast<std::size_t>(record - 1)]; }

private:
    void forget(std::int32_t record, std::int32_t key);

    std::vector<Key> keys_; // index 0 is record 1
    std::unordered_map<std::int32_t, std::int32_t> first_;
};

} // namespace torvane
