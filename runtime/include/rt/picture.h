// A picture as a value: a bitmap, an icon or a cursor that several controls
// and forms can show at once. Copies share the one handle, which is released
// when the last copy goes; a picture made from a shared system handle (an
// icon from LoadIcon, say) is never released by the program.
#pragma once

#include <windows.h>

#include <memory>

struct IPicture;

namespace rt {

enum PictureType : int { vbPicTypeNone = 0, vbPicTypeBitmap = 1, vbPicTypeIcon = 3 };

class Picture {
  public:
    Picture() = default; // the empty picture
    // Takes ownership of a bitmap the program created.
    static Picture FromBitmap(HBITMAP bitmap);
    // Takes ownership of an icon or cursor the program created (CreateIcon,
    // LoadImage without LR_SHARED, CopyIcon); it is destroyed with the last copy.
    static Picture FromIcon(HICON icon);
    // Wraps a shared icon or cursor (LoadIcon, LoadCursor, LR_SHARED): shown,
    // never destroyed.
    static Picture SharedIcon(HICON icon);
    // Takes a picture object of the system's picture factory
    // (OleCreatePictureIndirect) with its one reference: the object owns its
    // bitmap and palette and frees them when the last copy releases it.
    static Picture FromObject(IPicture* object);

    int Type() const;
    HBITMAP Bitmap() const; // null unless a bitmap
    HICON Icon() const;     // null unless an icon or cursor
    // The palette a bitmap's colours are given in on a 256-colour display
    // (null when it has none); the picture is drawn through it.
    HPALETTE Palette() const;
    // The picture's size in pixels (0 x 0 for the empty picture).
    SIZE Pixels() const;
    // Draws the picture with its top-left corner at (x, y): at its own size, or
    // stretched to width x height when both are given.
    void Draw(HDC dc, int x, int y, int width = 0, int height = 0) const;
    explicit operator bool() const { return static_cast<bool>(held_); }
    bool operator==(const Picture& other) const { return held_ == other.held_; }

  private:
    struct Held;
    explicit Picture(std::shared_ptr<Held> held) : held_(std::move(held)) {}
    std::shared_ptr<Held> held_;
};

} // namespace rt
