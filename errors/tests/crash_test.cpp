// Cause Error for real: the program is started as a process of its own and
// driven from outside through its windows, like a user would, until the
// runtime's report of the unhandled error ends it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include <rt.h>

#include "test_support.h"

namespace {

using rt::test::FindShownWindow;

constexpr DWORD kWaitMs = 15000;

// The program's visible top-level window with this caption, waited for.
HWND WaitForWindow(DWORD pid, const std::string& caption) {
    HWND found = nullptr;
    rt::test::WaitFor([&] { return (found = FindShownWindow(caption, pid)) != nullptr; }, kWaitMs);
    return found;
}

// Presses a button of another process's window: the runtime's input box by
// caption, a message box by identifier.
void Press(HWND window, const wchar_t* caption, int id = 0) {
    HWND button = caption ? rt::test::Child(window, L"Button", caption) : GetDlgItem(window, id);
    ASSERT_NE(button, nullptr);
    SetForegroundWindow(window);
    PostMessageW(button, BM_CLICK, 0, 0);
}

// Ends the program if the test leaves early.
struct Program {
    PROCESS_INFORMATION Info{};
    ~Program() {
        if (Info.hProcess) {
            if (WaitForSingleObject(Info.hProcess, 0) == WAIT_TIMEOUT)
                TerminateProcess(Info.hProcess, 99);
            CloseHandle(Info.hProcess);
            CloseHandle(Info.hThread);
        }
    }
};

TEST(CauseError, EndsTheProgramThroughTheRuntimesReport) {
    rt::DeleteSetting("Faultbook");
    Program program;
    wchar_t exe[MAX_PATH];
    std::wstring path(exe, GetModuleFileNameW(nullptr, exe, MAX_PATH));
    path = path.substr(0, path.find_last_of(L"\\/") + 1) + L"Faultbook.exe"; // built beside us
    std::wstring command = L"\"" + path + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    ASSERT_TRUE(CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &program.Info))
        << "cannot start " << rt::Utf8(path);
    const DWORD pid = program.Info.dwProcessId;

    // The range prompt at start-up: take the default.
    HWND range = WaitForWindow(pid, "  Enter Faultbook Range");
    ASSERT_NE(range, nullptr);
    Press(range, L"OK");

    HWND main = WaitForWindow(pid, "  Faultbook");
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
    HWND confirm = WaitForWindow(pid, "  Confirm Continue");
    ASSERT_NE(confirm, nullptr);
    Press(confirm, nullptr, IDYES);

    HWND cause = WaitForWindow(pid, "  Cause Error");
    ASSERT_NE(cause, nullptr);
    Press(cause, L"OK"); // the default, 13

    HWND report = WaitForWindow(pid, "Faultbook");
    ASSERT_NE(report, nullptr);
    std::string texts; // the texts of the report's children, one a line
    for (HWND c = GetWindow(report, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        texts += rt::test::WindowText(c) + "\n";
    EXPECT_NE(texts.find("Run-time error '13':"), std::string::npos) << texts;
    EXPECT_NE(texts.find("Type mismatch"), std::string::npos) << texts;
    Press(report, nullptr, IDOK);

    ASSERT_EQ(WaitForSingleObject(program.Info.hProcess, kWaitMs), WAIT_OBJECT_0);
    DWORD status = 0;
    GetExitCodeProcess(program.Info.hProcess, &status);
    EXPECT_NE(status, 0u);
}

} // namespace
