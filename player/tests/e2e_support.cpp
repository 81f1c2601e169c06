#include "e2e_support.h"

#include <cstdlib>

#include <rt.h>

#include "player_support.h"
#include "test_support.h"

namespace tunebox::test {

namespace {

constexpr long kTwipsPerPixel = 15;

struct ControlSearch {
    const RunningTunebox* program;
    const wchar_t* cls;
    POINT at; // pixels inside the main window
    HWND found;
    HWND main;
};

BOOL CALLBACK MatchControl(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<ControlSearch*>(p);
    wchar_t cls[64] = {};
    GetClassNameW(w, cls, 64);
    if (lstrcmpiW(cls, s->cls) != 0) return TRUE;
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, s->main, reinterpret_cast<POINT*>(&r), 2);
    if (std::abs(r.left - s->at.x) <= 3 && std::abs(r.top - s->at.y) <= 3) {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string Beside(const std::string& program) {
    wchar_t self[MAX_PATH];
    std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    return rt::Utf8(path.substr(0, path.find_last_of(L"\\/") + 1)) + program;
}

RunningTunebox::RunningTunebox(const std::string& program, bool waitForMain) {
    const std::wstring path = rt::Wide(program);
    std::wstring command = L"\"" + path + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &info_)) {
        ADD_FAILURE() << "cannot start " << program;
        return;
    }
    WaitForInputIdle(info_.hProcess, 10000);
    if (waitForMain) WaitForMain();
}

bool RunningTunebox::WaitForMain() {
    main_ = WaitForWindow("  Tunebox");
    return main_ != nullptr;
}

RunningTunebox::~RunningTunebox() {
    if (!info_.hProcess) return;
    if (main_ && IsWindow(main_)) PostMessageW(main_, WM_CLOSE, 0, 0);
    if (!Ended(15000)) {
        ADD_FAILURE() << "Tunebox did not close";
        TerminateProcess(info_.hProcess, 9);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool RunningTunebox::Ended(DWORD timeoutMs) {
    return rt::test::WaitFor(
        [&] { return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0; }, timeoutMs);
}

HWND RunningTunebox::Control(const wchar_t* cls, long leftTwips, long topTwips) const {
    ControlSearch s{this, cls, {leftTwips / kTwipsPerPixel, topTwips / kTwipsPerPixel}, nullptr,
                    main_};
    EnumChildWindows(main_, MatchControl, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

POINT RunningTunebox::ScreenPoint(long xTwips, long yTwips) const {
    POINT p{xTwips / kTwipsPerPixel, yTwips / kTwipsPerPixel};
    ClientToScreen(main_, &p);
    return p;
}

POINT RunningTunebox::Middle(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT RunningTunebox::LinePoint(HWND list, int line) {
    const auto height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const auto top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    POINT p{30, (line - top) * height + height / 2};
    ClientToScreen(list, &p);
    return p;
}

HWND RunningTunebox::WaitForWindow(const std::string& caption, DWORD timeoutMs) const {
    HWND found = nullptr;
    rt::test::WaitFor(
        [&] { return (found = rt::test::FindShownWindow(caption, info_.dwProcessId)) != nullptr; },
        timeoutMs);
    return found;
}

std::string RunningTunebox::BoxText(HWND box) {
    std::string texts;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        texts += rt::test::WindowText(c) + "\n";
    return texts;
}

void RunningTunebox::Activate() const {
    SetForegroundWindow(main_);
    rt::test::WaitFor([&] { return GetForegroundWindow() == main_; }, 3000);
}

void WaitWhileBusy(DWORD timeoutMs) {
    const HCURSOR hourglass = LoadCursorW(nullptr, IDC_WAIT);
    rt::test::WaitFor([] { return false; }, 100);
    rt::test::WaitFor(
        [&] {
            CURSORINFO info{};
            info.cbSize = sizeof info;
            return GetCursorInfo(&info) && info.hCursor != hourglass;
        },
        timeoutMs);
}

std::string TextOf(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                        2000, &length);
    return rt::Utf8(text);
}

void Drag(POINT from, POINT to, int steps) {
    MoveMouseTo(from);
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    SendInput(1, &down, sizeof down);
    rt::test::WaitFor([] { return false; }, 150); // the press is taken before the move
    for (int i = 1; i <= steps; ++i)
        MoveMouseTo({from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
    INPUT up{};
    up.type = INPUT_MOUSE;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(1, &up, sizeof up);
    rt::test::WaitFor([] { return false; }, 150);
}

int PixelsOfColour(HWND window, COLORREF colour) {
    RECT r;
    GetWindowRect(window, &r);
    HDC screen = GetDC(nullptr);
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (GetPixel(screen, x, y) == colour) ++n;
    ReleaseDC(nullptr, screen);
    return n;
}

} // namespace tunebox::test
