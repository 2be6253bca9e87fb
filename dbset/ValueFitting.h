#pragma once

#include "errors/ErrorReporter.h"
#include "tables/Variant.h"

#include <cstdint>
#include <string>

namespace torvane {

// Prepares a value for a character field of a fresh table. Only the type
// letter "C", exactly, is a character field; any other type leaves the
// value alone. The value is changed in the caller's variable.
class ValueFitting {
public:
    explicit ValueFitting(ErrorReporter& errors) : errors_(errors) {}

    // Cuts the value to nLength characters or pads it with blanks, but by
    // no more than 250 blanks.
    void setze_um(Variant& vData, std::string& sType, std::int16_t& nLength);
    // Fits like setze_um, then blanks every character that is not
    // permitted (see PermittedCharacters.h). Always true.
    bool geprueft(Variant& vData, std::string& sType, std::int16_t& nLength);

private:
    ErrorReporter& errors_;
};

} // namespace torvane
