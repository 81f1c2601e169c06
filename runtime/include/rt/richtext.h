// The rich-text box over the RichEdit control.
#pragma once

#include <functional>
#include <string>

#include "control.h"

namespace rt {

// The rich-text box over the RichEdit control.
class RichTextBox : public Control {
  public:
    explicit RichTextBox(Container& parent);
    void TextRTF(const std::string& rtf);
    std::string TextRTF() const;
    std::string Text() const;
    void Text(const std::string& text);
    void Locked(bool v);
    void ScrollBars(int v) { scrollBars_ = v; }
    int SelStart() const;
    void SelStart(int v);
    void Create() override;

  private:
    std::string rtf_, text_;
    bool locked_ = false, haveRtf_ = false;
    int scrollBars_ = 3;
};

} // namespace rt
