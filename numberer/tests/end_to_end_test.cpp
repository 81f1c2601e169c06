// Tallyman.exe started as a process of its own and driven from this one as a
// user would: text typed, F4 with the dialog's fields typed, F5, Ctrl+Z, Save
// through the real dialog, a long paste, printing and closing; the saved
// file's bytes checked. The keys go to the program's focused window through
// its message loop (Wine hands injected keyboard input to no other process),
// the menus are opened with their access keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

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

// A file's bytes, read without keeping the program from replacing the file
// meanwhile (a reader that stands in the way of a save makes it fail).
std::string SavedBytes(const std::string& path) {
    HANDLE file = CreateFileW(rt::Wide(path).c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

bool TextBecomes(HWND edit, const std::string& text) {
    return WaitFor([&] { return TextOf(edit) == text; }, kWaitMs);
}

// Ctrl+S on a text not saved yet: the Save dialog, the path typed into its
// name box, Enter; whether the dialog came.
bool SaveAs(rt::test::Program& program, HWND main, const std::string& path) {
    Type(main, "^s");
    HWND save = program.Window("  Save To File", kWaitMs);
    if (!save) return false;
    HWND name = GetDlgItem(save, 0x480);
    if (!name) name = rt::test::Descendant(save, L"Edit");
    if (!name) return false;
    SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rt::Wide(path).c_str()));
    Type(save, "{ENTER}");
    return true;
}

// Settings of earlier runs gone before a start.
struct NoSettings {
    NoSettings() { rt::DeleteSetting("Tallyman"); }
};

// Tallyman started afresh as a process of its own, its window and its editor
// found.
struct Tallyman : NoSettings {
    rt::test::Program program{"Tallyman.exe"};
    HWND main = program.Window("  Tallyman", kWaitMs);
    HWND edit = main ? rt::test::Child(main, L"Edit") : nullptr;
};

// A menu popped up anywhere on the desktop.
HWND ShownMenu() {
    HWND menu = FindWindowW(L"#32768", nullptr);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

// A quick right click of the mouse on a character of an edit control, the
// pointer first moved there.
void RightClickOn(HWND edit, int character) {
    const LRESULT at = SendMessageW(edit, EM_POSFROMCHAR, static_cast<WPARAM>(character), 0);
    POINT p{static_cast<short>(LOWORD(at)) + 2, static_cast<short>(HIWORD(at)) + 4};
    ClientToScreen(edit, &p);
    INPUT click[3] = {};
    for (INPUT& i : click) {
        i.type = INPUT_MOUSE;
        i.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        i.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        i.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    }
    SendInput(1, click, sizeof(INPUT));
    WaitFor([] { return false; }, 500);
    click[1].mi.dwFlags |= MOUSEEVENTF_RIGHTDOWN;
    click[2].mi.dwFlags |= MOUSEEVENTF_RIGHTUP;
    SendInput(2, click + 1, sizeof(INPUT));
}

// The clipboard's text; empty while another program holds the clipboard open.
std::string ClipboardText() {
    std::string text;
    rt::Try([&] { text = rt::Clipboard::GetText(); });
    return text;
}

// The caret's place in an edit control, as the control counts it.
int Caret(HWND edit) { return LOWORD(SendMessageW(edit, EM_GETSEL, 0, 0)); }

// The folder the PDF queue writes into: PDF in the Unix home, seen through Z:.
std::string PdfFolder() {
    char home[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("HOME", home, MAX_PATH)) return "Z:\\root\\PDF";
    std::string dir = "Z:";
    for (char* p = home; *p; ++p) dir += *p == '/' ? '\\' : *p;
    return dir + "\\PDF";
}

TEST(EndToEnd, TypedNumberedStrippedUndoneSavedPastedPrintedAndClosed) {
    rt::test::TempFolder dir;
    const std::string path = dir / "typed.txt";

    Tallyman started;
    auto& [program, main, edit] = started;
    ASSERT_TRUE(main && edit);

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
    ASSERT_TRUE(SaveAs(program, main, path));
    EXPECT_TRUE(WaitFor([&] { return SavedBytes(path) ==
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
    EXPECT_TRUE(WaitFor([&] { return SavedBytes(path) == big + "\r\n"; }, kWaitMs));

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

TEST(EndToEnd, LineBreaksStayWholeWhenDeletedPastedNumberedAndSaved) {
    rt::test::TempFolder dir;
    const std::string path = dir / "joined.txt";
    Tallyman started;
    auto& [program, main, edit] = started;
    ASSERT_TRUE(main && edit);

    // Del at the end of a line, then Edit > Delete there, join whole lines.
    Type(main, "abc{ENTER}def{ENTER}ghi");
    ASSERT_TRUE(TextBecomes(edit, "abc\r\ndef\r\nghi")) << TextOf(edit);
    Type(main, "{UP}{END}{DEL}");
    EXPECT_TRUE(TextBecomes(edit, "abc\r\ndefghi")) << "[" << TextOf(edit) << "]";
    Type(main, "{UP}{END}%ed");
    EXPECT_TRUE(TextBecomes(edit, "abcdefghi")) << "[" << TextOf(edit) << "]";

    // Text with bare LF or CR line ends arrives as lines, however it is pasted.
    rt::Clipboard::SetText("\none\ntwo");
    Type(main, "^{END}^v");
    EXPECT_TRUE(TextBecomes(edit, "abcdefghi\r\none\r\ntwo")) << "[" << TextOf(edit) << "]";
    rt::Clipboard::SetText("\rthree\rfour");
    Type(main, "%ep");
    EXPECT_TRUE(TextBecomes(edit, "abcdefghi\r\none\r\ntwo\r\nthree\r\nfour"))
        << "[" << TextOf(edit) << "]";
    rt::Clipboard::SetText("\n\r\nfive");
    Type(main, "+{INSERT}");
    const std::string edited = "abcdefghi\r\none\r\ntwo\r\nthree\r\nfour\r\n\r\nfive";
    ASSERT_TRUE(TextBecomes(edit, edited)) << "[" << TextOf(edit) << "]";

    // Numbered with the dialog's defaults (smart: the blank line is indented),
    // saved, then stripped: line for line as typed in whole.
    Type(main, "{F4}");
    HWND settings = program.Window("  Settings", kWaitMs);
    ASSERT_NE(settings, nullptr);
    Type(settings, "{ENTER}");
    const std::string numbered = "10  abcdefghi\r\n20  one\r\n30  two\r\n40  three\r\n50  four\r\n"
                                 "    \r\n60  five\r\n";
    EXPECT_TRUE(TextBecomes(edit, numbered)) << "[" << TextOf(edit) << "]";
    ASSERT_TRUE(SaveAs(program, main, path));
    EXPECT_TRUE(WaitFor([&] { return SavedBytes(path) == numbered + "\r\n"; },
                        kWaitMs))
        << "[" << SavedBytes(path) << "]";
    Type(main, "{F5}");
    EXPECT_TRUE(TextBecomes(edit, " abcdefghi\r\n one\r\n two\r\n three\r\n four\r\n  \r\n five\r\n  \r\n"))
        << "[" << TextOf(edit) << "]";

    Type(main, "^a{DEL}");
    EXPECT_TRUE(TextBecomes(edit, ""));
    Type(main, "^e");
    EXPECT_EQ(program.Wait(kWaitMs), 0u) << "an empty editor closes without asking";
    rt::DeleteSetting("Tallyman");
}

TEST(EndToEnd, RightClickShiftF10AndTheMenuKeyShowOnlyTheProgramsEditMenu) {
    Tallyman started;
    auto& [program, main, edit] = started;
    ASSERT_TRUE(main && edit);
    Type(main, "one{ENTER}two{ENTER}three");
    const std::string all = "one\r\ntwo\r\nthree";
    ASSERT_TRUE(TextBecomes(edit, all)) << TextOf(edit);

    // The menu's "C&opy All" is the program's alone: 'o' puts the whole text
    // on the clipboard, and no second menu follows.
    auto openedMenuCopiesAll = [&](const char* how) {
        rt::Clipboard::SetText("-");
        const bool shown = WaitFor([] { return ShownMenu() != nullptr; }, 10000);
        EXPECT_TRUE(shown) << how << ": a menu opened";
        if (!shown) return;
        rt::test::TapKey('O');
        EXPECT_TRUE(WaitFor([&] { return ClipboardText() == all; }, 10000))
            << how << ": the first menu shown was the Edit menu";
        WaitFor([] { return false; }, 1000);
        EXPECT_EQ(ShownMenu(), nullptr) << how << ": no other menu came after it";
        if (HWND left = ShownMenu()) PostMessageW(left, WM_KEYDOWN, VK_ESCAPE, 0);
    };

    // A quick right click on "two" puts the caret there first.
    Type(main, "^{HOME}");
    ASSERT_TRUE(WaitFor([&] { return Caret(edit) == 0; }, kWaitMs)) << Caret(edit);
    RightClickOn(edit, 6);
    openedMenuCopiesAll("right click");
    EXPECT_GE(Caret(edit), 5);
    EXPECT_LE(Caret(edit), 8);

    // From the keyboard the caret stays where it was.
    Type(main, "^{END}+{F10}");
    openedMenuCopiesAll("Shift+F10");
    EXPECT_EQ(Caret(edit), static_cast<int>(all.size()));
    SetForegroundWindow(main);
    rt::test::TapKey(VK_APPS);
    openedMenuCopiesAll("menu key");
    EXPECT_EQ(Caret(edit), static_cast<int>(all.size()));
    EXPECT_EQ(TextOf(edit), all);
}

// Esc, Alt+F4 and the close box answer none of the Yes / No questions: the
// question stays until Yes or No is pressed, and No keeps the text and the
// file.
TEST(EndToEnd, EscAndTheCloseBoxAnswerNoYesNoQuestion) {
    rt::test::TempFolder dir;
    const std::string path = dir / "kept.txt";
    rt::test::WriteBytes(path, "old file\r\n");
    Tallyman started;
    auto& [program, main, edit] = started;
    ASSERT_TRUE(main && edit);
    Type(main, "x = 1");
    ASSERT_TRUE(TextBecomes(edit, "x = 1"));

    auto standsAndIsAnsweredNo = [&](HWND box) {
        ASSERT_NE(box, nullptr);
        rt::test::StrikeKey(box, VK_ESCAPE);
        SetForegroundWindow(box);
        rt::test::TapKeyWith({VK_MENU}, VK_F4);
        PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        PostMessageW(box, WM_CLOSE, 0, 0);
        EXPECT_FALSE(WaitFor([&] { return !IsWindowVisible(box); }, 1500)) << "the box went";
        EXPECT_FALSE(program.Ended());
        PostMessageW(box, WM_COMMAND, IDNO, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, kWaitMs));
    };

    Type(main, "^e");
    standsAndIsAnsweredNo(program.Window("  Confirm Discard And Exit", kWaitMs));
    Type(main, "^n");
    standsAndIsAnsweredNo(program.Window("  Confirm Clear Information", kWaitMs));
    EXPECT_EQ(TextOf(edit), "x = 1");

    // Save As onto a file that is there.
    ASSERT_TRUE(SaveAs(program, main, path));
    standsAndIsAnsweredNo(program.Window("  Overwrite Existing File?", kWaitMs));
    EXPECT_EQ(SavedBytes(path), "old file\r\n");
    EXPECT_EQ(TextOf(edit), "x = 1");
    EXPECT_FALSE(program.Ended());
    program.Kill();
    rt::DeleteSetting("Tallyman");
}

// Closes sent by another program, with text in the editor: the question
// comes once, and Yes ends the program with its settings kept.
TEST(EndToEnd, ASentCloseAsksOnceAndEndsTheProgram) {
    for (const rt::test::SentClose& close : rt::test::kSentCloses) {
        SCOPED_TRACE(close.name);
        Tallyman started;
        auto& [program, main, edit] = started;
        ASSERT_TRUE(main && edit);
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"kept?"));

        // The sender waits until the program has handled the close.
        bool returned = false;
        std::thread sender([&] { returned = rt::test::Send(main, close, kWaitMs); });
        HWND confirm = program.Window("  Confirm Discard And Exit", kWaitMs);
        EXPECT_NE(confirm, nullptr);
        if (confirm) PostMessageW(confirm, WM_COMMAND, IDYES, 0);
        sender.join();
        EXPECT_TRUE(returned);
        EXPECT_EQ(program.Wait(kWaitMs), 0u) << "the program did not end by itself";
        EXPECT_EQ(rt::GetSetting("Tallyman", "Options", "AlwaysOnTop"), "True");
    }
    rt::DeleteSetting("Tallyman");
}

// Closed while minimised, the program keeps the place the window had before,
// and starts there again as a normal window.
TEST(EndToEnd, ClosedMinimisedItStartsAgainWhereItStood) {
    rt::DeleteSetting("Tallyman");
    const RECT place{100, 80, 600, 480};
    {
        rt::test::Program program("Tallyman.exe");
        HWND main = program.Window("  Tallyman", kWaitMs);
        ASSERT_NE(main, nullptr);
        SetWindowPos(main, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
        SendMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
        ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }, kWaitMs));
        EXPECT_TRUE(rt::test::Send(main, rt::test::kSentCloses[0]));
        EXPECT_EQ(program.Wait(kWaitMs), 0u);
    }
    const long tppX = rt::Screen::TwipsPerPixelX(), tppY = rt::Screen::TwipsPerPixelY();
    EXPECT_EQ(rt::GetSetting("Tallyman", "Options", "Left"), rt::CStr(place.left * tppX));
    EXPECT_EQ(rt::GetSetting("Tallyman", "Options", "Top"), rt::CStr(place.top * tppY));
    EXPECT_EQ(rt::GetSetting("Tallyman", "Options", "Width"), rt::CStr((place.right - place.left) * tppX));
    EXPECT_EQ(rt::GetSetting("Tallyman", "Options", "Height"), rt::CStr((place.bottom - place.top) * tppY));

    rt::test::Program again("Tallyman.exe");
    HWND main = again.Window("  Tallyman", kWaitMs);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsIconic(main));
    RECT r{};
    GetWindowRect(main, &r);
    EXPECT_TRUE(EqualRect(&r, &place)) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
    RECT editor{};
    GetClientRect(rt::test::Child(main, L"Edit"), &editor);
    EXPECT_GT(editor.bottom, 200) << "the editor has its height";
    EXPECT_TRUE(rt::test::Send(main, rt::test::kSentCloses[1]));
    EXPECT_EQ(again.Wait(kWaitMs), 0u);
    rt::DeleteSetting("Tallyman");
}

TEST(EndToEnd, EscInTheEditorAsksNothingKeepsTheTextAndLeavesTheProgramRunning) {
    Tallyman started;
    auto& [program, main, edit] = started;
    ASSERT_TRUE(main && edit);

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

const rt::test::KeptWindow kTallyman{"Tallyman.exe", "  Tallyman", "Tallyman", "Options",
                                      "Size", L"Edit", {}};

TEST(EndToEnd, MaximisedTheEditorFillsTheWindow) {
    rt::test::ExpectContentsFillTheMaximisedWindow(kTallyman);
}

TEST(EndToEnd, AKeptPlaceOpensOnTheScreen) { rt::test::ExpectKeptPlacesOpenOnTheScreen(kTallyman); }

TEST(EndToEnd, AKeptFontSizeReadsTheSameInEveryLocale) {
    rt::test::ExpectKeptFontSizesReadInEveryLocale(kTallyman);
}

} // namespace
