// Huepick's main window: the pointer to pick with, the pick, and the point
// and colour it found.
#pragma once

#include <array>

#include <rt.h>

namespace huepick {

class frmMain : public rt::Form, public rt::FormOf<frmMain> {
  public:
    frmMain();

    rt::Label Label9{*this};
    std::array<rt::PictureBox, 5> picCursor{rt::PictureBox(*this), rt::PictureBox(*this),
                                            rt::PictureBox(*this), rt::PictureBox(*this),
                                            rt::PictureBox(*this)};
    rt::Label lblSelectedCursor{*this};
    rt::Label Label7{*this};
    rt::TextBox txtX{*this};
    rt::Label Label8{*this};
    rt::TextBox txtY{*this};
    rt::Label Label10{*this};
    rt::TextBox txtHEX{*this};
    rt::Label Label2{*this};
    rt::Label Label3{*this};
    rt::TextBox RGB_R{*this};
    rt::Label Label4{*this};
    rt::TextBox RGB_G{*this};
    rt::Label Label5{*this};
    rt::TextBox RGB_B{*this};
    rt::Label Label6{*this};
    rt::TextBox txtColorValue{*this};
    rt::PictureBox picColors{*this};
    rt::PictureBox Picture1{*this};
    rt::Label Label1{*this};
    rt::PictureBox picCurrentColor{*this};
    rt::CommandButton cmdHuepick{*this};
    rt::CommandButton cmdAbout{*this};
    rt::CommandButton cmdExit{*this};
    rt::CheckBox chkHide{*this};

    void picCursor_Click(int Index);
    void cmdHuepick_Click();
    void cmdAbout_Click();
    void cmdExit_Click();

  protected:
    void Form_Load() override;
};

} // namespace huepick
