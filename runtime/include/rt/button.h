// The command button.
#pragma once

#include <functional>
#include <string>

#include "control.h"

namespace rt {

class CommandButton : public Control {
  public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& text);
    bool Default() const { return default_; }
    void Default(bool v) { default_ = v; }
    bool Cancel() const { return cancel_; }
    void Cancel(bool v) { cancel_ = v; }
    void Press(); // as a click by the user (Value = True)
    std::function<void()> Click;
    void Create() override;
    void OnCommand(WORD code) override;

  private:
    std::string caption_;
    bool default_ = false, cancel_ = false;
};

} // namespace rt
