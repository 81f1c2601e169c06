// The command button: standard, or graphical with its own back colour and picture.
#pragma once

#include <functional>
#include <string>

#include "control.h"
#include "picture.h"

namespace rt {

enum ButtonStyleValue : int { vbButtonStandard = 0, vbButtonGraphical = 1 };

class CommandButton : public Control {
  public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& text);
    bool Default() const { return default_; }
    void Default(bool v) { default_ = v; }
    bool Cancel() const { return cancel_; }
    void Cancel(bool v) { cancel_ = v; }
    // Graphical (1): drawn in BackColor with Picture above the caption, keeping
    // the focus and default-button frames. Standard (0) ignores both.
    int Style() const { return style_; }
    void Style(int v); // error 380 for any other value
    void Picture(const rt::Picture& picture);
    const rt::Picture& Picture() const { return picture_; }
    void Press(); // as a click by the user (Value = True)
    std::function<void()> Click;
    void Create() override;
    void OnCommand(WORD code) override;
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    void Draw(const DRAWITEMSTRUCT& item);
    bool Framed(bool focused) const;
    std::string caption_;
    bool default_ = false, cancel_ = false;
    int style_ = vbButtonStandard;
    rt::Picture picture_;
};

} // namespace rt
