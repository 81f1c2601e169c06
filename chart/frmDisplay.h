// The conversion window: a typed text as a listing of its character codes, or a
// typed number in hexadecimal or octal.
#pragma once

#include <cstdint>
#include <string>

#include <rt.h>

namespace glyphdeck {

class frmDisplay : public rt::Form, public rt::FormOf<frmDisplay> {
  public:
    frmDisplay();

    rt::TextBox txtDisplay{*this};

    // Fills the box and sets the caption; exactly one flag is true. On Cancel at
    // its question the window closes itself.
    void SetDisplayText(const std::string& ConvertText, int16_t Increment, bool ASCII_Conv = false,
                        bool HEX_Conv = false, bool OCT_Conv = false);

  protected:
    void Form_Resize() override;
};

} // namespace glyphdeck
