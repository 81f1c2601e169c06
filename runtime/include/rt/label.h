// The label: a caption, optionally sized to its text or transparent.
#pragma once

#include <functional>
#include <string>

#include "control.h"

namespace rt {

class Label : public Control {
  public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& text);
    void AutoSize(bool v);
    void WordWrap(bool v) { wordWrap_ = v; }
    void Alignment(int v) { alignment_ = v; }
    // 0 transparent: the text stands on what lies under the label (its
    // container's drawing and lightweight controls, and the controls below it
    // in the z-order); 1 opaque, in the back colour.
    void BackStyle(int v) { transparent_ = v == 0; }
    void BorderStyle(int v) { border_ = v == 1; } // 0 none, 1 fixed single (sunken)
    std::function<void()> Click;
    void Create() override;
    void OnCommand(WORD code) override;
    LRESULT OnColor(HDC dc) override;

  protected:
    void AfterMove() override;

  private:
    void Fit();
    std::string caption_;
    bool autoSize_ = false, wordWrap_ = false, transparent_ = false, border_ = false;
    int alignment_ = vbLeftJustify;
};

} // namespace rt
