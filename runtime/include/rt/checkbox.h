// The check box.
#pragma once

#include <functional>
#include <string>

#include "control.h"

namespace rt {

enum CheckBoxValue : int { vbUnchecked = 0, vbChecked = 1 };

// A check box: Value 0 (clear) or 1 (ticked). Clicking it, its access key or
// the space bar flips the tick; both the user and code raise Click when Value
// changes.
//
// A Click handler that changes its own box's Value runs again inside itself.
// Such a handler begins with
//     if (chkCenter.Reentered()) return;
// so that only the outer run acts.
class CheckBox : public Control {
  public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& text);
    int Value() const;
    void Value(int v); // error 380 for anything but 0 and 1
    // True while Click runs inside a Click of the same box.
    bool Reentered() const { return clickDepth_ > 1; }
    std::function<void()> Click;
    void Create() override;
    void OnCommand(WORD code) override;

  private:
    void RaiseClick();
    std::string caption_;
    int value_ = vbUnchecked;
    int clickDepth_ = 0;
};

} // namespace rt
