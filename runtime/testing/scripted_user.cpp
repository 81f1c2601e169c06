// The scripted user: queued answers in order, everything shown recorded.
#include "rt/scripted_user.h"

#include <shlobj.h>

#include "rt/convert.h"
#include "rt/error.h"

namespace rt {

ScriptedUser::ScriptedUser() : previous_(&CurrentUser()) { SetUser(this); }
ScriptedUser::~ScriptedUser() { SetUser(previous_); }

void ScriptedUser::Answer(int button) { buttons_.push_back(button); }
void ScriptedUser::Type(const std::string& text) { inputs_.push_back(text); }
void ScriptedUser::OnDialog(std::function<bool(DialogKind, CommonDialog&)> handler) {
    dialogs_.push_back(std::move(handler));
}
void ScriptedUser::CancelDialog() {
    dialogs_.push_back([](DialogKind, CommonDialog&) { return false; });
}
void ScriptedUser::ChooseFolder(const std::string& path) { folders_.push_back(path); }
void ScriptedUser::OnModal(std::function<void(Form&)> handler) {
    modals_.push_back(std::move(handler));
}

std::vector<ScriptedUser::Shown> ScriptedUser::MessageBoxes() const {
    std::vector<Shown> boxes;
    for (const Shown& s : Boxes)
        if (s.What == Kind::MessageBox) boxes.push_back(s);
    return boxes;
}

bool ScriptedUser::AllAnswersUsed() const {
    return buttons_.empty() && inputs_.empty() && dialogs_.empty() && modals_.empty() &&
           folders_.empty();
}

int ScriptedUser::MessageBox(const std::string& prompt, int style, const std::string& title) {
    Boxes.push_back({Kind::MessageBox, prompt, title, style, {}, {}});
    if (!buttons_.empty()) {
        int button = buttons_.front();
        buttons_.pop_front();
        return button;
    }
    // Unanswered: the box's first button, as a user pressing Enter would.
    ++Unanswered;
    switch (style & 7) {
    case vbAbortRetryIgnore: return vbAbort;
    case vbYesNoCancel:
    case vbYesNo: return vbYes;
    case vbRetryCancel: return vbRetry;
    default: return vbOK;
    }
}

std::string ScriptedUser::InputBox(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) {
    Boxes.push_back({Kind::InputBox, prompt, title, 0, {}, defaultText});
    if (inputs_.empty()) {
        ++Unanswered;
        return {};
    }
    std::string text = std::move(inputs_.front());
    inputs_.pop_front();
    return text;
}

bool ScriptedUser::ShowDialog(DialogKind kind, CommonDialog& dialog) {
    Boxes.push_back({Kind::Dialog, {}, dialog.DialogTitle, static_cast<int>(dialog.Flags), kind, {}});
    if (dialogs_.empty()) {
        ++Unanswered;
        return false;
    }
    auto handler = std::move(dialogs_.front());
    dialogs_.pop_front();
    return handler(kind, dialog);
}

void ScriptedUser::Print(const PrintJob& job) {
    if (NoPrinter) Raise(errPrinterError, {}, "Printer error");
    Jobs.push_back(job);
}

void ScriptedUser::ModalShown(Form& form) {
    Boxes.push_back({Kind::ModalForm, form.Caption(), form.Caption(), 0, {}, {}});
    // Whatever the handler did, the modal loop must not wait for a user.
    auto close = [&form] {
        if (form.Loaded() && !form.Unload() && form.Loaded()) form.Hide();
    };
    if (modals_.empty()) {
        ++Unanswered;
    } else {
        auto handler = std::move(modals_.front());
        modals_.pop_front();
        try {
            handler(form);
        } catch (...) {
            close();
            throw;
        }
    }
    close();
}

_ITEMIDLIST* ScriptedUser::BrowseForFolder(_browseinfoW& info) {
    Boxes.push_back({Kind::FolderBrowser, info.lpszTitle ? Utf8(info.lpszTitle) : std::string(),
                     {}, static_cast<int>(info.ulFlags), {}, {}});
    if (folders_.empty()) {
        ++Unanswered;
        return nullptr;
    }
    const std::string path = std::move(folders_.front());
    folders_.pop_front();
    if (path.empty()) return nullptr;
    // The folder as the shell would hand it back, with its display name; a
    // path the shell cannot reach now (a network share) as typed.
    PIDLIST_ABSOLUTE chosen = ILCreateFromPathW(Wide(path).c_str());
    if (!chosen) chosen = SHSimpleIDListFromPath(Wide(path).c_str());
    if (chosen && info.pszDisplayName) {
        SHFILEINFOW file{};
        if (SHGetFileInfoW(reinterpret_cast<LPCWSTR>(chosen), 0, &file, sizeof file,
                           SHGFI_PIDL | SHGFI_DISPLAYNAME))
            lstrcpynW(info.pszDisplayName, file.szDisplayName, MAX_PATH);
    }
    return chosen;
}

} // namespace rt
