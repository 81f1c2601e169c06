// Shared plumbing of the forms runtime: unit conversion, the handler depth,
// window-to-object lookup and message routing; the owners of GDI resources
// come with it.
#pragma once

#include <windows.h>

#include <cmath>
#include <string>
#include <utility>

#include "rt/handles.h"
#include "rt/error.h"
#include "rt/forms.h"

namespace rt::detail {

inline constexpr const wchar_t* kFormClass = L"BenchwareForm";
inline constexpr const wchar_t* kFrameClass = L"BenchwareFrame";
inline constexpr const wchar_t* kPictureClass = L"BenchwarePicture";

HINSTANCE Instance();
// A window's text as the window holds it (UTF-16).
inline std::wstring WindowTextW(HWND hwnd) {
    int n = GetWindowTextLengthW(hwnd);
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    n = GetWindowTextW(hwnd, w.data(), n + 1);
    w.resize(static_cast<size_t>(n > 0 ? n : 0));
    return w;
}
// An edit control's selection: where it starts and where it ends, in the
// control's own characters (a line break two).
inline std::pair<size_t, size_t> EditSelection(HWND hwnd) {
    DWORD start = 0, end = 0;
    SendMessageW(hwnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}
// Twips per screen pixel (15 at 96 dpi).
long TppX();
long TppY();
inline int PxX(double twips) { return static_cast<int>(std::lround(twips / TppX())); }
inline int PxY(double twips) { return static_cast<int>(std::lround(twips / TppY())); }
// Drawing coordinates: huge values (a fraction far out of range) are clamped
// so that the conversion cannot overflow; clipping does the rest.
inline int DrawPx(double twips, long tpp) {
    double px = std::floor(twips / tpp + 0.5);
    if (px > 1e8) px = 1e8;
    if (px < -1e8) px = -1e8;
    return static_cast<int>(px);
}

// How many calls into program code are running; the graveyard waits for 0.
int& HandlerDepth();
struct HandlerScope {
    HandlerScope() { ++HandlerDepth(); }
    ~HandlerScope() { --HandlerDepth(); }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};
// Every call into program code from a window procedure goes through here.
template <class F> void Call(F&& f) {
    HandlerScope scope;
    rt::Dispatch(std::forward<F>(f));
}

// A form that goes or hides while a close sent by another program is being
// handled: that message runs inside the wait for the next message, so the
// loop waiting there (the program's, a modal form's or a message box's) is
// woken to see it. Posted to the thread; a loop that takes it for another
// wakes the next one down in its turn.
void WakeMessageLoop();
// Ends the message boxes open over a window with the answer that does nothing
// (a close that cannot wait for the user's answer).
void EndMessageBoxesOver(HWND owner);

// The mouse buttons held (1 left, 2 right, 4 middle) and the shift state
// (1 Shift, 2 Ctrl, 4 Alt) as the program's mouse and key events give them.
inline int ButtonsOf(WPARAM wp) {
    return (wp & MK_LBUTTON ? 1 : 0) | (wp & MK_RBUTTON ? 2 : 0) | (wp & MK_MBUTTON ? 4 : 0);
}
inline int ShiftState() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}
// The button of a button-down message (1 left, 2 right, 4 middle); 0 for any
// other message.
inline int ButtonDownOf(UINT msg) {
    return msg == WM_LBUTTONDOWN ? 1 : msg == WM_RBUTTONDOWN ? 2 : msg == WM_MBUTTONDOWN ? 4 : 0;
}
// A mouse message's position in twips.
inline float MouseX(LPARAM lp) { return static_cast<float>(static_cast<short>(LOWORD(lp)) * TppX()); }
inline float MouseY(LPARAM lp) { return static_cast<float>(static_cast<short>(HIWORD(lp)) * TppY()); }

// Tells every control of a container, and of the containers in it, that the
// system colours changed.
void SysColorsChanged(Container& c);

Control* ControlOf(HWND hwnd);
Form* FormFromHwnd(HWND hwnd);
void BindControl(HWND hwnd, Control* control);
void UnbindControl(HWND hwnd);
void BindForm(HWND hwnd, Form* form);
void UnbindForm(HWND hwnd);
UINT NextControlId();

// After a control's own window procedure has handled a message: a button
// pressed over it raises the MouseDown event of the control of type T the
// window belongs to.
template <class T> void RaiseMouseDown(HWND hwnd, UINT msg, LPARAM lp) {
    const int button = ButtonDownOf(msg);
    if (!button) return;
    auto* control = dynamic_cast<T*>(ControlOf(hwnd));
    if (!control || control->hWnd() != hwnd || !control->MouseDown) return;
    const int shift = ShiftState();
    const float x = MouseX(lp), y = MouseY(lp);
    Call([control, button, shift, x, y] { control->MouseDown(button, shift, x, y); });
}

// For a control's window procedure: a WM_CONTEXTMENU from the keyboard
// (Shift+F10 or the menu key, at position -1, -1) raises the control's
// ContextMenuKey; true when the message was that.
bool ContextMenuFromKeys(HWND hwnd, UINT msg, LPARAM lp);

// For the window procedure of a control's own window class: binds the window
// to the control passed at creation, then gives the control of type T the
// window belongs to, or null while it is not (or no longer) its window.
template <class T> T* OwnControl(HWND hwnd, UINT msg, LPARAM lp) {
    if (msg == WM_NCCREATE)
        BindControl(hwnd, static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams));
    auto* control = dynamic_cast<T*>(ControlOf(hwnd));
    return control && control->hWnd() == hwnd ? control : nullptr;
}

// Routes the notifications a container receives to its controls: WM_COMMAND
// from a child, WM_CTLCOLOR*, WM_SETCURSOR, clicks on lightweight controls.
bool RouteContainerMessage(Container& c, HWND hwnd, UINT msg, WPARAM wp, LPARAM lp,
                           LRESULT& result);
void PaintContainer(Container& c, HDC dc);
// Paints into a control's DC what lies under it: its container's background,
// drawing and lightweight controls, and the sibling windows below it.
void PaintBeneath(Control& ctl, HDC dc);

// The loaded forms and the unloaded disposable ones waiting for deletion.
void FormLoaded(Form* f);
void FormUnloaded(Form* f);
void Bury(Form* f);
void Exhume(Form* f); // a form deleted by its owner leaves the graveyard

// Runs one message through the active form's accelerators and dialog keys;
// true when it was handled there.
bool PreTranslate(MSG& msg);
// Enter or Esc struck in a multi-line text box of a form: Esc presses the
// form's Cancel button and is otherwise nothing at all; Enter presses its
// default button, while Ctrl+Enter, or Enter on a form without one, is the
// box's new line. True when the form took the key, false when the box gets it.
bool MultiLineBoxKey(Form& form, HWND box, WPARAM vk, bool ctrl);
// Whether a multi-line text box refuses a message of a key given to it
// straight: Esc, which is no command for the box (an edit control would take
// it for a close of its form), and a line break that cannot be typed whole
// under the box's length limit.
bool RefusedByMultiLineBox(HWND box, UINT msg, WPARAM wp);
// Whether Enter on the form presses a button: its default button, shown and
// enabled.
bool EnterPressesDefault(const Form& form);
void PumpMessage(MSG& msg);

HFONT CreateFontHandle(const rt::Font& font);
const wchar_t* RichEditClass();
LRESULT CALLBACK PictureProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);

} // namespace rt::detail
