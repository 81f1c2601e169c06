// Huepick as a user runs it: started as a program of its own and driven with
// the real mouse from this process, over colours this process shows.
#include <gtest/gtest.h>

#include "picking.h"

namespace huepick::test {
namespace {

constexpr DWORD kWaitMs = 15000;

// Huepick.exe, built beside this test program; ended if the test leaves early.
class Program {
  public:
    Program() {
        wchar_t exe[MAX_PATH];
        std::wstring path(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
        path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"Huepick.exe";
        std::wstring command = L"\"" + path + L"\"";
        STARTUPINFOW si{};
        si.cb = sizeof si;
        if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &si, &info_))
            ADD_FAILURE() << "cannot start " << rt::Utf8(path);
    }
    ~Program() {
        if (!info_.hProcess) return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hProcess);
        CloseHandle(info_.hThread);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    DWORD Id() const { return info_.dwProcessId; }
    // The exit status once ended within the time, otherwise STILL_ACTIVE.
    DWORD Ended(DWORD timeoutMs) const {
        DWORD code = STILL_ACTIVE;
        if (WaitForSingleObject(info_.hProcess, timeoutMs) == WAIT_OBJECT_0)
            GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

  private:
    PROCESS_INFORMATION info_{};
};

// The main window's text box whose top-left corner is at (left, top) twips of
// its client area.
HWND FieldAt(HWND main, long left, long top) {
    const long tx = rt::Screen::TwipsPerPixelX(), ty = rt::Screen::TwipsPerPixelY();
    for (HWND c = FindWindowExW(main, nullptr, L"Edit", nullptr); c;
         c = FindWindowExW(main, c, L"Edit", nullptr)) {
        RECT r{};
        GetWindowRect(c, &r);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        if (r.left == left / tx && r.top == top / ty) return c;
    }
    return nullptr;
}

// The text of another program's text box (which only the box itself knows).
std::string TextOf(HWND box) {
    wchar_t text[256] = {};
    DWORD_PTR copied = 0;
    if (!box || !SendMessageTimeoutW(box, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text),
                                     SMTO_ABORTIFHUNG, 5000, &copied))
        return "?";
    return rt::Utf8(text);
}

Fields Read(HWND main) {
    auto text = [&](long left, long top) { return TextOf(FieldAt(main, left, top)); };
    return {text(105, 1470), text(1785, 1470), text(105, 2415), text(105, 3255),
            text(1785, 2415), text(1785, 2835), text(1785, 3255)};
}

TEST(EndToEnd, PicksKnownColoursAsAUserDoes) {
    ParkPointer();
    Blocks blocks(kColours, {20, 20});
    blocks.Show();
    ASSERT_TRUE(rt::test::WaitFor([&] { return ScreenPixel(blocks.Centre(0)) == 0x0000FF; }, kWaitMs));

    Program huepick;
    HWND main = nullptr;
    ASSERT_TRUE(rt::test::WaitFor(
        [&] { return (main = rt::test::FindShownWindow("  Huepick", huepick.Id())) != nullptr; },
        kWaitMs));
    HWND pick = rt::test::Child(main, L"Button", L"&Huepick");
    HWND hide = rt::test::Child(main, L"Button", L" Hide this screen while selecting color");
    HWND exit = rt::test::Child(main, L"Button", L"E&xit");
    ASSERT_TRUE(pick && hide && exit);
    EXPECT_EQ(Read(main), Fields{}) << "empty at start";

    // Red, the dark blue-brown, white and black, the last with Hide ticked.
    for (size_t i : {0u, 3u, 1u, 2u}) {
        SCOPED_TRACE("block " + std::to_string(i));
        if (i == 2) {
            MoveTo(CentreOf(hide));
            Click();
            ASSERT_TRUE(rt::test::WaitFor(
                [&] { return SendMessageW(hide, BM_GETCHECK, 0, 0) == BST_CHECKED; }, kWaitMs));
        }
        const POINT p = blocks.Centre(i);
        const Fields want = Expected(p, Want(blocks, i));
        StartPick(main, pick);
        ASSERT_NE(AwaitCapture(huepick.Id()), nullptr);
        if (i == 2) {
            EXPECT_FALSE(IsWindowVisible(main)) << "hidden while picking";
        }
        MoveTo(p);
        Click();
        ASSERT_TRUE(AwaitCaptureGone(huepick.Id()));
        rt::test::WaitFor([&] { return Read(main) == want; }, kWaitMs);
        EXPECT_EQ(Read(main), want);
        EXPECT_TRUE(IsWindowVisible(main));
    }

    // Exit ends the program.
    MoveTo(CentreOf(exit));
    Click();
    EXPECT_EQ(huepick.Ended(kWaitMs), 0u);
    blocks.Unload();
}

} // namespace
} // namespace huepick::test
