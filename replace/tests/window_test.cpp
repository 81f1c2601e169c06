// The window driven as a user would, with a scripted user answering its boxes:
// browsing and selecting, the input checks, the run with and without backups,
// Stop and Close during a run, and the files afterwards.
#include <string>
#include <vector>

#include "fixture.h"

namespace sweeper::testing {
namespace {

using rt::test::ReadBytes;
using rt::test::WriteBytes;
using Names = std::vector<std::string>;

TEST_F(SweeperTest, StartsIdleOnDriveCsFolderAndBrowsesAsTyped) {
    for (const char* name : {"one.txt", "two.txt", "three.log", "four.t"}) WriteBytes(dir / name, "x");
    rt::ChDir(dir.Path());
    frmMain& form = frmMain::Get();
    form.Show();
    rt::DoEvents();
    rt::ChDir(rt::App().Path());
    EXPECT_EQ(form.Caption(), "  Sweeper");
    EXPECT_EQ(Listed(form), (Names{"four.t", "one.txt", "three.log", "two.txt"}));
    EXPECT_EQ(Selection(form), Names{});
    EXPECT_EQ(form.chkCaseInsensative.Value(), rt::vbChecked);
    EXPECT_FALSE(form.cmdStop.Enabled());
    EXPECT_LE(form.lblFound.Left() + form.lblFound.Width(), form.ScaleWidth()); // wholly in sight

    // Every keystroke filters the list again.
    SendMessageW(form.txtFilter.hWnd(), EM_SETSEL, 0, -1);
    for (auto [key, count] : std::vector<std::pair<wchar_t, size_t>>{{L'*', 4}, {L't', 3}, {L'x', 0}, {L't', 2}}) {
        SendMessageW(form.txtFilter.hWnd(), WM_CHAR, key, 1);
        EXPECT_EQ(Listed(form).size(), count) << "after typing " << static_cast<char>(key);
    }
    form.txtFilter.Text("*.txt|"); // no file name holds "|": the list stays
    EXPECT_EQ(Listed(form), (Names{"one.txt", "two.txt"}));
    form.cmdSelectAll.Press();
    EXPECT_EQ(Selection(form), (Names{"one.txt", "two.txt"}));
    form.cmdSelectNone.Press();
    EXPECT_EQ(Selection(form), Names{});

    // Esc shows the About message, Enter in a text box presses Start.
    rt::App().Major = 1, rt::App().Minor = 2, rt::App().Revision = 3;
    rt::test::PressKey(form.txtSearchText.hWnd(), VK_ESCAPE);
    rt::test::PressKey(form.txtSearchText.hWnd(), VK_RETURN);
    EXPECT_EQ(Titles(), (Names{"Sweeper", "  Nothing Selected"}));
    const std::string about = user.MessageBoxes()[0].Prompt;
    EXPECT_EQ(user.MessageBoxes()[0].Style, 0);
    EXPECT_EQ(about.substr(0, 24), "            ~ Sweeper ~\r");
    EXPECT_NE(about.find("\r" + std::string(34, '_') + "  \r\r Version\t = 1.02.0003\r Author\t = "),
              std::string::npos);
    EXPECT_EQ(rt::Wide(about).substr(24, 37), std::wstring(34, L'\u00AF') + L"  \r");
}

// The labels' access keys take the focus to the text box after each, from
// the drive list too, so that what is typed next goes there and the drive
// stays.
TEST_F(SweeperTest, AltEAndAltRReachTheTextBoxesAfterTheirLabels) {
    frmMain& form = Open(dir.Path());
    SetForegroundWindow(form.hWnd());
    ASSERT_TRUE(rt::test::WaitFor([&] { return GetForegroundWindow() == form.hWnd(); }, 3000));
    const std::string drive = form.ctlDrive.Drive();
    const struct {
        char key;
        rt::TextBox& box;
    } keys[] = {{'E', form.txtSearchText}, {'R', form.txtReplaceText}};
    for (const auto& k : keys) {
        SCOPED_TRACE(std::string("Alt+") + k.key);
        form.ctlDrive.SetFocus();
        rt::test::TapKeyWith({VK_MENU}, static_cast<WORD>(k.key));
        EXPECT_TRUE(rt::test::WaitFor([&] { return GetFocus() == k.box.hWnd(); }, 3000));
        rt::test::TapKey('Q');
        EXPECT_TRUE(rt::test::WaitFor([&] { return k.box.Text() == "q"; }, 3000)) << k.box.Text();
    }
    EXPECT_EQ(form.ctlDrive.Drive(), drive);
}

TEST_F(SweeperTest, TheInputChecksInTheirOrderEachWithItsFocus) {
    WriteBytes(dir / "a.txt", "abc");
    frmMain& form = Open(dir.Path());
    const std::string same = "The text specified to search for and the text specified to replace "
                             "with are the same.";
    const std::string cannot = " holds characters that the code page of the files cannot hold.";
    const std::string invalid = "  Invalid Search And Replace Specified";
    const HWND list = form.ctlFile.hWnd(), search = form.txtSearchText.hWnd();
    struct Case {
        bool select;
        std::string search, replacement;
        int ignoreCase;
        std::string title, prompt;
        HWND focus;
    };
    for (const Case& c : std::vector<Case>{
             {false, "a", "b", 1, "  Nothing Selected", "No files selected to search.", list},
             {true, "", "b", 1, "  No Search Text", "No text specified to search for.", search},
             {true, "Abc", "Abc", 0, invalid, same, search},
             {true, "Caf\xC3\xA9", "cAF\xC3\x89", 1, invalid, same, search},
             {true, "\xCE\xA9", "x", 1, invalid, "The text specified to search for" + cannot, search},
             {true, "x", "\xE4\xB8\xAD", 1, invalid, "The text specified to replace with" + cannot,
              form.txtReplaceText.hWnd()}}) {
        SCOPED_TRACE(c.title + " " + c.search);
        Select(form, c.select ? Names{"a.txt"} : Names{});
        form.chkCaseInsensative.Value(c.ignoreCase);
        Run(form, c.search, c.replacement, -1);
        EXPECT_EQ(user.MessageBoxes().back().Title, c.title);
        EXPECT_EQ(user.MessageBoxes().back().Prompt, c.prompt);
        EXPECT_EQ(user.MessageBoxes().back().Style, 48);
        EXPECT_EQ(GetFocus(), c.focus);
    }
    // Case counts with Ignore case off; Cancel at the confirmation changes nothing.
    form.chkCaseInsensative.Value(rt::vbUnchecked);
    Run(form, "Abc", "ABC", rt::vbCancel);
    EXPECT_EQ(user.MessageBoxes().back().Title, kConfirmTitle);
    EXPECT_EQ(user.MessageBoxes().back().Style, 51);
    EXPECT_EQ(ReadBytes(dir / "a.txt"), "abc");
}

TEST_F(SweeperTest, ARunChangesOnlyWhatWasFoundAndBacksUpOnlyChangedFiles) {
    const std::string binary("\0\x01\xFF\r\x80no match\n", 14);
    WriteBytes(dir / "crlf.txt", "one NEEDLE\r\ntwo needle needle\r\n\r\nlast");
    WriteBytes(dir / "cr.txt", "needle\rneedle");
    WriteBytes(dir / "unix.txt", "a needle\nb needle\n");
    WriteBytes(dir / "binary.dat", binary);
    WriteBytes(dir / "empty.txt", "");
    WriteBytes(dir / "skipped.txt", "needle\r\n");
    WIN32_FILE_ATTRIBUTE_DATA before{}, after{};
    GetFileAttributesExW(rt::Wide(dir / "binary.dat").c_str(), GetFileExInfoStandard, &before);
    frmMain& form = Open(dir.Path());
    Select(form, {"binary.dat", "cr.txt", "crlf.txt", "empty.txt", "unix.txt"});
    Run(form, "needle", "thread", rt::vbNo);

    EXPECT_EQ(Titles(), (Names{kConfirmTitle, "  Complete"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt,
              "Search and replace operation completed successfully!\r\r1 file was left untouched: "
              "not text in the system's code page (Unicode or binary).");
    EXPECT_EQ(Files(dir.Path()),
              (std::map<std::string, std::string>{
                  {"crlf.txt", "one thread\r\ntwo thread thread\r\n\r\nlast\r\n"},
                  {"cr.txt", "thread\r\nthread\r\n"},
                  {"unix.txt", "a thread\nb thread\n\r\n"}, // one line, ended in CR LF
                  {"binary.dat", binary},
                  {"empty.txt", ""},
                  {"skipped.txt", "needle\r\n"}}));
    GetFileAttributesExW(rt::Wide(dir / "binary.dat").c_str(), GetFileExInfoStandard, &after);
    EXPECT_EQ(CompareFileTime(&before.ftLastWriteTime, &after.ftLastWriteTime), 0); // not rewritten
    EXPECT_EQ(form.lblFound.Caption(), "Searches Found = 7");
    EXPECT_LE(form.lblFound.Left() + form.lblFound.Width(), form.ScaleWidth()); // wholly in sight
    EXPECT_EQ(form.lblTotalFiles.Caption(), "Total Files = 0");
    EXPECT_EQ(form.lblTotalLines.Caption(), "Lines In File = 0");
    EXPECT_TRUE(form.cmdStart.Enabled() && form.ctlFile.Enabled() && !form.cmdStop.Enabled());

    // With backups: only the changed file gets one, and the second run of the
    // day replaces it, read-only as it is.
    const std::string backup = TodaysBackup("cr.txt");
    Select(form, {"cr.txt", "skipped.txt"});
    form.chkCaseInsensative.Value(rt::vbUnchecked);
    Run(form, "thread", "pin", rt::vbYes);
    EXPECT_EQ(ReadBytes(dir / backup), "thread\r\nthread\r\n");
    EXPECT_EQ(rt::Dir(dir / "*.*").size(), 7u);
    SetFileAttributesW(rt::Wide(dir / backup).c_str(), FILE_ATTRIBUTE_READONLY);
    Run(form, "pin", "nail", rt::vbYes);
    EXPECT_EQ(Titles().back(), "  Complete");
    EXPECT_EQ(ReadBytes(dir / "cr.txt"), "nail\r\nnail\r\n");
    EXPECT_EQ(ReadBytes(dir / backup), "pin\r\npin\r\n");
}

// A file of one line of 16 MB, and the user's hand during its run.
class RunInOneLongLine : public SweeperTest {
  protected:
    void SetUp() override {
        SweeperTest::SetUp();
        WriteBytes(dir / "big.txt", big);
        WriteBytes(dir / "next.txt", "a");
        Open(dir.Path()).cmdSelectAll.Press();
    }
    // Runs "a" to "xy"; `act` acts once the run is inside the long line.
    void RunAnd(const std::function<void(frmMain&)>& act) {
        frmMain& form = frmMain::Get();
        rt::test::WhileModal hand([&] {
            if (form.lblTotalLines.Caption() != "Lines In File = 1") return false;
            act(form);
            return true;
        });
        Run(form, "a", "xy", rt::vbNo);
    }
    const std::string big = std::string(16 << 20, 'a');
};

TEST_F(RunInOneLongLine, StopIsTakenInsideTheLineAndASecondStartIsIgnored) {
    RunAnd([&](frmMain& form) {
        // Running: only Stop and About work; the file bar stands at the first of two files.
        for (rt::Control* c : std::initializer_list<rt::Control*>{
                 &form.ctlDrive, &form.ctlDirectory, &form.ctlFile, &form.txtFilter,
                 &form.cmdSelectAll, &form.txtSearchText, &form.chkCaseInsensative,
                 &form.cmdStart, &form.cmdClose})
            EXPECT_FALSE(c->Enabled());
        EXPECT_TRUE(form.cmdStop.Enabled() && form.cmdAbout.Enabled());
        EXPECT_EQ(form.lblTotalFiles.Caption(), "Total Files = 2");
        RECT bar;
        GetClientRect(form.picProgressFiles.hWnd(), &bar);
        EXPECT_EQ(rt::test::ShownPixel(form.picProgressFiles.hWnd(), bar.right / 5, 3), RGB(0, 0, 255));
        EXPECT_NE(rt::test::ShownPixel(form.picProgressFiles.hWnd(), bar.right * 4 / 5, 3), RGB(0, 0, 255));
        form.cmdStop.Press();
        EXPECT_TRUE(form.cmdStart.Enabled());
        user.Answer(rt::vbNo); // were a second run begun, it would go on without a backup
        form.cmdStart.Press();
    });
    // Were Stop asked only between lines, this file of one line would be written.
    EXPECT_EQ(Titles(), (Names{kConfirmTitle, "  Canceled"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt, "Operation canceled by user");
    EXPECT_EQ(Files(dir.Path()), (std::map<std::string, std::string>{{"big.txt", big}, {"next.txt", "a"}}));
    EXPECT_TRUE(frmMain::Get().cmdStart.Enabled());
}

TEST_F(RunInOneLongLine, ClosingStopsTheRunAndThenCloses) {
    const HWND window = frmMain::Get().hWnd();
    RunAnd([&](frmMain&) { PostMessageW(window, WM_CLOSE, 0, 0); }); // the title bar's close
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(frmMain::Exists());
    EXPECT_EQ(Titles(), Names{kConfirmTitle}); // no box once the window went
    EXPECT_EQ(Files(dir.Path()), (std::map<std::string, std::string>{{"big.txt", big}, {"next.txt", "a"}}));
}

} // namespace
} // namespace sweeper::testing
