// A font as forms, controls, dialogs and the printer describe it.
#pragma once

#include <string>

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

} // namespace rt
