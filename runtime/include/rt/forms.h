// Forms and controls: real Win32 windows with the geometry in twips, design
// properties set before the window exists, event slots wired by the form, and
// menus with access keys, shortcut keys, check marks, separators and pop-ups.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "font.h"

namespace rt {

class Form;
class Control;
namespace detail {
void EmptyGraveyard(); // deletes the unloaded disposable forms when no handler runs
}

enum ShowMode : int { vbModeless = 0, vbModal = 1 };
enum MouseButtonValue : int { vbLeftButton = 1, vbRightButton = 2, vbMiddleButton = 4 };
enum BorderStyleValue : int {
    vbBSNone = 0, vbFixedSingle = 1, vbSizable = 2, vbFixedDialog = 3, vbFixedToolWindow = 4,
    vbSizableToolWindow = 5
};
enum StartUpPositionValue : int {
    vbStartUpManual = 0, vbStartUpOwner = 1, vbStartUpScreen = 2, vbStartUpWindowsDefault = 3
};
enum AlignmentValue : int { vbLeftJustify = 0, vbRightJustify = 1, vbCenter = 2 };
enum WindowStateValue : int { vbNormal_ = 0, vbMinimized = 1, vbMaximized = 2 };

// A colour value 0x00BBGGRR; 0x80000000 + n is system colour n.
COLORREF ResolveColor(long color);

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

// What controls live in: a form, a frame.
class Container {
  public:
    virtual ~Container() = default;
    virtual HWND ContainerHwnd() const = 0;
    virtual Form& OwnerForm() = 0;
    void AddControl(Control* control) { controls_.push_back(control); }
    void RemoveControl(Control* control);
    const std::vector<Control*>& Controls() const { return controls_; }
    // The font a control takes when it sets none of its own.
    virtual const rt::Font& AmbientFont() const = 0;
    // The colour its background is painted in (what a transparent label shows).
    virtual long AmbientBackColor() const = 0;

  protected:
    void CreateControls();
    void DestroyControls();
    void PaintLightweight(HDC dc); // lines of this container

  private:
    std::vector<Control*> controls_;
};

// A control: a child window created when its form loads. Geometry in twips,
// relative to the container.
class Control {
  public:
    explicit Control(Container& parent);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    long Left() const { return left_; }
    long Top() const { return top_; }
    long Width() const { return width_; }
    long Height() const { return height_; }
    void Left(long v) { Move(v, top_, width_, height_); }
    void Top(long v) { Move(left_, v, width_, height_); }
    void Width(long v); // error 380 for a negative value
    void Height(long v);
    void Move(long left, long top, long width, long height);

    bool Visible() const { return visible_; }
    void Visible(bool v);
    bool Enabled() const { return enabled_; }
    void Enabled(bool v);
    const std::string& ToolTipText() const { return toolTip_; }
    void ToolTipText(const std::string& text);
    long ForeColor() const { return foreColor_; }
    void ForeColor(long color);
    long BackColor() const { return backColor_; }
    void BackColor(long color);
    const rt::Font& Font() const { return fontSet_ ? font_ : parent_.AmbientFont(); }
    void Font(const rt::Font& font);
    int MousePointer() const { return mousePointer_; }
    void MousePointer(int pointer); // 0 default, 99 custom (the hand)

    void SetFocus();
    virtual void Refresh();

    HWND hWnd() const { return hwnd_; }
    Container& Parent() const { return parent_; }

    // Runtime plumbing: creation and the messages routed to the control.
    virtual void Create() = 0;
    virtual void Destroy();
    virtual bool Lightweight() const { return false; }
    virtual void Paint(HDC) {}
    virtual void OnCommand(WORD code) { (void)code; }
    virtual LRESULT OnColor(HDC dc);
    virtual void LightweightClick() {} // a click inside a lightweight control
    HFONT FontHandle();                // created on first use, owned by the control

  protected:
    void CreateWindowFor(const wchar_t* cls, DWORD style, DWORD exStyle = 0,
                         const std::wstring& text = {});
    void ApplyFont();
    RECT PixelRect() const;
    HBRUSH BrushFor(long color); // the control's cached brush, in that colour
    virtual void AfterMove() {}

    Container& parent_;
    HWND hwnd_ = nullptr;
    long left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, enabled_ = true;
    std::string toolTip_;
    long foreColor_ = 0x80000012; // button text
    long backColor_ = 0x8000000F; // button face
    rt::Font font_{};
    bool fontSet_ = false;
    int mousePointer_ = 0;
    HFONT hfont_ = nullptr;
    HBRUSH brush_ = nullptr;
    long brushColor_ = 0; // the colour brush_ was made in
};

class Label : public Control {
  public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& text);
    void AutoSize(bool v);
    void WordWrap(bool v) { wordWrap_ = v; }
    void Alignment(int v) { alignment_ = v; }
    void BackStyle(int v) { transparent_ = v == 0; } // 0 transparent, 1 opaque
    std::function<void()> Click;
    void Create() override;
    void OnCommand(WORD code) override;
    LRESULT OnColor(HDC dc) override;

  private:
    void Fit();
    std::string caption_;
    bool autoSize_ = false, wordWrap_ = false, transparent_ = false;
    int alignment_ = vbLeftJustify;
};

class TextBox : public Control {
  public:
    explicit TextBox(Container& parent);
    std::string Text() const;
    void Text(const std::string& text);
    void MaxLength(int n);
    void MultiLine(bool v) { multiLine_ = v; }
    void ScrollBars(int v) { scrollBars_ = v; } // 0 none, 1 horizontal, 2 vertical, 3 both
    void Locked(bool v);
    void Alignment(int v) { alignment_ = v; }
    int SelStart() const;
    void SelStart(int v);
    int SelLength() const;
    void SelLength(int v);
    std::function<void()> Change;
    void Create() override;
    void OnCommand(WORD code) override;
    LRESULT OnColor(HDC dc) override;

  private:
    std::string text_;
    int maxLength_ = 0, scrollBars_ = 0, alignment_ = vbLeftJustify;
    bool multiLine_ = false, locked_ = false;
    int settingText_ = 0; // code is setting Text: the control's own notices are ignored
};

class CommandButton : public Control {
  public:
    using Control::Control;
    const std::string& Caption() const { return caption_; }
    void Caption(const std::string& text);
    bool Default() const { return default_; }
    void Default(bool v) { default_ = v; }
    bool Cancel() const { return cancel_; }
    void Cancel(bool v) { cancel_ = v; }
    void Press(); // as a click by the user (Value = True)
    std::function<void()> Click;
    void Create() override;
    void OnCommand(WORD code) override;

  private:
    std::string caption_;
    bool default_ = false, cancel_ = false;
};

class Frame : public Control, public Container {
  public:
    using Control::Control;
    void Caption(const std::string& text);
    const std::string& Caption() const { return caption_; }
    HWND ContainerHwnd() const override { return hwnd_; }
    Form& OwnerForm() override { return parent_.OwnerForm(); }
    const rt::Font& AmbientFont() const override { return Font(); }
    long AmbientBackColor() const override { return backColor_; }
    void Create() override;
    void Destroy() override;

  private:
    std::string caption_;
};

class ListBox : public Control {
  public:
    explicit ListBox(Container& parent);
    void AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    std::string List(int index) const; // error 381 outside 0..ListCount-1
    int ListIndex() const;             // -1 when nothing is selected
    void ListIndex(int index);
    std::string Text() const; // the selected item, empty when none
    int Columns() const { return columns_; }
    void Columns(int n); // 0: one vertical column; n > 0: n columns across
    void MultiSelect(int v) { multiSelect_ = v; } // 0 none, 1 simple, 2 extended
    bool Selected(int index) const;
    void Selected(int index, bool v);
    void Sorted(bool v) { sorted_ = v; }
    long ItemData(int index) const;
    void ItemData(int index, long v);
    int TopIndex() const;

    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> MouseUp;
    std::function<void(int KeyCode, int Shift)> KeyDown;

    void Create() override;
    void OnCommand(WORD code) override;
    LRESULT OnColor(HDC dc) override;
    void Refresh() override;
    void ResumeRedraw(); // runtime plumbing: draws again after a burst of adds

  protected:
    void AfterMove() override;

  private:
    int columns_ = 0, multiSelect_ = 0;
    bool sorted_ = false;
    bool redrawHeld_ = false; // adds wait to be drawn until the message loop runs
    std::vector<std::pair<std::string, long>> design_; // items added before creation
};

// A picture box used as a drawing surface. Scale units are twips.
class PictureBox : public Control {
  public:
    explicit PictureBox(Container& parent);
    ~PictureBox() override;
    bool AutoRedraw() const { return autoRedraw_; }
    void AutoRedraw(bool v);
    void AutoSize(bool v) { autoSize_ = v; }
    void BorderStyle(int v) { border_ = v; } // 0 none, 1 fixed single
    void ClearPicture();                     // Picture = empty picture
    void Picture(HBITMAP bitmap);            // takes ownership
    double ScaleWidth() const;
    double ScaleHeight() const;
    double CurrentX() const { return curX_; }
    void CurrentX(double v) { curX_ = v; }
    double CurrentY() const { return curY_; }
    void CurrentY(double v) { curY_ = v; }
    // Line (x1, y1)-(x2, y2), color[, B[F]]: a line, a box or a filled box.
    void Line(double x1, double y1, double x2, double y2, long color, bool box = false,
              bool fill = false);
    void Cls();
    void Print(const std::string& text); // at CurrentX, CurrentY; moves to the next line
    double TextWidth(const std::string& text);
    double TextHeight(const std::string& text);
    void Refresh() override;

    std::function<void()> Click;
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> MouseMove;
    std::function<void(int Button, int Shift, float X, float Y)> MouseUp;

    void Create() override;
    void Destroy() override;
    // Runtime plumbing for the window procedure.
    void OnPaint(HDC dc);
    HDC SurfaceDC();

  protected:
    void AfterMove() override;

  private:
    void EnsureSurface();
    bool autoRedraw_ = false, autoSize_ = false;
    int border_ = 1;
    double curX_ = 0, curY_ = 0;
    HDC memDC_ = nullptr;
    HBITMAP surface_ = nullptr, oldBitmap_ = nullptr;
    void* bits_ = nullptr;
    int surfaceW_ = 0, surfaceH_ = 0;
    std::vector<unsigned char> shown_; // the pixels last put on the screen
    bool paintPending_ = false;
    void InvalidateOnce();
    HBITMAP picture_ = nullptr;
};

class Image : public Control {
  public:
    using Control::Control;
    void Picture(HBITMAP bitmap); // takes ownership
    void Icon(HICON icon);
    void Stretch(bool v) { stretch_ = v; }
    std::function<void()> Click;
    bool Lightweight() const override { return true; }
    void Create() override {}
    void Paint(HDC dc) override;
    void LightweightClick() override;
    ~Image() override;

  private:
    HBITMAP bitmap_ = nullptr;
    HICON icon_ = nullptr;
    bool stretch_ = false;
};

// A line drawn by its container (twips).
class Line : public Control {
  public:
    explicit Line(Container& parent, long x1 = 0, long y1 = 0, long x2 = 0, long y2 = 0);
    long X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    long BorderColor = 0x80000008;
    int BorderWidth = 1;
    bool Lightweight() const override { return true; }
    void Create() override {}
    void Paint(HDC dc) override;
};

// The rich-text box over the RichEdit control.
class RichTextBox : public Control {
  public:
    explicit RichTextBox(Container& parent);
    void TextRTF(const std::string& rtf);
    std::string TextRTF() const;
    std::string Text() const;
    void Text(const std::string& text);
    void Locked(bool v);
    void ScrollBars(int v) { scrollBars_ = v; }
    int SelStart() const;
    void SelStart(int v);
    void Create() override;

  private:
    std::string rtf_, text_;
    bool locked_ = false, haveRtf_ = false;
    int scrollBars_ = 3;
};

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
