#include "tables/KeyIndex.h"

namespace torvane {

void KeyIndex::clear(std::int32_t expected)
{
    keys_.clear();
    first_.clear();
    if (expected > 0) {
        keys_.reserve(static_cast<std::size_t>(expected));
        first_.reserve(static_cast<std::size_t>(expected));
    }
}

void KeyIndex::append(Key key)
{
    keys_.push_back(key);
    if (key)
        first_.try_emplace(*key, recordCount());
}

void KeyIndex::update(std::int32_t record, Key key)
{
    Key& slot = keys_[static_cast<std::size_t>(record - 1)];
    if (slot == key)
        return;
    const Key old = slot;
    slot = key;
    if (old)
        forget(record, *old);
    if (key) {
        auto [it, added] = first_.try_emplace(*key, record);
        if (!added && record < it->second)
            it->second = record;
    }
}

std::int32_t KeyIndex::first(std::int32_t key) const
{
    const auto it = first_.find(key);
    return it == first_.end() ? 0 : it->second;
}

void KeyIndex::forget(std::int32_t record, std::int32_t key)
{
    const auto it = first_.find(key);
    if (it == first_.end() || it->second != record)
        return;
    for (std::size_t i = static_cast<std::size_t>(record); i < keys_.size(); ++i) {
        if (keys_[i] == key) {
            it->second = static_cast<std::int32_t>(i + 1);
            return;
        }
    }
    first_.erase(it);
}

} // namespace torvane
