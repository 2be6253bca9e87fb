#include "dbset/ValueFitting.h"

#include "dbset/PermittedCharacters.h"
#include "errors/Trap.h"

#include <algorithm>

namespace torvane {
namespace {

constexpr std::size_t Padding = 250;

bool isCharacterField(const std::string& type)
{
    return type == "C";
}

void fit(Variant& value, std::int16_t length)
{
    std::string text = value.toText();
    text.append(Padding, ' ');
    if (length < 0)
        throw RunError::raised(errnum::InvalidArgument);
    text.resize(std::min(text.size(), static_cast<std::size_t>(length)));
    value = Variant(std::move(text));
}

} // namespace

void ValueFitting::setze_um(Variant& vData, std::string& sType, std::int16_t& nLength)
{
    Trap trap(errors_, "Error in D_Datenbank: Sub setze_um");
    if (isCharacterField(sType))
        trap([&] { fit(vData, nLength); });
}

bool ValueFitting::geprueft(Variant& vData, std::string& sType, std::int16_t& nLength)
{
    Trap trap(errors_, "Error in D_Datenbank: Function geprueft");
    if (!isCharacterField(sType))
        return true;
    trap([&] { fit(vData, nLength); });
    trap([&] {
        if (nLength < 1)
            return;
        std::string text = vData.toText();
        // Positions past the end of a value cut short by the padding limit are skipped.
        const std::size_t checked = std::min(text.size(), static_cast<std::size_t>(nLength));
        std::replace_if(
            text.begin(), text.begin() + static_cast<std::ptrdiff_t>(checked), [](char c) { return !isPermitted(c); },
            ' ');
        vData = Variant(std::move(text));
    });
    return true;
}

} // namespace torvane
