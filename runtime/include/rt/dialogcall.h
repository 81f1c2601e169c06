// Watches one call of a common dialog function (ChooseColor, GetOpenFileName,
// PrintDlg, ...) to tell the failure that call produced from a Cancel:
// comdlg32 may leave an earlier failure's extended error in place after a
// dialog that was cancelled or even succeeded.
#pragma once

#include <windows.h>

namespace rt {

class DialogCall {
  public:
    DialogCall();  // just before the call
    ~DialogCall();
    DialogCall(const DialogCall&) = delete;
    DialogCall& operator=(const DialogCall&) = delete;

    // After the call returned FALSE: the extended error it produced, 0 for a
    // Cancel (or for a failure that left no code).
    DWORD Failure() const;
    // Whether a dialog box came up during the call.
    bool Shown() const { return shown_; }

  private:
    static LRESULT CALLBACK Watch(int code, WPARAM wp, LPARAM lp);
    static inline thread_local bool shown_ = false;
    DWORD before_;
    HHOOK hook_ = nullptr;
};

} // namespace rt
