// The message window: one error's message, closed with OK.
#pragma once

#include <rt.h>

namespace faultbook {

class frmText : public rt::Form, public rt::FormOf<frmText> {
  public:
    frmText();

    rt::TextBox txtText{*this};
    rt::CommandButton cmdOK{*this};

    void cmdOK_Click();

    // The window keeps this outer height; only its width follows the user.
    static constexpr long kHeight = 1395;

  protected:
    void Form_Resize() override;
};

} // namespace faultbook
