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

const char* const kConfirmTitle = "  Confirm Search And Replace";

TEST_F(SweeperTest, StartsIdleOnTheCurrentFolderOfDriveC) {
    WriteBytes(dir / "b.txt", "b");
    WriteBytes(dir / "a.log", "a");
    rt::ChDir(dir.Path());
    frmMain& form = frmMain::Get();
    form.Show();
    rt::DoEvents();
    EXPECT_EQ(form.Caption(), "  Sweeper");
    EXPECT_EQ(form.ctlDirectory.Path(), dir.Path());
    EXPECT_EQ(Listed(form), (std::vector<std::string>{"a.log", "b.txt"}));
    EXPECT_EQ(form.txtFilter.Text(), "*.*");
    for (int i = 0; i < form.ctlFile.ListCount(); ++i) EXPECT_FALSE(form.ctlFile.Selected(i));
    EXPECT_EQ(form.chkCaseInsensative.Value(), rt::vbChecked);
    EXPECT_FALSE(form.cmdStop.Enabled());
    EXPECT_TRUE(form.cmdStart.Enabled());
    EXPECT_EQ(form.lblTotalLines.Caption(), "Lines In File = 0");
    EXPECT_EQ(form.lblTotalFiles.Caption(), "Total Files = 0");
    EXPECT_EQ(form.lblFound.Caption(), "Searches Found = 0");
    rt::ChDir(rt::App().Path());
}

TEST_F(SweeperTest, ThePatternFiltersAtEveryKeystrokeAndTheSelectionButtonsWork) {
    for (const char* name : {"one.txt", "two.txt", "three.log", "four.t"}) WriteBytes(dir / name, "x");
    frmMain& form = Open(dir.Path());
    SendMessageW(form.txtFilter.hWnd(), EM_SETSEL, 0, -1);
    const std::vector<std::pair<wchar_t, size_t>> typed{{L'*', 4}, {L't', 3}, {L'x', 0}, {L't', 2}};
    for (auto [key, count] : typed) {
        SendMessageW(form.txtFilter.hWnd(), WM_CHAR, key, 1);
        rt::DoEvents();
        EXPECT_EQ(Listed(form).size(), count) << "after typing " << static_cast<char>(key);
    }
    EXPECT_EQ(Listed(form), (std::vector<std::string>{"one.txt", "two.txt"}));
    // A pattern no file name can hold is passed over: the list stays.
    form.txtFilter.Text("*.txt|");
    EXPECT_EQ(Listed(form), (std::vector<std::string>{"one.txt", "two.txt"}));

    form.cmdSelectAll.Press();
    EXPECT_TRUE(form.ctlFile.Selected(0) && form.ctlFile.Selected(1));
    form.cmdSelectNone.Press();
    EXPECT_FALSE(form.ctlFile.Selected(0) || form.ctlFile.Selected(1));
    form.txtFilter.Text("*.none");
    EXPECT_EQ(form.ctlFile.ListCount(), 0);
    form.cmdSelectAll.Press(); // nothing to select: nothing happens
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(SweeperTest, EscShowsTheAboutMessageAndEnterStarts) {
    rt::App().Major = 1;
    rt::App().Minor = 2;
    rt::App().Revision = 3;
    frmMain& form = Open(dir.Path());
    rt::test::PressKey(form.txtSearchText.hWnd(), VK_ESCAPE);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    const auto about = user.MessageBoxes()[0];
    EXPECT_EQ(about.Style, 0);
    EXPECT_EQ(about.Title, "Sweeper"); // the program's title
    std::vector<std::string> lines;
    for (size_t from = 0;;) {
        const size_t cr = about.Prompt.find('\r', from);
        lines.push_back(about.Prompt.substr(from, cr - from));
        if (cr == std::string::npos) break;
        from = cr + 1;
    }
    ASSERT_EQ(lines.size(), 13u);
    EXPECT_EQ(lines[0], "            ~ Sweeper ~");
    EXPECT_EQ(rt::Wide(lines[1]), std::wstring(34, L'\u00AF') + L"  ");
    EXPECT_EQ(lines[7], "UNDO other than that.");
    EXPECT_EQ(lines[8], std::string(34, '_') + "  ");
    EXPECT_EQ(lines[9], "");
    EXPECT_EQ(lines[10], " Version\t = 1.02.0003");
    EXPECT_EQ(lines[11].rfind(" Author\t = ", 0), 0u);
    EXPECT_EQ(lines[12].rfind(" URL\t = ", 0), 0u);

    // Enter in a text box presses Start: with nothing selected, the first check answers.
    rt::test::PressKey(form.txtSearchText.hWnd(), VK_RETURN);
    EXPECT_EQ(Titles(), (std::vector<std::string>{"Sweeper", "  Nothing Selected"}));
}

TEST_F(SweeperTest, TheInputChecksInTheirOrderEachWithItsFocus) {
    WriteBytes(dir / "a.txt", "abc");
    frmMain& form = Open(dir.Path());
    struct Case {
        bool select;
        std::string search, replacement;
        int ignoreCase;
        std::string title, prompt;
        HWND focus;
    };
    const std::string same = "The text specified to search for and the text specified to replace "
                             "with are the same.";
    const std::string invalid = "  Invalid Search And Replace Specified";
    for (const Case& c : std::vector<Case>{
             {false, "a", "b", 1, "  Nothing Selected", "No files selected to search.",
              form.ctlFile.hWnd()},
             {true, "", "b", 1, "  No Search Text", "No text specified to search for.",
              form.txtSearchText.hWnd()},
             {true, "Abc", "Abc", 0, invalid, same, form.txtSearchText.hWnd()},
             {true, "Abc", "ABC", 1, invalid, same, form.txtSearchText.hWnd()},
             {true, "Caf\xC3\xA9", "caf\xC3\xA9", 1, invalid, same, form.txtSearchText.hWnd()},
             {true, "\xCE\xA9", "x", 1, invalid,
              "The text specified to search for holds characters that the code page of the "
              "files cannot hold.",
              form.txtSearchText.hWnd()},
             {true, "x", "\xE4\xB8\xAD", 1, invalid,
              "The text specified to replace with holds characters that the code page of the "
              "files cannot hold.",
              form.txtReplaceText.hWnd()}}) {
        SCOPED_TRACE(c.title + " " + c.search);
        Select(form, c.select ? std::vector<std::string>{"a.txt"} : std::vector<std::string>{});
        form.chkCaseInsensative.Value(c.ignoreCase);
        form.txtSearchText.Text(c.search);
        form.txtReplaceText.Text(c.replacement);
        SetFocus(form.cmdStart.hWnd());
        const size_t before = user.MessageBoxes().size();
        form.cmdStart.Press();
        ASSERT_EQ(user.MessageBoxes().size(), before + 1);
        EXPECT_EQ(user.MessageBoxes().back().Title, c.title);
        EXPECT_EQ(user.MessageBoxes().back().Prompt, c.prompt);
        EXPECT_EQ(user.MessageBoxes().back().Style, 48);
        EXPECT_EQ(GetFocus(), c.focus);
    }
    // Case counts with Ignore case off: "Abc" to "ABC" is a replacement.
    form.chkCaseInsensative.Value(rt::vbUnchecked);
    form.txtSearchText.Text("Abc");
    form.txtReplaceText.Text("ABC");
    user.Answer(rt::vbCancel);
    form.cmdStart.Press();
    EXPECT_EQ(user.MessageBoxes().back().Title, kConfirmTitle);
    EXPECT_EQ(user.MessageBoxes().back().Style, 51);
    EXPECT_EQ(ReadBytes(dir / "a.txt"), "abc"); // Cancel changes nothing
    EXPECT_TRUE(form.cmdStart.Enabled());
}

TEST_F(SweeperTest, ARunReplacesInTheSelectedFilesAndLeavesTheRestByteForByte) {
    WriteBytes(dir / "crlf.txt", "one NEEDLE\r\ntwo needle needle\r\n\r\nlast");
    WriteBytes(dir / "cr.txt", "needle\rneedle");
    WriteBytes(dir / "unix.txt", "a needle\nb needle\n");
    WriteBytes(dir / "binary.dat", std::string("\0\x01\xFF\r\x80no match\n", 14));
    WriteBytes(dir / "empty.txt", "");
    WriteBytes(dir / "skipped.txt", "needle\r\n");
    const FILETIME binaryTime = LastWrite(dir / "binary.dat");
    frmMain& form = Open(dir.Path());
    Select(form, {"binary.dat", "cr.txt", "crlf.txt", "empty.txt", "unix.txt"});
    Run(form, "needle", "thread", rt::vbNo);

    EXPECT_EQ(Titles(), (std::vector<std::string>{kConfirmTitle, "  Complete"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt, "Search and replace operation completed successfully!");
    EXPECT_EQ(user.MessageBoxes().back().Style, 64);
    EXPECT_EQ(Files(dir.Path()),
              (std::map<std::string, std::string>{
                  {"crlf.txt", "one thread\r\ntwo thread thread\r\n\r\nlast\r\n"},
                  {"cr.txt", "thread\r\nthread\r\n"},
                  // LF alone does not end a line: the file is one line, ended in CR LF.
                  {"unix.txt", "a thread\nb thread\n\r\n"},
                  {"binary.dat", std::string("\0\x01\xFF\r\x80no match\n", 14)},
                  {"empty.txt", ""},
                  {"skipped.txt", "needle\r\n"}}));
    EXPECT_TRUE(SameTime(LastWrite(dir / "binary.dat"), binaryTime)); // not even rewritten
    EXPECT_EQ(form.lblFound.Caption(), "Searches Found = 7");
    EXPECT_EQ(form.lblTotalFiles.Caption(), "Total Files = 0");
    EXPECT_EQ(form.lblTotalLines.Caption(), "Lines In File = 0");
    EXPECT_TRUE(form.cmdStart.Enabled() && form.txtSearchText.Enabled() && form.ctlFile.Enabled());
    EXPECT_FALSE(form.cmdStop.Enabled());

    // Case kept: with Ignore case off only the exact text is found.
    form.chkCaseInsensative.Value(rt::vbUnchecked);
    Select(form, {"crlf.txt"});
    Run(form, "two", "2", rt::vbNo);
    EXPECT_EQ(ReadBytes(dir / "crlf.txt"), "one thread\r\n2 thread thread\r\n\r\nlast\r\n");
    EXPECT_EQ(form.lblFound.Caption(), "Searches Found = 1");
}

TEST_F(SweeperTest, BackupsOnlyOfChangedFilesAndASameDayBackupReplacedSafely) {
    WriteBytes(dir / "notes.txt", "alpha beta\r\n");
    WriteBytes(dir / "other.txt", "gamma\r\n");
    frmMain& form = Open(dir.Path());
    Select(form, {"notes.txt", "other.txt"});
    Run(form, "beta", "delta", rt::vbYes);
    const std::string backup = TodaysBackup("notes.txt");
    EXPECT_EQ(Files(dir.Path()), (std::map<std::string, std::string>{
                                     {"notes.txt", "alpha delta\r\n"},
                                     {"other.txt", "gamma\r\n"},
                                     {backup, "alpha beta\r\n"}}));

    // The second run of the day replaces that backup, read-only as it is now.
    SetFileAttributesW(rt::Wide(dir / backup).c_str(), FILE_ATTRIBUTE_READONLY);
    form.ctlFile.Refresh();
    Select(form, {"notes.txt"});
    Run(form, "delta", "epsilon", rt::vbYes);
    EXPECT_EQ(Titles().back(), "  Complete");
    EXPECT_EQ(ReadBytes(dir / "notes.txt"), "alpha epsilon\r\n");
    EXPECT_EQ(ReadBytes(dir / backup), "alpha delta\r\n");
    EXPECT_EQ(Strays(dir.Path()), 0);
}

TEST_F(SweeperTest, StopInsideTheOnlyLineOfABigFileLeavesItUnchanged) {
    // One line of 16 MB: a Stop is taken inside the line, so the file is not
    // written (were it asked only between lines, this file would be).
    const std::string big(16 << 20, 'a');
    WriteBytes(dir / "big.txt", big);
    WriteBytes(dir / "next.txt", "a");
    frmMain& form = Open(dir.Path());
    form.cmdSelectAll.Press();
    rt::test::WhileModal clicker([&] {
        if (form.lblTotalLines.Caption() != "Lines In File = 1" || !form.cmdStop.Enabled())
            return false;
        // The user presses Stop, then Start again while the run unwinds.
        form.cmdStop.Press();
        EXPECT_TRUE(form.cmdStart.Enabled());
        user.Answer(rt::vbNo); // were a second run begun, it would go on without a backup
        form.cmdStart.Press();
        return true;
    });
    Run(form, "a", "xy", rt::vbNo);
    EXPECT_EQ(Titles(), (std::vector<std::string>{kConfirmTitle, "  Canceled"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt, "Operation canceled by user");
    EXPECT_TRUE(ReadBytes(dir / "big.txt") == big);
    EXPECT_EQ(ReadBytes(dir / "next.txt"), "a");
    EXPECT_EQ(Strays(dir.Path()), 0);
    EXPECT_TRUE(form.cmdStart.Enabled());
    EXPECT_FALSE(form.cmdStop.Enabled());
}

TEST_F(SweeperTest, ClosingDuringARunStopsItAndThenCloses) {
    const std::string big(16 << 20, 'a');
    WriteBytes(dir / "big.txt", big);
    frmMain& form = Open(dir.Path());
    form.cmdSelectAll.Press();
    const HWND window = form.hWnd();
    rt::test::WhileModal closer([&] {
        if (form.lblTotalLines.Caption() != "Lines In File = 1") return false;
        PostMessageW(window, WM_CLOSE, 0, 0); // the title bar's close
        return true;
    });
    Run(form, "a", "xy", rt::vbNo);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(frmMain::Exists());
    EXPECT_EQ(Titles(), std::vector<std::string>{kConfirmTitle}); // no box once the window went
    EXPECT_TRUE(ReadBytes(dir / "big.txt") == big);
    EXPECT_EQ(Strays(dir.Path()), 0);
}

} // namespace
} // namespace sweeper::testing
