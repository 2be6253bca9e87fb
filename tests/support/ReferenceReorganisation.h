#pragma once

#include <array>
#include <optional>
#include <string>

namespace torvane::testsupport {

// The four tables of a practice as file bytes: person, kvxdat1, kvxdat2,
// kvxdat3. A practice may lack kvxdat3.
using PracticeFiles = std::array<std::optional<std::string>, 4>;

struct ReferenceResult {
    bool nothingToDo = false;  // fewer than two patient records
    int carried = 0;
    PracticeFiles fresh;    // the fresh tables as the run leaves them; the result tables
    PracticeFiles working;  // the working copies, with every row the synchronisation appended
};

// What a reorganisation with the templates the program carries makes of a
// practice, worked out independently of the program by doing literally what
// the rules say on the file bytes: positioning by scanning from record 1,
// new keys from a walk over the fresh person table, every field cleaned,
// fitted, written by name and its row rewritten, one field after the other.
// Quadratic on purpose, so keep the practices small. Throws when more than
// 32,767 patients would be carried over.
ReferenceResult referenceReorganisation(const PracticeFiles& sources);

} // namespace torvane::testsupport
