#include "targetwindow.h"

#include <vector>

#include <rt/convert.h>
#include <rt/services.h>

namespace paneherd {

namespace {

constexpr DWORD kPollMs = 10;        // between two looks at the mouse buttons
constexpr DWORD kFrontWaitMs = 500;  // for a window to come in front, or to go
constexpr UINT kCloseWaitMs = 1000;  // for a window to answer its close command

bool Down(SHORT state) { return (state & 0x8000) != 0; }
bool PressedSinceLastLook(SHORT state) { return (state & 0x0001) != 0; }

// Lets the message loop run for a while, looking every few milliseconds
// whether `done` holds; whether it came to.
template <class F> bool YieldUntil(F done, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        rt::DoEvents();
        if (done()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(kPollMs);
    }
}

} // namespace

Target Target::Of(HWND window) {
    if (!window || !IsWindow(window)) return {};
    return {window, GetWindowThreadProcessId(window, nullptr)};
}

bool Target::Exists() const {
    return Window && IsWindow(Window) && GetWindowThreadProcessId(Window, nullptr) == Thread;
}

std::string ClassText(HWND window) {
    wchar_t buffer[1024];
    const int n = window ? GetClassNameW(window, buffer, 1024) : 0;
    return n > 0 ? rt::Utf8(std::wstring_view(buffer, n)) : std::string();
}

std::string TitleText(HWND window) {
    if (!window) return {};
    const int m = GetWindowTextLengthW(window) + 1;
    std::vector<wchar_t> buffer(m, L'\0');
    const int k = GetWindowTextW(window, buffer.data(), m);
    return k > 0 ? rt::Utf8(std::wstring_view(buffer.data(), k)) : std::string();
}

HWND FindByClass(const std::string& className) {
    return FindWindowW(rt::Wide(className).c_str(), nullptr);
}

HWND FindByTitle(const std::string& title) { return FindWindowW(nullptr, rt::Wide(title).c_str()); }

RectText WindowRectText(const Target& target) {
    RECT r{};
    if (target.Exists()) GetWindowRect(target.Window, &r);
    return {std::to_string(r.left), std::to_string(r.top), std::to_string(r.right - r.left),
            std::to_string(r.bottom - r.top)};
}

HWND Pickable(HWND foreground) {
    if (!foreground || foreground == GetDesktopWindow() || foreground == GetShellWindow())
        return nullptr;
    return foreground;
}

int PrimaryButtonKey() { return GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON; }

PressWait WaitForPress(int buttonKey, const std::function<bool()>& stop) {
    // Forget what happened before: the press on the button that started the
    // pick, an Esc typed earlier.
    GetAsyncKeyState(VK_ESCAPE);
    bool released = !Down(GetAsyncKeyState(buttonKey));
    for (;;) {
        rt::DoEvents();
        if (stop && stop()) return PressWait::Stopped;
        const SHORT escape = GetAsyncKeyState(VK_ESCAPE);
        if (Down(escape) || PressedSinceLastLook(escape)) return PressWait::Cancelled;
        const SHORT state = GetAsyncKeyState(buttonKey);
        if (released ? Down(state) || PressedSinceLastLook(state) : PressedSinceLastLook(state))
            return PressWait::Pressed;
        if (!Down(state)) released = true;
        Sleep(kPollMs);
    }
}

bool OwnThread(HWND window) {
    return GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
}

void ShowAs(HWND window, int command) {
    if (OwnThread(window))
        ShowWindow(window, command);
    else
        ShowWindowAsync(window, command);
}

void Pin(HWND window, bool topmost) {
    const UINT flags = SWP_NOSIZE | SWP_NOMOVE | (OwnThread(window) ? 0 : SWP_ASYNCWINDOWPOS);
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, flags);
}

void MoveTo(HWND window, int x, int y, int width, int height) {
    if (OwnThread(window))
        MoveWindow(window, x, y, width, height, TRUE);
    else
        SetWindowPos(window, nullptr, x, y, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
}

bool BringToFront(HWND window, DWORD timeoutMs) {
    SetForegroundWindow(window);
    return YieldUntil([window] { return GetForegroundWindow() == window; }, timeoutMs);
}

void CloseTarget(HWND window) {
    const bool inFront = BringToFront(window, kFrontWaitMs);
    // Alt+F4 goes to whatever window is in front: only to this one.
    if (inFront && GetForegroundWindow() == window) {
        rt::SendKeys("%{F4}");
        YieldUntil([window] { return !IsWindow(window); }, kFrontWaitMs);
    }
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(window, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, kCloseWaitMs, &answer);
    rt::DoEvents();
    PostMessageW(window, WM_CLOSE, 0, 0);
}

} // namespace paneherd
