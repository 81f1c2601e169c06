// The numbering settings: increment, blanks after each number and the smart
// choice; OK starts the numbering of the editor's lines.
#pragma once

#include <rt.h>

namespace tallyman {

class frmSettings : public rt::Form, public rt::FormOf<frmSettings> {
  public:
    frmSettings();

    rt::Label Label1{*this};
    rt::TextBox txtIncrement{*this};
    rt::Label Label3{*this};
    rt::TextBox txtSpaces{*this};
    rt::CheckBox chkSmartNumber{*this};
    rt::Label Label2{*this};
    rt::Line Line1{*this, 60, 2430, 2490, 2430};
    rt::Line Line2{*this, 60, 2445, 2490, 2445};
    rt::CommandButton cmdOK{*this};
    rt::CommandButton cmdCancel{*this};

    void txtIncrement_Change();
    void txtSpaces_Change();
    void cmdOK_Click();
    void cmdCancel_Click();

  protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

  private:
    void NumericOnly(rt::TextBox& field);
    bool m_OK = false; // closing by OK
    bool m_Emptying = false; // a field refused is being emptied
};

} // namespace tallyman
