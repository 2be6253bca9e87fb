#pragma once

#include "desktop/Twips.h"

#include <string_view>

// The error dialog's controls where they sit, in twips, and the folding of
// its details box: the same in every desktop program.
namespace torvane::desktop::frmErrorLayout {

inline constexpr int ClientWidth = 5745;
inline constexpr int DesignHeight = 3045;
// Outer heights, frame included: message, picture and buttons; with the
// details box below.
inline constexpr int FoldedHeight = 1785;
inline constexpr int UnfoldedHeight = 3375;

inline constexpr TwipsRect imgImage{120, 120, 480, 480};
inline constexpr TwipsRect txtMsg{720, 120, 3615, 615};
inline constexpr TwipsRect cmdOK{4440, 160, 1200, 330};
inline constexpr TwipsRect cmdExit{4440, 525, 1200, 330};
inline constexpr TwipsRect cmdDetails{4440, 1005, 1200, 330};
inline constexpr TwipsRect cmdbugreport{120, 720, 3615, 615};
inline constexpr TwipsRect txtDetails{120, 1440, 5535, 1455};
inline constexpr TwipsRect frlongname{-360, 0, 6615, 30};

inline constexpr std::string_view Unfold = "D&etails >>";
inline constexpr std::string_view Fold = "<< D&etails";

// The dialog after a click on the details button, from the button's caption.
struct Details {
    bool unfolded;
    std::string_view caption;
    int outerHeight;
};

inline Details afterDetailsClick(std::string_view caption)
{
    if (caption == Unfold)
        return {true, Fold, UnfoldedHeight};
    return {false, Unfold, FoldedHeight};
}

} // namespace torvane::desktop::frmErrorLayout
