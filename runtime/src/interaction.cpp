// The interaction seam and the real user: message boxes through MessageBoxW,
// the input box as a modal form of our own, the common dialogs and the printer.
#include "rt/interaction.h"

#include <windows.h>

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
        int answer = MessageBoxW(owner, Wide(prompt).c_str(), Wide(title).c_str(), type);
        // A box that could not be shown (no display) is as good as cancelled.
        return answer == 0 ? vbCancel : answer;
    }
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override {
        return detail::ShowInputBox(prompt, title, defaultText);
    }
    bool ShowDialog(DialogKind kind, CommonDialog& dialog) override {
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
