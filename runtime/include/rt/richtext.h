// The rich-text box over the RichEdit control.
#pragma once

#include <functional>
#include <string>

#include "control.h"

namespace rt {

// The rich-text box over the RichEdit control. Text holds no length limit of
// its own: typing, pasting and code take any length.
//
// Text reads with CR LF line breaks. Selection positions (SelStart,
// SelLength) count characters as the control does, a line break as one.
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
    void SelStart(int v); // puts the caret there; nothing stays selected
    int SelLength() const;
    void SelLength(int v); // selects from SelStart on
    std::string SelText() const;
    void SelText(const std::string& text); // replaces the selection (undoable)
    void BackColor(long color);
    using Control::BackColor;

    // Change: after every change of the text, typed or pasted by the user or
    // made by code (Text, TextRTF, SelText).
    std::function<void()> Change;
    // MouseDown: a button pressed over the text, after the control has moved
    // its caret for it.
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown;

    void Create() override;
    void OnCommand(WORD code) override;
    void SysColorsChanged() override;

  protected:
    void ApplyFont() override;

  private:
    template <class F> void Quietly(F&& f); // the control's own notices are ignored
    void Changed();
    void ApplyBackColor();
    std::string rtf_, text_;
    bool locked_ = false, haveRtf_ = false;
    int scrollBars_ = 3;
    int quiet_ = 0;
};

} // namespace rt
