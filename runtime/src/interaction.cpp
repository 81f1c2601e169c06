// The interaction seam and the real user: message boxes through MessageBoxW,
// the input box as a modal form of our own, the common dialogs and the printer.
#include "rt/interaction.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string_view>
#include <vector>

#include "forms_internal.h"
#include "real_user.h"
#include "rt/convert.h"
#include "rt/forms.h"
#include "rt/services.h"

namespace rt {
namespace detail {

HWND OwnerWindow(Form* preferred) {
    if (preferred && preferred->Loaded()) return preferred->hWnd();
    Form* active = ActiveForm();
    return active && active->Loaded() ? active->hWnd() : nullptr;
}

std::string DisplayLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        out += text[i];
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) out += '\n';
    }
    return out;
}

} // namespace detail

namespace {

// A message box of this thread while it is open.
struct OpenBox {
    UINT type = 0;
    HWND owner = nullptr;
    HWND hwnd = nullptr;
};
std::vector<OpenBox*>& OpenBoxes() {
    static std::vector<OpenBox*> boxes;
    return boxes;
}
OpenBox* g_boxToCome = nullptr; // the box MessageBoxW is about to make

bool HasCancelButton(UINT type) {
    const UINT buttons = type & MB_TYPEMASK;
    return buttons == MB_OKCANCEL || buttons == MB_YESNOCANCEL || buttons == MB_RETRYCANCEL ||
           buttons == MB_CANCELTRYCONTINUE;
}

// The answer of a box that went without one of its buttons pressed: the one
// that does nothing. A box without a Cancel button never answers Cancel, so
// that no caller can take an answer the user did not give for Yes.
int Unanswered(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
    }
}

// Over the box's own procedure: a box without a Cancel button keeps Esc, its
// close box and Alt+F4 from answering, as on the platform's own boxes (its
// close box is greyed). An OK box answers OK to them.
LRESULT CALLBACK BoxSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    const UINT type = static_cast<UINT>(data);
    const bool mute = !HasCancelButton(type) && (type & MB_TYPEMASK) != MB_OK;
    switch (msg) {
    case WM_INITDIALOG: {
        const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        if (mute)
            if (HMENU menu = GetSystemMenu(hwnd, FALSE))
                EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
        return r;
    }
    case WM_COMMAND:
        if (LOWORD(wp) == IDCANCEL && !HasCancelButton(type)) {
            if (!mute) EndDialog(hwnd, IDOK);
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_CLOSE && mute) return 0;
        break;
    case WM_CLOSE:
        if (mute) return 0;
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, BoxSubclass, 0);
        break;
    default: break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

// Finds the box MessageBoxW makes: the first top-level dialog window made
// after the call.
LRESULT CALLBACK BoxHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HCBT_CREATEWND && g_boxToCome) {
        auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lp);
        auto hwnd = reinterpret_cast<HWND>(wp);
        wchar_t cls[16] = {};
        GetClassNameW(hwnd, cls, 16);
        if (!(create->lpcs->style & WS_CHILD) && std::wstring_view(cls) == L"#32770") {
            g_boxToCome->hwnd = hwnd;
            SetWindowSubclass(hwnd, BoxSubclass, 0, g_boxToCome->type);
            g_boxToCome = nullptr;
        }
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

// A form may go while a box or dialog is open (a close sent by another
// program): its wake-up went to the box's loop, so the loop under the box is
// woken again to see it.
struct WakeAfter {
    WakeAfter() = default;
    WakeAfter(const WakeAfter&) = delete;
    WakeAfter& operator=(const WakeAfter&) = delete;
    ~WakeAfter() { detail::WakeMessageLoop(); }
};

int ShowMessageBox(HWND owner, const std::wstring& prompt, const std::wstring& title, UINT type) {
    WakeAfter wake;
    OpenBox box{type, owner};
    g_boxToCome = &box;
    HHOOK hook = SetWindowsHookExW(WH_CBT, BoxHook, nullptr, GetCurrentThreadId());
    OpenBoxes().push_back(&box);
    int answer = MessageBoxW(owner, prompt.c_str(), title.c_str(), type);
    auto& open = OpenBoxes();
    open.erase(std::remove(open.begin(), open.end(), &box), open.end());
    if (hook) UnhookWindowsHookEx(hook);
    g_boxToCome = nullptr;
    // A box that could not be shown (no display), or that went with its
    // owner, was not answered.
    if (answer == 0 || (answer == IDCANCEL && !HasCancelButton(type))) answer = Unanswered(type);
    return answer;
}

class RealUser final : public User {
  public:
    int MessageBox(const std::string& prompt, int style, const std::string& title) override {
        HWND owner = detail::OwnerWindow();
        // Buttons, icon, default button and modality have the same values in
        // MessageBoxW; without an owner the box still holds the whole program.
        UINT type = static_cast<UINT>(style) & (0xFFFu | MB_SYSTEMMODAL);
        type |= MB_SETFOREGROUND;
        if (!owner && !(type & MB_SYSTEMMODAL)) type |= MB_TASKMODAL;
        // A lone CR already breaks the line in a message box.
        return ShowMessageBox(owner, Wide(prompt), Wide(title), type);
    }
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override {
        return detail::ShowInputBox(prompt, title, defaultText);
    }
    bool ShowDialog(DialogKind kind, CommonDialog& dialog) override {
        WakeAfter wake;
        return detail::ShowCommonDialog(kind, dialog);
    }
    void Print(const PrintJob& job) override { detail::PrintOnDefaultPrinter(job); }
};

RealUser& Real() {
    static RealUser real;
    return real;
}
User* g_user = nullptr;

const std::string& TitleOrApp(const std::string& title) {
    return title.empty() ? App().Title : title;
}

} // namespace

void detail::EndMessageBoxesOver(HWND owner) {
    for (OpenBox* box : OpenBoxes())
        if (box->hwnd && box->owner == owner && IsWindow(box->hwnd))
            EndDialog(box->hwnd, Unanswered(box->type));
}

User& CurrentUser() { return g_user ? *g_user : Real(); }
void SetUser(User* user) { g_user = user == &Real() ? nullptr : user; }

int MsgBox(const std::string& prompt, int style, const std::string& title) {
    return CurrentUser().MessageBox(prompt, style, TitleOrApp(title));
}

std::string InputBox(const std::string& prompt, const std::string& title,
                     const std::string& defaultText) {
    return CurrentUser().InputBox(prompt, TitleOrApp(title), defaultText);
}

} // namespace rt
