// Choosing the target by class and the live position fields, in the window.
#include <algorithm>

#include "fixture.h"

namespace paneherd::testing {
namespace {

using Selection = PaneherdTest;

int Caret(HWND edit) {
    DWORD start = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

// The lines of a combo box's list.
std::vector<std::string> Items(const rt::ComboBox& combo) {
    std::vector<std::string> items;
    for (int i = 0; i < combo.ListCount(); ++i) items.push_back(combo.List(i));
    return items;
}

// Both lists name the class of every top-level window, hidden ones too, once
// per window; a window that opens later is listed once the lists are refreshed.
TEST_F(Selection, TheClassListsNameEveryWindowAndRefreshTakesInNewOnes) {
    TargetProgram target("Listed target", 200, 150, true);
    ShowWindow(target.Bystander(), SW_HIDE);
    frmMain& main = Start();
    auto listed = [&](const rt::ComboBox& combo) {
        const auto items = Items(combo);
        return std::count(items.begin(), items.end(), "PaneherdTarget");
    };
    EXPECT_EQ(listed(main.txtClassName), 2);
    EXPECT_EQ(listed(main.txtClassName1), 2);

    TargetProgram later("Later target", 300, 200);
    EXPECT_EQ(listed(main.txtClassName), 2) << "taken in before it was asked for";
    main.cmdRefreshClassList.Press();
    EXPECT_EQ(listed(main.txtClassName), 3);
    EXPECT_EQ(listed(main.txtClassName1), 3);
    auto unsorted = Items(main.txtClassName), sorted = Items(main.txtClassName1);
    std::sort(unsorted.begin(), unsorted.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, unsorted) << "the two lists hold the same names";
    EXPECT_TRUE(Boxes().empty());
}

// Each key looks the class up; what is typed stays as typed, caret included,
// whether anything matches or not, in either combo.
TEST_F(Selection, TypingAClassKeepsTheTypedTextAndSelectsItsFirstWindow) {
    TargetProgram target("Typed class target");
    frmMain& main = Start();
    for (int sorted : {0, 1}) {
        SCOPED_TRACE(sorted ? "sorted combo" : "unsorted combo");
        main.txtClassName1.Text("PaneherdTarget");
        main.chkSort.Value(sorted);
        EXPECT_EQ(main.txtClassName1.Text() + main.txtClassName.Text(), "") << "both emptied";
        rt::ComboBox& combo = sorted ? main.txtClassName1 : main.txtClassName;
        rt::ComboBox& other = sorted ? main.txtClassName : main.txtClassName1;
        EXPECT_TRUE(IsWindowVisible(combo.hWnd()) && !IsWindowVisible(other.hWnd()));
        HWND edit = FindWindowExW(combo.hWnd(), nullptr, L"Edit", nullptr);
        SetFocus(edit);
        Type(edit, "paneherd");
        EXPECT_EQ(combo.Text(), "paneherd") << "no match empties nothing";
        EXPECT_EQ(Caret(edit), 8);
        EXPECT_EQ(main.txtHandle.Text() + main.txtClass.Text(), "0");

        Type(edit, "target"); // the class in other letters
        EXPECT_EQ(combo.Text(), "paneherdtarget") << "a match rewrites nothing typed";
        EXPECT_EQ(Caret(edit), 14);
        ASSERT_NE(main.TargetWindow, nullptr);
        EXPECT_EQ(main.txtClass.Text(), "PaneherdTarget");
        EXPECT_EQ(other.Text(), "PaneherdTarget") << "the other combo shows what was found";
        EXPECT_EQ(main.txtHandle.Text(), HandleText(main.TargetWindow));
        EXPECT_EQ(main.txtTitlebar.Text(), rt::test::WindowText(main.TargetWindow));
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Selection, TheFieldsFollowTheTargetUntilTheUserEditsOne) {
    TargetProgram target("Live target", 200, 150);
    frmMain& main = Start(&target);
    auto fields = [&] {
        return main.txtX.Text() + "," + main.txtY.Text() + "," + main.txtWidth.Text() + "," +
               main.txtHeight.Text();
    };
    EXPECT_EQ(fields(), "200,150,320,240");
    // The caret of the field the user is in stays put while the target stands still.
    SetFocus(main.txtY.hWnd());
    main.txtY.SelStart(1);
    Pause(800);
    EXPECT_EQ(main.txtY.SelStart(), 1);

    SetWindowPos(target.hWnd(), nullptr, 30, 60, 350, 250, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Eventually([&] { return fields() == "30,60,350,250"; }));
    // Any edit holds all four, until the next selection.
    Type(main.txtX.hWnd(), "1");
    EXPECT_TRUE(main.HoldPosition);
    SetWindowPos(target.hWnd(), nullptr, 40, 70, 360, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    Pause(800);
    EXPECT_EQ(fields(), "130,60,350,250");
    main.txtTitlebar.Text(target.Caption());
    EXPECT_TRUE(Eventually([&] { return fields() == "40,70,360,260"; }));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Selection, PositionFieldsTakeNumbersAndAMinusWhereACoordinateCanBeNegative) {
    frmMain& main = Start();
    Type(main.txtX.hWnd(), "-8");
    Type(main.txtY.hWnd(), "-");
    EXPECT_EQ(main.txtX.Text() + main.txtY.Text(), "-8-");
    EXPECT_TRUE(Boxes().empty());
    Type(main.txtWidth.hWnd(), "-");
    Type(main.txtHeight.hWnd(), "12a");
    Type(main.txtY.hWnd(), "x");
    EXPECT_EQ(main.txtWidth.Text() + main.txtHeight.Text() + main.txtY.Text(), "") << "emptied";
    EXPECT_EQ(Boxes(), std::vector<std::string>(3, "  Non-Numeric Value Entered|You can only "
                                                   "have numbers in this field.|48"));
}

} // namespace
} // namespace paneherd::testing
