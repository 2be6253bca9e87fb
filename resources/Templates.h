#pragma once

#include <array>
#include <string_view>

namespace torvane {

// The four tables of a database set, in the order every routine handles them,
// with the number under which each one's empty template is carried.
struct TableName {
    const char* base;
    int resource;
};

inline constexpr std::array<TableName, 4> TableNames{{
    {"person", 101},
    {"kvxdat1", 102},
    {"kvxdat2", 103},
    {"kvxdat3", 104},
}};

// The complete empty table file carried under a resource number (101..104);
// an empty view for any other number.
std::string_view templateBlob(int resourceNumber);

} // namespace torvane
