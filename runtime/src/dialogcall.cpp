#include "rt/dialogcall.h"

#include <commdlg.h>

namespace rt {

DialogCall::DialogCall() : before_(CommDlgExtendedError()) {
    shown_ = false;
    hook_ = SetWindowsHookExW(WH_CBT, &DialogCall::Watch, nullptr, GetCurrentThreadId());
}

DialogCall::~DialogCall() {
    if (hook_) UnhookWindowsHookEx(hook_);
}

DWORD DialogCall::Failure() const {
    const DWORD code = CommDlgExtendedError();
    // A code left from before counts only when no dialog came up this time.
    if (code == before_ && shown_) return 0;
    return code;
}

LRESULT CALLBACK DialogCall::Watch(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND) {
        wchar_t cls[16] = {};
        GetClassNameW(reinterpret_cast<HWND>(wp), cls, 16);
        if (lstrcmpW(cls, L"#32770") == 0) shown_ = true;
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

} // namespace rt
