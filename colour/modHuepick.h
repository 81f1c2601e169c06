// What Huepick's two windows share: the chosen pointer, the last point and its
// colour, how a colour is shown, and reading colours from a captured screen.
#pragma once

#include <windows.h>

#include <string>

#include <rt/picture.h>

namespace huepick {

extern int SelectedCursor; // index 0 to 4 of the chosen pointer picture
extern long SelectedColor; // the colour last read under the pointer, 0x00BBGGRR
extern long PointX;        // the pointer's last position in screen pixels
extern long PointY;
extern bool PickMade;      // the capture window closed with a click on a captured screen

// The red, green and blue parts of a colour value 0x00BBGGRR.
struct Channels {
    int Red, Green, Blue;
};
Channels ColorChannels(long color);
// Six hexadecimal digits: red, green, blue, two upper-case digits each.
std::string HexText(long color);

// The colour of a picture's pixel (through its palette when it has one);
// CLR_INVALID outside the picture.
COLORREF PictureColor(const rt::Picture& picture, long x, long y);

// After one of our windows was hidden from `area` (screen pixels): waits, at
// most about a second, until the windows it covered have painted themselves
// again, so that a copy of the screen shows them and not what was there before.
void WaitForScreen(const RECT& area);

} // namespace huepick
