// The editor window driven as a user would: numbering and removal runs with
// their captions, undo steps and failure reports; the editor inert during a
// run; the edit commands and a long paste; closing; the settings kept.
#include <chrono>

#include "fixture.h"
#include "numbering.h"

namespace tallyman {
namespace {

using test::Captions;
using test::EditorTest;
using Kind = rt::ScriptedUser::Kind;

const std::string kProcedure =
    "Private Sub Command1_Click()\r\n    Dim i As Integer\r\n    i = 5\r\nEnd Sub";
const std::string kNumbered =
    "   Private Sub Command1_Click()\r\n       Dim i As Integer\r\n10      i = 5\r\n    End Sub\r\n";

struct NoProgress : RunProgress {
    void Reading(long) override {}
    void Total(long) override {}
    void Processing(long, long) override {}
};

// What a first smart run with the defaults, and a first removal, make of a
// text, seen apart from the window.
std::string SmartNumbered(const std::string& text) {
    NoProgress none;
    LineClassifier classifier;
    const std::string working = text + "\r\n";
    return NumberedText(ReadLines(working, none), 10, 2, true, classifier, none);
}

std::string Stripped(const std::string& text) {
    NoProgress none;
    NumberWidth width;
    const std::string working = text + "\r\n";
    return StrippedText(ReadLines(working, none), width, none);
}

TEST_F(EditorTest, NumberingAndRemovalAreOneUndoStepEachWithTheirCaptions) {
    frmMain& form = Start();
    {
        Captions captions(form.hWnd());
        form.NumberLines(10, 2, true);
        form.RemoveNumbers();
        EXPECT_TRUE(captions.Seen.empty()) << "an empty editor: nothing happens";
    }
    form.txtDisplay.Text(kProcedure);
    form.Caption("  Tallyman    [ old.bas ]");
    {
        Captions captions(form.hWnd());
        form.NumberLines(10, 2, true);
        EXPECT_EQ(Text(), kNumbered);
        ASSERT_GE(captions.Seen.size(), 2u);
        EXPECT_EQ(captions.Seen[captions.Seen.size() - 2], "  Tallyman    [ old.bas ]   (4 Total Lines)");
        EXPECT_EQ(captions.Seen.back(), "  Tallyman"); // the file title is not restored
    }
    form.RemoveNumbers();
    EXPECT_EQ(Text(), "Private Sub Command1_Click()\r\nDim i As Integer\r\n     i = 5\r\n  End Sub\r\n  \r\n");
    // A second text is re-indented at least as wide as the widest number seen.
    form.txtDisplay.Text("plain\r\n7 x");
    form.RemoveNumbers();
    EXPECT_EQ(Text(), "  plain\r\nx\r\n");

    for (const std::string& before :
         {std::string("plain\r\n7 x"), std::string("Private Sub Command1_Click()\r\nDim i As Integer\r\n"
                                                   "     i = 5\r\n  End Sub\r\n  \r\n"),
          kNumbered, kProcedure, std::string()}) {
        form.mnuEditUndo_Click();
        EXPECT_EQ(Text(), before);
    }
    EXPECT_EQ(form.Caption(), "  Tallyman");
}

TEST_F(EditorTest, AFailedRunReportsItselfAndLeavesTheText) {
    frmMain& form = Start("Dim a\r\nDim b\r\nx = 1");
    // A negative count of blanks fails on the first numbered line, the third.
    form.NumberLines(10, -1, true);
    EXPECT_EQ(LastBox().Prompt, "Tallyman caused the following error in module 'NumberLines':\r\r"
                                "Error Number = 5\rError Description = Invalid procedure call or "
                                "argument\rError Line = 0");
    EXPECT_EQ(LastBox().Title, "  Error  -  Invalid procedure call or argument");
    EXPECT_EQ(LastBox().Style, 48);
    EXPECT_EQ(Text(), "Dim a\r\nDim b\r\nx = 1");
    EXPECT_EQ(form.Caption(), "  Tallyman   (3 Total Lines)   -   Processing  :  66.67%");
    EXPECT_EQ(rt::Err().Number, 0);

    // A leading number of 40,001 digits is too wide to remember.
    form.txtDisplay.Text(std::string(40000, '0') + "1 x");
    form.RemoveNumbers();
    EXPECT_EQ(LastBox().Prompt, "Tallyman caused the following error in module 'RemoveNumbers':\r\r"
                                "Error Number = 6\rError Description = Overflow\rError Line = 0\r\r"
                                "Click OK to continue.");
    EXPECT_EQ(LastBox().Title, "  Error  -  Overflow");
    EXPECT_EQ(Text(), std::string(40000, '0') + "1 x");
    // Neither run left a step in the history.
    form.mnuEditUndo_Click();
    EXPECT_EQ(Text(), "Dim a\r\nDim b\r\nx = 1");
    EXPECT_TRUE(form.mnuTallymanNum.Enabled() && !form.Running());
}

TEST_F(EditorTest, TheCaptionShowsProgressAtMostEveryFewTensOfMilliseconds) {
    frmMain& form = Start(test::BasicLines(30000));
    Captions captions(form.hWnd());
    const auto start = std::chrono::steady_clock::now();
    form.NumberLines(10, 2, false);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    // One caption a line would be 60,000 captions; at most one every 40 ms
    // besides the total and the final title.
    EXPECT_LE(static_cast<long long>(captions.Seen.size()), ms / 40 + 3) << ms << " ms";
    EXPECT_EQ(captions.Seen.back(), "  Tallyman");
    EXPECT_NE(std::find(captions.Seen.begin(), captions.Seen.end(), "  Tallyman   (30000 Total Lines)"),
              captions.Seen.end());
    EXPECT_EQ(Text().substr(0, 24), "10  Private Sub Work()\r\n");
}

// Keys and edits that reach the window while a run works (they wait in the
// queue and are handled at the run's first yield).
void DuringTheRun(HWND edit, bool ctrl) {
    if (ctrl) {
        for (WORD key : {'V', 'Z', 'X', 'N'}) rt::test::PostKey(edit, key);
        return;
    }
    PostMessageW(edit, WM_CHAR, 'z', 0);
    PostMessageW(edit, WM_PASTE, 0, 0);
    PostMessageW(edit, EM_SETSEL, 0, -1);
    PostMessageW(edit, WM_CLEAR, 0, 0);
    for (WORD key : {VK_F4, VK_F5, VK_DELETE}) rt::test::PostKey(edit, key);
}

TEST_F(EditorTest, TypingPastingClearingAndShortcutsDuringARunChangeNothing) {
    const std::string source = test::BasicLines(20000);
    frmMain& form = Start(source);
    const HWND edit = form.txtDisplay.hWnd();
    rt::Clipboard::SetText("PASTED");

    DuringTheRun(edit, false);
    form.NumberLines(10, 2, true);
    const std::string numbered = SmartNumbered(source);
    EXPECT_TRUE(Text() == numbered);
    EXPECT_EQ(Count(Kind::ModalForm), 0) << "F4 opened no settings dialog";

    // With Ctrl held: paste, undo, cut and new during a removal run.
    BYTE saved[256], ctrl[256];
    GetKeyboardState(saved);
    memcpy(ctrl, saved, sizeof ctrl);
    ctrl[VK_CONTROL] = 0x80;
    SetKeyboardState(ctrl);
    DuringTheRun(edit, true);
    form.RemoveNumbers();
    SetKeyboardState(saved);
    const std::string stripped = Stripped(numbered);
    EXPECT_TRUE(Text() == stripped);
    EXPECT_TRUE(user.MessageBoxes().empty()) << "File > New asked nothing";

    // Afterwards the editor takes typing again, and the history has the two runs.
    form.txtDisplay.SelStart(0);
    SendMessageW(edit, WM_CHAR, 'q', 0);
    EXPECT_TRUE(Text() == "q" + stripped);
    for (const std::string& before : {stripped, numbered, source}) {
        form.mnuEditUndo_Click();
        EXPECT_TRUE(Text() == before);
    }
}

TEST_F(EditorTest, ClosingDuringARunStopsItThenAsksAsUsual) {
    const std::string source = test::BasicLines(5000);
    frmMain& form = Start(source);
    // No: the window stays, untouched by the stopped run.
    PostMessageW(form.hWnd(), WM_CLOSE, 0, 0);
    user.Answer(rt::vbNo);
    form.NumberLines(10, 2, true);
    EXPECT_EQ(LastBox().Title, "  Confirm Discard And Exit");
    ASSERT_TRUE(frmMain::Exists());
    EXPECT_TRUE(Text() == source) << "the stopped run changed nothing";
    EXPECT_EQ(form.Caption(), "  Tallyman");
    EXPECT_FALSE(form.Running());

    // Yes: the run ends, then the window closes and keeps its settings.
    PostMessageW(form.hWnd(), WM_CLOSE, 0, 0);
    user.Answer(rt::vbYes);
    form.RemoveNumbers();
    EXPECT_FALSE(frmMain::Exists());
    EXPECT_EQ(rt::GetSetting(test::kApp, "Options", "AlwaysOnTop"), "True");
    EXPECT_EQ(user.MessageBoxes().size(), 2u);
}

TEST_F(EditorTest, EditCommandsWorkOnTheSelectionAndThePasteIsNeverCut) {
    frmMain& form = Start("one two\r\nthree");
    rt::TextBox& t = form.txtDisplay;
    t.SelStart(4);
    t.SelLength(3);
    form.mnuEditCopy_Click();
    EXPECT_EQ(rt::Clipboard::GetText(), "two");
    form.mnuEditCut_Click();
    EXPECT_EQ(Text(), "one \r\nthree");
    t.SelStart(0);
    form.mnuEditPaste_Click();
    EXPECT_EQ(Text(), "twoone \r\nthree");
    form.mnuEditCopyAll_Click();
    EXPECT_EQ(rt::Clipboard::GetText(), "twoone \r\nthree");
    form.mnuEditSelectAll_Click();
    EXPECT_EQ(t.SelText(), "twoone \r\nthree");

    // Delete: the selection, else the character after the caret, else nothing.
    t.SelStart(3);
    t.SelLength(3);
    form.mnuEditDelete_Click();
    EXPECT_EQ(Text(), "two \r\nthree");
    t.SelStart(0);
    form.mnuEditDelete_Click();
    EXPECT_EQ(Text(), "wo \r\nthree");
    t.SelStart(11);
    form.mnuEditDelete_Click();
    EXPECT_EQ(Text(), "wo \r\nthree");
    form.mnuEditUndo_Click(); // the delete at the end was no step
    EXPECT_EQ(Text(), "two \r\nthree");

    // A paste of 130,000 characters arrives whole, by Ctrl+V and by the
    // control's own paste; typing goes on past it.
    std::string big;
    for (int i = 0; big.size() < 130000; ++i) big += "Line " + std::to_string(i) + " of the pasted text\r\n";
    rt::Clipboard::SetText(big);
    t.Text("");
    t.SetFocus();
    rt::test::PressKey(t.hWnd(), 'V', true);
    EXPECT_EQ(Text().size(), big.size());
    EXPECT_EQ(Text(), big);
    t.Text("");
    SendMessageW(t.hWnd(), WM_PASTE, 0, 0);
    SendMessageW(t.hWnd(), WM_CHAR, 'x', 0);
    EXPECT_EQ(Text(), big + "x");
}

TEST_F(EditorTest, ALineBreakIsOneCharacterAndArrivesAsCrLf) {
    frmMain& form = Start();
    rt::RichTextStandIn& t = form.txtDisplay;
    const HWND edit = t.hWnd();
    t.Text("ab\ncd\re\r\nf\n");
    EXPECT_EQ(Text(), "ab\r\ncd\r\ne\r\nf\r\n");

    // a b | c d | e | f | : ten characters.
    t.SelStart(3);
    EXPECT_EQ(t.SelStart(), 3);
    EXPECT_EQ(LOWORD(SendMessageW(edit, EM_GETSEL, 0, 0)), 4) << "the caret stands before the c";
    t.SelLength(3);
    EXPECT_EQ(t.SelText(), "cd\r\n");
    EXPECT_EQ(t.SelLength(), 3);
    form.mnuEditSelectAll_Click();
    EXPECT_EQ(t.SelLength(), 10);
    EXPECT_EQ(t.SelText(), Text());
    t.SelStart(100);
    EXPECT_EQ(t.SelStart(), 10);

    // The Delete key at the end of the first line, the menu's Delete at the
    // end of the next: each takes a whole line break, one undo step each.
    t.SelStart(2);
    t.SetFocus();
    rt::test::PressKey(edit, VK_DELETE);
    EXPECT_EQ(Text(), "abcd\r\ne\r\nf\r\n");
    t.SelStart(4);
    form.mnuEditDelete_Click();
    EXPECT_EQ(Text(), "abcde\r\nf\r\n");
    form.mnuEditUndo_Click();
    EXPECT_EQ(Text(), "abcd\r\ne\r\nf\r\n");
    // Backspace at the start of a line, the control's own, joins whole lines too.
    t.SelStart(5);
    rt::test::PressKey(edit, VK_BACK);
    EXPECT_EQ(Text(), "abcde\r\nf\r\n");
    form.mnuEditUndo_Click();

    // Text replacing the selection, and text sent by another program.
    t.SelStart(0);
    t.SelText("x\ry\n");
    EXPECT_EQ(Text(), "x\r\ny\r\nabcd\r\ne\r\nf\r\n");
    form.mnuEditUndo_Click();
    EXPECT_EQ(Text(), "abcd\r\ne\r\nf\r\n");
    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"p\nq"));
    EXPECT_EQ(Text(), "p\r\nq");

    // The control's own paste (Shift+Insert, WM_PASTE) too, and not while locked.
    rt::Clipboard::SetText("1\n2");
    t.Text("");
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "1\r\n2");
    t.Locked(true);
    SendMessageW(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "1\r\n2");
    t.Locked(false);
}

TEST_F(EditorTest, TypedTextUndoesStepByStepAndNewForgetsTheHistory) {
    frmMain& form = Start();
    form.txtDisplay.SetFocus();
    rt::SendKeys("abc");
    ASSERT_EQ(Text(), "abc");
    for (const char* expected : {"ab", "a", "", ""}) {
        rt::test::PressKey(form.txtDisplay.hWnd(), 'Z', true);
        EXPECT_EQ(Text(), expected);
    }

    form.txtDisplay.Text("keep");
    form.Caption("  Tallyman    [ a.txt ]");
    user.Answer(rt::vbNo);
    form.mnuFileNew_Click();
    EXPECT_EQ(Text(), "keep");
    EXPECT_EQ(LastBox().Prompt, "Perminently clear the current information?");
    EXPECT_EQ(LastBox().Title, "  Confirm Clear Information");
    EXPECT_EQ(LastBox().Style, 36);
    user.Answer(rt::vbYes);
    form.mnuFileNew_Click();
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(form.Caption(), "  Tallyman");
    form.mnuEditUndo_Click();
    EXPECT_EQ(Text(), "");
    form.mnuFileNew_Click(); // empty: asks nothing
    EXPECT_EQ(user.MessageBoxes().size(), 2u);
}

TEST_F(EditorTest, ClosingAsksOnlyWhenThereIsText) {
    frmMain& form = Start("x");
    user.Answer(rt::vbNo);
    form.mnuFileExit_Click();
    ASSERT_TRUE(frmMain::Exists());
    EXPECT_EQ(LastBox().Prompt, "There is currently text in the display.\rDiscard it and exit?");
    EXPECT_EQ(LastBox().Style, 36);
    EXPECT_EQ(rt::GetSetting(test::kApp, "Options", "Size"), "") << "nothing written on No";
    form.txtDisplay.Text("");
    form.mnuFileExit_Click();
    EXPECT_FALSE(frmMain::Exists());
    EXPECT_EQ(user.MessageBoxes().size(), 1u);
}

TEST_F(EditorTest, SettingsAreKeptUnderOptions) {
    rt::SaveSetting(test::kApp, "Options", "Width", "wide"); // passed over
    frmMain& form = Start();
    EXPECT_TRUE(form.mnuOptionsAlwaysOnTop.Checked());
    EXPECT_TRUE(GetWindowLongW(form.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(form.txtDisplay.Font(), (rt::Font{"Courier New", 10}));

    // The font and colour dialogs, started from the editor's, copy back.
    user.OnDialog([](rt::DialogKind kind, rt::CommonDialog& d) {
        EXPECT_EQ(kind, rt::DialogKind::Font);
        EXPECT_EQ(d.Flags, 259);
        EXPECT_EQ(d.FontName + "|" + rt::CStr(d.FontSize), "Courier New|10");
        d.FontName = "Arial", d.FontSize = 9.75, d.FontBold = true, d.FontStrikethru = true;
        return true;
    });
    form.mnuOptionsFont_Click();
    user.OnDialog([](rt::DialogKind kind, rt::CommonDialog& d) {
        EXPECT_EQ(kind, rt::DialogKind::Color);
        EXPECT_EQ(d.Flags, 3);
        EXPECT_EQ(d.Color, static_cast<long>(0x80000005));
        d.Color = 0x00C0FFFF;
        return true;
    });
    form.mnuOptionsColor_Click();
    user.CancelDialog();
    form.mnuOptionsFont_Click();
    user.CancelDialog();
    form.mnuOptionsColor_Click();
    EXPECT_EQ(form.txtDisplay.BackColor(), 0x00C0FFFF);
    form.mnuOptionsAlwaysOnTop_Click();
    EXPECT_FALSE(GetWindowLongW(form.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    form.Move(600, 450, 9000, 6600);
    EXPECT_EQ(form.txtDisplay.Width(), 9000 - 330);
    EXPECT_EQ(form.txtDisplay.Height(), 6600 - 900);
    form.mnuFileExit_Click();

    const std::vector<std::pair<const char*, const char*>> saved{
        {"Bold", "True"},        {"Italic", "False"},   {"Name", "Arial"},
        {"Size", "9.75"},        {"Strikethrough", "True"}, {"Underline", "False"},
        {"BackColor", "12648447"}, {"AlwaysOnTop", "False"}, {"Left", "600"},
        {"Top", "450"},          {"Width", "9000"},     {"Height", "6600"}};
    for (const auto& [key, value] : saved)
        EXPECT_EQ(rt::GetSetting(test::kApp, "Options", key), value) << key;

    frmMain& again = Start();
    EXPECT_EQ(again.txtDisplay.Font(), (rt::Font{"Arial", 10, true, false, false, true}));
    EXPECT_EQ(again.txtDisplay.BackColor(), 0x00C0FFFF);
    EXPECT_FALSE(again.mnuOptionsAlwaysOnTop.Checked());
    EXPECT_FALSE(GetWindowLongW(again.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(again.Left(), 600);
    EXPECT_EQ(again.Height(), 6600);
}

TEST_F(EditorTest, ARightClickMovesTheCaretThereThenOpensTheEditMenu) {
    frmMain& form = Start("first line\r\nsecond line\r\nthird line");
    const HWND edit = form.txtDisplay.hWnd();
    SetForegroundWindow(form.hWnd());
    rt::DoEvents();
    // The pointer over the third line, a little way in.
    const LRESULT at = SendMessageW(edit, EM_POSFROMCHAR, 30, 0);
    POINT p{static_cast<short>(LOWORD(at)) + 2, static_cast<short>(HIWORD(at)) + 4};
    ClientToScreen(edit, &p);
    SetCursorPos(p.x, p.y);
    form.txtDisplay.SelStart(0);

    int caret = -1;
    bool menu = false;
    {
        rt::test::WhileModal watch([&] {
            HWND popup = FindWindowW(L"#32768", nullptr);
            if (!popup || !IsWindowVisible(popup)) return false;
            menu = true;
            caret = form.txtDisplay.SelStart();
            EndMenu();
            return true;
        });
        INPUT click[2] = {};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        SendInput(2, click, sizeof(INPUT));
        rt::test::WaitFor([&] { return menu; }, 15000);
    }
    EXPECT_TRUE(menu) << "the Edit menu popped up";
    EXPECT_GE(caret, 26) << "the caret went to the third line before the menu opened";
    EXPECT_LE(caret, 36);
    rt::DoEvents();
    EXPECT_EQ(FindWindowW(L"#32768", nullptr) && IsWindowVisible(FindWindowW(L"#32768", nullptr)),
              false) << "the control showed no menu of its own after ours";
}

TEST_F(EditorTest, PrintHandsTheTextToThePrinterDialogsCopiesAndOrientation) {
    frmMain& form = Start("10  Print me\r\n20  and me");
    user.OnDialog([](rt::DialogKind kind, rt::CommonDialog& d) {
        EXPECT_EQ(kind, rt::DialogKind::Printer);
        EXPECT_EQ(d.Flags, 0x40);
        d.Copies = 2;
        d.Orientation = 2;
        return true;
    });
    form.mnuFilePrintSetup_Click();
    EXPECT_TRUE(user.Jobs.empty());
    user.OnDialog([](rt::DialogKind, rt::CommonDialog& d) {
        EXPECT_EQ(d.Flags, 0x100088);
        EXPECT_EQ(d.Copies, 2) << "the printer's copies go into the dialog";
        return true;
    });
    form.mnuFilePrint_Click();
    ASSERT_EQ(user.Jobs.size(), 1u);
    EXPECT_EQ(user.Jobs[0].Text, "10  Print me\r\n20  and me\r\n");
    EXPECT_EQ(user.Jobs[0].Copies, 2);
    EXPECT_EQ(user.Jobs[0].Orientation, 2);
    user.CancelDialog();
    form.mnuFilePrint_Click();
    user.NoPrinter = true; // a failed job ends the command without a word
    user.OnDialog([](rt::DialogKind, rt::CommonDialog&) { return true; });
    form.mnuFilePrint_Click();
    EXPECT_EQ(user.Jobs.size(), 1u);
    EXPECT_TRUE(user.MessageBoxes().empty());
    rt::Printer().Copies = 1;
    rt::Printer().Orientation = 1;
}

} // namespace
} // namespace tallyman
