// The text box over the EDIT control.
//
// MaxLength 0 (the default) sets no limit: typing and pasting take any length
// (the control's own default would cut them at 32,767 characters).
#pragma once

#include <functional>
#include <string>

#include "control.h"

namespace rt {

class TextBox : public Control {
  public:
    explicit TextBox(Container& parent);
    std::string Text() const;
    void Text(const std::string& text);
    void MaxLength(int n);
    void MultiLine(bool v) { multiLine_ = v; }
    void ScrollBars(int v) { scrollBars_ = v; } // 0 none, 1 horizontal, 2 vertical, 3 both
    void Locked(bool v);
    void Alignment(int v) { alignment_ = v; }
    // Selection positions count characters as the EDIT control does, a line
    // break as two.
    virtual int SelStart() const;
    virtual void SelStart(int v);
    virtual int SelLength() const;
    virtual void SelLength(int v);
    std::string SelText() const;
    void SelText(const std::string& text); // replaces the selection
    // Change: after every change of the text, by the user or by code (Text,
    // SelText).
    std::function<void()> Change;
    // MouseDown: a button pressed over the text, after the control has handled
    // the press.
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown;
    void Create() override;
    void OnCommand(WORD code) override;
    LRESULT OnColor(HDC dc) override;

  private:
    template <class F> void Quietly(F&& f); // the control's own notices are ignored
    std::string text_;
    int maxLength_ = 0, scrollBars_ = 0, alignment_ = vbLeftJustify;
    bool multiLine_ = false, locked_ = false;
    int settingText_ = 0; // code is setting Text: the control's own notices are ignored
};

} // namespace rt
