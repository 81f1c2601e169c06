#include "picking.h"

#include <atomic>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <thread>

#include "modHuepick.h"

namespace huepick::test {

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

POINT Blocks::Centre(size_t i) const {
    return {at_.x + static_cast<long>(i) * 40 + 20, at_.y + 20};
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

bool FixedColour(long colour) {
    static const long fixed[] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080,
                                 0x808000, 0xC0C0C0, 0x808080, 0x0000FF, 0x00FF00, 0x00FFFF,
                                 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    for (long f : fixed)
        if (f == colour) return true;
    return false;
}

POINT CentreOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT CentreOf(const rt::Control& control) { return CentreOf(control.hWnd()); }

namespace {

void Mouse(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
    Sleep(30);
}

} // namespace

bool PointerAt(POINT p) {
    POINT now{};
    return GetCursorPos(&now) && now.x == p.x && now.y == p.y;
}

// The pointer moved as a mouse moves it, until it stays where it was sent:
// a window that appears under the pointer may still report where the pointer
// was before.
void MoveTo(POINT p) {
    const long w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    for (int tries = 0; tries < 20; ++tries) {
        INPUT in{};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        in.mi.dx = (p.x * 65536 + w - 1) / w;
        in.mi.dy = (p.y * 65536 + h - 1) / h;
        SendInput(1, &in, sizeof in);
        Sleep(50);
        if (PointerAt(p)) {
            Sleep(50);
            if (PointerAt(p)) return;
        }
    }
    ADD_FAILURE() << "the pointer does not stay at " << p.x << "," << p.y;
}

void ButtonDown() { Mouse(MOUSEEVENTF_LEFTDOWN); }
void ButtonUp() { Mouse(MOUSEEVENTF_LEFTUP); }

void Click() {
    ButtonDown();
    ButtonUp();
}

void PressKey(WORD vk) {
    INPUT in[2]{};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, in, sizeof(INPUT));
    Sleep(30);
}

void StartPick(HWND main, HWND button) {
    // In front first, by a click on its caption, as a user makes sure of it.
    if (GetForegroundWindow() != main) {
        RECT r{};
        GetWindowRect(main, &r);
        MoveTo({(r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2});
        Click();
        rt::test::WaitFor([&] { return GetForegroundWindow() == main; }, 5000);
        Sleep(200);
    }
    MoveTo(CentreOf(button));
    Click();
}

void ParkPointer() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
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
    const LONG_PTR style = GetWindowLongPtrW(w, GWL_STYLE), ex = GetWindowLongPtrW(w, GWL_EXSTYLE);
    if ((style & WS_CAPTION) || !(ex & WS_EX_TOPMOST)) return TRUE;
    if (r.left != 0 || r.top != 0 || r.right != GetSystemMetrics(SM_CXSCREEN) ||
        r.bottom != GetSystemMetrics(SM_CYSCREEN))
        return TRUE;
    s->found = w;
    return FALSE;
}

} // namespace

HWND ShownCaptureWindow(DWORD processId) {
    CaptureSearch s{processId, nullptr};
    EnumWindows(MatchCapture, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND AwaitCapture(DWORD processId, DWORD timeoutMs) {
    HWND w = nullptr;
    if (!rt::test::WaitFor([&] { return (w = ShownCaptureWindow(processId)) != nullptr; }, timeoutMs))
        return nullptr;
    Sleep(300); // painted
    return w;
}

bool AwaitCaptureGone(DWORD processId, DWORD timeoutMs) {
    return rt::test::WaitFor([&] { return ShownCaptureWindow(processId) == nullptr; }, timeoutMs);
}

void AsUser(const std::function<void()>& acts, DWORD timeoutMs) {
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
    if (!rt::test::WaitFor([&] { return done.load(); }, timeoutMs))
        ADD_FAILURE() << "the user's steps did not end in time";
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
    return {std::to_string(p.x),         std::to_string(p.y),         hex,
            std::to_string(colour),      std::to_string(GetRValue(c)), std::to_string(GetGValue(c)),
            std::to_string(GetBValue(c))};
}

GdiExhausted::GdiExhausted() {
    while (taken_.size() < 500000) {
        HBRUSH b = CreateSolidBrush(RGB(1, 2, 3));
        if (!b) break;
        taken_.push_back(b);
    }
}

GdiExhausted::~GdiExhausted() {
    for (HBRUSH b : taken_) DeleteObject(b);
}

// ---- The foreign blocks' program

namespace {

struct BlockState {
    std::string kind;
    COLORREF colour = 0, second = 0;
};
BlockState g_block;

LRESULT CALLBACK BlockProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        if (g_block.kind == "painter") Sleep(400);
        HBRUSH brush = CreateSolidBrush(g_block.colour);
        RECT r;
        GetClientRect(w, &r);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        EndPaint(w, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_APP:
        g_block.colour = g_block.second;
        InvalidateRect(w, nullptr, FALSE);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

// Argument: kind, left, top, right, bottom, first and second colour.
int ForeignBlockMain(const std::string& argument) {
    std::istringstream in(argument);
    RECT r{};
    long first = 0, second = 0;
    in >> g_block.kind >> r.left >> r.top >> r.right >> r.bottom >> first >> second;
    g_block.colour = static_cast<COLORREF>(first);
    g_block.second = static_cast<COLORREF>(second);
    WNDCLASSW wc{};
    wc.lpfnWndProc = BlockProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"HuepickTestBlock";
    RegisterClassW(&wc);
    const bool cover = g_block.kind == "cover";
    const std::wstring caption = rt::Wide("Huepick test " + g_block.kind);
    HWND w = CreateWindowExW(cover ? WS_EX_TOPMOST | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW : WS_EX_TOOLWINDOW,
                             wc.lpszClassName, caption.c_str(), WS_POPUP, r.left, r.top,
                             r.right - r.left, r.bottom - r.top, nullptr, nullptr, wc.hInstance,
                             nullptr);
    ShowWindow(w, cover ? SW_SHOWNOACTIVATE : SW_SHOW);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

const int kForeignBlock = rt::test::RegisterChild("huepick-block", &ForeignBlockMain);

std::string BlockArgument(const std::string& kind, RECT r, long first, long second) {
    std::ostringstream out;
    out << kind << ' ' << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom << ' '
        << first << ' ' << second;
    return out.str();
}

} // namespace

ForeignBlock::ForeignBlock(const std::string& kind, RECT place, long first, long second)
    : child_("huepick-block", BlockArgument(kind, place, first, second)) {
    rt::test::WaitFor([&] {
        return (hwnd_ = rt::test::FindShownWindow("Huepick test " + kind, child_.Id())) != nullptr;
    });
    if (!hwnd_) ADD_FAILURE() << "the foreign " << kind << " never showed";
    // Painted: the screen shows its colour in its middle.
    const POINT middle{(place.left + place.right) / 2, (place.top + place.bottom) / 2};
    rt::test::WaitFor([&] { return ScreenPixel(middle) == static_cast<COLORREF>(first); }, 5000);
}

void ForeignBlock::Repaint() const { PostMessageW(hwnd_, WM_APP, 0, 0); }

// ---- The fixture

const std::vector<long> kColours = {0x0000FF, 0xFFFFFF, 0x000000, 0x336699,
                                    0x00FF00, 0xFF0000, 0x808080};

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
    if (HWND w = ShownCaptureWindow()) PostMessageW(w, WM_CLOSE, 0, 0);
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

long Want(const Blocks& blocks, size_t i) {
    const long colour = blocks.Colour(i);
    if (ScreenDepth() > 8 || FixedColour(colour)) return colour;
    return static_cast<long>(ScreenPixel(blocks.Centre(i)));
}

long PickingFixture::Want(size_t i) const { return test::Want(blocks, i); }

} // namespace huepick::test
