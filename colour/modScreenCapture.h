// Copies of what the screen shows, as pictures a form can display.
#pragma once

#include <windows.h>

#include <rt/picture.h>

namespace huepick {

// The whole desktop as the screen shows it now. On a 256-colour display the
// picture carries the system palette. The empty picture when the copy failed.
rt::Picture CaptureDesktop();

// A window's client area (client = true) or the whole window, from the
// source's (left, top), width x height pixels; the empty picture on failure.
rt::Picture CaptureWindowArea(HWND window, bool client, long left, long top, long width,
                              long height);

// A picture object that owns the bitmap and the palette (null: none) and
// frees them when it goes. On failure both are freed here and the picture is
// empty.
rt::Picture BitmapToPicture(HBITMAP bitmap, HPALETTE palette);

} // namespace huepick
