// Top-level forms: geometry in twips, showing modeless or modal, unloading,
// the single instances and the collection of loaded forms; starting the program.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "control.h"
#include "menu.h"
#include "picture.h"

namespace rt {

namespace detail {
void EmptyGraveyard(); // deletes the unloaded disposable forms when no handler runs
struct MouseWatchers;
}

// A form's mouse event as its handlers receive it: the buttons (1 left,
// 2 right, 4 middle; on a move, those held down), the shift state (1 Shift,
// 2 Ctrl, 4 Alt) and the position in twips inside the form.
using MouseHandler = std::function<void(int Button, int Shift, float X, float Y)>;

// A watch on a form's events kept by another object, so that a class can
// receive the events of a form beside the form's own handlers (the tray icon
// class hears its notifications as the owner form's mouse moves). The watch
// lasts as long as this object; it may outlive the form, and ends with it.
class FormWatch {
  public:
    FormWatch() = default;
    FormWatch(FormWatch&& other) noexcept;
    FormWatch& operator=(FormWatch&& other) noexcept;
    ~FormWatch() { Reset(); }
    void Reset(); // stops watching
    explicit operator bool() const { return !list_.expired(); }

  private:
    friend class Form;
    FormWatch(std::weak_ptr<detail::MouseWatchers> list, int id) : list_(std::move(list)), id_(id) {}
    std::weak_ptr<detail::MouseWatchers> list_;
    int id_ = 0;
};

// Where a form stands and its outer size, in twips.
struct FormPlace {
    long Left = 0, Top = 0, Width = 0, Height = 0;
    bool operator==(const FormPlace&) const = default;
};

// A top-level form. Sizes are outer sizes in twips (title bar and borders
// included); ScaleWidth / ScaleHeight are the inner size. A maximised form
// gives its real place and size (so that a resize handler fills it); a
// minimised one the place and size it has when restored, never the icon's.
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
    // The place and size the window has when restored: what a program keeps
    // for its next start, whether it is closed normal, minimised or maximised.
    FormPlace RestoredPlace() const;
    // For a place kept from an earlier run, once the program has set it: the
    // window is put wholly inside the work area of the monitor nearest to it,
    // moved where it fits there and shrunk to the work area where it does
    // not; a width or height of zero set since load gives the design size
    // back. A place already on the screen stays as it is.
    void PlaceOnScreen();
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
    // Minimised (1), maximised (2) or normal (0). Set while the form is
    // hidden, the state is taken when it is shown again: a form hidden while
    // minimised comes back restored once WindowState is 0.
    int WindowState() const;
    void WindowState(int v);
    HWND hWnd() const { return hwnd_; }
    // The device context of the form's client area, valid while it is loaded.
    HDC hDC();

    // The window's icon: the program's own until one is set.
    rt::Picture Icon() const;
    void Icon(const rt::Picture& icon);
    // A picture shown at the form's top left, over its back colour.
    const rt::Picture& Picture() const { return picture_; }
    void Picture(const rt::Picture& picture);
    // The pointer over the form: 0 the default, 11 the hourglass, 99 the
    // MouseIcon (an icon or cursor picture) with its own hot spot.
    int MousePointer() const { return mousePointer_; }
    void MousePointer(int pointer);
    const rt::Picture& MouseIcon() const { return mouseIcon_; }
    void MouseIcon(const rt::Picture& icon);

    // Another object watches the form's mouse moves: `handler` runs after the
    // form's own Form_MouseMove for every move, until the returned watch goes.
    [[nodiscard]] FormWatch WatchMouseMove(MouseHandler handler);

    // The menu bar's top-level menus, in order (invisible ones are pop-ups).
    void Menus(std::initializer_list<MenuItem*> menus);
    void PopupMenu(MenuItem& menu);
    // The same at a place of the form's inner area (twips) instead of the pointer.
    void PopupMenu(MenuItem& menu, float X, float Y);

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
    void Visible(bool v); // True loads and shows the form (modeless), False hides it
    // 0 brings the form in front of the other windows, any other value sends
    // it behind them; neither activates it.
    void ZOrder(int position = 0);
    // Activates the form; error 5 when it is hidden or disabled.
    void SetFocus();

    // Runtime plumbing.
    HWND ContainerHwnd() const override { return hwnd_; }
    Form& OwnerForm() override { return *this; }
    const rt::Font& AmbientFont() const override { return font_; }
    long AmbientBackColor() const override { return backColor_; }
    void PaintBackground(HDC dc) override;
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
    // The mouse over the form itself (not over its controls); a button
    // pressed on the form and released over it is a click (any button).
    virtual void Form_Click() {}
    virtual void Form_MouseDown(int Button, int Shift, float X, float Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }
    virtual void Form_MouseMove(int Button, int Shift, float X, float Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }
    virtual void Form_MouseUp(int Button, int Shift, float X, float Y) {
        (void)Button, (void)Shift, (void)X, (void)Y;
    }
    // A key pressed while the form itself has the focus (no control does).
    virtual void Form_KeyDown(int KeyCode, int Shift) { (void)KeyCode, (void)Shift; }

  private:
    friend void detail::EmptyGraveyard();
    void CreateFormWindow();
    void DestroyFormWindow();
    bool UnloadWith(int mode);
    bool UnloadFormsOver();
    RECT PlacedRect() const;
    RECT RestoredRect() const;
    void EndModal();
    DWORD Style() const;
    DWORD ExStyle() const;
    bool HasMenuBar() const;
    bool MouseMessage(UINT msg, WPARAM wp, LPARAM lp);
    void TrackPopup(MenuItem& menu, POINT screen);
    void PaintPicture(HDC dc);
    void ApplyIcon();
    long designClientW_ = -1, designClientH_ = -1;
    bool destroying_ = false, resized_ = false;
    HWND focus_ = nullptr;
    std::vector<HWND> disabled_; // forms this modal form disabled
    std::string caption_;
    long left_ = 0, top_ = 0, width_ = 4800, height_ = 3600;
    long designWidth_ = 4800, designHeight_ = 3600; // as the window was created
    bool zeroWidth_ = false, zeroHeight_ = false;   // asked for by code since load
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
    bool shownBefore_ = false, stateAsked_ = false; // see WindowState
    HDC dc_ = nullptr;
    rt::Picture icon_, picture_, mouseIcon_;
    int mousePointer_ = 0;
    int buttonsDown_ = 0; // pressed on the form and not yet released
    std::shared_ptr<detail::MouseWatchers> mouseWatchers_;
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
