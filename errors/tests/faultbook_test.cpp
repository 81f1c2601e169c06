// The main window driven by a scripted user: the list and its range checks,
// settings across runs, printing, the commands on one line, Raise / Cause
// Error and the message window.
#include <cmath>
#include <map>

#include <rt.h>
#include <rt/scripted_user.h>

#include "frmMain.h"
#include "frmText.h"
#include "test_support.h"

namespace faultbook {
namespace {

const char* const kApp = "Faultbook";
const char* const kHeading = "* Any Error Not Shown = 'Application-defined or object-defined error'";
using Kind = rt::ScriptedUser::Kind;

class FaultbookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        rt::App().Title = kApp;
        rt::DeleteSetting(kApp);
    }
    void TearDown() override {
        for (rt::Form* form : rt::Forms()) form->Unload();
        rt::DoEvents();
        rt::DeleteSetting(kApp);
    }
    // Starts the main window as the program does, typing `range` at its prompt.
    frmMain& Start(const std::string& range) {
        user.Type(range);
        frmMain::Get().Show();
        return frmMain::Get();
    }
    std::vector<std::string> Lines() {
        std::vector<std::string> lines;
        for (int i = 0; i < frmMain::Get().Display.ListCount(); ++i)
            lines.push_back(frmMain::Get().Display.List(i));
        return lines;
    }
    void Select(const std::string& line) {
        const auto lines = Lines();
        frmMain::Get().Display.ListIndex(
            static_cast<int>(std::find(lines.begin(), lines.end(), line) - lines.begin()));
    }
    rt::ScriptedUser::Shown Last() { return user.MessageBoxes().back(); }
    int Count(Kind kind) {
        return static_cast<int>(std::count_if(user.Boxes.begin(), user.Boxes.end(),
                                              [&](auto& b) { return b.What == kind; }));
    }
    rt::ScriptedUser user;
};

TEST_F(FaultbookTest, ListsEveryDefinedNumberPaddedToTheTypedWidth) {
    frmMain& form = Start("1000");
    for (auto [typed, bound, line13] : {std::tuple{"1000", 1000, "0013 = Type mismatch"},
                                        {"50", 50, "13 = Type mismatch"},
                                        {"00050", 50, "00013 = Type mismatch"}}) {
        SCOPED_TRACE(typed);
        if (bound != 1000) user.Type(typed), form.mnuFileList_Click();
        std::vector<std::string> expected{kHeading, ""};
        for (int n = 0; n <= bound; ++n)
            if (rt::ErrorText(n) != rt::kGenericErrorText)
                expected.push_back(ErrorLine(n, std::string(typed).size(), rt::ErrorText(n)));
        EXPECT_EQ(Lines(), expected);
        EXPECT_NE(std::find(expected.begin(), expected.end(), line13), expected.end());
        EXPECT_FALSE(form.Progress.Visible());
        EXPECT_EQ(form.Display.ListIndex(), 0); // the Down key sent at the end
    }
    EXPECT_EQ(ErrorLine(7, 2, "x"), "07 = x");
    EXPECT_EQ(ErrorLine(1000, 2, "x"), "1000 = x");
    EXPECT_EQ(user.Boxes[0].Title, "  Enter Faultbook Range");
    EXPECT_EQ(user.Boxes[0].DefaultText, "1000");
    EXPECT_TRUE(user.MessageBoxes().empty());
}

// The user switched to another program during a long fill: the first line is
// selected without a key, and the other program gets none and stays in front.
TEST_F(FaultbookTest, AFillEndingBehindAnotherProgramSendsItNoKey) {
    frmMain& form = Start("50");
    rt::test::ForeignWindow other("  Another Program");
    ASSERT_TRUE(other.ToFront());
    user.Type("2000");
    form.mnuFileList_Click();
    EXPECT_EQ(form.Display.ListIndex(), 0);
    EXPECT_TRUE(other.UntouchedInFront());
}

TEST_F(FaultbookTest, BadRangesLeaveTheList) {
    Start("50");
    const auto before = Lines();
    const std::string overflow = "Faultbook encountered the following error while trying to "
                                 "setup the display:\r\rError Number = 6\rError Discription = "
                                 "Overflow";
    const std::string invalid =
        "Entry must be a positive numerical value less than, or equal to 32,500.";
    for (auto [typed, text, title] :
         {std::tuple{"0", invalid, "  Invalid Entry"}, {"-5", invalid, "  Invalid Entry"},
          {"32501", invalid, "  Invalid Entry"}, {"abc", invalid, "  Invalid Entry"},
          {"123456", invalid, "  Invalid Entry"}, {"40000", overflow, "  Error  -  Overflow"}}) {
        SCOPED_TRACE(typed);
        user.Type(typed);
        frmMain::Get().mnuFileList_Click();
        EXPECT_EQ(Last().Prompt, text);
        EXPECT_EQ(Last().Title, title);
        EXPECT_EQ(Last().Style, 48);
        EXPECT_EQ(Lines(), before);
        EXPECT_FALSE(frmMain::Get().Progress.Visible());
    }
    user.CancelInput();
    frmMain::Get().mnuFileList_Click();
    EXPECT_EQ(user.MessageBoxes().size(), 6u);
    EXPECT_EQ(Lines(), before);
}

TEST_F(FaultbookTest, FirstStartDefaultsAndRestartRestoresTheLastRun) {
    rt::SaveSetting(kApp, "Settings", "Height", "abc"); // passed over
    frmMain& form = Start("10");
    EXPECT_FALSE(form.mnuOptionsClipboard.Checked());
    EXPECT_TRUE(form.mnuOptionsShowErr.Checked());
    EXPECT_EQ(form.Display.ToolTipText(), "Double-Click to display error and it's info");
    EXPECT_NEAR(form.Left(), (rt::Screen::Width() - form.Width()) / 2, 15);
    EXPECT_NEAR(form.Top(), (rt::Screen::Height() - form.Height()) / 2, 15);

    form.mnuOptionsClipboard_Click();
    form.mnuOptionsShowErr_Click();
    form.Move(600, 450, 9000, 6000);
    form.Display.Font({"Arial", 9.75, true}); // as the font dialog hands it over
    form.Display.ForeColor(0x80000008);
    frmText::Get().Show();
    form.WindowState(rt::vbMinimized); // the restored place is kept, not the icon's
    form.mnuFileExit_Click();          // takes every other window with it
    EXPECT_FALSE(frmText::Exists());
    const std::map<std::string, std::string> saved{
        {"Height", "6000"}, {"Width", "9000"}, {"Left", "600"}, {"Top", "450"},
        {"ForeColor", "-2147483640"}, {"BackColor", "16777215"}, {"FontBold", "True"},
        {"FontItalic", "False"}, {"FontName", "Arial"}, {"FontSize", "9.75"},
        {"FontStrikethru", "False"}, {"FontUnderline", "False"}, {"CopyClipboard", "True"},
        {"ShowInfo", "False"}};
    for (const auto& [key, value] : saved)
        EXPECT_EQ(rt::GetSetting(kApp, "Settings", key), value) << key;

    frmMain& again = Start("10");
    EXPECT_TRUE(again.mnuOptionsClipboard.Checked());
    EXPECT_FALSE(again.mnuOptionsShowErr.Checked());
    EXPECT_EQ(again.Display.ToolTipText(), "Double-Click to copy error to clipboard");
    EXPECT_EQ(again.Left(), 600);
    EXPECT_EQ(again.Width(), 9000);
    EXPECT_EQ(again.Display.Font(), (rt::Font{"Arial", 10, true})); // 9.75 comes back as 10
    EXPECT_EQ(again.Display.ForeColor(), static_cast<long>(0x80000008));
}

TEST_F(FaultbookTest, PrintsTheListToAFileAndNothingWhenEmpty) {
    frmMain& form = Start("5");
    const rt::test::TempFolder folder;
    const std::string path = folder / "print.txt";
    auto printToFile = [&] {
        user.OnDialog([](rt::DialogKind, rt::CommonDialog& d) { return d.Flags |= 0x20, true; });
        user.OnDialog([&](rt::DialogKind, rt::CommonDialog& d) { return d.FileName = path, true; });
        form.mnuFilePrint_Click();
    };
    printToFile();
    std::string expected = "\r\n\r\n";
    for (const std::string& line : Lines()) expected += "  " + line + "\r\n";
    const std::string written = rt::test::ReadBytes(path);
    EXPECT_EQ(written, expected + "\r\n");
    EXPECT_EQ(written.rfind(std::string("\r\n\r\n  ") + kHeading + "\r\n  \r\n", 0), 0u);

    DeleteFileW(rt::Wide(path).c_str());
    form.mnuFileClear_Click();
    printToFile();
    EXPECT_EQ(Last().Prompt, "There is currently nothing displayed to print.");
    EXPECT_EQ(Last().Title, "  Nothing To Print");
    EXPECT_EQ(GetFileAttributesW(rt::Wide(path).c_str()), INVALID_FILE_ATTRIBUTES);
    user.OnDialog([](rt::DialogKind, rt::CommonDialog&) { return true; }); // to the printer
    form.mnuFilePrint_Click();
    EXPECT_TRUE(user.Jobs.empty());
    EXPECT_EQ(user.MessageBoxes().size(), 2u);
}

TEST_F(FaultbookTest, DoubleClickAndPopUpCommandsOnOneLine) {
    frmMain& form = Start("50");
    std::string caption, text;
    auto expectWindow = [&] {
        user.OnModal([&](rt::Form& f) {
            caption = f.Caption(), text = dynamic_cast<frmText&>(f).txtText.Text();
        });
    };
    auto setOptions = [&](bool copy, bool show) {
        if (form.mnuOptionsClipboard.Checked() != copy) form.mnuOptionsClipboard_Click();
        if (form.mnuOptionsShowErr.Checked() != show) form.mnuOptionsShowErr_Click();
        rt::Clipboard::SetText("before");
    };
    Select("13 = Type mismatch");
    setOptions(true, true);
    expectWindow();
    form.Display_DblClick();
    EXPECT_EQ(rt::Clipboard::GetText(), "Type mismatch");
    EXPECT_EQ(caption + "|" + text, "  Error 13|Type mismatch");
    setOptions(false, false);
    form.Display_DblClick();
    EXPECT_EQ(rt::Clipboard::GetText(), "before");
    EXPECT_EQ(Count(Kind::ModalForm), 1);

    form.mnuEditCopy_Click();
    EXPECT_EQ(rt::Clipboard::GetText(), "Type mismatch");
    expectWindow();
    form.mnuPopShowInfo_Click();
    EXPECT_EQ(Count(Kind::ModalForm), 2);
    // The heading and the empty line: Copy hands on error 0's message, Show
    // Info shows nothing, a double-click shows error 0.
    for (int line : {0, 1}) {
        form.Display.ListIndex(line);
        rt::Clipboard::SetText("before");
        form.mnuPopCopy_Click();
        EXPECT_EQ(rt::Clipboard::GetText(), rt::ErrorText(0));
        form.mnuPopShowInfo_Click();
        EXPECT_EQ(Count(Kind::ModalForm), 2);
    }
    setOptions(false, true);
    expectWindow();
    form.Display_DblClick();
    EXPECT_EQ(caption, "  Error 0");
}

TEST_F(FaultbookTest, RaiseErrorIsTrappedCauseErrorDeclinedDoesNothing) {
    frmMain& form = Start("10");
    const std::string raised = "Faultbook caused the following error:\r\rError Number = ";
    for (auto [typed, text, title] :
         {std::tuple{"13", raised + "13\rError Description = Type mismatch",
                     "  Error  -  Type mismatch"},
          {"abc", std::string("Entry must be a positive numerical value."), "  Invalid Entry"},
          {"99999999999", raised + "6\rError Description = Overflow", "  Error  -  Overflow"}}) {
        user.Type(typed);
        form.mnuFileRaiseError_Click();
        EXPECT_EQ(Last().Prompt, text);
        EXPECT_EQ(Last().Title, title);
        EXPECT_EQ(rt::Err().Number, 0);
    }
    for (int answer : {rt::vbNo, rt::vbCancel}) user.Answer(answer), form.mnuFileCauseError_Click();
    user.Answer(rt::vbYes), user.Type("abc"), form.mnuFileCauseError_Click();
    EXPECT_EQ(Last().Title, "  Invalid Entry");
    EXPECT_EQ(Count(Kind::InputBox), 5); // the start, three Raise, one Cause
    EXPECT_EQ(user.MessageBoxes()[3].Style, 51);
}

// The list fills the window's height exactly, not rounded down to whole lines,
// after a fill and after each resize.
TEST_F(FaultbookTest, ListTakesTheWindowsHeight) {
    frmMain& form = Start("1000");
    auto check = [&](const char* when) {
        rt::DoEvents();
        RECT r{};
        GetWindowRect(form.Display.hWnd(), &r);
        EXPECT_EQ(r.bottom - r.top,
                  std::lround((form.Height() - 1050) / rt::Screen::TwipsPerPixelY()))
            << when << " at a window height of " << form.Height();
    };
    check("at start");
    for (long height : {6000L, 5005L, 7530L}) {
        form.Height(height);
        check("resized");
        user.Type("300");
        form.mnuFileList_Click();
        check("refilled");
    }
}

TEST_F(FaultbookTest, RaiseErrorReadsTheNumberAsTheUsersLocaleWritesIt) {
    frmMain& form = Start("10");
    const std::string raised = "Faultbook caused the following error:\r\rError Number = ";
    const std::string mismatch = raised + "13\rError Description = Type mismatch";
    const std::string overflow = raised + "6\rError Description = Overflow";
    const std::string invalid = "Entry must be a positive numerical value.";
    const std::string euro = "\xE2\x82\xAC";
    using Case = std::pair<std::string, std::string>;
    auto raise = [&](const std::string& typed) {
        user.Type(typed);
        form.mnuFileRaiseError_Click();
        EXPECT_EQ(rt::Err().Number, 0);
        return Last().Prompt;
    };
    {
        rt::test::UserNumberSymbols symbols(".", ",", "$");
        for (auto [typed, shown] : {Case{"$13", mismatch}, {" 13 $ ", mismatch},
                                    {"12.5", raised + "12\rError Description = Application-defined "
                                                      "or object-defined error"},
                                    {"$2,147,483,648", overflow}, {"13 $$", invalid},
                                    {"13" + euro, invalid}})
            EXPECT_EQ(raise(typed), shown) << typed;
    }
    {
        rt::test::UserNumberSymbols symbols(",", ".", euro);
        for (auto [typed, shown] : {Case{euro + "13", mismatch}, {"1.3", mismatch},
                                    {"13,4 " + euro, mismatch}, {"2.147.483.647,5", overflow},
                                    {"$13", invalid}, {"13.", invalid}})
            EXPECT_EQ(raise(typed), shown) << typed;
    }
}

TEST_F(FaultbookTest, MessageWindowKeepsItsHeight) {
    frmText& window = frmText::Get();
    window.Show();
    for (long width : {9000L, 5000L}) {
        window.Move(window.Left(), window.Top(), width, 3000);
        EXPECT_EQ(window.Height(), frmText::kHeight);
        EXPECT_EQ(window.txtText.Width(), window.Width() - 345);
    }
    // Maximised by another program (Paneherd's Maximized, say), though it has
    // no button for it: the window fills the screen and the text its width;
    // restored, it is back as it was.
    RECT before{}, after{};
    GetWindowRect(window.hWnd(), &before);
    ShowWindow(window.hWnd(), SW_MAXIMIZE);
    rt::DoEvents();
    EXPECT_TRUE(IsZoomed(window.hWnd()));
    EXPECT_GT(window.Height(), frmText::kHeight);
    EXPECT_EQ(window.txtText.Width(), window.Width() - 345);
    ShowWindow(window.hWnd(), SW_RESTORE);
    rt::DoEvents();
    GetWindowRect(window.hWnd(), &after);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_EQ(window.Height(), frmText::kHeight);
    window.cmdOK.Press();
    EXPECT_FALSE(frmText::Exists());
}

TEST_F(FaultbookTest, MessageWindowClosesWithEnterOrEscInItsText) {
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        frmText& window = frmText::Get();
        window.Show();
        window.txtText.SetFocus();
        rt::test::StrikeKey(window.hWnd(), key);
        EXPECT_FALSE(frmText::Exists()) << "key " << key;
    }
}

} // namespace
} // namespace faultbook
