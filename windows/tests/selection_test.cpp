// Choosing the target in the main window, by class and by title, and the live
// position fields that follow it.
#include <algorithm>

#include <rt/convert.h>

#include "fixture.h"

namespace paneherd::testing {
namespace {

const std::string kClass = "PaneherdTarget";

std::string HandleText(HWND w) {
    return std::to_string(static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w)));
}

std::vector<std::string> Entries(const rt::ComboBox& combo) {
    std::vector<std::string> entries;
    for (int i = 0; i < combo.ListCount(); ++i) entries.push_back(combo.List(i));
    return entries;
}

// Where the caret of a combo's edit field stands.
int Caret(HWND edit) {
    DWORD start = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

using Selection = PaneherdTest;

TEST_F(Selection, StartsTopmostWithTheScreenSizeAndTheClassesOfEveryWindow) {
    TargetProgram target("Start target");
    frmMain& main = Start();
    EXPECT_EQ(main.Caption(), "  Paneherd     [ Screen Size : " +
                                  std::to_string(GetSystemMetrics(SM_CXSCREEN)) + "x" +
                                  std::to_string(GetSystemMetrics(SM_CYSCREEN)) + " ]");
    EXPECT_TRUE(Topmost(main.hWnd()));
    EXPECT_EQ(main.txtHandle.Text(), "0");
    EXPECT_TRUE(IsWindowVisible(main.txtClassName1.hWnd()));
    EXPECT_FALSE(IsWindowVisible(main.txtClassName.hWnd()));
    EXPECT_EQ(main.chkSort.Value(), rt::vbChecked);

    std::vector<std::string> sorted = Entries(main.txtClassName1);
    std::vector<std::string> unsorted = Entries(main.txtClassName);
    EXPECT_NE(std::find(sorted.begin(), sorted.end(), kClass), sorted.end());
    EXPECT_TRUE(std::is_sorted(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return lstrcmpiW(rt::Wide(a).c_str(), rt::Wide(b).c_str()) < 0;
    }));
    std::sort(unsorted.begin(), unsorted.end());
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, unsorted) << "the same classes in both lists";

    // A window opened later is listed after Refresh.
    TargetProgram::Options options;
    options.Bystander = true;
    TargetProgram more("Start target 2", options);
    const auto count = [&] {
        auto e = Entries(main.txtClassName);
        return std::count(e.begin(), e.end(), kClass);
    };
    const long before = count();
    main.cmdRefreshClassList.Press();
    EXPECT_EQ(count(), before + 2);
    EXPECT_EQ(main.txtClassName1.ListCount(), main.txtClassName.ListCount());
}

TEST_F(Selection, SortedOffEmptiesBothTextsAndShowsTheListInDesktopOrder) {
    frmMain& main = Start();
    main.txtClassName1.Text("Whatever");
    main.chkSort.Value(rt::vbUnchecked);
    EXPECT_EQ(main.txtClassName.Text(), "");
    EXPECT_EQ(main.txtClassName1.Text(), "");
    EXPECT_TRUE(IsWindowVisible(main.txtClassName.hWnd()));
    EXPECT_FALSE(IsWindowVisible(main.txtClassName1.hWnd()));
    main.chkSort.Value(rt::vbChecked);
    EXPECT_TRUE(IsWindowVisible(main.txtClassName1.hWnd()));
    EXPECT_FALSE(IsWindowVisible(main.txtClassName.hWnd()));
}

// Typing a class: each key looks the class up; what is typed stays as typed,
// whether anything matches or not, in either combo.
TEST_F(Selection, TypingAClassKeepsTheTypedTextAndSelectsItsFirstWindow) {
    TargetProgram target("Typed class target");
    frmMain& main = Start();
    for (bool sorted : {true, false}) {
        SCOPED_TRACE(sorted ? "sorted combo" : "unsorted combo");
        main.chkSort.Value(sorted ? rt::vbChecked : rt::vbUnchecked);
        rt::ComboBox& combo = sorted ? main.txtClassName1 : main.txtClassName;
        HWND edit = EditOf(combo);
        SetFocus(edit);
        Type(edit, "paneherd");
        EXPECT_EQ(combo.Text(), "paneherd") << "no match empties nothing";
        EXPECT_EQ(Caret(edit), 8);
        EXPECT_EQ(main.txtHandle.Text(), "0");
        EXPECT_EQ(main.txtClass.Text(), "");

        Type(edit, "target"); // the class, typed in other letters
        EXPECT_EQ(combo.Text(), "paneherdtarget") << "a match rewrites nothing typed";
        EXPECT_EQ(Caret(edit), 14);
        ASSERT_NE(main.TargetWindow, nullptr);
        EXPECT_EQ(main.txtClass.Text(), kClass);
        EXPECT_EQ(main.txtHandle.Text(), HandleText(main.TargetWindow));
        EXPECT_EQ(rt::test::WindowText(main.TargetWindow), main.txtTitlebar.Text());
        rt::ComboBox& other = sorted ? main.txtClassName : main.txtClassName1;
        EXPECT_EQ(other.Text(), kClass) << "the other combo shows what was found";
        Clear(edit);
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Selection, ChoosingAClassFromTheListOrTypingOneNoWindowHas) {
    TargetProgram target("Chosen class target");
    frmMain& main = Start();
    const auto entries = Entries(main.txtClassName1);
    const int index = int(std::find(entries.begin(), entries.end(), kClass) - entries.begin());
    ASSERT_LT(index, main.txtClassName1.ListCount());
    main.txtClassName1.ListIndex(index);
    // The first window of the class has a title: the first window of that
    // title becomes the target, here the same one.
    const HWND first = FindWindowW(rt::Wide(kClass).c_str(), nullptr);
    EXPECT_EQ(main.TargetWindow, first);
    EXPECT_EQ(main.txtTitlebar.Text(), rt::test::WindowText(first));
    EXPECT_EQ(main.txtClass.Text(), kClass);

    main.txtClassName1.Text("NoWindowHasThisClass");
    EXPECT_EQ(main.TargetWindow, nullptr);
    EXPECT_EQ(main.txtHandle.Text(), "0");
    EXPECT_EQ(main.txtClass.Text(), "");
    EXPECT_EQ(main.txtTitlebar.Text(), "");
}

TEST_F(Selection, TypingATitleSelectsTheWindowWithExactlyThatTitle) {
    TargetProgram target("Title target");
    frmMain& main = Start();
    SetFocus(main.txtTitlebar.hWnd());
    Type(main.txtTitlebar.hWnd(), "Title");
    EXPECT_EQ(main.txtHandle.Text(), "0") << "a part of the title matches nothing";
    Type(main.txtTitlebar.hWnd(), " target");
    EXPECT_EQ(main.TargetWindow, target.hWnd());
    EXPECT_EQ(main.txtHandle.Text(), HandleText(target.hWnd()));
    EXPECT_EQ(main.txtClass.Text(), kClass);
    EXPECT_EQ(main.txtClassName1.Text(), kClass);
    EXPECT_EQ(main.txtClassName.Text(), kClass);
    EXPECT_EQ(main.txtTitlebar.Text(), "Title target");
}

TEST_F(Selection, TheFieldsFollowTheTargetUntilTheUserEditsOne) {
    TargetProgram target("Live target");
    frmMain& main = StartWith(target);
    RECT r = Rect(target.hWnd());
    EXPECT_EQ(main.txtX.Text(), std::to_string(r.left));
    EXPECT_EQ(main.txtY.Text(), std::to_string(r.top));
    EXPECT_EQ(main.txtWidth.Text(), std::to_string(r.right - r.left));
    EXPECT_EQ(main.txtHeight.Text(), std::to_string(r.bottom - r.top));

    // The caret of a field the user is in stays where it is while the target
    // stands still.
    SetFocus(main.txtY.hWnd());
    main.txtY.SelStart(1);
    Pause(800);
    EXPECT_EQ(main.txtY.SelStart(), 1);

    SetWindowPos(target.hWnd(), nullptr, 30, 60, 350, 250, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(rt::test::WaitFor([&] { return main.txtWidth.Text() == "350"; }, 3000));
    EXPECT_EQ(main.txtX.Text() + "," + main.txtY.Text() + "," + main.txtHeight.Text(), "30,60,250");

    // An edit holds all four.
    Clear(main.txtX.hWnd());
    Type(main.txtX.hWnd(), "100");
    EXPECT_TRUE(main.HoldPosition);
    SetWindowPos(target.hWnd(), nullptr, 40, 70, 360, 260, SWP_NOZORDER | SWP_NOACTIVATE);
    Pause(800);
    EXPECT_EQ(main.txtX.Text() + "," + main.txtY.Text() + "," + main.txtWidth.Text() + "," +
                  main.txtHeight.Text(),
              "100,60,350,250");

    // A new selection follows again.
    main.txtTitlebar.Text(target.Caption());
    EXPECT_TRUE(rt::test::WaitFor([&] { return main.txtWidth.Text() == "360"; }, 3000));
    EXPECT_EQ(main.txtX.Text(), "40");
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(Selection, PositionFieldsTakeNumbersOnlyAndAMinusWhereACoordinateCanBeNegative) {
    frmMain& main = Start();
    const std::string refused =
        "  Non-Numeric Value Entered|You can only have numbers in this field.|48";
    Type(main.txtX.hWnd(), "-");
    Type(main.txtY.hWnd(), "-");
    EXPECT_EQ(main.txtX.Text(), "-");
    EXPECT_EQ(main.txtY.Text(), "-");
    Type(main.txtX.hWnd(), "8");
    EXPECT_EQ(main.txtX.Text(), "-8");
    EXPECT_TRUE(Boxes().empty());

    Type(main.txtWidth.hWnd(), "-");
    EXPECT_EQ(main.txtWidth.Text(), "") << "a width is never negative";
    Type(main.txtHeight.hWnd(), "12a");
    EXPECT_EQ(main.txtHeight.Text(), "") << "the field is emptied";
    Type(main.txtY.hWnd(), "x");
    EXPECT_EQ(main.txtY.Text(), "");
    EXPECT_EQ(Boxes(), std::vector<std::string>(3, refused));
    Type(main.txtHeight.hWnd(), "480");
    EXPECT_EQ(main.txtHeight.Text(), "480");
}

} // namespace
} // namespace paneherd::testing
