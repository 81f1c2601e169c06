// Pictures as shared values: one handle, released once by its last holder.
#include "rt/picture.h"

#include <olectl.h>

#include "rt/handles.h"

namespace rt {

struct Picture::Held {
    HBITMAP bitmap = nullptr;
    HICON icon = nullptr;
    HPALETTE palette = nullptr;
    IPicture* object = nullptr; // owns the handles when there is one
    bool owned = true;
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (object) {
            object->Release();
            // Not every factory frees the palette with the bitmap.
            if (palette && GetObjectType(palette) == OBJ_PAL) DeleteObject(palette);
        }
        if (!owned) return;
        if (bitmap) DeleteObject(bitmap);
        if (icon) DestroyIcon(icon);
    }
};

Picture Picture::FromBitmap(HBITMAP bitmap) {
    if (!bitmap) return {};
    auto held = std::make_shared<Held>();
    held->bitmap = bitmap;
    return Picture(std::move(held));
}

Picture Picture::FromIcon(HICON icon) {
    if (!icon) return {};
    auto held = std::make_shared<Held>();
    held->icon = icon;
    return Picture(std::move(held));
}

Picture Picture::SharedIcon(HICON icon) {
    if (!icon) return {};
    auto held = std::make_shared<Held>();
    held->icon = icon;
    held->owned = false;
    return Picture(std::move(held));
}

Picture Picture::FromObject(IPicture* object) {
    if (!object) return {};
    auto held = std::make_shared<Held>();
    held->object = object;
    held->owned = false;
    short type = PICTYPE_NONE;
    object->get_Type(&type);
    OLE_HANDLE handle = 0, palette = 0;
    object->get_Handle(&handle);
    if (type == PICTYPE_BITMAP) {
        object->get_hPal(&palette);
        held->bitmap = reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle));
        held->palette = reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(palette));
    } else if (type == PICTYPE_ICON) {
        held->icon = reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle));
    }
    if (!held->bitmap && !held->icon) return {};
    return Picture(std::move(held));
}

int Picture::Type() const {
    if (!held_) return vbPicTypeNone;
    return held_->bitmap ? vbPicTypeBitmap : vbPicTypeIcon;
}

HBITMAP Picture::Bitmap() const { return held_ ? held_->bitmap : nullptr; }
HICON Picture::Icon() const { return held_ ? held_->icon : nullptr; }
HPALETTE Picture::Palette() const { return held_ ? held_->palette : nullptr; }

SIZE Picture::Pixels() const {
    SIZE size{0, 0};
    if (!held_) return size;
    if (held_->bitmap) {
        BITMAP bm{};
        if (GetObjectW(held_->bitmap, sizeof bm, &bm)) size = {bm.bmWidth, bm.bmHeight};
        return size;
    }
    ICONINFO info{};
    if (!GetIconInfo(held_->icon, &info)) return size;
    BITMAP bm{};
    HBITMAP mask = info.hbmMask;
    if (GetObjectW(info.hbmColor ? info.hbmColor : mask, sizeof bm, &bm)) {
        size = {bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2};
    }
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (mask) DeleteObject(mask);
    return size;
}

void Picture::Draw(HDC dc, int x, int y, int width, int height) const {
    if (!held_) return;
    bool stretch = width > 0 && height > 0;
    if (held_->icon) {
        DrawIconEx(dc, x, y, held_->icon, stretch ? width : 0, stretch ? height : 0, 0, nullptr,
                   DI_NORMAL);
        return;
    }
    SIZE size = Pixels();
    MemoryDC mem;
    Selected sel(mem, held_->bitmap);
    // A bitmap with a palette is drawn through it, in the background, so that
    // a 256-colour display shows its colours without taking over the system's.
    HPALETTE before = nullptr, memBefore = nullptr;
    if (held_->palette) {
        before = SelectPalette(dc, held_->palette, TRUE);
        RealizePalette(dc);
        memBefore = SelectPalette(mem, held_->palette, TRUE);
    }
    if (stretch) {
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, x, y, width, height, mem, 0, 0, size.cx, size.cy, SRCCOPY);
    } else {
        BitBlt(dc, x, y, size.cx, size.cy, mem, 0, 0, SRCCOPY);
    }
    if (held_->palette) {
        SelectPalette(mem, memBefore, TRUE);
        SelectPalette(dc, before, TRUE);
    }
}

} // namespace rt
