// Huepick as a user runs it: started as a program of its own and driven with
// the real mouse from this process, over colours this process shows.
#include <gtest/gtest.h>

#include "picking.h"

namespace huepick::test {
namespace {

// The text of another program's text box (which only the box itself knows).
std::string TextOf(HWND box) {
    wchar_t text[256] = {};
    DWORD_PTR copied = 0;
    if (!box || !SendMessageTimeoutW(box, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text),
                                     SMTO_ABORTIFHUNG, 5000, &copied))
        return "?";
    return rt::Utf8(text);
}

// The fields of the main window, each found by its place (twips) in the window.
Fields Read(HWND main) {
    auto at = [&](long left, long top) {
        for (HWND c = FindWindowExW(main, nullptr, L"Edit", nullptr); c;
             c = FindWindowExW(main, c, L"Edit", nullptr)) {
            RECT r{};
            GetWindowRect(c, &r);
            MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
            if (r.left == left / rt::Screen::TwipsPerPixelX() && r.top == top / rt::Screen::TwipsPerPixelY())
                return TextOf(c);
        }
        return std::string("?");
    };
    return {at(105, 1470),  at(1785, 1470), at(105, 2415), at(105, 3255),
            at(1785, 2415), at(1785, 2835), at(1785, 3255)};
}

TEST(EndToEnd, PicksKnownColoursAsAUserDoes) {
    ParkPointer();
    Blocks blocks(kColours, {20, 20});
    blocks.Show();
    ASSERT_TRUE(rt::test::WaitFor([&] { return ScreenPixel(blocks.Centre(0)) == 0x0000FF; }));

    rt::test::Program huepick("Huepick.exe");
    const DWORD pid = huepick.Id();
    HWND main = huepick.Window("  Huepick");
    ASSERT_NE(main, nullptr);
    HWND pick = rt::test::Child(main, L"Button", L"&Huepick");
    HWND hide = rt::test::Child(main, L"Button", L" Hide this screen while selecting color");
    HWND exit = rt::test::Child(main, L"Button", L"E&xit");
    ASSERT_TRUE(pick && hide && exit);
    EXPECT_EQ(Read(main), Fields{}) << "empty at start";

    // Red, the brown 336699, white, and black with Hide ticked.
    for (size_t i : {0u, 3u, 1u, 2u}) {
        SCOPED_TRACE("block " + std::to_string(i));
        if (i == 2) {
            MoveTo(CentreOf(hide));
            Click();
            ASSERT_TRUE(rt::test::WaitFor([&] { return SendMessageW(hide, BM_GETCHECK, 0, 0) == BST_CHECKED; }));
        }
        const POINT p = blocks.Centre(i);
        const Fields want = Expected(p, Want(blocks, i, ScreenPixelOfANewProgram));
        StartPick(main, pick);
        ASSERT_NE(AwaitCapture(pid), nullptr);
        EXPECT_EQ(IsWindowVisible(main) != FALSE, i != 2) << "hidden while picking, with Hide";
        MoveTo(p);
        Click();
        ASSERT_TRUE(AwaitCaptureGone(pid));
        rt::test::WaitFor([&] { return Read(main) == want; });
        EXPECT_EQ(Read(main), want);
        EXPECT_TRUE(IsWindowVisible(main));
    }

    // Exit ends the program.
    MoveTo(CentreOf(exit));
    Click();
    EXPECT_EQ(huepick.Wait(15000), 0u);
    blocks.Unload();
}

TEST(EndToEnd, EndsOnACloseSentByAnotherProgram) {
    rt::test::ExpectEndsOnSentCloses("Huepick.exe", "  Huepick");
}

} // namespace
} // namespace huepick::test
