#include "player_support.h"

#include <mmsystem.h>

#include <gtest/gtest.h>

#include <rt.h>

#include "test_support.h"

namespace tunebox::test {

// ---------------------------------------------------------------------------

HICON SolidIcon(COLORREF color) {
    const int size = GetSystemMetrics(SM_CXICON);
    HDC screen = GetDC(nullptr);
    HBITMAP image = CreateCompatibleBitmap(screen, size, size);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, image);
    RECT all{0, 0, size, size};
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &all, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    HBITMAP mask = CreateBitmap(size, size, 1, 1, nullptr); // all shown
    HDC maskDc = CreateCompatibleDC(nullptr);
    old = SelectObject(maskDc, mask);
    PatBlt(maskDc, 0, 0, size, size, BLACKNESS);
    SelectObject(maskDc, old);
    DeleteDC(maskDc);
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(image);
    return icon;
}

POINT FindTrayIcon(COLORREF color) {
    RECT bar{};
    HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
    if (!tray || !GetWindowRect(tray, &bar)) return {-1, -1};
    const int w = bar.right - bar.left, h = bar.bottom - bar.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP shot = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(dc, shot);
    BitBlt(dc, 0, 0, w, h, screen, bar.left, bar.top, SRCCOPY);
    long sumX = 0, sumY = 0, n = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (GetPixel(dc, x, y) == color) sumX += x, sumY += y, ++n;
    SelectObject(dc, old);
    DeleteObject(shot);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    if (n < 16) return {-1, -1};
    return {bar.left + static_cast<LONG>(sumX / n), bar.top + static_cast<LONG>(sumY / n)};
}

void MoveMouseTo(POINT at) {
    // As a hand moves it: the pointer goes to the point, the window below it
    // hears the move, and the pointer rests there a moment. (The pointer is
    // also placed directly: a move sent alone can be lost by the system.)
    SetCursorPos(at.x, at.y);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = MulDiv(at.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    move.mi.dy = MulDiv(at.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    rt::test::WaitFor([] { return false; }, 60);
}

void ClickAt(POINT at, int button, bool twice) {
    MoveMouseTo({at.x - 2, at.y});
    MoveMouseTo(at);
    const DWORD down = button == 2 ? MOUSEEVENTF_RIGHTDOWN
                       : button == 4 ? MOUSEEVENTF_MIDDLEDOWN
                                     : MOUSEEVENTF_LEFTDOWN;
    const DWORD up = button == 2 ? MOUSEEVENTF_RIGHTUP
                     : button == 4 ? MOUSEEVENTF_MIDDLEUP
                                   : MOUSEEVENTF_LEFTUP;
    for (int i = 0; i < (twice ? 2 : 1); ++i) {
        INPUT press[2]{};
        press[0].type = press[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = down;
        press[1].mi.dwFlags = up;
        SendInput(2, press, sizeof(INPUT));
    }
}

namespace {

BOOL CALLBACK FindShownTip(HWND w, LPARAM p) {
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != GetCurrentProcessId() && IsWindowVisible(w) &&
        lstrcmpiW(cls, L"tooltips_class32") == 0) {
        *reinterpret_cast<HWND*>(p) = w;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string ShownToolTip(DWORD timeoutMs) {
    std::string text;
    rt::test::WaitFor(
        [&] {
            HWND tip = nullptr;
            EnumWindows(FindShownTip, reinterpret_cast<LPARAM>(&tip));
            // Its text is the tip shown, asked of the window itself.
            wchar_t shown[256] = {};
            DWORD_PTR length = 0;
            if (tip && SendMessageTimeoutW(tip, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(shown),
                                           SMTO_ABORTIFHUNG, 1000, &length))
                text = rt::Utf8(shown);
            return !text.empty();
        },
        timeoutMs);
    return text;
}

namespace {

std::wstring OverridesKey(const std::string& name) {
    return L"Software\\Wine\\AppDefaults\\" + rt::Wide(name) + L"\\DllOverrides";
}

} // namespace

SilencedCopy::SilencedCopy(const std::string& program, const std::string& name) : name_(name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    path_ = rt::Utf8(temp) + name;
    CopyFileW(rt::Wide(program).c_str(), rt::Wide(path_).c_str(), FALSE);
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, OverridesKey(name).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
        for (const wchar_t* driver : {L"winepulse.drv", L"winealsa.drv", L"wineoss.drv"})
            RegSetValueExW(key, driver, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"disabled"),
                           sizeof L"disabled");
        RegCloseKey(key);
    }
}

SilencedCopy::~SilencedCopy() {
    RegDeleteTreeW(HKEY_CURRENT_USER,
                   (L"Software\\Wine\\AppDefaults\\" + rt::Wide(name_)).c_str());
    DeleteFileW(rt::Wide(path_).c_str());
}

std::string OwnFileName() {
    wchar_t self[MAX_PATH];
    std::wstring path(self, GetModuleFileNameW(nullptr, self, MAX_PATH));
    return rt::Utf8(path.substr(path.find_last_of(L"\\/") + 1));
}

// ---------------------------------------------------------------------------

namespace {

LRESULT CALLBACK NotifyProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == MM_MCINOTIFY) {
        auto* codes = reinterpret_cast<std::vector<WPARAM>*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        if (codes) codes->push_back(wp);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

NotifyWindow::NotifyWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = NotifyProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TuneboxTestNotify";
    RegisterClassW(&wc);
    hwnd_ = CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            wc.hInstance, nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&Codes));
}

NotifyWindow::~NotifyWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

bool ReadsAsSet(long read, long set) { return read <= set && read >= set - 1; }

std::string DeviceStatus(const std::string& alias, const std::string& item) {
    wchar_t answer[260] = {};
    const std::wstring command = rt::Wide("status " + alias + " " + item);
    if (mciSendStringW(command.c_str(), answer, 260, nullptr) != 0) return "(error)";
    return rt::Utf8(answer);
}

} // namespace tunebox::test
