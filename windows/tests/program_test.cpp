// Paneherd.exe run as a program of its own and used from outside as a user
// would, with clicks and keys, on two target programs whose real state the
// test watches.
#include <rt/convert.h>
#include <rt/services.h>

#include "fixture.h"

namespace paneherd::testing {
namespace {

struct CaptionSearch {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchCaption(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<CaptionSearch*>(p);
    if (rt::test::WindowText(w) != s->caption) return TRUE;
    s->found = w;
    return FALSE;
}

// Paneherd.exe, built beside this test program; ended if the test leaves early.
class PaneherdProgram : public rt::test::Program {
  public:
    PaneherdProgram() : rt::test::Program("Paneherd.exe") {
        const std::string caption = "  Paneherd     [ Screen Size : " +
                                    std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                                    std::to_string(GetSystemMetrics(SM_CYSCREEN)) + " ]";
        main_ = Window(caption);
    }
    HWND Main() const { return main_; }
    // The control whose top-left corner the design puts at (x, y) twips.
    HWND At(long x, long y) const {
        POINT p{x / rt::Screen::TwipsPerPixelX() + 3, y / rt::Screen::TwipsPerPixelY() + 3};
        return ChildWindowFromPointEx(main_, p, CWP_SKIPINVISIBLE);
    }
    HWND Button(const std::string& caption) const {
        CaptionSearch search{caption};
        EnumChildWindows(main_, MatchCaption, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    // A field's text, read with a time limit: Paneherd must answer.
    std::string Text(HWND field) const {
        wchar_t text[512] = {};
        DWORD_PTR n = 0;
        if (!SendMessageTimeoutW(field, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text),
                                 SMTO_ABORTIFHUNG, 1000, &n))
            return "<no answer>";
        return rt::Utf8(std::wstring(text, n));
    }

  private:
    HWND main_ = nullptr;
};

void Click(HWND w) {
    ClickAt(Centre(w));
    Pause(150);
}

// Clicks into a field, selects what it holds and types over it.
void TypeInto(HWND field, const std::string& text) {
    Click(field);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(field, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 1000, &ignored);
    TypeKeys(text);
    Pause(300);
}

TEST(PaneherdProgramTest, FindsFollowsAndHandlesWindowsOfOtherPrograms) {
    TargetProgram a("Target A", 40, 40), b("Target B", 600, 500);
    PaneherdProgram paneherd;
    const HWND main = paneherd.Main();
    ASSERT_NE(main, nullptr);
    EXPECT_TRUE(Topmost(main));
    const HWND classes = paneherd.At(105, 315), title = paneherd.At(3885, 315);
    const HWND finder = paneherd.At(6945, 315), handle = paneherd.At(105, 1155);
    const HWND cls = paneherd.At(3885, 1155), x = paneherd.At(105, 2100), y = paneherd.At(1995, 2100);
    const HWND width = paneherd.At(3885, 2100), height = paneherd.At(5775, 2100);
    const HWND go = paneherd.Button("&GO");
    for (HWND w : {classes, title, finder, handle, cls, x, y, width, height, go}) ASSERT_NE(w, nullptr);
    auto shows = [&](HWND field, const std::string& text) {
        return Eventually([&] { return paneherd.Text(field) == text; });
    };
    auto choose = [&](const char* state, const char* action) {
        Click(paneherd.Button(state));
        Click(paneherd.Button(action));
        Click(go);
    };

    // By class, by title, by pointing; the position fields follow.
    const HWND classEdit = FindWindowExW(classes, nullptr, L"Edit", nullptr);
    TypeInto(classEdit, "PaneherdTarget");
    EXPECT_TRUE(shows(cls, "PaneherdTarget"));
    EXPECT_EQ(paneherd.Text(classEdit), "PaneherdTarget");
    const std::string first = paneherd.Text(handle);
    EXPECT_TRUE(first == HandleText(a.hWnd()) || first == HandleText(b.hWnd())) << first;
    TypeInto(title, "Target B");
    EXPECT_TRUE(shows(handle, HandleText(b.hWnd())));
    EXPECT_TRUE(shows(x, "600") && shows(width, "320"));
    MoveWindow(b.hWnd(), 610, 510, 300, 200, TRUE);
    EXPECT_TRUE(shows(x, "610") && shows(y, "510") && shows(width, "300") && shows(height, "200"));
    Click(finder);
    ASSERT_TRUE(Eventually([&] { return !IsWindowVisible(main); }));
    Click(a.hWnd());
    ASSERT_TRUE(Eventually([&] { return IsWindowVisible(main) != 0; }));
    EXPECT_TRUE(shows(handle, HandleText(a.hWnd())) && shows(title, "Target A"));

    // Every state and action, on the target's real state.
    choose(" Maximized", " Make Window Visible");
    EXPECT_TRUE(Eventually([&] { return IsZoomed(a.hWnd()) != 0; }));
    choose(" Minimized", " Make Window Visible");
    EXPECT_TRUE(Eventually([&] { return IsIconic(a.hWnd()) && IsWindowVisible(a.hWnd()); }));
    choose(" Normal", " Make Window Visible");
    EXPECT_TRUE(Eventually([&] { return IsZoomed(a.hWnd()) != 0; })) << "maximised as before";
    choose(" Normal", " Make Window Invisible");
    EXPECT_TRUE(Eventually([&] { return !IsWindowVisible(a.hWnd()) && !IsZoomed(a.hWnd()); }));
    choose(" Normal", " Make Window Visible");
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(a.hWnd()) != 0; }));
    choose(" Normal", " Make Window Top Most");
    EXPECT_TRUE(Eventually([&] { return Topmost(a.hWnd()); }));
    choose(" Normal", " Make Window NOT Top Most");
    EXPECT_TRUE(Eventually([&] { return !Topmost(a.hWnd()); }));
    TypeInto(x, "-8");
    TypeInto(y, "0");
    TypeInto(width, "800");
    TypeInto(height, "600");
    choose(" Normal", " Move Window");
    EXPECT_TRUE(Eventually([&] {
        const RECT r = Rect(a.hWnd());
        return r.left == -8 && r.top == 0 && r.right == 792 && r.bottom == 600;
    }));

    // A hung target: Paneherd goes on answering; the target follows later.
    a.Hang();
    choose(" Maximized", " Make Window Visible");
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(paneherd.Text(handle), HandleText(a.hWnd()));
        Pause(100);
    }
    a.Release();
    EXPECT_TRUE(Eventually([&] { return IsZoomed(a.hWnd()) != 0; }));

    TypeInto(title, "Target B");
    ASSERT_TRUE(shows(handle, HandleText(b.hWnd())));
    choose(" Normal", " Close Window");
    EXPECT_TRUE(Eventually([&] { return b.Ended(); }));
    EXPECT_TRUE(shows(handle, "0"));
    EXPECT_TRUE(IsWindow(a.hWnd()));
    Click(paneherd.Button("&Close"));
    EXPECT_TRUE(Eventually([&] { return paneherd.Ended(); }));
}

TEST(PaneherdProgram, EndsOnACloseSentByAnotherProgram) {
    const std::string caption = "  Paneherd     [ Screen Size : " +
                                std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                                std::to_string(GetSystemMetrics(SM_CYSCREEN)) + " ]";
    rt::test::ExpectEndsOnSentCloses("Paneherd.exe", caption);
    // With a box open: a letter put into the X box by another program, and
    // GO with no window chosen, whose box its run would hold the close for.
    rt::test::ExpectEndsOnCloseSentOverBox(
        "Paneherd.exe", caption, "  Non-Numeric Value Entered", [](HWND main) {
            POINT x{105 / rt::Screen::TwipsPerPixelX() + 3, 2100 / rt::Screen::TwipsPerPixelY() + 3};
            HWND field = ChildWindowFromPointEx(main, x, CWP_SKIPINVISIBLE);
            ASSERT_NE(field, nullptr);
            rt::test::PutText(field, "x");
        });
    rt::test::ExpectEndsOnCloseSentOverBox("Paneherd.exe", caption, "  No Window Found",
                                           [](HWND main) {
                                               CaptionSearch go{"&GO"};
                                               EnumChildWindows(main, MatchCaption,
                                                                reinterpret_cast<LPARAM>(&go));
                                               ASSERT_NE(go.found, nullptr);
                                               PostMessageW(go.found, BM_CLICK, 0, 0);
                                           });
}

} // namespace
} // namespace paneherd::testing
