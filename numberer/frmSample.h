// A short Basic procedure with numbered lines whose error handler reports the
// failing line: what the numbering is for, with the box it would show.
#pragma once

#include <string>

#include <rt.h>

namespace tallyman {

// The sample procedure, lines joined by CR LF.
const std::string& SampleCode();

class frmSample : public rt::Form, public rt::FormOf<frmSample> {
  public:
    frmSample();

    rt::TextBox txtDisplay{*this};

    rt::MenuItem mnuFile{" &File"};
    rt::MenuItem mnuFileExit{"E&xit"};
    rt::MenuItem mnuEdit{" &Edit"};
    rt::MenuItem mnuEditCopy{"&Copy To Clipboard"};
    rt::MenuItem mnuSample{" &Sample"};
    rt::MenuItem mnuSampleViewError{"&View Error Message"};

    void mnuFileExit_Click();
    void mnuEditCopy_Click();
    void mnuSampleViewError_Click();

  protected:
    void Form_Load() override;
};

} // namespace tallyman
