// Gradient fill of a picture box: lines one step apart, each a little nearer
// the end colour than the last, drawn into its persistent image.
#pragma once

#include <rt.h>

namespace decorum {

enum GradientDirection : long {
    TopToBottom = 0, BottomToTop = 1, LeftToRight = 2, RightToLeft = 3
};

// Fills Target from Color1 to Color2 (0x00BBGGRR) in Direction, with Step
// pixels between lines. Draws nothing when a colour is -1 (not translatable)
// or Step is below 1.
void DrawGradient(rt::PictureBox& Target, long Color1, long Color2, long Direction, long Step);

} // namespace decorum
