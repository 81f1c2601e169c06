// The rich-text document viewers: a stored document in a box that fills the
// window, with OK centred below it.
#pragma once

#include <string>

#include <rt.h>

namespace kit {

// One member of the viewer family: caption, design sizes, resize margins, document.
struct ViewerInfo {
    std::string Caption;
    long InnerWidth, InnerHeight;              // form's inner size at design
    long TextLeft, TextTop, TextWidth, TextHeight; // RText at design
    long H, W, G;                              // resize margins
    const char* Document;                      // rich text
};

class DocumentViewer : public rt::Form {
  public:
    explicit DocumentViewer(const ViewerInfo& info);

    rt::RichTextBox RText{*this};
    rt::CommandButton cmdOK{*this};

    void cmdOK_Click();

  protected:
    void Form_Resize() override;

  private:
    const ViewerInfo info_; // a copy: the caller's info need not outlive the form
};

// A program's viewer: class frmHelp : public kit::Viewer<frmHelp> with its info.
template <class Self> class Viewer : public DocumentViewer, public rt::FormOf<Self> {
  public:
    explicit Viewer(const ViewerInfo& info) : DocumentViewer(info) {}
};

} // namespace kit
