// Cause Error for real: the program is started as a process of its own and
// driven from outside through its windows, like a user would, until the
// runtime's report of the unhandled error ends it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include <rt.h>

#include "test_support.h"

namespace {

constexpr DWORD kWaitMs = 15000;

// Presses a button of another process's window: the runtime's input box by
// caption, a message box by identifier.
void Press(HWND window, const wchar_t* caption, int id = 0) {
    HWND button = caption ? rt::test::Child(window, L"Button", caption) : GetDlgItem(window, id);
    ASSERT_NE(button, nullptr);
    SetForegroundWindow(window);
    PostMessageW(button, BM_CLICK, 0, 0);
}

TEST(CauseError, EndsTheProgramThroughTheRuntimesReport) {
    rt::DeleteSetting("Faultbook");
    rt::test::Program program("Faultbook.exe"); // built beside us

    // The range prompt at start-up: take the default.
    HWND range = program.Window("  Enter Faultbook Range");
    ASSERT_NE(range, nullptr);
    Press(range, L"OK");

    HWND main = program.Window("  Faultbook");
    ASSERT_NE(main, nullptr);
    // File > Cause Error from the keyboard: Alt+F opens the menu, A picks it.
    SetForegroundWindow(main);
    PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    ASSERT_TRUE(rt::test::WaitFor(
        [] {
            HWND menu = FindWindowW(L"#32768", nullptr); // the opened menu
            return menu && IsWindowVisible(menu);
        },
        kWaitMs));
    PostMessageW(main, WM_CHAR, 'a', 0);
    HWND confirm = program.Window("  Confirm Continue");
    ASSERT_NE(confirm, nullptr);
    Press(confirm, nullptr, IDYES);

    HWND cause = program.Window("  Cause Error");
    ASSERT_NE(cause, nullptr);
    Press(cause, L"OK"); // the default, 13

    HWND report = program.Window("Faultbook");
    ASSERT_NE(report, nullptr);
    std::string texts; // the texts of the report's children, one a line
    for (HWND c = GetWindow(report, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        texts += rt::test::WindowText(c) + "\n";
    EXPECT_NE(texts.find("Run-time error '13':"), std::string::npos) << texts;
    EXPECT_NE(texts.find("Type mismatch"), std::string::npos) << texts;
    Press(report, nullptr, IDOK);

    const DWORD status = program.Wait(kWaitMs);
    ASSERT_NE(status, static_cast<DWORD>(STILL_ACTIVE));
    EXPECT_NE(status, 0u);
}

} // namespace

namespace {

TEST(FaultbookProgram, EndsOnACloseSentByAnotherProgramAndKeepsItsSettings) {
    rt::DeleteSetting("Faultbook");
    rt::test::ExpectEndsOnSentCloses(
        "Faultbook.exe", "  Faultbook",
        [](rt::test::Program& program) {
            HWND range = program.Window("  Enter Faultbook Range");
            ASSERT_NE(range, nullptr);
            Press(range, L"OK");
        },
        [] {
            EXPECT_NE(rt::GetSetting("Faultbook", "Settings", "Width"), "");
            rt::DeleteSetting("Faultbook");
        });
}

} // namespace
