#pragma once

#include <string>
#include <vector>

namespace torvane::testsupport {

struct TemplateField {
    std::string name;
    char type; // 'C' character, 'D' date
    int length;
};

// The fields of the empty template carried under resourceNumber (101..104),
// in file order; empty for any other number.
const std::vector<TemplateField>& templateFields(int resourceNumber);

} // namespace torvane::testsupport
