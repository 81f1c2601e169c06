#include "modDecorum.h"

#include <olectl.h>

#include <limits>

#include <rt.h>
#include <rt/handles.h>

namespace decorum {

void SetRegistryString(HKEY RootKey, const std::string& SubKey, const std::string& ValueName,
                       const std::string& Value) {
    const std::string subKey = rt::ToAnsi(SubKey), name = rt::ToAnsi(ValueName);
    const std::string value = rt::ToAnsi(Value);
    rt::RegKey key;
    RegCreateKeyA(RootKey, subKey.c_str(), &key.Handle());
    // The length the call wants is the value's size in bytes as it is stored,
    // in the system's code page.
    RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.data()),
                   static_cast<DWORD>(value.size()));
}

std::string GetWindowsFolder() {
    char buffer[MAX_PATH + 1] = {};
    if (GetWindowsDirectoryA(buffer, MAX_PATH) == 0) return {};
    return rt::FromAnsi(buffer);
}

bool GetBitmapInfo(HBITMAP hBitmap, long& Height, long& Width, int16_t& BitsPerPixel,
                   double& ImageBytes) {
    Height = Width = 0;
    BitsPerPixel = 0;
    ImageBytes = 0;
    if (!hBitmap) return false;
    BITMAP bm{};
    if (GetObjectA(hBitmap, sizeof bm, &bm) == 0) return false;
    BitsPerPixel = static_cast<int16_t>(bm.bmBitsPixel);
    Height = bm.bmHeight;
    Width = bm.bmWidth;
    // Rows of 24-bit pixels padded to four bytes; nothing when the size
    // overflows a 32-bit whole number.
    const int64_t row = (static_cast<int64_t>(bm.bmWidth) * 3 + 3) & ~int64_t{3};
    const int64_t bytes = row * bm.bmHeight;
    if (row <= std::numeric_limits<int32_t>::max() && bytes <= std::numeric_limits<int32_t>::max())
        ImageBytes = static_cast<double>(bytes);
    return true;
}

long TranslateColor(long Color, HPALETTE hPalette) {
    COLORREF result = 0;
    if (OleTranslateColor(static_cast<OLE_COLOR>(Color), hPalette, &result) != S_OK) return -1;
    return static_cast<long>(result);
}

} // namespace decorum
