// Menus: the menu bar built from the form's menu items, check marks, grey
// items, separators, shortcut keys as an accelerator table, and pop-ups.
#include <windows.h>

#include <atomic>

#include "forms_internal.h"
#include "rt/convert.h"

namespace rt {

using namespace detail;

std::string ShortcutText(int code) {
    std::string text;
    if (code >= 1 && code <= 26) {
        text = "Ctrl+";
        text.push_back(static_cast<char>('A' + code - 1));
    } else if (code >= 27 && code <= 38) {
        text = "F";
        text += std::to_string(code - 26);
    }
    if (!text.empty()) return text;
    if (code == kShortcutDel) return "Del";
    return {};
}

namespace {

UINT NextMenuId() {
    static UINT next = 40000;
    return ++next;
}

bool ShortcutKey(int code, ACCEL& a) {
    a.fVirt = FVIRTKEY;
    if (code >= 1 && code <= 26) {
        a.fVirt |= FCONTROL;
        a.key = static_cast<WORD>('A' + code - 1);
    } else if (code >= 27 && code <= 38) {
        a.key = static_cast<WORD>(VK_F1 + code - 27);
    } else if (code == kShortcutDel) {
        a.key = VK_DELETE;
    } else {
        return false;
    }
    return true;
}

std::wstring MenuText(const MenuItem& m) {
    std::string text = m.Caption();
    std::string keys = ShortcutText(m.Shortcut());
    if (!keys.empty()) text += "\t" + keys;
    return Wide(text);
}

UINT StateFlags(const MenuItem& m) {
    return (m.Checked() ? MF_CHECKED : MF_UNCHECKED) | (m.Enabled() ? MF_ENABLED : MF_GRAYED);
}

HMENU BuildPopup(const MenuItem& parent) {
    HMENU menu = CreatePopupMenu();
    for (MenuItem* m : parent.Items()) {
        if (!m->Visible()) continue;
        if (m->Caption() == "-") {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!m->Items().empty()) {
            AppendMenuW(menu, MF_POPUP | StateFlags(*m), reinterpret_cast<UINT_PTR>(BuildPopup(*m)),
                        MenuText(*m).c_str());
        } else {
            AppendMenuW(menu, MF_STRING | StateFlags(*m), m->Id(), MenuText(*m).c_str());
        }
    }
    return menu;
}

MenuItem* Find(const std::vector<MenuItem*>& items, UINT id) {
    for (MenuItem* m : items) {
        if (m->Id() == id) return m;
        if (MenuItem* found = Find(m->Items(), id)) return found;
    }
    return nullptr;
}

void AttachAll(MenuItem* m, Form* form) {
    m->Attach(form);
    for (MenuItem* c : m->Items()) AttachAll(c, form);
}

// Shortcuts of the items the user can reach: hidden branches have none.
void CollectShortcuts(const std::vector<MenuItem*>& items, std::vector<ACCEL>& out, bool top) {
    for (MenuItem* m : items) {
        if (!m->Visible() && !top) continue;
        ACCEL a{};
        if (m->Items().empty() && m->Shortcut() && ShortcutKey(m->Shortcut(), a)) {
            a.cmd = static_cast<WORD>(m->Id());
            out.push_back(a);
        }
        if (m->Visible()) CollectShortcuts(m->Items(), out, false);
    }
}

} // namespace

MenuItem::MenuItem(std::string caption, int shortcut, bool checked)
    : caption_(std::move(caption)), shortcut_(shortcut), checked_(checked), id_(NextMenuId()) {}

void MenuItem::Caption(const std::string& caption) {
    caption_ = caption;
    Sync(!items_.empty() || caption == "-");
}
void MenuItem::Checked(bool checked) {
    checked_ = checked;
    Sync(!items_.empty());
}
void MenuItem::Enabled(bool enabled) {
    enabled_ = enabled;
    Sync(!items_.empty());
}
void MenuItem::Visible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Sync(true);
}

MenuItem& MenuItem::Add(std::initializer_list<MenuItem*> items) {
    for (MenuItem* m : items) {
        items_.push_back(m);
        if (form_) AttachAll(m, form_);
    }
    Sync(true);
    return *this;
}

// Keeps the live menu in step with the item: a plain command is changed in
// place, anything that changes the menu's shape rebuilds the bar.
void MenuItem::Sync(bool structural) {
    if (!form_ || !form_->hWnd()) return;
    if (structural) {
        form_->RebuildMenuBar();
        return;
    }
    HMENU bar = GetMenu(form_->hWnd());
    if (!bar) return;
    std::wstring text = MenuText(*this);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_STRING;
    info.fState = (checked_ ? MFS_CHECKED : MFS_UNCHECKED) | (enabled_ ? MFS_ENABLED : MFS_GRAYED);
    info.dwTypeData = text.data();
    if (SetMenuItemInfoW(bar, id_, FALSE, &info)) DrawMenuBar(form_->hWnd());
}

void Form::Menus(std::initializer_list<MenuItem*> menus) {
    menus_.assign(menus.begin(), menus.end());
    for (MenuItem* m : menus_) AttachAll(m, this);
    if (hwnd_) RebuildMenuBar();
}

MenuItem* Form::FindMenu(UINT id) { return Find(menus_, id); }

void Form::RebuildMenuBar() {
    if (!hwnd_) return;
    HMENU bar = nullptr;
    if (HasMenuBar()) {
        bar = CreateMenu();
        for (MenuItem* m : menus_) {
            if (!m->Visible()) continue;
            if (m->Items().empty())
                AppendMenuW(bar, MF_STRING | StateFlags(*m), m->Id(), MenuText(*m).c_str());
            else
                AppendMenuW(bar, MF_POPUP | (m->Enabled() ? MF_ENABLED : MF_GRAYED),
                            reinterpret_cast<UINT_PTR>(BuildPopup(*m)), MenuText(*m).c_str());
        }
    }
    HMENU old = GetMenu(hwnd_);
    SetMenu(hwnd_, bar);
    if (old) DestroyMenu(old);
    DrawMenuBar(hwnd_);

    std::vector<ACCEL> keys;
    CollectShortcuts(menus_, keys, true);
    if (accel_) DestroyAcceleratorTable(accel_);
    accel_ = keys.empty() ? nullptr
                          : CreateAcceleratorTableW(keys.data(), static_cast<int>(keys.size()));
}

void Form::PopupMenu(MenuItem& menu) {
    POINT pt;
    GetCursorPos(&pt);
    TrackPopup(menu, pt);
}

void Form::PopupMenu(MenuItem& menu, float X, float Y) {
    POINT pt{PxX(X), PxY(Y)};
    if (hwnd_) ClientToScreen(hwnd_, &pt);
    TrackPopup(menu, pt);
}

void Form::TrackPopup(MenuItem& menu, POINT pt) {
    if (!hwnd_) Raise(errInvalidProcedureCall);
    HMENU popup = BuildPopup(menu);
    SetForegroundWindow(hwnd_);
    UINT id = static_cast<UINT>(TrackPopupMenu(popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN,
                                               pt.x, pt.y, 0, hwnd_, nullptr));
    DestroyMenu(popup);
    PostMessageW(hwnd_, WM_NULL, 0, 0);
    if (!id) return;
    MenuItem* item = Find(menu.Items(), id);
    if (item && item->Enabled() && item->Click) item->Click();
}

} // namespace rt
