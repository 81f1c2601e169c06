// A font as forms, controls, dialogs and the printer describe it.
#pragma once

#include <string>
#include <string_view>

namespace rt {

struct Font {
    std::string Name = "MS Sans Serif";
    double Size = 8.25; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool Strikethru = false;
    bool operator==(const Font&) const = default;
};

// The largest font size, in points, that a program takes back from its
// settings: a size beyond it leaves a list or an editor with room for a few
// letters at most, and is a value spoiled (say, "9.75" read as 975 under a
// locale that groups digits with ".") or edited by hand.
inline constexpr double kMaxKeptFontSize = 500;

// A font size kept in the settings store, read as SettingValue reads it;
// error 380 (invalid property value) for a size below 1 point or above
// kMaxKeptFontSize, so that the font keeps the size it has.
double KeptFontSize(std::string_view text);

} // namespace rt
