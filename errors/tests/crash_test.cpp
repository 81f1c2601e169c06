// Raise and Cause Error for real: the program is started as a process of its
// own and driven from outside through its windows, like a user would, until
// the handler's report, or the runtime's report of the unhandled error that
// ends it.
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

// A File menu command from the keyboard: Alt+F opens the menu, the key picks it.
void ChooseFromFileMenu(HWND main, wchar_t key) {
    SetForegroundWindow(main);
    PostMessageW(main, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    ASSERT_TRUE(rt::test::WaitFor(
        [] {
            HWND menu = FindWindowW(L"#32768", nullptr); // the opened menu
            return menu && IsWindowVisible(menu);
        },
        kWaitMs));
    PostMessageW(main, WM_CHAR, key, 0);
}

// Types an answer into the runtime's input box of another process and presses OK.
void Answer(HWND box, const std::string& text) {
    HWND edit = rt::test::Child(box, L"Edit");
    ASSERT_NE(edit, nullptr);
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rt::Wide(text).c_str()));
    Press(box, L"OK");
}

TEST(RaiseError, TheProgramReadsNumbersAsTheUsersLocaleWritesThem) {
    rt::DeleteSetting("Faultbook");
    // Set before the start, as the control panel would: "," decimal, "." groups, euro.
    rt::test::UserNumberSymbols symbols(",", ".", "\xE2\x82\xAC");
    rt::test::Program program("Faultbook.exe");

    HWND range = program.Window("  Enter Faultbook Range");
    ASSERT_NE(range, nullptr);
    Answer(range, "2,6"); // rounds to 3: 0 to 3, padded to three characters
    HWND main = program.Window("  Faultbook");
    ASSERT_NE(main, nullptr);
    HWND list = rt::test::Descendant(main, L"ListBox");
    ASSERT_TRUE(rt::test::WaitFor([&] {
        const auto lines = rt::test::ListLines(list);
        return !lines.empty() && lines.back() == "003 = Return without GoSub";
    }, kWaitMs));

    ChooseFromFileMenu(main, 'r');
    HWND raise = program.Window("  Raise Error");
    ASSERT_NE(raise, nullptr);
    Answer(raise, "\xE2\x82\xAC" "1.3");
    HWND report = program.Window("  Error  -  Type mismatch");
    ASSERT_NE(report, nullptr);
    Press(report, nullptr, IDOK);
    EXPECT_FALSE(program.Ended(500)) << "a raised error is handled: the program goes on";
    rt::DeleteSetting("Faultbook");
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
    ChooseFromFileMenu(main, 'a');
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

const rt::test::KeptWindow kFaultbook{
    "Faultbook.exe", "  Faultbook", "Faultbook", "Settings", "FontSize", L"ListBox",
    [](rt::test::Program& program) {
        HWND range = program.Window("  Enter Faultbook Range");
        ASSERT_NE(range, nullptr);
        Press(range, L"OK");
    }};

TEST(FaultbookProgram, MaximisedTheErrorListFillsTheWindow) {
    rt::test::ExpectContentsFillTheMaximisedWindow(kFaultbook);
}

TEST(FaultbookProgram, AKeptPlaceOpensOnTheScreen) {
    rt::test::ExpectKeptPlacesOpenOnTheScreen(kFaultbook);
}

TEST(FaultbookProgram, AKeptFontSizeReadsTheSameInEveryLocale) {
    rt::test::ExpectKeptFontSizesReadInEveryLocale(kFaultbook);
}

} // namespace
