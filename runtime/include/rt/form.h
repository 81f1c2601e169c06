// Top-level forms: geometry in twips, showing modeless or modal, unloading,
// the single instances and the collection of loaded forms; starting the program.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "control.h"
#include "menu.h"

namespace rt {

namespace detail {
void EmptyGraveyard(); // deletes the unloaded disposable forms when no handler runs
}

// A top-level form. Sizes are outer sizes in twips (title bar and borders
// included); ScaleWidth / ScaleHeight are the inner size.
class Form : public Container {
  public:
    Form();
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& text);
    long Left() const;
    long Top() const;
    long Width() const;
    long Height() const;
    void Left(long v);
    void Top(long v);
    void Width(long v);
    void Height(long v);
    void Move(long left, long top, long width, long height);
    // Sets the outer size from an inner (client) size, as the designer gives it.
    void ClientSize(long width, long height);
    long ScaleWidth() const;
    long ScaleHeight() const;
    void BorderStyle(int v) { borderStyle_ = v; }
    void MinButton(bool v) { minButton_ = v; }
    void MaxButton(bool v) { maxButton_ = v; }
    void StartUpPosition(int v) { startUp_ = v; }
    void ShowInTaskbar(bool v) { showInTaskbar_ = v; }
    void BackColor(long v);
    long BackColor() const { return backColor_; }
    void Font(const rt::Font& f) { font_ = f; }
    const rt::Font& Font() const { return font_; }
    int WindowState() const;
    void WindowState(int v);
    HWND hWnd() const { return hwnd_; }

    // The menu bar's top-level menus, in order (invisible ones are pop-ups).
    void Menus(std::initializer_list<MenuItem*> menus);
    void PopupMenu(MenuItem& menu);

    // Creates the window and its controls and runs Form_Load (once).
    void Load();
    bool Loaded() const { return hwnd_ != nullptr; }
    // Loads if needed and shows; vbModal runs a nested message loop until the
    // form is hidden or unloaded, with the program's other forms disabled.
    void Show(int mode = vbModeless, Form* owner = nullptr);
    void Hide();
    // Runs Form_QueryUnload and Form_Unload; unless cancelled, destroys the
    // window. Returns false when cancelled.
    bool Unload();
    bool Visible() const;

    // Runtime plumbing.
    HWND ContainerHwnd() const override { return hwnd_; }
    Form& OwnerForm() override { return *this; }
    const rt::Font& AmbientFont() const override { return font_; }
    long AmbientBackColor() const override { return backColor_; }
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
    void AttachHwnd(HWND hwnd) { hwnd_ = hwnd; } // while the window is being created
    HACCEL Accelerators() const { return accel_; }
    MenuItem* FindMenu(UINT id);
    void RebuildMenuBar();
    HWND ToolTip();
    bool Disposed() const { return disposed_; }
    // Called by the single-instance helper: once unloaded, the runtime deletes
    // the object when no handler of it runs any more, and calls onDeleted first.
    void SetDisposable(std::function<void()> onDeleted) {
        disposable_ = true;
        onDeleted_ = std::move(onDeleted);
    }
    Control* DefaultButton() const;
    Control* CancelButton() const;

  protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    virtual void Form_QueryUnload(int& Cancel, int UnloadMode) { (void)Cancel, (void)UnloadMode; }
    virtual void Form_Unload(int& Cancel) { (void)Cancel; }

  private:
    friend void detail::EmptyGraveyard();
    void CreateFormWindow();
    void DestroyFormWindow();
    bool UnloadWith(int mode);
    void EndModal();
    DWORD Style() const;
    DWORD ExStyle() const;
    bool HasMenuBar() const;
    long designClientW_ = -1, designClientH_ = -1;
    bool destroying_ = false, resized_ = false;
    HWND focus_ = nullptr;
    std::vector<HWND> disabled_; // forms this modal form disabled
    std::string caption_;
    long left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
    bool positioned_ = false;
    int borderStyle_ = vbSizable;
    bool minButton_ = true, maxButton_ = true, showInTaskbar_ = true;
    int startUp_ = vbStartUpWindowsDefault;
    long backColor_ = 0x8000000F;
    rt::Font font_{};
    HWND hwnd_ = nullptr;
    HACCEL accel_ = nullptr;
    HWND tooltip_ = nullptr;
    HBRUSH brush_ = nullptr;
    std::vector<MenuItem*> menus_;
    std::function<void()> onDeleted_;
    bool loading_ = false, disposable_ = false, disposed_ = false, inUnload_ = false;
    int modalDepth_ = 0;
    int initialState_ = 0;
};

// Program-wide single instance of a form, mixed into the form's class
// (class frmText : public rt::Form, public rt::FormOf<frmText>): created on first
// reference, and created afresh on the next reference once it was unloaded.
template <class T> class FormOf {
  public:
    static T& Get() {
        if (!instance_ || instance_->Disposed()) {
            T* created = new T();
            instance_ = created;
            created->SetDisposable([created] {
                if (instance_ == created) instance_ = nullptr;
            });
        }
        return *instance_;
    }
    static bool Exists() { return instance_ && !instance_->Disposed(); }

  private:
    static inline T* instance_ = nullptr;
};

// The loaded forms, in load order.
std::vector<Form*> Forms();
// The form whose window is active (or nullptr).
Form* ActiveForm();

// Starts the program: shows the start-up form and runs the message loop until
// no form is left loaded. Returns the exit status.
int Run(Form& startup);
template <class T> int Run() { return Run(T::Get()); }

// Registers the window classes and loads the common controls; Run and the
// test harness call it first. Idempotent.
void Initialize(HINSTANCE instance = nullptr);

} // namespace rt
