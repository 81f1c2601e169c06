// Menus: access keys, shortcut keys, check marks, separators and pop-ups.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace rt {

class Form;

// Menu shortcut codes of a menu item's definition.
constexpr int ShortcutCtrl(char letter) { return letter - 'A' + 1; } // 1..26
constexpr int ShortcutF(int n) { return 26 + n; }                    // 27..38
constexpr int kShortcutDel = 77;
std::string ShortcutText(int code); // "Ctrl+A", "F1", "Del"

// A menu item: a bar menu, a command, a separator (caption "-") or a pop-up.
class MenuItem {
  public:
    explicit MenuItem(std::string caption = {}, int shortcut = 0, bool checked = false);
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    std::function<void()> Click;

    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& caption);
    bool Checked() const { return checked_; }
    void Checked(bool checked);
    bool Enabled() const { return enabled_; }
    void Enabled(bool enabled);
    bool Visible() const { return visible_; }
    void Visible(bool visible);
    int Shortcut() const { return shortcut_; }
    // Adds child items, in order; returns *this for chaining.
    MenuItem& Add(std::initializer_list<MenuItem*> items);
    const std::vector<MenuItem*>& Items() const { return items_; }

    // Runtime plumbing.
    UINT Id() const { return id_; }
    void Attach(Form* form) { form_ = form; }

  private:
    void Sync(bool structural);
    std::string caption_;
    int shortcut_ = 0;
    bool checked_ = false, enabled_ = true, visible_ = true;
    std::vector<MenuItem*> items_;
    UINT id_;
    Form* form_ = nullptr;
};

} // namespace rt
