#include "modGradObj.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace decorum {

namespace {

// A colour component held as a single-precision running value, rounded half
// to even and kept within a byte before it is packed.
long Component(float value) {
    const float rounded = std::nearbyint(value);
    return static_cast<long>(std::clamp(rounded, 0.0f, 255.0f));
}

long Rgb(float r, float g, float b) {
    return Component(r) | (Component(g) << 8) | (Component(b) << 16);
}

} // namespace

void DrawGradient(rt::PictureBox& Target, long Color1, long Color2, long Direction, long Step) {
    if (Color1 == -1 || Color2 == -1) return;
    // No line position would move on: nothing to draw.
    if (Step < 1) return;
    Target.AutoRedraw(true);

    const int16_t r1 = Color1 & 0xFF, g1 = (Color1 >> 8) & 0xFF, b1 = (Color1 >> 16) & 0xFF;
    const int16_t r2 = Color2 & 0xFF, g2 = (Color2 >> 8) & 0xFF, b2 = (Color2 >> 16) & 0xFF;
    const int16_t dR = r2 - r1, dG = g2 - g1, dB = b2 - b1;
    float r = r1, g = g1, b = b1;

    const bool across = Direction == LeftToRight || Direction == RightToLeft;
    const auto step16 = static_cast<int16_t>(std::clamp<long>(Step, 1, INT16_MAX));
    const float s = static_cast<float>(step16) *
                    static_cast<float>(across ? rt::Screen::TwipsPerPixelX()
                                              : rt::Screen::TwipsPerPixelY());
    const auto loopStep = static_cast<int16_t>(std::max(1.0f, std::nearbyint(s)));
    const auto extent = static_cast<int16_t>(
        std::clamp<long>(across ? Target.Width() : Target.Height(), INT16_MIN, INT16_MAX));
    if (extent < 1) return;

    // Each line moves the colour by the difference over the number of lines;
    // a direction outside the four moves it over the extent itself.
    const bool named = Direction >= TopToBottom && Direction <= RightToLeft;
    const float parts = named ? static_cast<float>(extent) / s : static_cast<float>(extent);
    auto advance = [&] {
        r += dR / parts;
        g += dG / parts;
        b += dB / parts;
    };

    switch (Direction) {
    case BottomToTop:
        Target.Line(0, 0, Target.Width(), s, Color2);
        for (int p = extent; p >= 1; p -= loopStep) {
            advance();
            Target.Line(0, p, Target.Width(), p, Rgb(r, g, b));
        }
        break;
    case LeftToRight:
        for (int p = 1; p <= extent; p += loopStep) {
            advance();
            Target.Line(p, 0, p, Target.Height(), Rgb(r, g, b));
        }
        break;
    case RightToLeft:
        Target.Line(0, 0, s, Target.Height(), Color2);
        for (int p = extent; p >= 1; p -= loopStep) {
            advance();
            Target.Line(p, 0, p, Target.Height(), Rgb(r, g, b));
        }
        break;
    default: // top to bottom, and every other direction
        for (int p = 1; p <= extent; p += loopStep) {
            advance();
            Target.Line(0, p, Target.Width(), p, Rgb(r, g, b));
        }
        break;
    }
}

} // namespace decorum
