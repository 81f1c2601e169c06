// Forms: the mouse and key events of the form itself, other objects watching
// its mouse moves, its background picture and custom pointer, showing, hiding,
// z-order, focus and icon, and a hidden minimised form coming back restored.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "rt/error.h"
#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

// Puts the real pointer where no test window is, so that a window shown
// under it hears of no move but the test's own.
void ParkPointer() {
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 2, GetSystemMetrics(SM_CYSCREEN) - 2);
    rt::DoEvents();
}

class EventsForm : public rt::Form {
  public:
    explicit EventsForm(const std::string& caption = "  Events") {
        ParkPointer();
        Caption(caption);
        ClientSize(4500, 3000);
        Swatch.Move(3000, 2400, 600, 300);
        Swatch.Click = [this] { events.push_back("swatch"); };
    }
    rt::Image Swatch{*this};
    std::vector<std::string> events;
    void MoveHere(int b, int s, float x, float y) { Form_MouseMove(b, s, x, y); }

  protected:
    static std::string Args(int b, int s, float x, float y) {
        return std::to_string(b) + " " + std::to_string(s) + " " +
               std::to_string(static_cast<long>(x)) + "," + std::to_string(static_cast<long>(y));
    }
    void Form_Click() override { events.push_back("click"); }
    void Form_MouseDown(int b, int s, float x, float y) override {
        events.push_back("down " + Args(b, s, x, y));
    }
    void Form_MouseMove(int b, int s, float x, float y) override {
        events.push_back("move " + Args(b, s, x, y));
    }
    void Form_MouseUp(int b, int s, float x, float y) override {
        events.push_back("up " + Args(b, s, x, y));
    }
    void Form_KeyDown(int KeyCode, int Shift) override {
        events.push_back("key " + std::to_string(KeyCode) + " " + std::to_string(Shift));
    }
};

class FormEvents : public FormFixture<EventsForm> {
  protected:
    void SetUp() override {
        FormFixture<EventsForm>::SetUp();
        form.events.clear();
    }
};
using Events = std::vector<std::string>;

void Post(HWND w, UINT msg, WPARAM wp, int x, int y) {
    PostMessageW(w, msg, wp, MAKELPARAM(x, y));
}

// Real mouse input at a point of a window's client area.
void MouseAt(HWND w, int x, int y, DWORD buttons = 0) {
    POINT pt{x, y};
    ClientToScreen(w, &pt);
    SetCursorPos(pt.x, pt.y);
    std::vector<INPUT> in;
    for (DWORD flag : {DWORD{MOUSEEVENTF_MOVE}, buttons & MOUSEEVENTF_LEFTDOWN, buttons & MOUSEEVENTF_LEFTUP}) {
        if (!flag) continue;
        INPUT i{};
        i.type = INPUT_MOUSE;
        i.mi.dwFlags = flag;
        in.push_back(i);
    }
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

// The events without moves that the test did not make: Wine adds a move of
// its own at the real pointer now and then (when the capture changes).
Events OwnMoves(const Events& events, const Events& expected) {
    Events kept;
    for (const auto& e : events)
        if (e.rfind("move ", 0) != 0 || std::find(expected.begin(), expected.end(), e) != expected.end())
            kept.push_back(e);
    return kept;
}

bool Has(const Events& events, const std::string& e) {
    for (const auto& x : events)
        if (x == e) return true;
    return false;
}

TEST_F(FormEvents, MouseDownUpClickAndMoveInTwips) {
    HWND h = form.hWnd();
    Post(h, WM_MOUSEMOVE, 0, 10, 20);
    Post(h, WM_LBUTTONDOWN, MK_LBUTTON, 30, 40);
    Post(h, WM_LBUTTONUP, 0, 30, 40);
    Post(h, WM_RBUTTONDOWN, MK_RBUTTON, 31, 41);
    Post(h, WM_RBUTTONUP, 0, 31, 41);
    rt::DoEvents();
    const Events clicks{"move 0 0 150,300", "down 1 0 450,600", "up 1 0 450,600", "click",
                        "down 2 0 465,615", "up 2 0 465,615", "click"};
    EXPECT_EQ(OwnMoves(form.events, clicks), clicks);

    // Held down, the form keeps the mouse; released outside, it is no click.
    form.events.clear();
    Post(h, WM_LBUTTONDOWN, MK_LBUTTON, 30, 40);
    rt::DoEvents();
    EXPECT_EQ(GetCapture(), h);
    Post(h, WM_MOUSEMOVE, MK_LBUTTON, -5, 40);
    Post(h, WM_LBUTTONUP, 0, -5, 40);
    rt::DoEvents();
    const Events outside{"down 1 0 450,600", "move 1 0 -75,600", "up 1 0 -75,600"};
    EXPECT_EQ(OwnMoves(form.events, outside), outside);
    EXPECT_EQ(GetCapture(), nullptr);

    // A click on a lightweight control is that control's, not the form's.
    form.events.clear();
    Post(h, WM_LBUTTONDOWN, MK_LBUTTON, 205, 165);
    Post(h, WM_LBUTTONUP, 0, 205, 165);
    rt::DoEvents();
    EXPECT_EQ(OwnMoves(form.events, {}), (Events{"down 1 0 3075,2475", "swatch"}));
    EXPECT_EQ(GetCapture(), nullptr);

    // The user's own mouse.
    form.events.clear();
    SetForegroundWindow(h);
    MouseAt(h, 50, 60, MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(WaitFor([&] { return Has(form.events, "click"); }, 5000));
    EXPECT_TRUE(Has(form.events, "down 1 0 750,900"));
    EXPECT_TRUE(Has(form.events, "move 0 0 750,900"));
}

TEST_F(FormEvents, WatchersHearTheMouseMovesBesideTheForm) {
    HWND h = form.hWnd();
    Events heard;
    rt::FormWatch first = form.WatchMouseMove([&](int b, int, float x, float y) {
        heard.push_back("first " + std::to_string(b) + " " + std::to_string(x / 15) + " " +
                        std::to_string(y));
    });
    rt::FormWatch second;
    second = form.WatchMouseMove([&](int, int, float, float) {
        heard.push_back("second");
        second.Reset(); // a watcher may stop watching from inside
    });
    // A notification-area icon tells its owner of a click as a mouse move
    // whose x is the mouse message (514, the left button's release).
    SendMessageW(h, WM_MOUSEMOVE, 1, WM_LBUTTONUP);
    SendMessageW(h, WM_MOUSEMOVE, 1, WM_RBUTTONUP);
    EXPECT_EQ(heard, (Events{"first 1 514.000000 0.000000", "second",
                             "first 1 517.000000 0.000000"}));
    EXPECT_EQ(form.events, (Events{"move 1 0 7710,0", "move 1 0 7755,0"}));
    EXPECT_FALSE(second);

    // The form's own call of its handler is no mouse move.
    heard.clear();
    form.MoveHere(0, 0, 0, 0);
    EXPECT_TRUE(heard.empty());

    // A watch moved on keeps watching; dropped, it stops.
    rt::FormWatch moved = std::move(first);
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(heard.size(), 1u);
    moved.Reset();
    SendMessageW(h, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(heard.size(), 1u);

    // A watch may outlive its form.
    rt::FormWatch late;
    {
        EventsForm other("  Other");
        other.Show();
        late = other.WatchMouseMove([](int, int, float, float) {});
        EXPECT_TRUE(late);
        other.Unload();
    }
    EXPECT_FALSE(late);
    late.Reset();
}

// Another object's window procedure put in front of the form's (the tray's
// own message route): both see the messages, and the form works on after.
UINT g_trayMessage = 0;
WNDPROC g_formProc = nullptr;
std::vector<LPARAM> g_trayHeard;

LRESULT CALLBACK TrayProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == g_trayMessage) g_trayHeard.push_back(lp);
    return CallWindowProcW(g_formProc, hwnd, msg, wp, lp);
}

TEST_F(FormEvents, AReplacedWindowProcedurePassesTheFormsMessagesOn) {
    HWND h = form.hWnd();
    g_trayMessage = RegisterWindowMessageW(L"cSysTray_Comm_Message");
    ASSERT_NE(g_trayMessage, 0u);
    g_formProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayProc)));
    PostMessageW(h, g_trayMessage, 1, WM_LBUTTONDBLCLK);
    Post(h, WM_LBUTTONDOWN, MK_LBUTTON, 1, 2);
    Post(h, WM_LBUTTONUP, 0, 1, 2);
    rt::DoEvents();
    EXPECT_EQ(g_trayHeard, (std::vector<LPARAM>{WM_LBUTTONDBLCLK}));
    EXPECT_EQ(form.events, (Events{"down 1 0 15,30", "up 1 0 15,30", "click"}));
    SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_formProc));
    form.Caption("  Events again");
    EXPECT_EQ(WindowText(h), "  Events again");
}

TEST(FormKeys, KeyDownReachesTheFormOnlyWhenItHoldsTheFocus) {
    EventsForm bare; // nothing on it takes the focus
    bare.Show();
    rt::DoEvents();
    EXPECT_EQ(GetFocus(), bare.hWnd());
    PressKey(bare.hWnd(), VK_F5);
    EXPECT_EQ(bare.events, (Events{"key 116 0"}));
    bare.events.clear();
    PressKey(bare.hWnd(), 'S', true);
    EXPECT_EQ(bare.events, (Events{"key 83 2"}));
    bare.Unload();

    EventsForm withText;
    rt::TextBox txt{withText};
    txt.Move(120, 120, 2000, 300);
    withText.Show();
    txt.SetFocus();
    PressKey(txt.hWnd(), VK_F5);
    EXPECT_TRUE(withText.events.empty()); // the text box has it: no key preview
    withText.Unload();
}

// A bitmap of w x h pixels coloured by `colour(x, y)` (0x00BBGGRR).
HBITMAP MakeBitmap(int w, int h, const std::function<COLORREF(int, int)>& colour) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* p = static_cast<DWORD*>(bits);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            COLORREF c = colour(x, y);
            p[y * w + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    return b;
}

TEST(FormPicture, ThePictureIsTheBackgroundUnderTheControls) {
    EventsForm screen("  Capture");
    screen.BorderStyle(rt::vbBSNone);
    screen.BackColor(0x00FFFFFF);
    rt::Label opaque{screen}, clear{screen};
    opaque.Move(1500, 0, 300, 300);
    opaque.BackColor(0x0000FF00);
    clear.Move(0, 600, 1500, 300);
    clear.BackStyle(0);
    screen.Picture(rt::Picture::FromBitmap(
        MakeBitmap(120, 60, [](int x, int) { return x < 60 ? RGB(255, 0, 0) : RGB(0, 0, 255); })));
    screen.Show();
    rt::DoEvents();
    UpdateWindow(screen.hWnd());
    HDC dc = screen.hDC();
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 70, 30), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(dc, 130, 10), RGB(255, 255, 255)); // past the picture
    EXPECT_EQ(GetPixel(dc, 105, 10), RGB(0, 255, 0));     // the label over it
    // The picture through a clear label.
    EXPECT_EQ(ShownPixel(clear.hWnd(), 2, 2), RGB(255, 0, 0));
    EXPECT_EQ(ShownPixel(clear.hWnd(), 70, 2), RGB(0, 0, 255));

    screen.Picture(rt::Picture());
    rt::DoEvents();
    UpdateWindow(screen.hWnd());
    EXPECT_EQ(GetPixel(screen.hDC(), 10, 10), RGB(255, 255, 255));
    screen.Unload();
    EXPECT_EQ(screen.hDC(), nullptr);
}

// A 32 x 32 pointer with its hot spot at (15, 16).
HCURSOR MakePointer() {
    HBITMAP colour = MakeBitmap(32, 32, [](int, int) { return RGB(0, 0, 0); });
    HBITMAP mask = CreateBitmap(32, 32, 1, 1, nullptr);
    ICONINFO info{FALSE, 15, 16, mask, colour};
    HCURSOR c = CreateIconIndirect(&info);
    DeleteObject(colour);
    DeleteObject(mask);
    return c;
}

HCURSOR PointerShown() {
    CURSORINFO ci{};
    ci.cbSize = sizeof ci;
    GetCursorInfo(&ci);
    return ci.hCursor;
}

TEST_F(FormEvents, CustomPointerWithItsHotSpotOverTheForm) {
    HWND h = form.hWnd();
    rt::Picture pointer = rt::Picture::FromIcon(MakePointer());
    form.MouseIcon(pointer);
    form.MousePointer(99);
    EXPECT_EQ(form.MousePointer(), 99);
    SetForegroundWindow(h);
    MouseAt(h, 40, 40);
    EXPECT_TRUE(WaitFor([&] { return PointerShown() == pointer.Icon(); }, 5000));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(PointerShown(), &info));
    EXPECT_EQ(info.xHotspot, 15u);
    EXPECT_EQ(info.yHotspot, 16u);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);

    // The hourglass, then the default again, shown without waiting for a move.
    form.MousePointer(11);
    EXPECT_EQ(PointerShown(), LoadCursorW(nullptr, IDC_WAIT));
    form.MousePointer(0);
    MouseAt(h, 41, 41);
    EXPECT_TRUE(WaitFor([&] { return PointerShown() == LoadCursorW(nullptr, IDC_ARROW); }, 5000));
}

class TwoBoxesForm : public EventsForm {
  public:
    explicit TwoBoxesForm(const std::string& caption) : EventsForm(caption) {
        Under.Move(120, 120, 2000, 300);
        Over.Move(600, 200, 2000, 300);
    }
    rt::TextBox Under{*this}, Over{*this};
};

TEST(FormShowing, VisibleZOrderFocusAndIcon) {
    EventsForm back("  Back");
    TwoBoxesForm front("  Front");
    back.Visible(true); // loads and shows
    front.Show();
    EXPECT_TRUE(back.Visible());
    EXPECT_EQ(GetActiveWindow(), front.hWnd());

    auto above = [](HWND a, HWND b) { // a stands in front of b
        for (HWND w = GetWindow(a, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
            if (w == b) return true;
        return false;
    };
    back.ZOrder();
    EXPECT_TRUE(above(back.hWnd(), front.hWnd()));
    EXPECT_EQ(GetActiveWindow(), front.hWnd()); // not activated
    back.ZOrder(1);
    EXPECT_TRUE(above(front.hWnd(), back.hWnd()));
    back.SetFocus();
    EXPECT_EQ(GetActiveWindow(), back.hWnd());

    // Controls too: the one brought to the front covers the other.
    rt::TextBox& first = front.Under;
    rt::TextBox& second = front.Over;
    EXPECT_TRUE(above(first.hWnd(), second.hWnd())); // made first, in front
    second.ZOrder();
    EXPECT_TRUE(above(second.hWnd(), first.hWnd()));
    second.ZOrder(1);
    EXPECT_TRUE(above(first.hWnd(), second.hWnd()));

    back.Visible(false);
    EXPECT_FALSE(IsWindowVisible(back.hWnd()));
    EXPECT_TRUE(back.Loaded());
    EXPECT_EQ(ErrorOf([&] { back.SetFocus(); }), 5);

    // The program's icon until the form is given one.
    HICON programIcon = front.Icon().Icon();
    ASSERT_NE(programIcon, nullptr);
    EXPECT_EQ(front.Icon().Type(), rt::vbPicTypeIcon);
    rt::Picture own = rt::Picture::FromIcon(MakePointer());
    front.Icon(own);
    EXPECT_EQ(front.Icon().Icon(), own.Icon());
    EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(front.hWnd(), WM_GETICON, ICON_BIG, 0)), own.Icon());
    front.Unload();
    back.Unload();
}

// A window that leaves the taskbar when minimised, as a tray program does.
class TrayForm : public EventsForm {
  public:
    TrayForm() : EventsForm("  Tray") {}
    bool showInTaskbar = false;

  protected:
    void Form_Resize() override {
        if (WindowState() == rt::vbMinimized && !Visible() && showInTaskbar)
            Visible(true);
        else if (WindowState() == rt::vbMinimized && Visible() && !showInTaskbar)
            Visible(false);
    }
};

TEST(FormShowing, AHiddenMinimisedFormComesBackRestored) {
    TrayForm f;
    f.Show();
    RECT normal;
    GetWindowRect(f.hWnd(), &normal);
    SendMessageW(f.hWnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0); // the title bar's button
    rt::DoEvents();
    EXPECT_FALSE(IsWindowVisible(f.hWnd()));
    EXPECT_TRUE(IsIconic(f.hWnd()));
    EXPECT_EQ(f.WindowState(), rt::vbMinimized);

    // The tray icon's left click.
    f.WindowState(rt::vbNormal_);
    EXPECT_EQ(f.WindowState(), rt::vbNormal_);
    f.Visible(true);
    f.ZOrder();
    f.SetFocus();
    rt::DoEvents();
    EXPECT_TRUE(IsWindowVisible(f.hWnd()));
    EXPECT_FALSE(IsIconic(f.hWnd()));
    EXPECT_EQ(GetActiveWindow(), f.hWnd());
    RECT now;
    GetWindowRect(f.hWnd(), &now);
    EXPECT_TRUE(EqualRect(&now, &normal));

    // Shown again without a state asked for, it stays minimised (the window
    // kept on the taskbar while minimised).
    f.showInTaskbar = true;
    f.WindowState(rt::vbMinimized);
    rt::DoEvents();
    EXPECT_TRUE(IsWindowVisible(f.hWnd()));
    f.Visible(false);
    f.Visible(true);
    EXPECT_TRUE(IsIconic(f.hWnd()));
    f.Unload();
}

} // namespace
