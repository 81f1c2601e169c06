// Tunebox's main window.
#pragma once

#include <memory>

#include <rt.h>

#include "cMCI_Adv.h"

namespace tunebox {

// The program's title, version and About box texts.
void SetIdentity();

class frmMain : public rt::Form, public rt::FormOf<frmMain> {
  public:
    frmMain();

    rt::Label Label3{*this};

    std::shared_ptr<cMCI_Adv> MCIObject;

  protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;
};

} // namespace tunebox
