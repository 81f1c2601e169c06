// Controls: real child windows with the geometry in twips, design properties
// set before the window exists, and event slots wired by the form; the
// containers they live in.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "font.h"

namespace rt {

class Form;
class Control;
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
    // The colour its background is painted in.
    virtual long AmbientBackColor() const = 0;
    // Paints what the container shows under its child windows (background,
    // picture or drawing, lightweight controls), in its client coordinates:
    // what a transparent label shows through.
    virtual void PaintBackground(HDC dc);

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
    // Whether Tab stops at a control that takes the focus; one without a
    // stop still takes it from a click or from code.
    bool TabStop() const { return tabStop_; }
    void TabStop(bool v);
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

    // ContextMenuKey: Shift+F10 or the menu key pressed in the control, the
    // keyboard's way to ask for its pop-up menu (a right click raises the
    // control's MouseDown). Raised by the controls that have a pop-up menu of
    // the program's: the list box and the rich-text stand-in.
    std::function<void()> ContextMenuKey;

    // 0 brings the control to the front of its siblings, any other value sends
    // it to the back. Controls made first stand in front of those made after
    // them, and that order is also the tab order.
    void ZOrder(int position = 0);

    HWND hWnd() const { return hwnd_; }
    Container& Parent() const { return parent_; }

    // Runtime plumbing: creation and the messages routed to the control.
    virtual void Create() = 0;
    virtual void Destroy();
    virtual bool Lightweight() const { return false; }
    virtual void Paint(HDC) {}
    virtual void OnCommand(WORD code) { (void)code; }
    virtual LRESULT OnColor(HDC dc);
    // A notification its container received about it (WM_DRAWITEM, WM_VSCROLL):
    // true when the control handled it, with the message's result.
    virtual bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
        (void)msg, (void)wp, (void)lp, (void)result;
        return false;
    }
    // A click inside a lightweight control: true when the control takes it,
    // false when it passes to what lies under it (lines and shapes).
    virtual bool LightweightClick() { return false; }
    // The system colours changed: what was made from them is made again (the
    // form repaints everything afterwards).
    virtual void SysColorsChanged() {}
    HFONT FontHandle();                // created on first use, owned by the control

  protected:
    void CreateWindowFor(const wchar_t* cls, DWORD style, DWORD exStyle = 0,
                         const std::wstring& text = {});
    virtual void ApplyFont();
    RECT PixelRect() const;
    // The control's cached brush in that colour; a system colour's brush is
    // made again when the system colour has changed.
    HBRUSH BrushFor(long color);
    virtual void AfterMove() {}

    Container& parent_;
    HWND hwnd_ = nullptr;
    long left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true, enabled_ = true, tabStop_ = true;
    std::string toolTip_;
    long foreColor_ = 0x80000012; // button text
    long backColor_ = 0x8000000F; // button face
    rt::Font font_{};
    bool fontSet_ = false;
    int mousePointer_ = 0;
    HFONT hfont_ = nullptr;
    HBRUSH brush_ = nullptr;
    long brushColor_ = 0;    // the colour value brush_ was made for
    COLORREF brushRgb_ = 0;  // and what it resolved to then
};

} // namespace rt
