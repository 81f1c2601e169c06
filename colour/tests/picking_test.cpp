// Picks over known colours with the real mouse: the fields, the chosen
// pointer, the hide option, and the About box.
#include <gtest/gtest.h>

#include <rt/scripted_user.h>

#include "frmMain.h"
#include "modHuepick.h"
#include "picking.h"

namespace huepick::test {

namespace {

using Picking = PickingFixture;

TEST_F(Picking, KnownColoursGiveTheirExactValues) {
    // The colours as a user reads them: HEX, Long, R, G, B.
    struct Row {
        long colour;
        const char *hex, *value, *r, *g, *b;
    };
    const Row rows[] = {{0x0000FF, "FF0000", "255", "255", "0", "0"},
                        {0xFFFFFF, "FFFFFF", "16777215", "255", "255", "255"},
                        {0x000000, "000000", "0", "0", "0", "0"},
                        {0x336699, "996633", "3368601", "153", "102", "51"}};
    for (size_t i = 0; i < blocks.Count(); ++i) {
        SCOPED_TRACE("block " + std::to_string(i));
        const POINT p = blocks.Centre(i);
        const long want = Want(i);
        COLORREF frozen = CLR_INVALID;
        PickAt(p, [&] { frozen = ScreenPixel(p); });
        EXPECT_EQ(frozen, static_cast<COLORREF>(want)) << "the capture window shows another colour";
        EXPECT_EQ(Shown(), Expected(p, want));
        EXPECT_EQ(form.picCurrentColor.BackColor(), want);
        for (const Row& row : rows) {
            if (row.colour != blocks.Colour(i) || want != row.colour) continue;
            EXPECT_EQ(Shown(), (Fields{std::to_string(p.x), std::to_string(p.y), row.hex,
                                       row.value, row.r, row.g, row.b}));
        }
    }
}

TEST_F(Picking, TheChosenPointerWithItsHotSpot) {
    const POINT hotSpots[5] = {{10, 21}, {15, 15}, {15, 16}, {15, 15}, {15, 15}};
    for (int i = 0; i < 5; ++i) {
        ICONINFO info{};
        ASSERT_TRUE(GetIconInfo(form.picCursor[i].Picture().Icon(), &info)) << i;
        EXPECT_EQ(info.xHotspot, static_cast<DWORD>(hotSpots[i].x)) << i;
        EXPECT_EQ(info.yHotspot, static_cast<DWORD>(hotSpots[i].y)) << i;
        if (info.hbmColor) DeleteObject(info.hbmColor);
        if (info.hbmMask) DeleteObject(info.hbmMask);
    }
    // The caret moves under the third picture.
    AsUser([&] { MoveTo(CentreOf(form.picCursor[2])), Click(); });
    EXPECT_EQ(SelectedCursor, 2);
    EXPECT_EQ(form.lblSelectedCursor.Left(), 1300 + 510 / 2 - 6 * rt::Screen::TwipsPerPixelX());

    // Over the capture window the pointer is that picture, and the point
    // picked is its hot spot's.
    HCURSOR shown = nullptr;
    const POINT p = blocks.Centre(0);
    PickAt(p, [&] {
        MoveTo(blocks.Centre(1));
        Sleep(100);
        CURSORINFO info{};
        info.cbSize = sizeof info;
        if (GetCursorInfo(&info)) shown = info.hCursor;
    });
    EXPECT_EQ(shown, form.picCursor[2].Picture().Icon());
    EXPECT_EQ(Shown(), Expected(p, Want(0)));
}

TEST_F(Picking, HideTakesTheMainWindowOutOfTheCapture) {
    // Another program's window lies under the main window: red, then blue
    // once it has repainted, which takes it 400 ms.
    RECT under{};
    GetWindowRect(form.hWnd(), &under);
    InflateRect(&under, 20, 20);
    ForeignBlock painter("painter", under, 0x0000FF, 0xFF0000);
    ASSERT_TRUE(painter.Shown());
    SetForegroundWindow(form.hWnd());
    form.ZOrder(0);
    const POINT p = CentreOf(form.picCurrentColor);
    ASSERT_TRUE(rt::test::WaitFor([&] { return ScreenPixel(p) != 0x0000FF; }, 5000));

    // Not hidden: the main window is part of the capture and picked from.
    const COLORREF mainShows = ScreenPixel(p);
    PickAt(p);
    EXPECT_EQ(Shown(), Expected(p, static_cast<long>(mainShows)));

    // Hidden while the other window is still repainting: the capture waits
    // for it and shows what it painted, not what it showed before.
    form.chkHide.Value(rt::vbChecked);
    painter.Repaint();
    PickAt(p);
    EXPECT_EQ(Shown(), Expected(p, 0xFF0000));
    EXPECT_TRUE(form.Visible()) << "the main window is shown again";
}

TEST_F(Picking, AboutBox) {
    rt::ScriptedUser user;
    rt::App().Major = 1;
    rt::App().Minor = 2;
    rt::App().Revision = 7;
    form.cmdAbout.Press();
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    const auto box = user.MessageBoxes().back();
    std::string macrons;
    for (int i = 0; i < 33; ++i) macrons += "\xC2\xAF";
    EXPECT_EQ(box.Prompt, "                       ~  Huepicks  ~\r" + macrons +
                              "\r Version\t: 1.02.0007\r Author\t: The Benchware developers\r\t  "
                              "www.example.org\r" +
                              std::string(33, '_'));
    EXPECT_EQ(box.Title, " ");
    EXPECT_EQ(box.Style, 0);
}

} // namespace
} // namespace huepick::test
