// Tallyman.exe started as a process of its own and driven from this one as a
// user would: text typed, F4 with the dialog's fields typed, F5, Ctrl+Z, Save
// through the real dialog, a long paste, printing and closing; the saved
// file's bytes checked. The keys go to the program's focused window through
// its message loop (Wine hands injected keyboard input to no other process),
// the menus are opened with their access keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include <rt.h>

#include "test_support.h"

namespace {

using rt::test::WaitFor;
using rt::test::WindowText;

constexpr DWORD kWaitMs = 30000;

// Keys for the program, typed on the keyboard with its window in front.
void Type(HWND window, const std::string& keys) {
    SetForegroundWindow(window);
    WaitFor([&] { return GetForegroundWindow() == window; }, 5000);
    rt::SendKeys(keys);
}

// A control's text in another process (GetWindowText reads only captions there).
std::string TextOf(HWND control) {
    const LRESULT n = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(n));
    return rt::Utf8(text);
}

bool TextBecomes(HWND edit, const std::string& text) {
    return WaitFor([&] { return TextOf(edit) == text; }, kWaitMs);
}

// The folder the PDF queue writes into: PDF in the Unix home, seen through Z:.
std::string PdfFolder() {
    char home[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("HOME", home, MAX_PATH)) return "Z:\\root\\PDF";
    std::string dir = "Z:";
    for (char* p = home; *p; ++p) dir += *p == '/' ? '\\' : *p;
    return dir + "\\PDF";
}

TEST(EndToEnd, TypedNumberedStrippedUndoneSavedPastedPrintedAndClosed) {
    rt::DeleteSetting("Tallyman");
    rt::test::TempFolder dir;
    const std::string path = dir / "typed.txt";

    rt::test::Program program("Tallyman.exe");
    HWND main = program.Window("  Tallyman", kWaitMs);
    ASSERT_NE(main, nullptr);
    HWND edit = rt::test::Child(main, L"Edit");
    ASSERT_NE(edit, nullptr);

    // Typed, then numbered from F4 with the dialog's fields typed over.
    Type(main, "x = 1{ENTER}y = 2");
    ASSERT_TRUE(TextBecomes(edit, "x = 1\r\ny = 2")) << "[" << TextOf(edit) << "]";
    Type(main, "{F4}");
    HWND settings = program.Window("  Settings", kWaitMs);
    ASSERT_NE(settings, nullptr);
    Type(settings, "{END}+{HOME}5{TAB}{END}+{HOME}3{ENTER}");
    EXPECT_TRUE(TextBecomes(edit, "5   x = 1\r\n10   y = 2\r\n")) << TextOf(edit);
    EXPECT_EQ(WindowText(main), "  Tallyman");

    // F5 strips, Ctrl+Z brings the numbers back.
    Type(main, "{F5}");
    EXPECT_TRUE(TextBecomes(edit, "  x = 1\r\n  y = 2\r\n  \r\n")) << TextOf(edit);
    Type(main, "^z");
    EXPECT_TRUE(TextBecomes(edit, "5   x = 1\r\n10   y = 2\r\n")) << TextOf(edit);

    // Ctrl+S on a new text: the Save dialog, a name typed, Enter.
    Type(main, "^s");
    HWND save = program.Window("  Save To File", kWaitMs);
    ASSERT_NE(save, nullptr);
    HWND name = GetDlgItem(save, 0x480);
    if (!name) name = rt::test::Descendant(save, L"Edit");
    ASSERT_NE(name, nullptr);
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rt::Wide(path).c_str()));
    Type(save, "{ENTER}");
    EXPECT_TRUE(WaitFor([&] { return rt::FileExists(path) && rt::test::ReadBytes(path) ==
                                                                 "5   x = 1\r\n10   y = 2\r\n\r\n"; },
                        kWaitMs));
    EXPECT_TRUE(WaitFor([&] { return WindowText(main) == "  Tallyman    [ typed.txt ]"; }, kWaitMs))
        << WindowText(main);

    // A paste of far more than 32,767 characters over everything, saved to the same file.
    std::string big;
    for (int i = 0; big.size() < 200000; ++i) big += "Debug.Print " + std::to_string(i) + "\r\n";
    rt::Clipboard::SetText(big);
    Type(main, "^a^v");
    EXPECT_TRUE(TextBecomes(edit, big)) << TextOf(edit).size() << " characters";
    Type(main, "^s");
    EXPECT_TRUE(WaitFor([&] { return rt::test::ReadBytes(path) == big + "\r\n"; }, kWaitMs));

    // Printed for real on the PDF queue.
    if (rt::test::HaveDefaultPrinter()) {
        const size_t before = rt::Dir(PdfFolder() + "\\Tallyman*.pdf").size();
        Type(main, "^p");
        HWND print = program.Window("Print", kWaitMs);
        ASSERT_NE(print, nullptr);
        PostMessageW(print, WM_COMMAND, IDOK, 0);
        // The job, named after the program, lands as a PDF.
        EXPECT_TRUE(WaitFor([&] { return rt::Dir(PdfFolder() + "\\Tallyman*.pdf").size() > before; },
                            60000))
            << "no new PDF of Tallyman's in " << PdfFolder();
    }

    // Ctrl+E asks, Yes ends the program, which kept its settings.
    Type(main, "^e");
    HWND confirm = program.Window("  Confirm Discard And Exit", kWaitMs);
    ASSERT_NE(confirm, nullptr);
    PostMessageW(confirm, WM_COMMAND, IDYES, 0);
    EXPECT_EQ(program.Wait(kWaitMs), 0u) << "the program ended by itself";
    EXPECT_EQ(rt::GetSetting("Tallyman", "Options", "AlwaysOnTop"), "True");
    rt::DeleteSetting("Tallyman");
}

TEST(EndToEnd, EscInTheEditorAsksNothingKeepsTheTextAndLeavesTheProgramRunning) {
    rt::DeleteSetting("Tallyman");
    rt::test::Program program("Tallyman.exe");
    HWND main = program.Window("  Tallyman", kWaitMs);
    ASSERT_NE(main, nullptr);
    HWND edit = rt::test::Child(main, L"Edit");
    ASSERT_NE(edit, nullptr);

    Type(main, "x = 1");
    ASSERT_TRUE(TextBecomes(edit, "x = 1"));
    rt::test::StrikeKey(main, VK_ESCAPE);
    EXPECT_EQ(program.Window("  Confirm Discard And Exit", 1500), nullptr);
    // Were a question open, this Enter would discard the text.
    Type(main, "{ENTER}y");
    EXPECT_TRUE(TextBecomes(edit, "x = 1\r\ny")) << TextOf(edit);

    Type(main, "^a{DEL}");
    ASSERT_TRUE(TextBecomes(edit, ""));
    rt::test::StrikeKey(main, VK_ESCAPE);
    EXPECT_FALSE(program.Ended(1500)) << "Esc in the empty editor ended the program";
    program.Kill();
    rt::DeleteSetting("Tallyman");
}

} // namespace
