#include "fixture.h"

namespace tallyman::test {

Captions::Captions(HWND window) {
    window_ = window;
    current_ = this;
    hook_ = SetWindowsHookExW(WH_CALLWNDPROC, &Record, nullptr, GetCurrentThreadId());
}

Captions::~Captions() {
    UnhookWindowsHookEx(hook_);
    current_ = nullptr;
}

LRESULT CALLBACK Captions::Record(int code, WPARAM wp, LPARAM lp) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && current_ && call->message == WM_SETTEXT && call->hwnd == window_)
        current_->Seen.push_back(rt::Utf8(reinterpret_cast<const wchar_t*>(call->lParam)));
    return CallNextHookEx(nullptr, code, wp, lp);
}

std::string BasicLines(int lines) {
    static const char* const kinds[] = {"Private Sub Work()", "    Dim n As Long",
                                        "    n = n + 1", "    Debug.Print n", "End Sub"};
    std::string text;
    for (int i = 0; i < lines; ++i) {
        if (i) text += "\r\n";
        text += kinds[i % 5];
    }
    return text;
}

} // namespace tallyman::test
