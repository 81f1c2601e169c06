// The character-info window: one chart value in the chart's font, with how to
// copy it or type it with the Alt key.
#pragma once

#include <rt.h>

namespace glyphdeck {

// Height in twips of one line of text in a font on the screen.
long LineHeightTwips(const rt::Font& font);

class frmText : public rt::Form, public rt::FormOf<frmText> {
  public:
    frmText();

    rt::TextBox txtText{*this};
    rt::Label lblReg{*this};
    rt::Label Label2{*this};
    rt::Label Label3{*this};
    rt::CommandButton cmdOK{*this};
    rt::Line Line1{*this, 0, 1275, 2445, 1275};
    rt::Line Line2{*this, 0, 2940, 2445, 2940};
    rt::Line Line3{*this, 0, 1890, 2445, 1890};
    rt::Line Line4{*this, 0, 2310, 2445, 2310};

    void cmdOK_Click();

  protected:
    void Form_Load() override;
    void Form_Activate() override;
};

} // namespace glyphdeck
