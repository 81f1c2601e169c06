// Finding and reading other programs' windows: the class list, the lookups by
// class and by title, the texts read from a window, the rectangle, and the
// identity of a chosen window once it has gone.
#include <gtest/gtest.h>

#include <algorithm>

#include <rt/convert.h>
#include <rt/forms.h>

#include "modPaneherd.h"
#include "target.h"
#include "targetwindow.h"

namespace paneherd::testing {
namespace {

const std::string kTargetClassName = "PaneherdTarget";

long Count(const std::vector<std::string>& names, const std::string& name) {
    return std::count(names.begin(), names.end(), name);
}

TEST(ClassList, ListsEveryTopLevelWindowOnceHiddenOnesIncluded) {
    const long before = Count(ClassNames(), kTargetClassName);
    TargetProgram::Options options;
    options.Bystander = true;
    TargetProgram target("Class list target", options);
    EXPECT_EQ(Count(ClassNames(), kTargetClassName), before + 2) << "once per window of the class";

    ShowWindow(target.hWnd(), SW_HIDE);
    ASSERT_TRUE(rt::test::WaitFor([&] { return !IsWindowVisible(target.hWnd()); }));
    EXPECT_EQ(Count(ClassNames(), kTargetClassName), before + 2) << "a hidden window is listed too";

    // The order is the desktop's: the bystander, made last, stands in front.
    const std::vector<std::string> names = ClassNames();
    std::vector<std::string> enumerated;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        const std::string name = ClassText(w);
        if (!name.empty()) enumerated.push_back(name);
    }
    EXPECT_EQ(names, enumerated);
}

TEST(Lookup, FindsByClassAndByExactTitleAndReadsTheWindow) {
    TargetProgram target("Lookup target");
    const std::string title = "Zielfenster \xC3\xBC\xE2\x80\x94 1";
    SetWindowTextW(target.hWnd(), rt::Wide(title).c_str());
    EXPECT_EQ(ClassText(target.hWnd()), kTargetClassName);
    EXPECT_EQ(TitleText(target.hWnd()), title) << "a title beyond ASCII is read whole";
    EXPECT_EQ(FindByTitle(title), target.hWnd());
    EXPECT_EQ(FindByTitle("Zielfenster"), nullptr) << "the title must match exactly";
    EXPECT_EQ(ClassText(FindByClass(kTargetClassName)), kTargetClassName);
    EXPECT_EQ(FindByClass("NoSuchClassAnywhere"), nullptr);
    EXPECT_EQ(ClassText(nullptr), "");
    EXPECT_EQ(TitleText(nullptr), "");

    SetWindowTextW(target.hWnd(), L"");
    EXPECT_EQ(TitleText(target.hWnd()), "");
}

TEST(Lookup, RectangleInScreenPixelsAndZeroOnceTheWindowHasGone) {
    TargetProgram::Options options;
    options.X = -8;
    options.Y = 40;
    options.Width = 333;
    options.Height = 222;
    auto target = std::make_unique<TargetProgram>("Rectangle target", options);
    const Target chosen = Target::Of(target->hWnd());
    ASSERT_TRUE(chosen.Exists());
    const RectText r = WindowRectText(chosen);
    EXPECT_EQ(r.X, "-8");
    EXPECT_EQ(r.Y, "40");
    EXPECT_EQ(r.Width, "333");
    EXPECT_EQ(r.Height, "222");

    target.reset(); // the program ends, its window goes
    EXPECT_FALSE(chosen.Exists());
    const RectText gone = WindowRectText(chosen);
    EXPECT_EQ(gone.X + gone.Y + gone.Width + gone.Height, "0000");
    EXPECT_EQ(ClassText(chosen.Window), "");
    EXPECT_FALSE(Target::Of(chosen.Window).Exists());
}

} // namespace
} // namespace paneherd::testing
