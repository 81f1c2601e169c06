// Decorum.exe started as a program of its own and driven from this process
// as a user would: mouse clicks on the sample, the buttons, the real colour
// dialog and the message boxes, with the system's state read back here.
#include <windows.h>

#include <rt.h>

#include "fixture.h"
#include "test_support.h"
#include "wallpaper.h"

namespace decorum {
namespace {

using rt::test::WaitFor;

constexpr DWORD kWaitMs = 15000;

// Decorum started with the Windows version Wine should report to it (none:
// Wine's own), ended if the test leaves early.
class Program : public rt::test::Program {
  public:
    explicit Program(const char* version = nullptr)
        : rt::test::Program(Reporting(version)), version_(version) {
        main_ = Window("  Decorum", kWaitMs);
    }
    ~Program() {
        Kill();
        if (version_) RegDeleteTreeW(HKEY_CURRENT_USER, kAppDefaults);
    }

    HWND Main() const { return main_; }

    HWND Button(const wchar_t* caption) const { return Find(main_, L"Button", caption); }
    // The element list: the combo box with 28 entries.
    HWND Elements() const {
        for (HWND c = FindWindowExW(main_, nullptr, L"ComboBox", nullptr); c;
             c = FindWindowExW(main_, c, L"ComboBox", nullptr))
            if (SendMessageW(c, CB_GETCOUNT, 0, 0) == 28) return c;
        return nullptr;
    }
    HWND PathBox() const {
        for (HWND c = FindWindowExW(main_, nullptr, L"Edit", nullptr); c;
             c = FindWindowExW(main_, c, L"Edit", nullptr))
            if (!(GetWindowLongW(c, GWL_STYLE) & ES_READONLY)) return c;
        return nullptr;
    }
    // Presses a button as a click does.
    void Press(HWND button) const {
        ASSERT_NE(button, nullptr);
        PostMessageW(button, BM_CLICK, 0, 0);
    }
    // A click of the mouse at a spot of the window's inside, in twips: the
    // button pressed and released over whatever window lies there.
    void Click(long x, long y) const {
        POINT p{x / 15, y / 15};
        HWND target = main_;
        // Down to the innermost window at the spot, the topmost of overlapping ones.
        for (HWND child; (child = ChildWindowFromPointEx(target, p, CWP_SKIPINVISIBLE)) &&
                         child != target;) {
            MapWindowPoints(target, child, &p, 1);
            target = child;
        }
        const LPARAM at = MAKELPARAM(p.x, p.y);
        PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(target, WM_LBUTTONUP, 0, at);
    }

    // What the screen shows at a spot of the window's inside, in twips.
    COLORREF Shown(long x, long y) const {
        POINT p{x / 15, y / 15};
        ClientToScreen(main_, &p);
        rt::WindowDC screen(nullptr);
        return GetPixel(screen, p.x, p.y);
    }
    // A box (or dialog) of the program's with this caption, waited for.
    HWND Box(const std::string& caption) const {
        const std::wstring text = rt::Wide(caption);
        HWND found = nullptr;
        WaitFor([&] {
            for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", text.c_str()); w;
                 w = FindWindowExW(nullptr, w, L"#32770", text.c_str())) {
                DWORD pid = 0;
                GetWindowThreadProcessId(w, &pid);
                if (pid == Id() && IsWindowVisible(w)) return (found = w) != nullptr;
            }
            return false;
        }, kWaitMs);
        return found;
    }

    static HWND Find(HWND parent, const wchar_t* cls, const wchar_t* text) {
        HWND found = FindWindowExW(parent, nullptr, cls, text);
        if (found) return found;
        for (HWND c = GetWindow(parent, GW_CHILD); c && !found; c = GetWindow(c, GW_HWNDNEXT))
            found = Find(c, cls, text);
        return found;
    }

  private:
    static constexpr const wchar_t* kAppDefaults = L"Software\\Wine\\AppDefaults\\Decorum.exe";
    // Sets the version Wine reports to Decorum before it starts.
    static std::string Reporting(const char* version) {
        if (version) {
            rt::RegKey k;
            RegCreateKeyExW(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                            &k.Handle(), nullptr);
            const std::wstring v = rt::Wide(version);
            RegSetValueExW(k, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(v.c_str()),
                           static_cast<DWORD>((v.size() + 1) * sizeof(wchar_t)));
        }
        return "Decorum.exe";
    }
    const char* version_;
    HWND main_ = nullptr;
};

// The text a message box shows.
std::string BoxText(HWND box) { return rt::test::WindowText(GetDlgItem(box, 0xFFFF)); }


// The entry a drop-down list shows.
std::string Chosen(HWND combo) {
    const LRESULT entry = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (entry < 0) return {};
    wchar_t text[256] = {};
    if (SendMessageW(combo, CB_GETLBTEXTLEN, entry, 0) >= 256) return {};
    SendMessageW(combo, CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(text));
    return rt::Utf8(text);
}

// Waits until a drop-down list shows the entry `expected`.
bool ChoiceBecomes(HWND combo, const std::string& expected) {
    return WaitFor([&] { return Chosen(combo) == expected; }, kWaitMs);
}

class EndToEnd : public ::testing::Test {
  protected:
    testing::SavedColours colours;
    testing::SavedWallpaper wallpaper;
};

TEST_F(EndToEnd, ColoursAreSelectedChangedAndPutBackFromOutside) {
    Program decorum;
    ASSERT_NE(decorum.Main(), nullptr);
    HWND elements = decorum.Elements();
    ASSERT_NE(elements, nullptr);

    // Change To Color with nothing chosen.
    decorum.Press(decorum.Button(L"C&hange To Color"));
    HWND box = decorum.Box(" ");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), "Nothing selected to change");
    rt::test::PressButton(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, kWaitMs));

    // The sample's desktop, clicked: 120 + 150, 120 + 2100 twips inside the window.
    decorum.Click(270, 2220);
    ASSERT_TRUE(ChoiceBecomes(elements, "COLOR_DESKTOP"));
    EXPECT_NE(Program::Find(decorum.Main(), L"Static", L"Desktop Background Color"), nullptr);

    // The real colour dialog: red 10, green 200, blue 30.
    const COLORREF before = GetSysColor(COLOR_DESKTOP);
    decorum.Press(decorum.Button(L"&Pick Color"));
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        dialog = FindWindowW(L"#32770", nullptr);
        return dialog && GetDlgItem(dialog, 706) && IsWindowVisible(dialog);
    }, kWaitMs));
    for (auto [id, value] : {std::pair{706, L"10"}, {707, L"200"}, {708, L"30"}}) {
        SendMessageW(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value));
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, EN_UPDATE),
                     reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
    }
    rt::test::PressButton(dialog, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }, kWaitMs));

    // This process keeps the colours it read at its start: the change is
    // seen where the user sees it, on the screen.
    decorum.Press(decorum.Button(L"C&hange To Color"));
    EXPECT_TRUE(WaitFor([&] { return decorum.Shown(270, 2220) == RGB(10, 200, 30); }, kWaitMs));
    decorum.Press(decorum.Button(L"&Undo Change"));
    EXPECT_TRUE(WaitFor([&] { return decorum.Shown(270, 2220) == before; }, kWaitMs));

    decorum.Press(decorum.Button(L"&Close"));
    EXPECT_TRUE(decorum.Ended(kWaitMs));
}

TEST_F(EndToEnd, TheVersionWineReportsDecidesWhatTheTitleBarsEndSelects) {
    for (auto [version, expected] : {std::pair{"win95", "COLOR_INACTIVECAPTION"},
                                     {"win2k", "COLOR_GRADIENTINACTIVECAPTION"}}) {
        SCOPED_TRACE(version);
        Program decorum(version);
        ASSERT_NE(decorum.Main(), nullptr);
        decorum.Click(120 + 4300, 120 + 400); // the right end of the inactive title bar
        EXPECT_TRUE(ChoiceBecomes(decorum.Elements(), expected));
        decorum.Press(decorum.Button(L"&Close"));
        EXPECT_TRUE(decorum.Ended(kWaitMs));
    }
}

TEST_F(EndToEnd, WallpaperAndDisplayModeFromOutside) {
    rt::test::TempFolder folder;
    const std::string sky = folder / "Sky.bmp";
    testing::WriteBitmap(sky, 16, 16, RGB(200, 100, 0));
    Program decorum;
    ASSERT_NE(decorum.Main(), nullptr);
    HWND path = decorum.PathBox();
    ASSERT_NE(path, nullptr);

    SendMessageW(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rt::Wide(sky).c_str()));
    decorum.Press(decorum.Button(L"Change"));
    EXPECT_TRUE(WaitFor([&] { return testing::WinIniDesktop("Wallpaper") == sky; }, kWaitMs));
    EXPECT_EQ(testing::RegistryText(HKEY_CURRENT_USER, kDesktopKey, "Wallpaper"), sky);
    decorum.Press(decorum.Button(L"Tile Wallpaper"));
    EXPECT_TRUE(WaitFor([] {
        return testing::RegistryText(HKEY_CURRENT_USER, kDesktopKey,
                                     "TileWallpaper") == std::optional<std::string>("1");
    }, kWaitMs));

    const std::string missing = folder / "Skye.bmp";
    SendMessageW(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rt::Wide(missing).c_str()));
    decorum.Press(decorum.Button(L"Change"));
    HWND box = decorum.Box("  Decorum");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), "There was an error while trying to set the Desktop Wallpaper.  The "
                            "following was the error that occured :\r\rError Number : 53\r"
                            "Error Description : File not found");
    rt::test::PressButton(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, kWaitMs));
    EXPECT_EQ(testing::WinIniDesktop("Wallpaper"), sky);

    decorum.Press(decorum.Button(L"1&280 x 1024"));
    box = decorum.Box("  Decorum");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(BoxText(box), "Screen Resolution not supported");
    rt::test::PressButton(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }, kWaitMs));
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);

    decorum.Press(decorum.Button(L"&Close"));
    EXPECT_TRUE(decorum.Ended(kWaitMs));
}

TEST_F(EndToEnd, EndsOnACloseSentByAnotherProgram) {
    rt::test::ExpectEndsOnSentCloses("Decorum.exe", "  Decorum");
}

TEST_F(EndToEnd, ClosedFromOutsideWithTheAboutBoxOpenBothGo) {
    Program decorum;
    ASSERT_NE(decorum.Main(), nullptr);
    decorum.Press(decorum.Button(L"&About"));
    HWND about = decorum.Window(" ", kWaitMs);
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(IsWindowEnabled(decorum.Main()));

    EXPECT_TRUE(rt::test::Send(decorum.Main(), rt::test::kSentCloses[0]));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }, kWaitMs)) << "the About box stayed";
    EXPECT_EQ(decorum.Wait(kWaitMs), 0u) << "the program did not end by itself";
}

} // namespace
} // namespace decorum
