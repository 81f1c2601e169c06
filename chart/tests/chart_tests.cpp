// The chart in the main window: the three charts, the range prompt, the Columns
// box, the print text and the settings kept between runs.
#include <cmath>

#include "fixture.h"

namespace glyphdeck::testing {
namespace {

const char kInvalidRange[] =
    "Entry must be a positive numerical value less than, or equal to 32,500.";

TEST_F(GlyphdeckTest, FirstRunShowsTheFilteredAsciiChartCentred) {
    frmMain& main = Start();
    EXPECT_EQ(main.Caption(), "  Glyphdeck");
    EXPECT_EQ(main.Width(), 8790);
    EXPECT_EQ(main.Height(), 7020);
    EXPECT_NEAR(main.Left(), (rt::Screen::Width() - 8790) / 2, rt::Screen::TwipsPerPixelX());
    EXPECT_NEAR(main.Top(), (rt::Screen::Height() - 7020) / 2, rt::Screen::TwipsPerPixelY());
    EXPECT_EQ(main.Display.Columns(), 6);
    EXPECT_TRUE(main.mnuOptionsClipboard.Checked());
    EXPECT_FALSE(main.mnuOptionsShowChar.Checked());
    EXPECT_EQ(main.Display.ToolTipText(), "Double-Click to copy character to clipboard");
    EXPECT_EQ(main.lblEquals.Caption(), "CHR(#)  =  ASCII Character");
    EXPECT_FALSE(main.Progress.Visible());
    EXPECT_EQ(main.Display.ListIndex(), 0) << "the first entry is selected after the fill";

    const auto entries = Entries(main);
    ASSERT_EQ(entries.size(), 256u);
    EXPECT_EQ(Filtered(main), 41);
    EXPECT_EQ(entries[32], "032 =  ");
    EXPECT_EQ(entries[65], "065 = A");
    for (int code : {0, 31, 127, 128, 129, 141, 142, 143, 144, 157, 158})
        EXPECT_EQ(entries[code], rt::Format(code, "000") + " = ****");
    for (int code : {126, 130, 140, 145, 156, 159, 160, 255})
        EXPECT_EQ(entries[code], rt::Format(code, "000") + " = " + rt::Chr(code));
    EXPECT_EQ(user.Boxes.size(), 0u);
}

TEST_F(GlyphdeckTest, FilterOffShowsEveryCharacterAndOnHidesThemAgain) {
    frmMain& main = Start();
    main.mnuOptionsNonVis_Click();
    EXPECT_FALSE(main.mnuOptionsNonVis.Checked());
    auto entries = Entries(main);
    ASSERT_EQ(entries.size(), 256u);
    EXPECT_EQ(Filtered(main), 0);
    EXPECT_EQ(entries[0].substr(0, 6), "000 = ") << "the NUL entry shows as its number alone";
    EXPECT_LE(entries[0].size(), 7u);
    EXPECT_EQ(entries[9], "009 = \t");
    EXPECT_EQ(entries[32], "032 =  ");
    EXPECT_EQ(entries[128], "128 = " + rt::Chr(128));

    main.mnuOptionsNonVis_Click();
    EXPECT_TRUE(main.mnuOptionsNonVis.Checked());
    EXPECT_EQ(Filtered(main), 41);
}

// The chart's menu state: which of ASCII / HEX / Octal is checked, and the filter's use.
std::string ChartState(frmMain& main) {
    return std::string(main.mnuFileASCII.Checked() ? "A" : "") +
           (main.mnuFileHEX.Checked() ? "H" : "") + (main.mnuFileOCT.Checked() ? "O" : "") +
           (main.mnuOptionsNonVis.Enabled() ? "+filter" : "");
}

TEST_F(GlyphdeckTest, NumberChartsFollowTheTypedBound) {
    frmMain& main = Start();
    EXPECT_EQ(ChartState(main), "A+filter");
    user.Type("1000");
    main.mnuFileHEX_Click();
    ASSERT_EQ(user.Boxes.size(), 1u);
    EXPECT_EQ(user.Boxes[0].Prompt, "\r Enter number range :\r\r Numbers start from zero");
    EXPECT_EQ(user.Boxes[0].Title, "  Enter Display Range - Starts At Zero");
    EXPECT_EQ(user.Boxes[0].DefaultText, "1000");
    auto entries = Entries(main);
    ASSERT_EQ(entries.size(), 1001u);
    EXPECT_EQ(entries.front(), "0000 = 0");
    EXPECT_EQ(entries[255], "0255 = FF");
    EXPECT_EQ(entries.back(), "1000 = 3E8");
    EXPECT_EQ(main.lblEquals.Caption(), "HEX(#)  =  HEX Character");
    EXPECT_EQ(ChartState(main), "H") << "the filter belongs to the ASCII chart";
    EXPECT_FALSE(main.Progress.Visible());

    user.Type("1000");
    main.mnuFileOCT_Click();
    entries = Entries(main);
    ASSERT_EQ(entries.size(), 1001u);
    EXPECT_EQ(entries.back(), "1000 = 1750");
    EXPECT_EQ(main.lblEquals.Caption(), "OCT(#)  =  Octal Character");
    EXPECT_EQ(ChartState(main), "O");

    // Leading zeros widen the numbers.
    user.Type("007");
    main.mnuFileHEX_Click();
    EXPECT_EQ(Entries(main),
              (std::vector<std::string>{"000 = 0", "001 = 1", "002 = 2", "003 = 3", "004 = 4",
                                        "005 = 5", "006 = 6", "007 = 7"}));

    main.mnuFileASCII_Click();
    EXPECT_EQ(main.Display.ListCount(), 256);
    EXPECT_EQ(ChartState(main), "A+filter");
    EXPECT_EQ(BoxesTitled("  Invalid Entry").size(), 0u);
}

TEST_F(GlyphdeckTest, LargestBoundIsAcceptedAndBadBoundsChangeNothing) {
    frmMain& main = Start();
    user.Type("32500");
    main.mnuFileHEX_Click();
    ASSERT_EQ(main.Display.ListCount(), 32501);
    EXPECT_EQ(main.Display.List(32500), "32500 = 7EF4");
    EXPECT_EQ(BoxesTitled("  Invalid Entry").size(), 0u);

    main.mnuFileASCII_Click();
    const auto before = Entries(main);
    const std::vector<std::string> bad{"32501", "0", "-5", "abc", "123456", "9e9", "0.4"};
    for (const std::string& answer : bad) {
        user.Type(answer);
        main.mnuFileOCT_Click();
    }
    const auto refused = BoxesTitled("  Invalid Entry");
    ASSERT_EQ(refused.size(), bad.size());
    for (const auto& box : refused) {
        EXPECT_EQ(box.Prompt, kInvalidRange);
        EXPECT_EQ(box.Style, rt::vbExclamation);
    }
    EXPECT_EQ(Entries(main), before);
    EXPECT_EQ(main.lblEquals.Caption(), "CHR(#)  =  ASCII Character");
    EXPECT_EQ(ChartState(main), "A+filter");

    // Cancel at the prompt: no message, nothing changed.
    const size_t shown = user.Boxes.size();
    user.CancelInput();
    main.mnuFileHEX_Click();
    EXPECT_EQ(user.Boxes.size(), shown + 1);
    EXPECT_EQ(Entries(main), before);
    EXPECT_EQ(ChartState(main), "A+filter");
}

TEST_F(GlyphdeckTest, ColumnsBoxAcceptsDigitsAndRestoresTheLastOne) {
    frmMain& main = Start();
    // Typed, then the box's text, the list's columns, the last accepted count.
    const struct {
        const char *typed, *shown;
        int columns, last;
    } cases[] = {{"3", "3", 3, 3}, {"0", "3", 3, 3}, {"x", "3", 3, 3},
                 {"", "", 3, 3},   {"1", "1", 1, 1}, {"6", "6", 6, 6}};
    for (const auto& c : cases) {
        main.txtDisplayColumns.Text(c.typed);
        EXPECT_EQ(main.txtDisplayColumns.Text(), c.shown) << c.typed;
        EXPECT_EQ(main.Display.Columns(), c.columns) << c.typed;
        EXPECT_EQ(main.LastColumns, c.last) << c.typed;
    }
    const auto refused = BoxesTitled("  Invalid Entry");
    ASSERT_EQ(refused.size(), 2u); // "0" and "x"
    EXPECT_EQ(refused[0].Prompt, "You can only specify a numeric value between 1 and 9 here.");
    EXPECT_EQ(refused[0].Style, rt::vbExclamation);
}

// The list's height on the screen, in pixels.
int ShownHeight(const rt::ListBox& list) {
    RECT r{};
    GetWindowRect(list.hWnd(), &r);
    return r.bottom - r.top;
}

// The six-column list scrolls sideways; refilling it, in any of the ways the
// user can, and resizing the window keep it as tall as the window allows.
TEST_F(GlyphdeckTest, ListKeepsItsHeightThroughRefillsAndResizes) {
    frmMain& main = Start();
    const auto expected = [&] {
        return static_cast<int>(std::lround((main.Height() - 1050) / rt::Screen::TwipsPerPixelY()));
    };
    EXPECT_EQ(ShownHeight(main.Display), expected()) << "at start";
    for (int i = 0; i < 20; ++i) {
        switch (i % 5) {
        case 0: main.mnuFileASCII_Click(); break;
        case 1: user.Type("300"), main.mnuFileHEX_Click(); break;
        case 2: user.Type("300"), main.mnuFileOCT_Click(); break;
        case 3: main.mnuOptionsNonVis_Click(); break;
        case 4: main.txtDisplayColumns.Text(i % 2 ? "5" : "6"); break;
        }
        rt::DoEvents();
    }
    EXPECT_EQ(ShownHeight(main.Display), expected()) << "after twenty refills";
    main.Height(main.Height() - 1000);
    rt::DoEvents();
    main.mnuFileASCII_Click();
    rt::DoEvents();
    EXPECT_EQ(ShownHeight(main.Display), expected()) << "after a resize";
}

// The rows of a print text (without its leading CR LF CR LF), split at CR LF.
std::vector<std::string> Rows(const std::string& text) {
    std::vector<std::string> rows;
    EXPECT_EQ(text.substr(0, 4), "\r\n\r\n");
    size_t at = 4;
    for (;;) {
        const size_t end = text.find("\r\n", at);
        rows.push_back(text.substr(at, end == std::string::npos ? std::string::npos : end - at));
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return rows;
}

size_t EntriesIn(const std::string& row) {
    size_t n = 0;
    for (size_t at = row.find(" = "); at != std::string::npos; at = row.find(" = ", at + 3)) ++n;
    return n;
}

TEST_F(GlyphdeckTest, PrintTextOfTheFilteredChartInSixColumns) {
    frmMain& main = Start();
    const std::string text = main.GetPrintText();
    const auto rows = Rows(text);
    ASSERT_EQ(rows.size(), 43u);
    const std::string blanks(6, ' ');
    std::string first = "  ";
    for (int code = 0; code < 6; ++code) first += rt::Format(code, "000") + " =  " + blanks;
    EXPECT_EQ(rows[0], first) << "a filtered entry prints as wide as a one-character one";
    for (size_t i = 0; i + 1 < rows.size(); ++i) EXPECT_EQ(EntriesIn(rows[i]), 6u) << i;
    EXPECT_EQ(EntriesIn(rows.back()), 4u);
    EXPECT_EQ(rows[5], "  030 =  " + blanks + "031 =  " + blanks + "032 =  " + blanks + "033 = !" +
                           blanks + "034 = \"" + blanks + "035 = #" + blanks);
    EXPECT_EQ(text.substr(text.size() - 6), "      ") << "no line end after the last row";
    EXPECT_EQ(text.find("****"), std::string::npos);
}

TEST_F(GlyphdeckTest, PrintTextNeverHoldsFewerThanTwoARow) {
    frmMain& main = Start();
    const struct {
        const char* columns;
        size_t rows, first, last; // rows, entries in the first and the last row
    } cases[] = {{"1", 128, 2, 2}, {"", 128, 2, 2}, {"9", 29, 9, 4}};
    for (const auto& c : cases) {
        main.txtDisplayColumns.Text(c.columns);
        const auto rows = Rows(main.GetPrintText());
        ASSERT_EQ(rows.size(), c.rows) << c.columns;
        EXPECT_EQ(EntriesIn(rows.front()), c.first) << c.columns;
        EXPECT_EQ(EntriesIn(rows.back()), c.last) << c.columns;
    }
    main.Display.Clear();
    EXPECT_EQ(main.GetPrintText(), "");
    const auto nothing = BoxesTitled("  Nothing To Print");
    ASSERT_EQ(nothing.size(), 1u);
    EXPECT_EQ(nothing[0].Prompt, "There is currently nothing displayed to print.");
    EXPECT_EQ(nothing[0].Style, rt::vbExclamation);
}

int g_fills = 0; // lists cleared on this thread: one per chart fill

LRESULT CALLBACK CountFills(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lp)->message == LB_RESETCONTENT)
        ++g_fills;
    return CallNextHookEx(nullptr, code, wp, lp);
}

TEST_F(GlyphdeckTest, StoredUnfilteredStartFillsOnceAndRoundsTheFontSize) {
    rt::SaveSetting("Glyphdeck", "Settings", "FilterNonVisible", "False");
    rt::SaveSetting("Glyphdeck", "Settings", "FontSize", "9.75");
    g_fills = 0;
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, CountFills, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    frmMain& main = Start();
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(g_fills, 1) << "the chart is filled once at start-up";
    EXPECT_FALSE(main.mnuOptionsNonVis.Checked());
    EXPECT_EQ(main.Display.ListCount(), 256);
    EXPECT_EQ(Filtered(main), 0);
    EXPECT_EQ(main.Display.Font().Size, 10);
    EXPECT_EQ(main.Display.ListIndex(), 0);
}

TEST_F(GlyphdeckTest, SettingsOutliveTheRun) {
    {
        frmMain& main = Start();
        main.Move(600, 450, 9000, 6000);
        main.txtDisplayColumns.Text("4");
        main.mnuOptionsNonVis_Click();
        main.mnuOptionsClipboard_Click();
        main.mnuOptionsShowChar_Click();
        main.Display.ForeColor(0x0000FF);
        main.Display.BackColor(0x00FFFF);
        main.Display.Font(rt::Font{"Courier New", 12, true, true});
        main.Unload();
        rt::DoEvents();
    }
    for (auto [key, value] : {std::pair{"Left", "600"},
                              {"Width", "9000"},
                              {"Columns", "4"},
                              {"FilterNonVisible", "False"},
                              {"CopyClipboard", "False"},
                              {"ShowInfo", "True"},
                              {"FontName", "Courier New"},
                              {"FontSize", "12"},
                              {"FontBold", "True"},
                              {"ForeColor", "255"}})
        EXPECT_EQ(rt::GetSetting("Glyphdeck", "Settings", key), value) << key;

    frmMain& again = Start();
    EXPECT_EQ(std::vector<long>({again.Left(), again.Top(), again.Width(), again.Height()}),
              std::vector<long>({600, 450, 9000, 6000}));
    EXPECT_EQ(again.Display.Columns(), 4);
    EXPECT_EQ(again.txtDisplayColumns.Text(), "4");
    EXPECT_FALSE(again.mnuOptionsNonVis.Checked());
    EXPECT_FALSE(again.mnuOptionsClipboard.Checked());
    EXPECT_TRUE(again.mnuOptionsShowChar.Checked());
    EXPECT_EQ(again.Display.ToolTipText(), "Double-Click to display character and it's info");
    EXPECT_EQ(again.Display.ForeColor(), 0x0000FF);
    EXPECT_EQ(again.Display.BackColor(), 0x00FFFF);
    EXPECT_EQ(again.Display.Font(), (rt::Font{"Courier New", 12, true, true}));
}

TEST_F(GlyphdeckTest, UnreadableStoredValuesKeepTheDesign) {
    for (auto [key, value] : {std::pair{"Width", "wide"},
                              {"FilterNonVisible", "maybe"},
                              {"CopyClipboard", "perhaps"},
                              {"FontBold", "2x"}})
        rt::SaveSetting("Glyphdeck", "Settings", key, value);
    frmMain& main = Start();
    EXPECT_EQ(main.Width(), 8790);
    EXPECT_TRUE(main.mnuOptionsNonVis.Checked());
    EXPECT_EQ(Filtered(main), 41);
    EXPECT_TRUE(main.mnuOptionsClipboard.Checked());
    EXPECT_FALSE(main.Display.Font().Bold);
}

} // namespace
} // namespace glyphdeck::testing
