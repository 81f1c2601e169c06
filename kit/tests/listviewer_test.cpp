// The list-viewer commands on a small host window: print to the printer and to
// a file, print setup, the colour and font dialogs, the option toggles and
// their tool tips, always on top, copy, the pop-up menu and the layout.
#include <gtest/gtest.h>

#include <kit/listviewer.h>
#include <rt/scripted_user.h>

#include <cstdio>

namespace {

using rt::DialogKind;

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

std::string TempFile(const char* name) {
    wchar_t dir[MAX_PATH];
    GetTempPathW(MAX_PATH, dir);
    std::string path = rt::Utf8(dir) + name;
    DeleteFileW(rt::Wide(path).c_str());
    return path;
}

std::string ReadAll(const std::string& path) {
    std::string content;
    if (FILE* f = _wfopen(rt::Wide(path).c_str(), L"rb")) {
        for (int c; (c = fgetc(f)) != EOF;) content += static_cast<char>(c);
        fclose(f);
    }
    return content;
}

void WriteAll(const std::string& path, const std::string& content) {
    FILE* f = _wfopen(rt::Wide(path).c_str(), L"wb");
    ASSERT_NE(f, nullptr);
    fwrite(content.data(), 1, content.size(), f);
    fclose(f);
}

// Whether a pop-up menu was opened while the hook was in place.
bool popped = false;
LRESULT CALLBACK WatchPopups(int code, WPARAM wp, LPARAM lp) {
    if (code >= 0 && reinterpret_cast<CWPSTRUCT*>(lp)->message == WM_INITMENUPOPUP) popped = true;
    return CallNextHookEx(nullptr, code, wp, lp);
}

class ListViewerCommands : public testing::Test {
  protected:
    void SetUp() override {
        rt::Printer().Copies = 1;
        rt::Printer().Orientation = 1;
        host.Show();
    }
    void TearDown() override { host.Unload(); }

    // The printer dialog answered OK with the print-to-file box ticked, then
    // the save dialog answered with `file`.
    void PrintToFile(const std::string& file) {
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
    }

    rt::ScriptedUser user;
    TestHost host{Config(false), true};
};

TEST_F(ListViewerCommands, PrintGoesToThePrinterWithTheDialogsChoices) {
    host.Display.Font(rt::Font{"Courier New", 12, true});
    user.OnDialog([](DialogKind kind, rt::CommonDialog& d) {
        EXPECT_EQ(kind, DialogKind::Printer);
        EXPECT_TRUE(d.CancelError);
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
    const std::string file = TempFile("kit_print_file.txt");
    PrintToFile(file); // a new name: the text and a line end
    host.mnuFilePrint.Click();
    EXPECT_EQ(ReadAll(file), host.PrintText + "\r\n");
    EXPECT_TRUE(user.MessageBoxes().empty());
    EXPECT_TRUE(user.Jobs.empty());

    WriteAll(file, "old content");
    PrintToFile(file);
    user.Answer(rt::vbNo);
    host.mnuFilePrint.Click();
    EXPECT_EQ(ReadAll(file), "old content");
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].Prompt,
              file + "\rThis File Already Exists.\r\rReplace Existing File?");
    EXPECT_EQ(user.MessageBoxes()[0].Title, "  Confirm Overwrite File");
    EXPECT_EQ(user.MessageBoxes()[0].Style, 52);
    EXPECT_EQ(host.printTextCalls, 1);

    PrintToFile(file);
    user.Answer(rt::vbYes);
    host.mnuFilePrint.Click();
    EXPECT_EQ(ReadAll(file), host.PrintText + "\r\n");

    // Yes with nothing to print: the old file is gone and nothing new is written.
    host.PrintText.clear();
    PrintToFile(file);
    user.Answer(rt::vbYes);
    host.mnuFilePrint.Click();
    EXPECT_FALSE(rt::FileExists(file));
    auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[3].Title, "  Nothing To Print");
}

TEST_F(ListViewerCommands, AFileThatCannotBeDeletedIsReportedAndKept) {
    const std::string file = TempFile("kit_print_locked.txt");
    WriteAll(file, "locked");
    HANDLE lock = CreateFileW(rt::Wide(file).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    PrintToFile(file);
    user.Answer(rt::vbYes);
    host.mnuFilePrint_Click();
    CloseHandle(lock);

    EXPECT_EQ(ReadAll(file), "locked");
    EXPECT_EQ(host.printTextCalls, 0);
    auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    const std::string description = boxes[1].Title.substr(12); // after "  Error  -  "
    EXPECT_EQ(boxes[1].Title, "  Error  -  " + description);
    EXPECT_TRUE(boxes[1].Prompt.starts_with(
        file + "\rAn error occured while trying to delete the above file:\r\rError Number = "));
    EXPECT_TRUE(boxes[1].Prompt.ends_with("\rError Description = " + description));
    EXPECT_EQ(boxes[1].Style, 48);
    EXPECT_EQ(rt::Err().Number, 0);
    DeleteFileW(rt::Wide(file).c_str());
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

    user.CancelDialog();
    host.mnuOptionsBackColor.Click();
    user.CancelDialog();
    host.mnuOptionsForeColor.Click();
    user.OnDialog([](DialogKind, rt::CommonDialog& d) {
        d.FontName = "Courier New";
        d.Color = 0x0000FF;
        return false;
    });
    host.mnuOptionsFont.Click();
    EXPECT_EQ(host.Display.BackColor(), back);
    EXPECT_EQ(host.Display.ForeColor(), fore);
    EXPECT_EQ(host.Display.Font(), font);
    EXPECT_TRUE(user.MessageBoxes().empty());
    EXPECT_TRUE(user.AllAnswersUsed());
}

TEST_F(ListViewerCommands, NoPrinterIsToldToTheUser) {
    const std::string lead = "The following error was encountered while trying to print:\r\r";
    user.NoPrinter = true;
    user.OnDialog([](DialogKind, rt::CommonDialog&) { return true; });
    host.mnuFilePrint.Click();
    auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    ASSERT_EQ(boxes[0].Title.rfind("  Error  -  ", 0), 0u);
    const std::string description = boxes[0].Title.substr(12);
    EXPECT_EQ(boxes[0].Prompt,
              lead + "Error Number = 482\rError Description = " + description);
    EXPECT_EQ(boxes[0].Style, 48);

    // A printer dialog that cannot be shown, in Print and in Print Setup.
    for (rt::MenuItem* item : {&host.mnuFilePrint, &host.mnuFilePrintSetup}) {
        user.OnDialog([](DialogKind, rt::CommonDialog&) -> bool {
            rt::Raise(32751, "CommonDialog", "No printer is installed.");
        });
        item->Click();
    }
    boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    for (size_t i : {1u, 2u}) {
        EXPECT_EQ(boxes[i].Title, "  Error  -  No printer is installed.");
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

TEST_F(ListViewerCommands, CopyRightClickAndAlwaysOnTop) {
    host.mnuEditCopy.Click();
    EXPECT_EQ(host.copies, 1);

    // A right button pops the menu up; Esc, already waiting, closes it again.
    popped = false;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, WatchPopups, nullptr, GetCurrentThreadId());
    host.Display_MouseDown(rt::vbLeftButton, 0, 10, 10);
    EXPECT_FALSE(popped);
    PostMessageW(host.hWnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    host.Display_MouseDown(rt::vbRightButton, 0, 10, 10);
    UnhookWindowsHookEx(hook);
    EXPECT_TRUE(popped);
    EXPECT_FALSE(host.mnuPop.Visible());

    auto topmost = [&] { return (GetWindowLongW(host.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    host.mnuOptionsAlwaysOnTop.Click();
    EXPECT_TRUE(host.mnuOptionsAlwaysOnTop.Checked());
    EXPECT_TRUE(topmost());
    host.mnuOptionsAlwaysOnTop.Click();
    EXPECT_FALSE(host.mnuOptionsAlwaysOnTop.Checked());
    EXPECT_FALSE(topmost());
}

TEST(ListViewerOptions, ToolTipFollowsBothOptionsForEitherHost) {
    rt::ScriptedUser user;
    struct Host {
        kit::ListViewerConfig config;
        bool showAtDesign;
    } hosts[] = {{Config(false), true}, {Config(true), false}};
    for (const Host& h : hosts) {
        TestHost host(h.config, h.showAtDesign);
        host.Show();
        EXPECT_EQ(host.mnuOptionsClipboard.Checked(), h.config.ClipboardChecked);
        // Bring both on, then walk through the four states.
        if (!host.mnuOptionsClipboard.Checked()) host.mnuOptionsClipboard.Click();
        if (!host.mnuOptionsShowErr.Checked()) host.mnuOptionsShowErr.Click();
        EXPECT_EQ(host.Display.ToolTipText(), h.config.TipBoth);
        host.mnuOptionsClipboard.Click();
        EXPECT_FALSE(host.mnuOptionsClipboard.Checked());
        EXPECT_EQ(host.Display.ToolTipText(), h.config.TipShowOnly);
        host.mnuOptionsShowErr.Click();
        EXPECT_EQ(host.Display.ToolTipText(), "");
        host.mnuOptionsClipboard.Click();
        EXPECT_EQ(host.Display.ToolTipText(), h.config.TipCopyOnly);
        host.mnuOptionsShowErr.Click();
        EXPECT_EQ(host.Display.ToolTipText(), h.config.TipBoth);
        host.Unload();
    }
}

} // namespace
