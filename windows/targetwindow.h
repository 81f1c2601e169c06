// The window Paneherd works on, which belongs to another program as a rule:
// finding it, reading it, and acting on it in ways that never wait on it, so
// that a window that has stopped answering never stops Paneherd.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace paneherd {

// The window the user chose, with the thread that owned it then: once that
// window has gone, a new window that happens to get the same handle is not it.
struct Target {
    HWND Window = nullptr;
    DWORD Thread = 0;
    static Target Of(HWND window); // no target for a null handle or one that is no window
    bool Exists() const;
};

// The window's class name ("" when it has none or is gone).
std::string ClassText(HWND window);
// The window's title bar text ("" when it has none or is gone).
std::string TitleText(HWND window);
// The first top-level window of a class, or with exactly this title.
HWND FindByClass(const std::string& className);
HWND FindByTitle(const std::string& title);

// The window's rectangle in screen pixels as decimal texts; 0, 0, 0, 0 for a
// target that has gone.
struct RectText {
    std::string X = "0", Y = "0", Width = "0", Height = "0";
};
RectText WindowRectText(const Target& target);

// The window a pick found in front, or null when that is no window the user
// can have meant: nothing, or the desktop itself.
HWND Pickable(HWND foreground);

// The key of the primary mouse button: the right one when the buttons are swapped.
int PrimaryButtonKey();

// How a wait for the pick's button press ended.
enum class PressWait { Pressed, Cancelled, Stopped };
// Waits for a press of the mouse button `buttonKey` that starts after the
// call, yielding to the message loop and sleeping a little between looks:
// Esc cancels, and `stop` returning true ends the wait as well.
PressWait WaitForPress(int buttonKey, const std::function<bool()>& stop);

// Whether the window is one of this thread's own, so that a call on it runs
// here and now rather than waiting on another thread.
bool OwnThread(HWND window);

// Window state and visibility (a ShowWindow command): done at once on this
// thread's windows, handed to the window's own thread for every other one.
void ShowAs(HWND window, int command);
// Always on top, or not.
void Pin(HWND window, bool topmost);
// Moves and sizes the window in screen pixels and repaints it.
void MoveTo(HWND window, int x, int y, int width, int height);

// Brings the window in front; whether it got there within the time, with the
// message loop running meanwhile.
bool BringToFront(HWND window, DWORD timeoutMs);

// The close sequence for another thread's window: brought to the front,
// Alt+F4 typed into it when, and only when, it is in front; asked to close
// through its system menu command, waiting a little at most; asked again
// by a posted close message. The message loop runs between the steps.
void CloseTarget(HWND window);

} // namespace paneherd
