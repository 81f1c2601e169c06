// Whether a window shows its texts whole in the fonts the screen gives it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace rt::test {

// The texts of a window's visible controls that their controls cut, each with
// the room it needs and the room it has: a check box's, option button's,
// command button's or frame's caption wider than the control, a label whose
// wrapped text is taller or wider than the label, a combo box item wider than
// the box's field. Empty when every text shows whole (and the window is shown).
std::vector<std::string> CutCaptions(HWND window);

} // namespace rt::test
