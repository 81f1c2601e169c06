// The shape: a rectangle drawn by its container, under the container's
// windowed controls.
#pragma once

#include "control.h"

namespace rt {

enum FillStyleValue : int { vbFSSolid = 0, vbFSTransparent = 1 };

// Its border (BorderWidth pixels wide, inside the bounds) in BorderColor, its
// inside filled with FillColor when FillStyle is solid. Clicks pass through it
// to the container. Design properties: set them before the form loads, or
// call Refresh after.
class Shape : public Control {
  public:
    using Control::Control;
    long BorderColor = 0x80000008; // window text
    int BorderWidth = 1;           // 0: no border
    long FillColor = 0;
    int FillStyle = vbFSTransparent;
    bool Lightweight() const override { return true; }
    void Create() override {}
    void Paint(HDC dc) override;
};

} // namespace rt
