// The editor's sixteen-colour palette and the standard colour scheme.
//
// The editor keeps the colours of its text categories as lists of palette
// numbers ("CodeForeColors", "CodeBackColors": decimal numbers separated by
// single spaces, one per category, trailing spaces allowed). 0 means
// "automatic" (the category's default colour), 1 to 16 a palette colour.
// Colours are "#rrggbb" in lower case, so equal colours compare equal as text.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace qm {

// The palette, number 1 first.
inline constexpr std::array<const char*, 16> kPalette = {
    "#ffffff", "#c0c0c0", "#808080", "#000000", "#ff0000", "#800000", "#ffff00", "#808000",
    "#00ff00", "#008000", "#00ffff", "#008080", "#0000ff", "#000080", "#ff00ff", "#800080",
};

// The four categories the pages use, in the order of SetForeColors and
// SetBackColors: normal, keyword, comment, identifier.
// Their positions in the editor's colour lists:
inline constexpr std::array<int, 4> kCategoryListPositions = {1, 7, 6, 8};
// The standard colour scheme (also each category's default for "automatic").
inline constexpr std::array<const char*, 4> kStandardForeColors = {"#000000", "#000080", "#008000", "#000000"};
inline constexpr std::array<const char*, 4> kStandardBackColors = {"#ffffff", "#ffffff", "#ffffff", "#ffffff"};

// The colour at `position` (from 1) of an editor colour list: `defaultColor`
// when the list is shorter or the number there is 0, else the palette colour.
// Raises VbaError 13 (type mismatch) when any piece of the list is not a
// decimal number (two spaces in a row, a leading space, a letter), 6
// (overflow) when one does not fit 32 bits, and 9 (subscript out of range)
// when the number at `position` lies outside 0 to 16.
std::string PaletteColor(std::string_view list, int position, const std::string& defaultColor);

}  // namespace qm
