#include "picking.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <ostream>
#include <thread>

#include "modHuepick.h"

namespace huepick::test {

const std::vector<long> kColours = {0x0000FF, 0xFFFFFF, 0x000000, 0x336699,
                                    0x00FF00, 0xFF0000, 0x808080};

Blocks::Blocks(std::vector<long> colours, POINT at) : colours_(std::move(colours)), at_(at) {
    BorderStyle(rt::vbBSNone);
    ShowInTaskbar(false);
    StartUpPosition(rt::vbStartUpManual);
    const long tx = rt::Screen::TwipsPerPixelX(), ty = rt::Screen::TwipsPerPixelY();
    const long n = static_cast<long>(colours_.size());
    Move(at.x * tx, at.y * ty, n * 40 * tx, 40 * ty);
    for (long i = 0; i < n; ++i) {
        auto box = std::make_unique<rt::PictureBox>(*this);
        box->BorderStyle(0);
        box->BackColor(colours_[static_cast<size_t>(i)]);
        box->Move(i * 40 * tx, 0, 40 * tx, 40 * ty);
        boxes_.push_back(std::move(box));
    }
}

int ScreenDepth() {
    HDC dc = GetDC(nullptr);
    const int bits = GetDeviceCaps(dc, BITSPIXEL);
    ReleaseDC(nullptr, dc);
    return bits;
}

COLORREF ScreenPixel(POINT p) {
    HDC dc = GetDC(nullptr);
    const COLORREF c = GetPixel(dc, p.x, p.y);
    ReleaseDC(nullptr, dc);
    return c;
}

namespace {

// A child run that exits with the colour it reads at the point "x,y".
int ReadScreenPixel(const std::string& at) {
    POINT p{};
    if (std::sscanf(at.c_str(), "%ld,%ld", &p.x, &p.y) != 2) return -1;
    return static_cast<int>(ScreenPixel(p));
}
const int kScreenPixel = rt::test::RegisterChild("screen-pixel", &ReadScreenPixel);

} // namespace

COLORREF ScreenPixelOfANewProgram(POINT p) {
    rt::test::ChildProcess child("screen-pixel", std::to_string(p.x) + "," + std::to_string(p.y));
    const DWORD colour = child.Wait(15000);
    return colour == STILL_ACTIVE ? CLR_INVALID : colour;
}

long Want(const Blocks& blocks, size_t i, COLORREF (*read)(POINT)) {
    static const long fixed[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                 0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    const long colour = blocks.Colour(i);
    if (ScreenDepth() > 8 || std::find(std::begin(fixed), std::end(fixed), colour) != std::end(fixed))
        return colour;
    return static_cast<long>(read(blocks.Centre(i)));
}

namespace {

bool PointerAt(POINT p) {
    POINT now{};
    return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
}

void Mouse(DWORD flags, POINT p = {}) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    in.mi.dx = (p.x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    in.mi.dy = (p.y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    SendInput(1, &in, sizeof in);
    Sleep(50);
}

} // namespace

void MoveTo(POINT p) {
    for (int tries = 0; tries < 20; ++tries) {
        Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p);
        if (PointerAt(p) && (Sleep(50), PointerAt(p))) return;
    }
    ADD_FAILURE() << "the pointer does not stay at " << p.x << "," << p.y;
}

void Click() {
    Mouse(MOUSEEVENTF_LEFTDOWN);
    Mouse(MOUSEEVENTF_LEFTUP);
}

void PressKey(WORD vk) {
    rt::test::TapKey(vk);
    Sleep(50);
}

POINT CentreOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ParkPointer() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
}

void StartPick(HWND main, HWND button) {
    if (GetForegroundWindow() != main) {
        RECT r{};
        GetWindowRect(main, &r);
        MoveTo({(r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2});
        Click();
        rt::test::WaitFor([&] { return GetForegroundWindow() == main; }, 5000);
    }
    MoveTo(CentreOf(button));
    Click();
}

namespace {

struct CaptureSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK MatchCapture(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<CaptureSearch*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    RECT r{};
    if (pid != s->pid || !IsWindowVisible(w) || !GetWindowRect(w, &r)) return TRUE;
    if ((GetWindowLongPtrW(w, GWL_STYLE) & WS_CAPTION) ||
        !(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST))
        return TRUE;
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (!EqualRect(&r, &screen)) return TRUE;
    s->found = w;
    return FALSE;
}

} // namespace

HWND ShownCaptureWindow(DWORD processId) {
    CaptureSearch s{processId, nullptr};
    EnumWindows(MatchCapture, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND AwaitCapture(DWORD processId) {
    HWND w = nullptr;
    if (!rt::test::WaitFor([&] { return (w = ShownCaptureWindow(processId)) != nullptr; }, 10000))
        return nullptr;
    Sleep(300); // painted
    return w;
}

bool AwaitCaptureGone(DWORD processId) {
    return rt::test::WaitFor([&] { return !ShownCaptureWindow(processId); }, 10000);
}

void AsUser(const std::function<void()>& acts) {
    std::atomic<bool> done{false};
    std::thread user([&] {
        acts();
        // A capture window left open would hold the program's loop for ever.
        if (HWND w = ShownCaptureWindow()) {
            ADD_FAILURE() << "the capture window was left open";
            PostMessageW(w, WM_CLOSE, 0, 0);
        }
        done = true;
    });
    if (!rt::test::WaitFor([&] { return done.load(); }, 30000)) ADD_FAILURE() << "the user is still busy";
    user.join();
    rt::DoEvents();
}

std::ostream& operator<<(std::ostream& out, const Fields& f) {
    return out << "X " << f.X << ", Y " << f.Y << ", HEX " << f.Hex << ", Long " << f.Long
               << ", R " << f.R << ", G " << f.G << ", B " << f.B;
}

Fields Expected(POINT p, long colour) {
    const auto c = static_cast<COLORREF>(colour);
    char hex[8];
    std::snprintf(hex, sizeof hex, "%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return {std::to_string(p.x),          std::to_string(p.y),          hex,
            std::to_string(colour),       std::to_string(GetRValue(c)), std::to_string(GetGValue(c)),
            std::to_string(GetBValue(c))};
}

void PickingFixture::SetUp() {
    SelectedCursor = 0;
    SelectedColor = 0;
    PointX = PointY = 0;
    ParkPointer();
    blocks.Show();
    form.Show();
    rt::test::WaitFor([&] { return ScreenPixel(blocks.Centre(0)) == 0x0000FF; }, 5000);
}

void PickingFixture::TearDown() {
    form.Unload();
    blocks.Unload();
    rt::DoEvents();
}

void PickingFixture::PickAt(POINT p, const std::function<void()>& whileShown) {
    AsUser([&] {
        StartPick(form.hWnd(), form.cmdHuepick.hWnd());
        if (!AwaitCapture()) return ADD_FAILURE() << "no capture window", void();
        if (whileShown) whileShown();
        MoveTo(p);
        Click();
        EXPECT_TRUE(AwaitCaptureGone());
    });
}

Fields PickingFixture::Shown() const {
    return {form.txtX.Text(), form.txtY.Text(),  form.txtHEX.Text(), form.txtColorValue.Text(),
            form.RGB_R.Text(), form.RGB_G.Text(), form.RGB_B.Text()};
}

} // namespace huepick::test
