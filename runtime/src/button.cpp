// The command button over the BUTTON control.
#include <windows.h>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

// ---------------------------------------------------------------------------
// CommandButton

void CommandButton::Caption(const std::string& text) {
    caption_ = text;
    if (hwnd_) SetWindowTextW(hwnd_, Wide(text).c_str());
}

void CommandButton::Press() {
    if (Click) Click();
}

void CommandButton::Create() {
    CreateWindowFor(L"BUTTON", WS_TABSTOP | (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0,
                    Wide(caption_));
}

void CommandButton::OnCommand(WORD code) {
    if (code == BN_CLICKED) Press();
}

} // namespace rt
