// The sample window and the colour commands on the real desktop: clicking the
// sample's parts with the mouse, the element list, picking, changing and
// undoing system colours, and what the sample shows afterwards.
#include <windows.h>

#include <set>
#include <vector>

#include <rt.h>
#include <rt/scripted_user.h>

#include "elements.h"
#include "fixture.h"
#include "frmMain.h"
#include "modCOMDLG32.h"
#include "modOS_Info.h"
#include "test_support.h"

namespace decorum {
namespace {

using testing::ClickAt;
using testing::MainWindowTest;

// What one element shows once selected.
void ExpectSelected(frmMain& form, const char* name) {
    const ScreenElement* element = FindElement(name);
    ASSERT_NE(element, nullptr) << name;
    EXPECT_EQ(form.cboWhatToChange.Text(), name);
    EXPECT_EQ(form.lblWhatsSelected.Caption(), element->Description);
    EXPECT_EQ(form.lblTheCurrentColor.BackColor(), static_cast<long>(GetSysColor(element->Index)));
}

class SampleTest : public MainWindowTest {};

TEST_F(SampleTest, TheListHoldsEveryElementInOrderAndShowsWhatIsChosen) {
    frmMain& form = Start();
    EXPECT_EQ(form.cboWhatToChange.ListIndex(), -1);
    EXPECT_EQ(form.lblWhatsSelected.Caption(), "");
    ASSERT_EQ(form.cboWhatToChange.ListCount(), 28);
    std::set<int> indexes;
    for (int i = 0; i < 28; ++i) {
        const ScreenElement& e = ScreenElements()[static_cast<size_t>(i)];
        EXPECT_EQ(form.cboWhatToChange.List(i), e.Name); // the table is in the list's order
        indexes.insert(e.Index);
        form.cboWhatToChange.ListIndex(i); // as the user chooses it
        ExpectSelected(form, e.Name);
    }
    EXPECT_EQ(indexes.size(), 28u);
    EXPECT_EQ(ElementIndex("color_activeborder"), 10);
    EXPECT_EQ(ElementIndex("COLOR_NOTHING"), -1);
}

TEST_F(SampleTest, ClickingThePartsOfTheSampleSelectsTheirElements) {
    frmMain& form = Start();
    // Spots inside the sample desktop (twips from its top left) as a user
    // would click them, and the element each one colours.
    const std::pair<POINT, const char*> spots[] = {
        {{150, 2100}, "COLOR_DESKTOP"},
        {{2500, 400}, "COLOR_INACTIVECAPTION"},
        {{600, 400}, "COLOR_INACTIVECAPTIONTEXT"},
        {{3500, 400}, "COLOR_GRADIENTINACTIVECAPTION"},
        {{4300, 400}, "COLOR_GRADIENTINACTIVECAPTION"},
        {{4800, 400}, "COLOR_BTNFACE"}, // minimise and maximise
        {{5200, 400}, "COLOR_BTNFACE"}, // close
        {{2500, 850}, "COLOR_ACTIVECAPTION"},
        {{700, 850}, "COLOR_CAPTIONTEXT"},
        {{2800, 850}, "COLOR_GRADIENTACTIVECAPTION"},
        {{3000, 850}, "COLOR_GRADIENTACTIVECAPTION"},
        {{3400, 850}, "COLOR_BTNFACE"},
        {{3850, 850}, "COLOR_BTNFACE"},
        {{3500, 1150}, "COLOR_MENU"},
        {{650, 1150}, "COLOR_MENUTEXT"},
        {{1450, 1150}, "COLOR_GRAYTEXT"},
        {{2300, 1150}, "COLOR_HIGHLIGHT"},
        {{2500, 1150}, "COLOR_HIGHLIGHTTEXT"},
        {{2500, 1800}, "COLOR_WINDOW"},
        {{800, 1550}, "COLOR_WINDOWTEXT"},
        {{3870, 1900}, "COLOR_SCROLLBAR"}, // the down arrow
        {{2000, 2040}, "COLOR_BTNFACE"},   // the active window below its text area
        {{5600, 2050}, "COLOR_INFOBK"},
        {{4850, 1900}, "COLOR_INFOTEXT"},
        {{4300, 1650}, "COLOR_BTNFACE"}, // the inactive window
        {{4300, 900}, "COLOR_WINDOWTEXT"},
        {{4400, 1300}, "COLOR_BTNFACE"}, // the OK button's face
        {{4700, 1300}, "COLOR_BTNTEXT"},
    };
    for (const auto& [spot, name] : spots) {
        SCOPED_TRACE(name);
        SCOPED_TRACE(std::to_string(spot.x) + "," + std::to_string(spot.y));
        form.cboWhatToChange.ListIndex(-1);
        ClickAt(form.DesktopBackground.hWnd(), spot.x, spot.y);
        rt::test::WaitFor([&] { return form.cboWhatToChange.Text() != ""; }, 3000);
        ExpectSelected(form, name);
    }
    // The description label empties when clicked; the selection stays.
    ClickAt(form.DesktopBackground.hWnd(), 2800, 2400);
    EXPECT_TRUE(rt::test::WaitFor([&] { return form.lblWhatsSelected.Caption() == ""; }, 3000));
    EXPECT_EQ(form.cboWhatToChange.Text(), "COLOR_BTNTEXT");
    EXPECT_EQ(form.lblTheCurrentColor.BackColor(), static_cast<long>(GetSysColor(COLOR_BTNTEXT)));
}

// Without gradient captions the bars are plain, and their ends and the
// gradients' own spots select the plain caption.
TEST_F(SampleTest, SystemsWithoutGradientCaptionsShowAndSelectThePlainCaption) {
    SetVersionQuery([](OSVERSIONINFOA& info) {
        info.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
        info.dwMajorVersion = 4;
        info.dwMinorVersion = 0;
        return TRUE;
    });
    frmMain& form = Start();
    EXPECT_EQ(gOSCode, 95);
    EXPECT_FALSE(form.GradientActiveTitleBar.Visible());
    EXPECT_FALSE(form.GradientInactiveTitleBar.Visible());
    const int last = static_cast<int>(form.ActiveTitleBar.Width() / rt::Screen::TwipsPerPixelX()) - 1;
    for (int x : {0, 50, last})
        EXPECT_EQ(GetPixel(form.ActiveTitleBar.SurfaceDC(), x, 5), GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(form.ActiveTitleBar1.BackColor(), static_cast<long>(0x80000002));
    for (auto [x, y, name] : {std::tuple{4300, 400, "COLOR_INACTIVECAPTION"},
                              {3000, 850, "COLOR_ACTIVECAPTION"},
                              {3500, 400, "COLOR_INACTIVECAPTION"},
                              {2800, 850, "COLOR_ACTIVECAPTION"}}) {
        SCOPED_TRACE(name);
        form.cboWhatToChange.ListIndex(-1);
        ClickAt(form.DesktopBackground.hWnd(), x, y);
        rt::test::WaitFor([&] { return form.cboWhatToChange.Text() != ""; }, 3000);
        ExpectSelected(form, name);
    }
    EXPECT_EQ(form.lblWhatsSelected.Caption(), "Active Window's Color");
}

// ---- Changing and undoing

class ColourTest : public MainWindowTest {
  protected:
    // The colour dialog answers OK with this colour.
    void PickNext(COLORREF colour) {
        CD_Calls().ChooseColor = [this, colour](CHOOSECOLORA& record) {
            dialogStart = record.rgbResult;
            record.rgbResult = colour;
            return DialogAnswer{TRUE, 0};
        };
    }
    void Choose(frmMain& form, const char* name) {
        form.cboWhatToChange.ListIndex(-1);
        for (int i = 0; i < form.cboWhatToChange.ListCount(); ++i)
            if (form.cboWhatToChange.List(i) == name) form.cboWhatToChange.ListIndex(i);
    }
    // What the screen shows at a spot of the sample desktop.
    COLORREF Shown(frmMain& form, long x, long y) {
        rt::DoEvents();
        UpdateWindow(form.hWnd());
        POINT p{x / rt::Screen::TwipsPerPixelX(), y / rt::Screen::TwipsPerPixelY()};
        ClientToScreen(form.DesktopBackground.hWnd(), &p);
        rt::WindowDC screen(nullptr);
        return GetPixel(screen, p.x, p.y);
    }
    COLORREF dialogStart = 0;
};

TEST_F(ColourTest, ChangeAppliesThePickedColourEverywhereAndUndoPutsItBack) {
    frmMain& form = Start();
    const COLORREF desktop = GetSysColor(COLOR_DESKTOP);
    Choose(form, "COLOR_DESKTOP");
    PickNext(RGB(12, 34, 56));
    form.cmdPickColor.Press();
    EXPECT_EQ(dialogStart, desktop); // starts on the element's colour
    EXPECT_EQ(form.lblPickedColor.BackColor(), RGB(12, 34, 56));
    EXPECT_EQ(gPickedColor, RGB(12, 34, 56));

    form.cmdChangeToColor.Press();
    EXPECT_EQ(GetSysColor(COLOR_DESKTOP), RGB(12, 34, 56));
    EXPECT_EQ(Shown(form, 150, 2100), RGB(12, 34, 56)); // the sample repainted at once
    EXPECT_EQ(form.lblTheCurrentColor.BackColor(), static_cast<long>(desktop)); // until reselected

    form.cmdUndo.Press();
    EXPECT_EQ(GetSysColor(COLOR_DESKTOP), desktop);
    EXPECT_EQ(Shown(form, 150, 2100), desktop);
    form.cmdUndo.Press(); // one level: the same colour again
    EXPECT_EQ(GetSysColor(COLOR_DESKTOP), desktop);

    CD_Calls().ChooseColor = [](CHOOSECOLORA&) { return DialogAnswer{FALSE, 0}; };
    form.cmdPickColor.Press(); // Cancel leaves the picked colour
    EXPECT_EQ(gPickedColor, RGB(12, 34, 56));
    EXPECT_EQ(form.lblPickedColor.BackColor(), RGB(12, 34, 56));
    EXPECT_TRUE(user.Boxes.empty());
}

// At start: Undo changes nothing, Change with nothing chosen says so, and
// Change applies the swatch's black. Undo restores the element that was
// changed, whatever is selected now.
TEST_F(ColourTest, UndoRestoresOnlyTheElementThatWasChanged) {
    frmMain& form = Start();
    Choose(form, "COLOR_WINDOW");
    const testing::SavedColours before;
    form.cmdUndo.Press();
    for (int i = 0; i < 31; ++i) EXPECT_EQ(GetSysColor(i), before.Original(i)) << i;
    EXPECT_TRUE(user.Boxes.empty());

    form.cboWhatToChange.ListIndex(-1);
    form.cmdChangeToColor.Press();
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].Prompt, "Nothing selected to change");
    EXPECT_EQ(user.MessageBoxes()[0].Title, " ");
    EXPECT_EQ(user.MessageBoxes()[0].Style, 48);
    const COLORREF info = GetSysColor(COLOR_INFOBK), window = GetSysColor(COLOR_WINDOW);
    Choose(form, "COLOR_INFOBK");
    form.cmdChangeToColor.Press();
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(0, 0, 0));
    Choose(form, "COLOR_WINDOW");
    form.cmdUndo.Press();
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), info);
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), window);
}

TEST_F(ColourTest, TheDrawnTitleBarsFollowAChangeOfTheirColours) {
    frmMain& form = Start();
    const COLORREF before = GetSysColor(COLOR_GRADIENTACTIVECAPTION);
    const int last = static_cast<int>(form.ActiveTitleBar.Width() / rt::Screen::TwipsPerPixelX()) - 1;
    auto barEnd = [&] { return GetPixel(form.ActiveTitleBar.SurfaceDC(), last, 5); };
    Choose(form, "COLOR_GRADIENTACTIVECAPTION");
    PickNext(RGB(0, 255, 0));
    form.cmdPickColor.Press();
    form.cmdChangeToColor.Press();
    EXPECT_EQ(barEnd(), RGB(0, 255, 0));
    EXPECT_EQ(form.ActiveTitleBar1.BackColor(), RGB(0, 255, 0));
    form.cmdUndo.Press();
    EXPECT_EQ(barEnd(), before);
}

// The sample OK button's two rings of edges, light above and left, dark below
// and right, each showing its own system colour after a change of it.
TEST_F(ColourTest, TheSampleButtonsFourEdgesShowTheirColours) {
    frmMain& form = Start();
    // The button's face in twips of the sample desktop, and one pixel.
    const long left = 4320, top = 1155, right = left + 855, bottom = top + 345;
    const long px = rt::Screen::TwipsPerPixelX(), py = rt::Screen::TwipsPerPixelY();
    const long midX = left + 855 / 2, midY = top + 345 / 2;
    // Spots of each edge, the right ones clear of the pointer picture that
    // stands over the button's lower right end.
    const struct {
        const char* name;
        COLORREF colour;
        std::vector<POINT> spots;
    } edges[] = {
        {"COLOR_3DLIGHT", RGB(250, 10, 10), {{midX, top - 2 * py}, {left - 2 * px, midY}}},
        {"COLOR_BTNHIGHLIGHT", RGB(10, 250, 10), {{midX, top - py}, {left - px, midY}}},
        {"COLOR_3DDKSHADOW", RGB(10, 10, 250), {{midX, bottom + py}, {right + px, top + 3 * py}}},
        {"COLOR_BTNSHADOW", RGB(250, 250, 10), {{midX, bottom}, {right, top + 3 * py}}},
    };
    for (const auto& edge : edges) {
        SCOPED_TRACE(edge.name);
        for (POINT p : edge.spots)
            EXPECT_EQ(Shown(form, p.x, p.y), GetSysColor(ElementIndex(edge.name)));
        Choose(form, edge.name);
        PickNext(edge.colour);
        form.cmdPickColor.Press();
        form.cmdChangeToColor.Press();
        for (POINT p : edge.spots) EXPECT_EQ(Shown(form, p.x, p.y), edge.colour);
    }
    // Each edge kept its own colour while the others changed.
    for (const auto& edge : edges)
        for (POINT p : edge.spots) EXPECT_EQ(Shown(form, p.x, p.y), edge.colour) << edge.name;
    EXPECT_TRUE(user.Boxes.empty());
}

// A window that, like many, leaves a last error behind when the colours change.
LRESULT CALLBACK LeavesALastError(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SYSCOLORCHANGE) SetLastError(ERROR_ACCESS_DENIED);
    return DefWindowProcW(w, msg, wp, lp);
}

TEST_F(ColourTest, AChangeThatSucceededIsNotReportedAsAFailure) {
    WNDCLASSW cls{};
    cls.lpfnWndProc = &LeavesALastError;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"DecorumLastErrorWindow";
    RegisterClassW(&cls);
    HWND other = CreateWindowW(cls.lpszClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr,
                               nullptr, cls.hInstance, nullptr);
    frmMain& form = Start();
    Choose(form, "COLOR_HIGHLIGHT");
    PickNext(RGB(9, 99, 199));
    form.cmdPickColor.Press();
    form.cmdChangeToColor.Press();
    form.cmdUndo.Press();
    EXPECT_TRUE(user.Boxes.empty());
    DestroyWindow(other);
    UnregisterClassW(cls.lpszClassName, cls.hInstance);
}

} // namespace
} // namespace decorum
