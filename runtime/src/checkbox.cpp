// The check box over the BUTTON control.
#include <windows.h>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

void CheckBox::Caption(const std::string& text) {
    caption_ = text;
    if (hwnd_) SetWindowTextW(hwnd_, Wide(text).c_str());
}

int CheckBox::Value() const {
    if (hwnd_) return SendMessageW(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED ? vbChecked : vbUnchecked;
    return value_;
}

void CheckBox::Value(int v) {
    if (v != vbUnchecked && v != vbChecked) Raise(errInvalidPropertyValue);
    if (v == Value()) return;
    value_ = v;
    if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, v == vbChecked ? BST_CHECKED : BST_UNCHECKED, 0);
    RaiseClick();
}

void CheckBox::RaiseClick() {
    if (!Click) return;
    ++clickDepth_;
    struct Leave {
        int& depth;
        ~Leave() { --depth; }
    } leave{clickDepth_};
    Click();
}

void CheckBox::Create() {
    CreateWindowFor(L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, Wide(caption_));
    if (hwnd_) SendMessageW(hwnd_, BM_SETCHECK, value_ == vbChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CheckBox::OnCommand(WORD code) {
    if (code != BN_CLICKED) return;
    value_ = Value(); // the box has flipped its own tick
    RaiseClick();
}

} // namespace rt
