// The combo box: a drop-down combo the user can type into, or a drop-down
// list that only chooses.
#pragma once

#include <functional>
#include <string>

#include "listcontrol.h"

namespace rt {

enum ComboStyleValue : int { vbComboDropdown = 0, vbComboDropdownList = 2 };

class ComboBox : public ListControl {
  public:
    explicit ComboBox(Container& parent);
    int Style() const { return style_; }
    void Style(int v); // before the window exists: vbComboDropdown or vbComboDropdownList
    // The text shown: what was typed or chosen. Setting it on a drop-down
    // combo raises Change; on a drop-down list it chooses the entry of that
    // text (error 383 when there is none).
    std::string Text() const;
    void Text(const std::string& text);
    int ListIndex() const; // -1 when no entry is chosen
    void ListIndex(int index);

    std::function<void()> Change; // the text typed, or set by code (drop-down combo)
    std::function<void()> Click;  // an entry chosen; Text is already its text

    void Create() override;
    void OnCommand(WORD code) override;

  protected:
    void AfterMove() override;
    DWORD extraStyle_ = 0;

  private:
    int style_ = vbComboDropdown;
    std::string text_;
    int index_ = -1;      // chosen before the window exists
    int settingText_ = 0; // the text is being set here: the control's own notices are ignored
};

} // namespace rt
