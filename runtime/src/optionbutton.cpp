// The option button over the BUTTON control. The runtime sets the check marks
// itself: the control's own grouping would reach into frames.
#include <windows.h>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

void OptionButton::Caption(const std::string& text) {
    caption_ = text;
    if (hwnd_) SetWindowTextW(hwnd_, Wide(text).c_str());
}

void OptionButton::Show(bool selected) {
    value_ = selected;
    if (!hwnd_) return;
    SendMessageW(hwnd_, BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
    // Tab reaches the group at its selected option, as in a dialog box.
    LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
    LONG_PTR want = selected && tabStop_ ? style | WS_TABSTOP
                                         : style & ~static_cast<LONG_PTR>(WS_TABSTOP);
    if (want != style) SetWindowLongPtrW(hwnd_, GWL_STYLE, want);
}

void OptionButton::Value(bool v) {
    if (v == value_) return;
    if (!v) {
        Show(false);
        return;
    }
    for (Control* c : parent_.Controls())
        if (auto* other = dynamic_cast<OptionButton*>(c); other && other != this) other->Show(false);
    Show(true);
    if (Click) Click();
}

void OptionButton::Create() {
    CreateWindowFor(L"BUTTON", (value_ ? WS_TABSTOP : 0) | BS_RADIOBUTTON | BS_NOTIFY, 0, Wide(caption_));
    if (hwnd_ && value_) SendMessageW(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
}

// Whether an arrow key is down: the focus is moving through the group.
static bool ArrowKeyDown() {
    for (int vk : {VK_LEFT, VK_UP, VK_RIGHT, VK_DOWN})
        if (GetKeyState(vk) < 0) return true;
    return false;
}

void OptionButton::OnCommand(WORD code) {
    // An option reached with the arrow keys is selected; one that gets the
    // focus otherwise (Tab, code, its form coming back to the front) is not.
    if (code == BN_CLICKED || (code == BN_SETFOCUS && ArrowKeyDown())) Value(true);
}

} // namespace rt
