// A font as Win32 describes it for a device: the point size turned into the
// device's pixel height, the effects, the face name.
#pragma once

#include <windows.h>

#include <cmath>
#include <string>

#include "rt/convert.h"
#include "rt/font.h"

namespace rt::detail {

inline LOGFONTW LogFontFor(const Font& font, HDC device) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(static_cast<int>(std::lround(font.Size * 10)),
                          GetDeviceCaps(device, LOGPIXELSY), 720);
    lf.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = font.Italic;
    lf.lfUnderline = font.Underline;
    lf.lfStrikeOut = font.Strikethru;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::wstring face = Wide(font.Name);
    lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
    return lf;
}

} // namespace rt::detail
