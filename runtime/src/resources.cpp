// The program's own resources, and pictures written to files in their own
// format (bitmap, icon, cursor).
#include "rt/resources.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "rt/convert.h"
#include "rt/error.h"
#include "rt/handles.h"
#include "rt/safefile.h"

namespace rt {

namespace {

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

const wchar_t* ResourceId(long id) {
    if (id < 1 || id > 0xFFFF) Raise(errInvalidProcedureCall);
    return MAKEINTRESOURCEW(static_cast<WORD>(id));
}

[[noreturn]] void RaiseNotFound(long id) {
    Raise(errResourceNotFound, {}, "Resource with identifier '" + CStr(id) + "' not found");
}

// ---- Pictures as files

template <class T> void Append(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// A bitmap's pixels as a bottom-up device-independent bitmap of `bits` bits
// per pixel, with its header and (up to 8 bits) its colour table.
struct Dib {
    BITMAPINFOHEADER header{};
    std::vector<RGBQUAD> colours;
    std::string pixels;
};

Dib ReadDib(HBITMAP bitmap, int bits) {
    BITMAP bm{};
    if (!GetObjectW(bitmap, sizeof bm, &bm)) Raise(481); // "Invalid picture"
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = bm.bmWidth;
    info.header.biHeight = bm.bmHeight;
    info.header.biPlanes = 1;
    info.header.biBitCount = static_cast<WORD>(bits);
    info.header.biCompression = BI_RGB;
    const size_t stride = ((static_cast<size_t>(bm.bmWidth) * bits + 31) / 32) * 4;
    Dib dib;
    dib.pixels.resize(stride * static_cast<size_t>(bm.bmHeight));
    WindowDC screen(nullptr);
    if (GetDIBits(screen, bitmap, 0, static_cast<UINT>(bm.bmHeight), dib.pixels.data(),
                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != bm.bmHeight)
        Raise(481);
    dib.header = info.header;
    dib.header.biSizeImage = static_cast<DWORD>(dib.pixels.size());
    if (bits <= 8) dib.colours.assign(info.colours, info.colours + (1 << bits));
    return dib;
}

std::string BitmapFile(HBITMAP bitmap) {
    BITMAP bm{};
    if (!GetObjectW(bitmap, sizeof bm, &bm)) Raise(481);
    int bits = bm.bmBitsPixel * bm.bmPlanes;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24) bits = 32;
    const Dib dib = ReadDib(bitmap, bits);
    const DWORD offset = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof dib.header +
                                            dib.colours.size() * sizeof(RGBQUAD));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = offset;
    file.bfSize = offset + static_cast<DWORD>(dib.pixels.size());
    std::string out;
    Append(out, file);
    Append(out, dib.header);
    for (const RGBQUAD& c : dib.colours) Append(out, c);
    return out + dib.pixels;
}

// An icon or cursor as a one-image .ico / .cur file.
std::string IconFile(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) Raise(481);
    GdiObject<HBITMAP> mask(info.hbmMask), color(info.hbmColor);
    std::string image;
    LONG width = 0, height = 0;
    if (color) {
        Dib xorPart = ReadDib(color, 32);
        Dib andPart = ReadDib(mask, 1);
        width = xorPart.header.biWidth, height = xorPart.header.biHeight;
        BITMAPINFOHEADER header = xorPart.header;
        header.biHeight = height * 2; // the colour image and the mask below it
        header.biSizeImage = static_cast<DWORD>(xorPart.pixels.size() + andPart.pixels.size());
        Append(image, header);
        image += xorPart.pixels + andPart.pixels;
    } else {
        // A black-and-white one: the mask holds the AND rows above the XOR rows,
        // which bottom-up is the file's order already.
        Dib both = ReadDib(mask, 1);
        width = both.header.biWidth, height = both.header.biHeight / 2;
        Append(image, both.header);
        for (const RGBQUAD& c : both.colours) Append(image, c);
        image += both.pixels;
    }
    std::string out;
    const WORD kind = info.fIcon ? 1 : 2;
    Append(out, WORD{0});
    Append(out, kind);
    Append(out, WORD{1});
    out += static_cast<char>(width >= 256 ? 0 : width);
    out += static_cast<char>(height >= 256 ? 0 : height);
    out += '\0'; // colours: 0 for more than 256
    out += '\0';
    const WORD planesOrHotX = info.fIcon ? WORD{1} : static_cast<WORD>(info.xHotspot);
    const WORD bitsOrHotY = info.fIcon ? (color ? WORD{32} : WORD{1}) : static_cast<WORD>(info.yHotspot);
    Append(out, planesOrHotX);
    Append(out, bitsOrHotY);
    Append(out, static_cast<DWORD>(image.size()));
    Append(out, static_cast<DWORD>(out.size() + sizeof(DWORD)));
    return out + image;
}

} // namespace

Picture LoadResPicture(long id, int kind) {
    const wchar_t* name = ResourceId(id);
    static const struct {
        UINT image;
        const wchar_t* type;
    } kinds[] = {{IMAGE_BITMAP, RT_BITMAP}, {IMAGE_ICON, RT_GROUP_ICON}, {IMAGE_CURSOR, RT_GROUP_CURSOR}};
    if (kind < vbResBitmap || kind > vbResCursor) Raise(errInvalidProcedureCall);
    if (!FindResourceW(Module(), name, kinds[kind].type)) RaiseNotFound(id);
    // Bitmaps keep their own colour depth; icons and cursors their own size.
    HANDLE loaded = LoadImageW(Module(), name, kinds[kind].image, 0, 0,
                               kind == vbResBitmap ? LR_CREATEDIBSECTION : 0);
    if (!loaded) Raise(481);
    return kind == vbResBitmap ? Picture::FromBitmap(static_cast<HBITMAP>(loaded))
                               : Picture::FromIcon(static_cast<HICON>(loaded));
}

std::string LoadResString(long id) {
    const wchar_t* text = nullptr;
    ResourceId(id); // in range
    const int length = LoadStringW(Module(), static_cast<UINT>(id), reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || !text) RaiseNotFound(id);
    return Utf8(std::wstring_view(text, static_cast<size_t>(length)));
}

std::string LoadResData(long id, const std::string& type) {
    const wchar_t* name = ResourceId(id);
    const std::wstring kind = Wide(type);
    HRSRC found = FindResourceW(Module(), name, kind.c_str());
    if (!found) RaiseNotFound(id);
    HGLOBAL data = LoadResource(Module(), found);
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes) Raise(errOutOfMemory);
    return std::string(static_cast<const char*>(bytes), SizeofResource(Module(), found));
}

void SavePicture(const Picture& picture, const std::string& path) {
    if (!picture) Raise(errInvalidPropertyValue);
    ReplaceFileBytes(path, picture.Bitmap() ? BitmapFile(picture.Bitmap()) : IconFile(picture.Icon()));
}

} // namespace rt
