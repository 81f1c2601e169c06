// The list-viewer commands on a small host window: print to the printer and to
// a file, print setup, the colour and font dialogs, the option toggles and
// their tool tips, always on top, copy, the pop-up menu and the layout.
#include <gtest/gtest.h>

#include <kit/listviewer.h>
#include <rt/scripted_user.h>

#include "test_support.h"

namespace {

using rt::DialogKind;
using rt::test::ReadBytes;

// What the two hosts' configurations differ in here: design check, tool
// tips and the progress bar's margin.
kit::ListViewerConfig Config(bool glyphdeck) {
    kit::ListViewerConfig c;
    for (auto* item : {&c.FilePrint, &c.FilePrintSetup, &c.EditCopy, &c.OptionsClipboard,
                       &c.OptionsAlwaysOnTop, &c.OptionsFont, &c.OptionsForeColor,
                       &c.OptionsBackColor, &c.HelpHelp, &c.HelpVBHelp, &c.HelpAbout})
        item->Caption = "&Command";
    const std::string what = glyphdeck ? "character" : "error";
    c.ClipboardChecked = glyphdeck;
    c.TipBoth = "Double-Click to copy " + what + " to clipboard and display it's info";
    c.TipShowOnly = "Double-Click to display " + what + " and it's info";
    c.TipCopyOnly = "Double-Click to copy " + what + " to clipboard";
    c.ProgressMargin = glyphdeck ? 4115 : 3165;
    return c;
}

// A host as small as the contract allows: its print text and copy are fakes.
class TestHost : public kit::ListViewer {
  public:
    TestHost(const kit::ListViewerConfig& config, bool showChecked)
        : ListViewer(config, mnuOptionsShowErr),
          mnuOptionsShowErr("D&ouble Click = Show Error Info    ", rt::ShortcutF(3), showChecked) {
        ClientSize(8790, 7020);
        Display.Move(105, 420, 8532, 6300);
        Progress.Move(2940, 105, 5685, 265);
        mnuOptionsShowErr.Click = [this] { ShowInfoToggle_Click(); };
        mnuFile.Add({&mnuFilePrint, &mnuFilePrintSetup, &mnuEditCopy, &mnuOptionsClipboard,
                     &mnuOptionsShowErr, &mnuOptionsAlwaysOnTop, &mnuOptionsFont,
                     &mnuOptionsForeColor, &mnuOptionsBackColor});
        Menus({&mnuFile, &mnuPop});
    }

    std::string GetPrintText() override {
        ++printTextCalls;
        if (PrintText.empty())
            rt::MsgBox("There is currently nothing displayed to print.", 48, "  Nothing To Print");
        return PrintText;
    }
    void mnuPopCopy_Click() override { ++copies; }

    rt::MenuItem mnuOptionsShowErr;
    rt::MenuItem mnuFile{"&File"};
    std::string PrintText = "  line one\r\n  line two";
    int printTextCalls = 0, copies = 0;
};

class ListViewerCommands : public testing::Test {
  protected:
    void SetUp() override {
        rt::Printer().Copies = 1;
        rt::Printer().Orientation = 1;
        host.Show();
    }
    void TearDown() override { host.Unload(); }

    // Print with the printer dialog's print-to-file box ticked, the save
    // dialog answered with `file` and, when given, the overwrite question.
    void PrintToFile(const std::string& file, int overwrite = 0) {
        user.OnDialog([](DialogKind kind, rt::CommonDialog& d) {
            EXPECT_EQ(kind, DialogKind::Printer);
            d.Flags |= rt::cdlPDPrintToFile;
            return true;
        });
        user.OnDialog([file](DialogKind kind, rt::CommonDialog& d) {
            EXPECT_EQ(kind, DialogKind::Save);
            d.FileName = file;
            return true;
        });
        if (overwrite) user.Answer(overwrite);
        host.mnuFilePrint.Click();
    }
    // The error box's description: its title after "  Error  -  ".
    static std::string Described(const rt::ScriptedUser::Shown& box) {
        EXPECT_EQ(box.Title.rfind("  Error  -  ", 0), 0u) << box.Title;
        EXPECT_EQ(box.Style, 48);
        return box.Title.substr(12);
    }

    rt::ScriptedUser user;
    TestHost host{Config(false), true};
    rt::test::TempFolder folder;
};

TEST_F(ListViewerCommands, PrintGoesToThePrinterWithTheDialogsChoices) {
    host.Display.Font(rt::Font{"Courier New", 12, true});
    user.OnDialog([](DialogKind kind, rt::CommonDialog& d) {
        EXPECT_EQ(kind, DialogKind::Printer);
        EXPECT_EQ(d.Flags, 12);
        EXPECT_EQ(d.Copies, 1);
        d.Copies = 3;
        d.Orientation = 2;
        return true;
    });
    host.mnuFilePrint.Click();
    ASSERT_EQ(user.Jobs.size(), 1u);
    EXPECT_EQ(user.Jobs[0].Text, host.PrintText + "\r\n");
    EXPECT_EQ(user.Jobs[0].Copies, 3);
    EXPECT_EQ(user.Jobs[0].Orientation, 2);
    EXPECT_EQ(user.Jobs[0].TextFont, host.Display.Font());
    EXPECT_EQ(rt::Printer().Copies, 3);
    EXPECT_TRUE(user.MessageBoxes().empty());

    host.PrintText.clear(); // an empty list: the host's message, no job
    user.OnDialog([](DialogKind, rt::CommonDialog&) { return true; });
    host.mnuFilePrint.Click();
    EXPECT_EQ(user.Jobs.size(), 1u);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].Title, "  Nothing To Print");
}

TEST_F(ListViewerCommands, PrintToFileWritesTheTextAndAsksBeforeReplacing) {
    const std::string file = folder / "print.txt";
    PrintToFile(file); // a new name: the text and a line end, no question
    EXPECT_EQ(ReadBytes(file), host.PrintText + "\r\n");
    EXPECT_TRUE(user.MessageBoxes().empty());
    EXPECT_TRUE(user.Jobs.empty());

    rt::test::WriteBytes(file, "old content");
    PrintToFile(file, rt::vbNo);
    EXPECT_EQ(ReadBytes(file), "old content");
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].Prompt,
              file + "\rThis File Already Exists.\r\rReplace Existing File?");
    EXPECT_EQ(user.MessageBoxes()[0].Title, "  Confirm Overwrite File");
    EXPECT_EQ(user.MessageBoxes()[0].Style, 52);
    EXPECT_EQ(host.printTextCalls, 1);

    PrintToFile(file, rt::vbYes);
    EXPECT_EQ(ReadBytes(file), host.PrintText + "\r\n");

    // Yes with nothing to print: the old file is gone and nothing new is written.
    host.PrintText.clear();
    PrintToFile(file, rt::vbYes);
    EXPECT_FALSE(rt::FileExists(file));
    ASSERT_EQ(user.MessageBoxes().size(), 4u);
    EXPECT_EQ(user.MessageBoxes()[3].Title, "  Nothing To Print");
}

TEST_F(ListViewerCommands, AFileThatCannotBeDeletedIsReportedAndKept) {
    const std::string file = folder / "locked.txt";
    rt::test::WriteBytes(file, "locked");
    HANDLE lock = CreateFileW(rt::Wide(file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    PrintToFile(file, rt::vbYes);
    CloseHandle(lock);

    EXPECT_EQ(ReadBytes(file), "locked");
    EXPECT_EQ(host.printTextCalls, 0);
    const auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    const std::string description = Described(boxes[1]);
    EXPECT_TRUE(boxes[1].Prompt.starts_with(
        file + "\rAn error occured while trying to delete the above file:\r\rError Number = "));
    EXPECT_TRUE(boxes[1].Prompt.ends_with("\rError Description = " + description));
    EXPECT_EQ(rt::Err().Number, 0);
}

TEST_F(ListViewerCommands, AFileThatCannotBeWrittenIsToldLikeAFailedJob) {
    const std::string lead = "The following error was encountered while trying to print:\r\r";
    PrintToFile(folder / "missing\\print.txt");
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(Described(user.MessageBoxes()[0]), "Path not found");
    EXPECT_EQ(user.MessageBoxes()[0].Prompt,
              lead + "Error Number = 76\rError Description = Path not found");

    // A disk that fills up while the text is written keeps no part of it.
    wchar_t drive[8] = {};
    if (!GetEnvironmentVariableW(L"BENCHWARE_SMALL_DRIVE", drive, 8))
        GTEST_SKIP() << "no small volume: the test command mounts one where it runs as root";
    const std::string file = rt::Utf8(drive) + "\\print.txt";
    host.PrintText = std::string(100000, 'x');
    PrintToFile(file);
    ASSERT_EQ(user.MessageBoxes().size(), 2u);
    EXPECT_EQ(user.MessageBoxes()[1].Prompt, lead + "Error Number = 61\rError Description = Disk full");
    EXPECT_FALSE(rt::FileExists(file));
    EXPECT_EQ(rt::Dir(rt::Utf8(drive) + "\\*.*", 39), std::vector<std::string>{});
}

// The list builders' last step: the Down key for the window in front, a direct
// selection when the user has switched to another program meanwhile.
TEST_F(ListViewerCommands, MovingDownSendsAKeyOnlyToTheWindowInFront) {
    for (const char* line : {"first", "second", "third"}) host.Display.AddItem(line);
    host.Display.SetFocus();
    ASSERT_TRUE(rt::test::WaitFor([&] { return GetForegroundWindow() == host.hWnd(); }, 5000));
    host.MoveSelectionDown();
    EXPECT_EQ(host.Display.ListIndex(), 0);
    host.MoveSelectionDown();
    EXPECT_EQ(host.Display.ListIndex(), 1);

    rt::test::ForeignWindow other("  Another Program");
    ASSERT_TRUE(other.ToFront());
    host.MoveSelectionDown();
    host.MoveSelectionDown();
    EXPECT_EQ(host.Display.ListIndex(), 2) << "the last line stays selected";
    EXPECT_TRUE(other.UntouchedInFront());
}

TEST_F(ListViewerCommands, CancelInAnyDialogChangesNothingAndSetupTakesOK) {
    const long back = host.Display.BackColor(), fore = host.Display.ForeColor();
    const rt::Font font = host.Display.Font();

    user.CancelDialog(); // printer dialog
    host.mnuFilePrint.Click();
    user.OnDialog([](DialogKind, rt::CommonDialog& d) {
        d.Flags |= rt::cdlPDPrintToFile;
        d.Copies = 4;
        return true;
    });
    user.CancelDialog(); // save dialog
    host.mnuFilePrint.Click();
    EXPECT_EQ(host.printTextCalls, 0);
    EXPECT_TRUE(user.Jobs.empty());

    EXPECT_EQ(rt::Printer().Copies, 4); // the printer dialog's OK above counts
    user.OnDialog([](DialogKind, rt::CommonDialog& d) {
        EXPECT_EQ(d.Flags, 64);
        d.Copies = 6;
        d.Orientation = 2;
        return true;
    });
    host.mnuFilePrintSetup.Click();
    EXPECT_EQ(rt::Printer().Copies, 6);
    EXPECT_EQ(rt::Printer().Orientation, 2);

    for (rt::MenuItem* item :
         {&host.mnuOptionsBackColor, &host.mnuOptionsForeColor, &host.mnuOptionsFont}) {
        user.OnDialog([](DialogKind, rt::CommonDialog& d) {
            d.FontName = "Courier New", d.Color = 0x0000FF;
            return false;
        });
        item->Click();
    }
    EXPECT_EQ(host.Display.BackColor(), back);
    EXPECT_EQ(host.Display.ForeColor(), fore);
    EXPECT_EQ(host.Display.Font(), font);
    EXPECT_TRUE(user.MessageBoxes().empty());
    EXPECT_TRUE(user.AllAnswersUsed());
}

TEST_F(ListViewerCommands, PrinterFailuresAreToldToTheUser) {
    const std::string lead = "The following error was encountered while trying to print:\r\r";
    user.NoPrinter = true;
    user.OnDialog([](DialogKind, rt::CommonDialog&) { return true; });
    host.mnuFilePrint.Click();
    // A printer dialog that cannot be shown, in Print and in Print Setup.
    for (rt::MenuItem* item : {&host.mnuFilePrint, &host.mnuFilePrintSetup}) {
        user.OnDialog([](DialogKind, rt::CommonDialog&) -> bool {
            rt::Raise(32751, "CommonDialog", "No printer is installed.");
        });
        item->Click();
    }
    const auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].Prompt,
              lead + "Error Number = 482\rError Description = " + Described(boxes[0]));
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(Described(boxes[i]), "No printer is installed.");
        EXPECT_EQ(boxes[i].Prompt,
                  lead + "Error Number = 32751\rError Description = No printer is installed.");
    }
    EXPECT_EQ(host.printTextCalls, 1);
}

TEST_F(ListViewerCommands, ColourAndFontDialogsStartFromDisplayAndChangeIt) {
    host.Display.BackColor(0xFFFFFF);
    host.Display.ForeColor(0x000000);
    host.Display.Font(rt::Font{"Arial", 9.75});

    user.OnDialog([](DialogKind kind, rt::CommonDialog& d) {
        EXPECT_EQ(kind, DialogKind::Color);
        EXPECT_EQ(d.Flags, 3);
        EXPECT_EQ(d.Color, 0xFFFFFF);
        d.Color = 0x123456;
        return true;
    });
    host.mnuOptionsBackColor.Click();
    EXPECT_EQ(host.Display.BackColor(), 0x123456);

    user.OnDialog([](DialogKind kind, rt::CommonDialog& d) {
        EXPECT_EQ(kind, DialogKind::Font);
        EXPECT_EQ(d.Flags, 259);
        EXPECT_EQ(d.FontName, "Arial");
        d.FontName = "Courier New", d.FontSize = 12, d.Color = 0x0000FF;
        d.FontBold = d.FontItalic = d.FontUnderline = d.FontStrikethru = true;
        return true;
    });
    host.Display.Width(100); // the font command lays the window out again
    host.mnuOptionsFont.Click();
    EXPECT_EQ(host.Display.Font(), (rt::Font{"Courier New", 12, true, true, true, true}));
    EXPECT_EQ(host.Display.ForeColor(), 0x0000FF);
    EXPECT_EQ(host.Display.Width(), host.Width() - 330);
}

TEST_F(ListViewerCommands, ResizeFollowsTheWindowAndSkipsWhatDoesNotFit) {
    host.Move(host.Left(), host.Top(), 9000, 6000);
    EXPECT_EQ(host.Display.Height(), host.Height() - 1050);
    EXPECT_EQ(host.Display.Width(), host.Width() - 330);
    EXPECT_EQ(host.Progress.Width(), host.Width() - 3165);

    const long lastProgress = host.Progress.Width();
    host.Move(host.Left(), host.Top(), 3000, 6000); // narrower than the bar's margin
    EXPECT_EQ(host.Progress.Width(), lastProgress);
    EXPECT_EQ(host.Display.Width(), host.Width() - 330);
}

bool g_popped = false;

LRESULT CALLBACK WatchPopups(int code, WPARAM wp, LPARAM lp) {
    if (code >= 0 && reinterpret_cast<CWPSTRUCT*>(lp)->message == WM_INITMENUPOPUP) g_popped = true;
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(ListViewerCommands, CopyRightClickAndAlwaysOnTop) {
    host.mnuEditCopy.Click();
    EXPECT_EQ(host.copies, 1);

    // A right button pops the menu up; Esc, already waiting, closes it again.
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, WatchPopups, nullptr, GetCurrentThreadId());
    host.Display_MouseDown(rt::vbLeftButton, 0, 10, 10);
    EXPECT_FALSE(g_popped);
    PostMessageW(host.hWnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    host.Display_MouseDown(rt::vbRightButton, 0, 10, 10);
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(g_popped);
    EXPECT_FALSE(host.mnuPop.Visible());

    for (bool on : {true, false}) {
        host.mnuOptionsAlwaysOnTop.Click();
        EXPECT_EQ(host.mnuOptionsAlwaysOnTop.Checked(), on);
        EXPECT_EQ((GetWindowLongPtrW(host.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, on);
    }
}

// Shift+F10 and the menu key, struck on the keyboard in the list, pop the
// menu up under the selected line; Esc closes it again.
TEST_F(ListViewerCommands, ShiftF10AndTheMenuKeyPopTheMenuUpAtTheSelectedLine) {
    for (int i = 0; i < 40; ++i) host.Display.AddItem("line " + std::to_string(i));
    host.Display.ListIndex(6);
    SetForegroundWindow(host.hWnd());
    ASSERT_TRUE(rt::test::WaitFor([&] { return GetForegroundWindow() == host.hWnd(); }, 3000));
    host.Display.SetFocus();
    RECT line{};
    SendMessageW(host.Display.hWnd(), LB_GETITEMRECT, 6, reinterpret_cast<LPARAM>(&line));
    POINT under{line.left, line.bottom};
    ClientToScreen(host.Display.hWnd(), &under);

    const struct {
        const char* name;
        std::initializer_list<WORD> held;
        WORD key;
    } keys[] = {{"Shift+F10", {VK_SHIFT}, VK_F10}, {"menu key", {}, VK_APPS}};
    for (const auto& k : keys) {
        SCOPED_TRACE(k.name);
        RECT shown{-1, -1, -1, -1};
        bool closed = false;
        {
            rt::test::WhileModal menu([&] {
                HWND popup = FindWindowW(L"#32768", nullptr);
                if (!popup || !IsWindowVisible(popup)) return false;
                GetWindowRect(popup, &shown);
                rt::test::TapKey(VK_ESCAPE);
                return true;
            });
            rt::test::TapKeyWith(k.held, k.key);
            closed = rt::test::WaitFor([&] { return shown.left >= 0; }, 5000);
        }
        EXPECT_TRUE(closed) << "no menu";
        EXPECT_NEAR(shown.left, under.x, 4);
        EXPECT_NEAR(shown.top, under.y, 4);
        EXPECT_EQ(host.Display.ListIndex(), 6);
        EXPECT_EQ(GetFocus(), host.Display.hWnd());
    }
}

TEST(ListViewerOptions, ToolTipFollowsBothOptionsForEitherHost) {
    rt::ScriptedUser user;
    for (bool glyphdeck : {false, true}) {
        const kit::ListViewerConfig config = Config(glyphdeck);
        TestHost host(config, !glyphdeck);
        host.Show();
        EXPECT_EQ(host.mnuOptionsClipboard.Checked(), glyphdeck);
        // (copy, show) after each click, from both on through all four states.
        if (!host.mnuOptionsClipboard.Checked()) host.mnuOptionsClipboard.Click();
        if (!host.mnuOptionsShowErr.Checked()) host.mnuOptionsShowErr.Click();
        EXPECT_EQ(host.Display.ToolTipText(), config.TipBoth);
        const struct {
            rt::MenuItem* click;
            bool copy;
            std::string tip;
        } steps[] = {{&host.mnuOptionsClipboard, false, config.TipShowOnly},
                     {&host.mnuOptionsShowErr, false, ""},
                     {&host.mnuOptionsClipboard, true, config.TipCopyOnly},
                     {&host.mnuOptionsShowErr, true, config.TipBoth}};
        for (const auto& step : steps) {
            step.click->Click();
            EXPECT_EQ(host.mnuOptionsClipboard.Checked(), step.copy);
            EXPECT_EQ(host.Display.ToolTipText(), step.tip);
        }
        host.Unload();
    }
}

} // namespace
