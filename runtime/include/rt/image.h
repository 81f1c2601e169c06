// Lightweight controls drawn by their container: images and lines.
#pragma once

#include <functional>
#include <string>

#include "control.h"
#include "picture.h"

namespace rt {

class Image : public Control {
  public:
    using Control::Control;
    // The picture shown; an image that does not stretch takes the picture's size.
    void Picture(const rt::Picture& picture);
    const rt::Picture& Picture() const { return picture_; }
    void Stretch(bool v) { stretch_ = v; }
    std::function<void()> Click;
    bool Lightweight() const override { return true; }
    void Create() override {}
    void Paint(HDC dc) override;
    bool LightweightClick() override;

  private:
    rt::Picture picture_;
    bool stretch_ = false;
};

// A line drawn by its container (twips).
class Line : public Control {
  public:
    explicit Line(Container& parent, long x1 = 0, long y1 = 0, long x2 = 0, long y2 = 0);
    long X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    long BorderColor = 0x80000008;
    int BorderWidth = 1;
    bool Lightweight() const override { return true; }
    void Create() override {}
    void Paint(HDC dc) override;
};

} // namespace rt
