// The capture window: a frozen copy of the screen over the whole screen, a
// swatch beside the pointer with the colour under its hot spot, and a click
// that takes the point and its colour.
#pragma once

#include <rt.h>

namespace huepick {

class frmScreen : public rt::Form, public rt::FormOf<frmScreen> {
  public:
    frmScreen();

    rt::Label lblColor{*this};
    POINT CursorPoint{};

  protected:
    void Form_Load() override;
    void Form_MouseMove(int Button, int Shift, float X, float Y) override;
    void Form_Click() override;

  private:
    // The pointer's position, and the colour of the captured screen there
    // unless it lies outside the capture (the last valid colour stays).
    void ReadPointer();
};

} // namespace huepick
