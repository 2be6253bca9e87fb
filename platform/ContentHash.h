#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

namespace torvane {

// A 64-bit hash of a file's bytes, fed piece by piece as they pass through a
// copy, so that the copy needs no second read. Not for security: it tells a
// changed file from an unchanged one.
class ContentHash {
public:
    ContentHash();
    ~ContentHash();
    ContentHash(const ContentHash&) = delete;
    ContentHash& operator=(const ContentHash&) = delete;

    void add(std::string_view bytes);
    std::uint64_t value() const;

    static std::uint64_t of(std::string_view bytes);

private:
    struct State;
    std::unique_ptr<State> state_;
};

} // namespace torvane
