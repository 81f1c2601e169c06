// Small helpers the main window uses while it reads and changes the desktop:
// one registry text value, the Windows folder, a bitmap's size and depth, and a
// colour value (which may name a system colour) as plain RGB.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace decorum {

// Writes Value as a text value ValueName under RootKey\SubKey, creating the key
// (and any missing parents) first. Failures go unreported.
void SetRegistryString(HKEY RootKey, const std::string& SubKey, const std::string& ValueName,
                       const std::string& Value);

// The Windows folder without a trailing separator; "" when the system will not say.
std::string GetWindowsFolder();

// Size and colour depth of a bitmap, and what it would take as 24-bit pixels
// with rows padded to four bytes. False (outputs 0) for no or an invalid bitmap.
bool GetBitmapInfo(HBITMAP hBitmap, long& Height, long& Width, int16_t& BitsPerPixel,
                   double& ImageBytes);

// A colour value 0x00BBGGRR, or 0x800000nn for system colour nn, as plain RGB;
// -1 when it cannot be translated.
long TranslateColor(long Color, HPALETTE hPalette = nullptr);

} // namespace decorum
