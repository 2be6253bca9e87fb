#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace torvane::testsupport {

// The four tables of a practice as file bytes: person, kvxdat1, kvxdat2,
// kvxdat3. A practice may lack kvxdat3.
using PracticeFiles = std::array<std::optional<std::string>, 4>;

struct ReferenceResult {
    // Fewer than two patient records: nothing was carried over.
    bool nothingToDo = false;
    int carried = 0;
    // The fresh tables as the run leaves them; the result tables.
    std::array<std::string, 4> fresh;
    // The working copies, with every row the synchronisation appended.
    PracticeFiles working;
};

// What a reorganisation makes of a practice, worked out independently of
// the program by doing literally what the rules say on the file bytes:
// positioning by scanning from record 1, new keys from a walk over the
// fresh person table, every field cleaned, fitted, written by name and its
// row rewritten, one field after the other. Quadratic on purpose, so keep
// the practices small. Throws when more than 32,767 patients would be
// carried over.
ReferenceResult referenceReorganisation(const PracticeFiles& sources,
                                        const std::array<std::string_view, 4>& templates);
// The same with the templates the program carries.
ReferenceResult referenceReorganisation(const PracticeFiles& sources);

} // namespace torvane::testsupport
