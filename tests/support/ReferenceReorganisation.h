#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace torvane::testsupport {

// The four tables of a practice as file bytes: person, kvxdat1, kvxdat2,
// kvxdat3. A practice may lack kvxdat3.
using PracticeFiles = std::array<std::optional<std::string>, 4>;

// What the transfer did with one patient record.
struct ReferencePatient {
    enum class Outcome { NoNumber, Placeholder, Nameless, Carried };

    std::int32_t record = 0;
    // Record r's own values, blanks around removed.
    std::string number, surname, firstName, birthDate;
    std::int32_t key = 0;                   // the number looked up
    std::array<std::int32_t, 4> rows{};     // the row each working copy was positioned on; 0: none
    std::string dataSurname, dataFirstName; // on the patient row positioned on
    Outcome outcome = Outcome::NoNumber;
    int newNumber = 0;
};

// For one field position of a working copy: values written to the fresh
// table that cleaning changed, and that lost a character cleaning keeps.
struct ReferenceFieldCount {
    int cleaned = 0;
    int cut = 0;
};

struct ReferenceResult {
    bool nothingToDo = false; // fewer than two patient records
    int carried = 0;
    PracticeFiles fresh;                    // the fresh tables as the run leaves them; the result tables
    PracticeFiles working;                  // the working copies, with every row the synchronisation appended
    std::vector<ReferencePatient> patients; // in table order
    std::array<std::map<int, ReferenceFieldCount>, 4> fields; // by table, field position
};

// What a reorganisation with the templates the program carries makes of a
// practice, worked out independently of the program by doing literally what
// the rules say on the file bytes: positioning by scanning from record 1,
// new keys from a walk over the fresh person table, every field cleaned,
// fitted, written by name and its row rewritten, one field after the other.
// Quadratic on purpose, so keep the practices small. Throws when more than
// 32,767 patients would be carried over.
ReferenceResult referenceReorganisation(const PracticeFiles& sources);

// The number a key field's text (blanks around removed) reads as when the
// model looks for a key: its leading decimal number, 0 when it has none.
double referenceNumber(const std::string& keyText);

} // namespace torvane::testsupport
