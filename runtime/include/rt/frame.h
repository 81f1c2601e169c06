// The frame: a captioned border that holds controls of its own.
#pragma once

#include <functional>
#include <string>

#include "control.h"

namespace rt {

class Frame : public Control, public Container {
  public:
    using Control::Control;
    void Caption(const std::string& text);
    const std::string& Caption() const { return caption_; }
    HWND ContainerHwnd() const override { return hwnd_; }
    Form& OwnerForm() override { return parent_.OwnerForm(); }
    const rt::Font& AmbientFont() const override { return Font(); }
    long AmbientBackColor() const override { return backColor_; }
    void Create() override;
    void Destroy() override;

  private:
    std::string caption_;
};

} // namespace rt
