// The text box over the EDIT control.
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
    int SelStart() const;
    void SelStart(int v);
    int SelLength() const;
    void SelLength(int v);
    std::function<void()> Change;
    void Create() override;
    void OnCommand(WORD code) override;
    LRESULT OnColor(HDC dc) override;

  private:
    std::string text_;
    int maxLength_ = 0, scrollBars_ = 0, alignment_ = vbLeftJustify;
    bool multiLine_ = false, locked_ = false;
    int settingText_ = 0; // code is setting Text: the control's own notices are ignored
};

} // namespace rt
