// The tray class in the desktop's real notification area: its table of
// icons, the tips, the clicks of the real mouse on an icon by both routes,
// and the replaced window procedures with their table.
#include <windows.h>
#include <shellapi.h>

#include <memory>

#include <rt.h>

#include "cSysTray.h"
#include "modSysTray.h"
#include "player_support.h"
#include "test_support.h"

namespace tunebox {
namespace {

using test::FindTrayIcon;

// The colours of the tests' own icons, each easy to find in the tray.
constexpr COLORREF kRed = RGB(230, 20, 20), kGreen = RGB(20, 200, 40),
                   kBlue = RGB(30, 60, 230), kMagenta = RGB(210, 30, 200),
                   kCyan = RGB(20, 210, 220);

bool Shows(COLORREF color) { return FindTrayIcon(color).x >= 0; }

class Owner : public rt::Form {
  public:
    Owner() {
        Caption("Tray owner");
        ClientSize(9600, 1200);
    }
    int Moves = 0; // the form's own mouse-move events

  protected:
    void Form_MouseMove(int, int, float, float) override { ++Moves; }
};

// Icons made for a test, destroyed after it.
struct Icons {
    ~Icons() {
        for (HICON i : made) DestroyIcon(i);
    }
    HICON operator()(COLORREF c) { return made.emplace_back(test::SolidIcon(c)); }
    std::vector<HICON> made;
};

class TrayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner.Show();
        rt::DoEvents();
        tray = std::make_unique<cSysTray>();
        tray->ST_OwnerForm(owner);
        for (auto* event : {&tray->LeftClick, &tray->RightClick, &tray->MiddleClick,
                            &tray->DblClick})
            *event = [this, event](long id) {
                heard.push_back(std::string(event == &tray->LeftClick    ? "left"
                                            : event == &tray->RightClick ? "right"
                                            : event == &tray->MiddleClick ? "middle"
                                                                         : "double") +
                                " " + std::to_string(id));
            };
    }
    void TearDown() override {
        tray.reset();
        owner.Unload();
        rt::DoEvents();
    }
    bool Heard(const std::string& what, DWORD ms = 5000) {
        return rt::test::WaitFor(
            [&] { return std::find(heard.begin(), heard.end(), what) != heard.end(); }, ms);
    }

    Owner owner;
    Icons icons;
    std::unique_ptr<cSysTray> tray;
    std::vector<std::string> heard;
};

TEST_F(TrayTest, IconsComeAndGoAndFreedSlotsAreReused) {
    ASSERT_TRUE(tray->ST_CreateIcon(1, icons(kRed), "one"));
    ASSERT_TRUE(tray->ST_CreateIcon(2, icons(kGreen), "two"));
    ASSERT_TRUE(tray->ST_CreateIcon(3, icons(kBlue), "three"));
    EXPECT_TRUE(rt::test::WaitFor([] { return Shows(kRed) && Shows(kGreen) && Shows(kBlue); }, 5000));
    EXPECT_FALSE(tray->ST_CreateIcon(2, icons(kMagenta))); // already there
    EXPECT_FALSE(tray->ST_ModifyIcon(9, icons(kMagenta))); // never there
    EXPECT_FALSE(tray->ST_DeleteIcon(9));

    EXPECT_TRUE(tray->ST_DeleteIcon(2));
    EXPECT_TRUE(rt::test::WaitFor([] { return !Shows(kGreen); }, 5000));
    EXPECT_FALSE(tray->ST_DeleteIcon(2));
    ASSERT_TRUE(tray->ST_CreateIcon(4, icons(kMagenta)));
    EXPECT_EQ(tray->IconCount(), 3);
    EXPECT_EQ(tray->IconIDAt(2), 4);
    EXPECT_TRUE(tray->IconInUseAt(2));

    EXPECT_TRUE(tray->ST_ModifyIcon(3, icons(kCyan)));
    EXPECT_TRUE(rt::test::WaitFor([] { return Shows(kCyan) && !Shows(kBlue); }, 5000));

    // An ID below 1 reaches the shell, but the table does not keep it.
    EXPECT_TRUE(tray->ST_CreateIcon(0, icons(kGreen)));
    EXPECT_EQ(tray->IconCount(), 3);
    EXPECT_FALSE(tray->ST_ModifyIcon(0, icons(kGreen)));
    EXPECT_FALSE(tray->ST_DeleteIcon(0));
    NOTIFYICONDATAW stray{};
    stray.cbSize = sizeof stray;
    stray.hWnd = owner.hWnd();
    stray.uID = 0;
    EXPECT_TRUE(Shell_NotifyIconW(NIM_DELETE, &stray));

    // Without an owner nothing is asked of the shell.
    cSysTray orphan;
    EXPECT_FALSE(orphan.ST_CreateIcon(1, icons(kGreen)));
    EXPECT_FALSE(orphan.ST_ModifyIcon(1, icons(kGreen)));
    EXPECT_FALSE(orphan.ST_DeleteIcon(1));

    // The object's end takes its icons along.
    tray.reset();
    EXPECT_TRUE(rt::test::WaitFor([] { return !Shows(kRed) && !Shows(kMagenta) && !Shows(kCyan); },
                                  5000));
}

TEST_F(TrayTest, TheTipIsTrimmedToWhatTheShellShows) {
    const std::string tip = "Tunebox plays the wave and MIDI files of one folder, quickly, one by one";
    ASSERT_GT(tip.size(), 63u);
    ASSERT_TRUE(tray->ST_CreateIcon(1, icons(kGreen), "   " + tip + "  "));
    POINT at{};
    ASSERT_TRUE(rt::test::WaitFor([&] { return (at = FindTrayIcon(kGreen)).x >= 0; }, 5000));
    test::MoveMouseTo({at.x - 40, at.y});
    rt::DoEvents();
    test::MoveMouseTo(at);
    EXPECT_EQ(test::ShownToolTip(), tip.substr(0, 63));
    test::MoveMouseTo({0, 0});
}

TEST_F(TrayTest, ClicksOnTheIconArriveWithItsIdThroughTheReplacedProcedure) {
    const LONG_PTR before = GetWindowLongPtrW(owner.hWnd(), GWLP_WNDPROC);
    tray->ST_AdvancedProcessing(true);
    ASSERT_TRUE(tray->ST_CreateIcon(7, icons(kBlue), "seven"));
    EXPECT_TRUE(tray->ST_AdvancedProcessing());
    EXPECT_TRUE(IsTrayWindowSubclassed(owner.hWnd()));
    EXPECT_NE(GetTrayCallbackMessage(), 0u);
    EXPECT_EQ(GetTrayCallbackMessage(), RegisterWindowMessageW(L"cSysTray_Comm_Message"));
    POINT at{};
    ASSERT_TRUE(rt::test::WaitFor([&] { return (at = FindTrayIcon(kBlue)).x >= 0; }, 5000));

    test::ClickAt(at, 1);
    EXPECT_TRUE(Heard("left 7"));
    test::ClickAt(at, 2);
    EXPECT_TRUE(Heard("right 7"));
    test::ClickAt(at, 4);
    EXPECT_TRUE(Heard("middle 7"));
    test::ClickAt(at, 1, true);
    EXPECT_TRUE(Heard("double 7"));
    // The form still gets every message it had before.
    EXPECT_EQ(rt::test::WindowText(owner.hWnd()), "Tray owner");

    tray.reset();
    EXPECT_FALSE(IsTrayWindowSubclassed(owner.hWnd()));
    EXPECT_EQ(GetWindowLongPtrW(owner.hWnd(), GWLP_WNDPROC), before);
    EXPECT_TRUE(rt::test::WaitFor([] { return !Shows(kBlue); }, 5000));
}

TEST_F(TrayTest, ClicksOnTheIconArriveAsMouseMovesOfTheOwnerForm) {
    const LONG_PTR before = GetWindowLongPtrW(owner.hWnd(), GWLP_WNDPROC);
    ASSERT_TRUE(tray->ST_CreateIcon(5, icons(kMagenta), "five"));
    EXPECT_EQ(GetWindowLongPtrW(owner.hWnd(), GWLP_WNDPROC), before);
    POINT at{};
    ASSERT_TRUE(rt::test::WaitFor([&] { return (at = FindTrayIcon(kMagenta)).x >= 0; }, 5000));
    // This route does not carry the icon's ID: every icon is icon 1.
    test::ClickAt(at, 1);
    EXPECT_TRUE(Heard("left 1"));
    test::ClickAt(at, 2);
    EXPECT_TRUE(Heard("right 1"));
    test::ClickAt(at, 1, true);
    EXPECT_TRUE(Heard("double 1"));
    EXPECT_GT(owner.Moves, 0); // the form has its own events as well

    // A real move of the mouse over the form's top row, 514 pixels in, looks
    // just the same.
    heard.clear();
    SetForegroundWindow(owner.hWnd());
    POINT row{514, 0};
    ClientToScreen(owner.hWnd(), &row);
    test::MoveMouseTo({row.x, row.y + 5});
    rt::DoEvents();
    test::MoveMouseTo(row);
    EXPECT_TRUE(Heard("left 1"));
    test::MoveMouseTo({0, 0});
}

TEST_F(TrayTest, AWindowThatCannotBeReplacedKeepsTheMouseMoveRoute) {
    // Another program's window (the taskbar's) keeps its procedure.
    HWND taskbar = FindWindowW(L"Shell_TrayWnd", nullptr);
    ASSERT_NE(taskbar, nullptr);
    const auto windows = TrayWindows();
    EXPECT_FALSE(SubclassTrayWindow(taskbar, *tray));
    EXPECT_FALSE(IsTrayWindowSubclassed(taskbar));
    EXPECT_EQ(TrayWindows(), windows);

    // An owner whose window is not there yet: the route falls back.
    Owner unloaded;
    cSysTray other;
    other.ST_OwnerForm(unloaded);
    other.ST_AdvancedProcessing(true);
    other.ST_CreateIcon(1, icons(kRed), "x");
    EXPECT_FALSE(other.ST_AdvancedProcessing());
    EXPECT_EQ(TrayWindows(), windows);
}

// ---------------------------------------------------------------------------
// The table of replaced windows, with plain windows that count their messages.

struct Counts {
    int tray = 0, other = 0;
};

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (auto* counts = reinterpret_cast<Counts*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
        if (msg == GetTrayCallbackMessage()) ++counts->tray;
        if (msg == WM_USER + 5) ++counts->other;
    }
    if (msg == WM_USER + 5) return 55;
    return DefWindowProcW(hwnd, msg, wp, lp);
}

class Plain {
  public:
    explicit Plain(const wchar_t* name) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = CountingProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TuneboxTrayPlain";
        RegisterClassW(&wc);
        hwnd = CreateWindowExW(0, wc.lpszClassName, name, WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                               nullptr, wc.hInstance, nullptr);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&counts));
    }
    ~Plain() { DestroyWindow(hwnd); }
    HWND hwnd;
    Counts counts;
};

TEST(TrayWindowTable, EntriesStayPackedAndEachWindowKeepsItsOwnProcedure) {
    Plain a(L"A"), b(L"B"), c(L"C");
    cSysTray ta, tb, tc;
    std::vector<std::string> heard;
    tb.LeftClick = [&](long id) { heard.push_back("b " + std::to_string(id)); };
    tc.RightClick = [&](long id) { heard.push_back("c " + std::to_string(id)); };
    const UINT message = GetTrayCallbackMessage();

    ASSERT_TRUE(SubclassTrayWindow(a.hwnd, ta));
    ASSERT_TRUE(SubclassTrayWindow(b.hwnd, tb));
    ASSERT_TRUE(SubclassTrayWindow(c.hwnd, tc));
    EXPECT_FALSE(SubclassTrayWindow(a.hwnd, tb));
    EXPECT_EQ(TrayWindows(), (std::vector<HWND>{a.hwnd, b.hwnd, c.hwnd}));
    EXPECT_TRUE(UnsubclassTrayWindow(a.hwnd));
    EXPECT_FALSE(UnsubclassTrayWindow(a.hwnd));
    EXPECT_EQ(TrayWindows(), (std::vector<HWND>{c.hwnd, b.hwnd}));

    SendMessageW(b.hwnd, message, 3, WM_LBUTTONUP);
    SendMessageW(c.hwnd, message, 4, WM_RBUTTONUP);
    SendMessageW(c.hwnd, message, 4, WM_LBUTTONDOWN); // raises nothing
    EXPECT_EQ(heard, (std::vector<std::string>{"b 3", "c 4"}));
    EXPECT_EQ(b.counts.tray, 1); // passed on after the event
    EXPECT_EQ(c.counts.tray, 2);
    EXPECT_EQ(SendMessageW(c.hwnd, WM_USER + 5, 0, 0), 55);
    EXPECT_EQ(c.counts.other, 1);
    SendMessageW(a.hwnd, message, 1, WM_LBUTTONUP); // given back: its own procedure only
    EXPECT_EQ(a.counts.tray, 1);
    EXPECT_EQ(heard.size(), 2u);

    // A window the table does not hold gets the default procedure.
    Plain d(L"Dee");
    EXPECT_EQ(TrayWindowProc(d.hwnd, WM_GETTEXTLENGTH, 0, 0), 3);
    EXPECT_EQ(TrayWindowProc(d.hwnd, WM_USER + 5, 0, 0), 0);
    EXPECT_EQ(d.counts.other, 0);

    UnsubclassTrayOwner(b.hwnd);
    UnsubclassTrayOwner(c.hwnd);
    EXPECT_TRUE(TrayWindows().empty());
    ASSERT_TRUE(SubclassTrayWindow(b.hwnd, tb));
    EXPECT_EQ(TrayWindows(), std::vector<HWND>{b.hwnd});
    UnsubclassTrayObject(tb);
    EXPECT_TRUE(TrayWindows().empty());
}

TEST(TrayWindowTable, AHandlerThatGivesTheWindowBackStillPassesItsMessageOn) {
    Plain a(L"A"), b(L"B");
    cSysTray ta, tb;
    const UINT message = GetTrayCallbackMessage();
    ta.LeftClick = [&](long) { UnsubclassTrayWindow(a.hwnd); };
    ASSERT_TRUE(SubclassTrayWindow(a.hwnd, ta));
    ASSERT_TRUE(SubclassTrayWindow(b.hwnd, tb));
    SendMessageW(a.hwnd, message, 1, WM_LBUTTONUP);
    EXPECT_EQ(a.counts.tray, 1); // its own procedure had it
    EXPECT_EQ(b.counts.tray, 0); // and not the one that moved into its place
    EXPECT_EQ(TrayWindows(), std::vector<HWND>{b.hwnd});
    UnsubclassTrayObject(tb);
}

} // namespace
} // namespace tunebox
