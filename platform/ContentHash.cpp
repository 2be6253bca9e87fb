#include "platform/ContentHash.h"

#include <xxhash.h>

namespace torvane {

struct ContentHash::State {
    XXH3_state_t xxh;
};

ContentHash::ContentHash() : state_(std::make_unique<State>())
{
    XXH3_64bits_reset(&state_->xxh);
}

ContentHash::~ContentHash() = default;

void ContentHash::add(std::string_view bytes)
{
    XXH3_64bits_update(&state_->xxh, bytes.data(), bytes.size());
}

std::uint64_t ContentHash::value() const
{
    return XXH3_64bits_digest(&state_->xxh);
}

std::uint64_t ContentHash::of(std::string_view bytes)
{
    return XXH3_64bits(bytes.data(), bytes.size());
}

} // namespace torvane
