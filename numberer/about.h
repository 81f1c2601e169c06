// Tallyman's About box: the program's name, version and supported systems,
// what it is for, its icon and the web and mail links, closed with OK; on top
// of other windows while it is open.
#pragma once

#include <rt.h>

namespace tallyman {

class frmAbout : public rt::Form, public rt::FormOf<frmAbout> {
  public:
    frmAbout();

    rt::Frame Frame1{*this};
    rt::Label Label4{Frame1};     // program name
    rt::Label lblVersion{Frame1}; // version caption
    rt::Label lblOS{Frame1};      // supported systems
    rt::PictureBox Picture1{*this}; // the program's icon
    rt::PictureBox Picture2{*this}; // second web link
    rt::Label Label10{*this};     // description
    rt::Label Label8{*this};      // heading of the links
    rt::Label Label1{*this};      // web link
    rt::Label Label2{*this};      // mail link
    rt::Line Line7{*this, 105, 2955, 4740, 2955};
    rt::CommandButton cmdOK{*this};

    void cmdOK_Click();
    void Label1_Click();
    void Label2_Click();
    void Picture2_Click();

  protected:
    void Form_Load() override;
};

} // namespace tallyman
