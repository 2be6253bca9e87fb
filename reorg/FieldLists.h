#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace torvane {

struct FieldInfo {
    std::string name;
    std::int16_t laenge = 0;
    std::string typ;
};

// The field lists the run reads from both sets, indexed like the tables:
// table 1..4, field 1..255 (index 0 of each unused).
struct FieldLists {
    using Table = std::array<FieldInfo, 256>;

    std::array<std::int16_t, 5> feldanzahl_main{};
    std::array<Table, 5> feldinfo_main;
    std::array<Table, 5> feldinfo_temp;
};

} // namespace torvane
