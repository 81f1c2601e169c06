// The option button: one of a group, the option buttons of one container.
#pragma once

#include <functional>
#include <string>

#include "control.h"

namespace rt {

// Selecting an option button, by a click, the arrow keys or Value = true in
// code, clears the other option buttons of its container and raises Click.
// Value = false clears it without an event; selecting the selected one again
// raises nothing.
class OptionButton : public Control {
  public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& text);
    bool Value() const { return value_; }
    void Value(bool v);
    std::function<void()> Click;
    void Create() override;
    void OnCommand(WORD code) override;

  private:
    void Show(bool selected); // the check mark and the tab stop
    std::string caption_;
    bool value_ = false;
};

} // namespace rt
