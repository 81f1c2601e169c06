// Picks over known colours with the real mouse: the fields, the chosen
// pointer, the hide option, and the About box.
#include <gtest/gtest.h>

#include <sstream>

#include <rt/scripted_user.h>

#include "modHuepick.h"
#include "picking.h"

namespace huepick::test {
namespace {

using Picking = PickingFixture;

TEST_F(Picking, KnownColoursGiveTheirExactValues) {
    // The colours as a user reads them: HEX, Long, R, G, B.
    const std::vector<std::vector<std::string>> rows = {
        {"FF0000", "255", "255", "0", "0"},
        {"FFFFFF", "16777215", "255", "255", "255"},
        {"000000", "0", "0", "0", "0"},
        {"996633", "3368601", "153", "102", "51"}};
    for (size_t i = 0; i < blocks.Count(); ++i) {
        SCOPED_TRACE("block " + std::to_string(i));
        const POINT p = blocks.Centre(i);
        const long want = Want(i);
        COLORREF frozen = CLR_INVALID;
        PickAt(p, [&] { frozen = ScreenPixel(p); });
        EXPECT_EQ(frozen, static_cast<COLORREF>(want)) << "the capture window shows another colour";
        EXPECT_EQ(Shown(), Expected(p, want));
        EXPECT_EQ(form.picCurrentColor.BackColor(), want);
        if (i < rows.size() && want == blocks.Colour(i)) {
            const auto& r = rows[i];
            EXPECT_EQ(Shown(), (Fields{std::to_string(p.x), std::to_string(p.y), r[0], r[1], r[2], r[3], r[4]}));
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
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
    // The caret moves under the third picture...
    AsUser([&] { MoveTo(CentreOf(form.picCursor[2].hWnd())), Click(); });
    EXPECT_EQ(SelectedCursor, 2);
    EXPECT_EQ(form.lblSelectedCursor.Left(), 1300 + 510 / 2 - 6 * rt::Screen::TwipsPerPixelX());
    // ...and over the capture window the pointer is that picture; the point
    // picked is its hot spot's.
    HCURSOR shown = nullptr;
    PickAt(blocks.Centre(0), [&] {
        MoveTo(blocks.Centre(1));
        CURSORINFO info{};
        info.cbSize = sizeof info;
        if (GetCursorInfo(&info)) shown = info.hCursor;
    });
    EXPECT_EQ(shown, form.picCursor[2].Picture().Icon());
    EXPECT_EQ(Shown(), Expected(blocks.Centre(0), Want(0)));
}

// Another program's window, red, that turns blue when asked; it takes 400 ms
// for each paint. Argument: left, top, right, bottom.
LRESULT CALLBACK PainterProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    static COLORREF colour = RGB(255, 0, 0);
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(w, &ps);
        Sleep(400);
        HBRUSH brush = CreateSolidBrush(colour);
        RECT r;
        GetClientRect(w, &r);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        EndPaint(w, &ps);
        return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_APP:
        colour = RGB(0, 0, 255);
        InvalidateRect(w, nullptr, FALSE);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcW(w, msg, wp, lp);
}

int PainterMain(const std::string& argument) {
    std::istringstream in(argument);
    RECT r{};
    in >> r.left >> r.top >> r.right >> r.bottom;
    WNDCLASSW wc{};
    wc.lpfnWndProc = PainterProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"HuepickTestPainter";
    RegisterClassW(&wc);
    CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"Huepick test painter", WS_POPUP | WS_VISIBLE,
                    r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                    wc.hInstance, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}

const int kPainter = rt::test::RegisterChild("huepick-painter", &PainterMain);

TEST_F(Picking, HideTakesTheMainWindowOutOfTheCapture) {
    RECT under{};
    GetWindowRect(form.hWnd(), &under);
    InflateRect(&under, 20, 20);
    std::ostringstream place;
    place << under.left << ' ' << under.top << ' ' << under.right << ' ' << under.bottom;
    rt::test::ChildProcess child("huepick-painter", place.str());
    HWND painter = nullptr;
    ASSERT_TRUE(rt::test::WaitFor([&] {
        return (painter = rt::test::FindShownWindow("Huepick test painter", child.Id())) != nullptr;
    }));
    const POINT margin{under.left + 5, under.top + 5}, p = CentreOf(form.picCurrentColor.hWnd());
    ASSERT_TRUE(rt::test::WaitFor([&] { return ScreenPixel(margin) == 0x0000FF; }));
    SetForegroundWindow(form.hWnd());
    ASSERT_TRUE(rt::test::WaitFor([&] { return ScreenPixel(p) != 0x0000FF; }));

    // Not hidden: the main window is part of the capture and picked from.
    const COLORREF mainShows = ScreenPixel(p);
    PickAt(p);
    EXPECT_EQ(Shown(), Expected(p, static_cast<long>(mainShows)));

    // Hidden while the window under it is still repainting: the capture waits
    // for it and shows what it painted, not what was there before.
    form.chkHide.Value(rt::vbChecked);
    PostMessageW(painter, WM_APP, 0, 0);
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
                              "www.example.org\r" + std::string(33, '_'));
    EXPECT_EQ(box.Title, " ");
    EXPECT_EQ(box.Style, 0);
}

} // namespace
} // namespace huepick::test
