// The chart in the main window: the three charts, the range prompt, the Columns
// box, the print text and the settings kept between runs.
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
    EXPECT_TRUE(main.mnuOptionsNonVis.Checked());
    EXPECT_TRUE(main.mnuOptionsNonVis.Enabled());
    EXPECT_TRUE(main.mnuOptionsClipboard.Checked());
    EXPECT_FALSE(main.mnuOptionsShowChar.Checked());
    EXPECT_TRUE(main.mnuFileASCII.Checked());
    EXPECT_EQ(main.Display.ToolTipText(), "Double-Click to copy character to clipboard");
    EXPECT_EQ(main.lblEquals.Caption(), "CHR(#)  =  ASCII Character");
    EXPECT_FALSE(main.Progress.Visible());
    EXPECT_EQ(main.Display.ListIndex(), 0) << "the first entry is selected after the fill";

    const auto entries = Entries(main);
    ASSERT_EQ(entries.size(), 256u);
    EXPECT_EQ(Filtered(main), 41);
    EXPECT_EQ(entries[0], "000 = ****");
    EXPECT_EQ(entries[31], "031 = ****");
    EXPECT_EQ(entries[32], "032 =  ");
    EXPECT_EQ(entries[65], "065 = A");
    EXPECT_EQ(entries[126], "126 = ~");
    for (int code : {127, 128, 129, 141, 142, 143, 144, 157, 158})
        EXPECT_EQ(entries[code], rt::Format(code, "000") + " = ****");
    for (int code : {130, 140, 145, 156, 159, 160, 255})
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

TEST_F(GlyphdeckTest, NumberChartsFollowTheTypedBound) {
    frmMain& main = Start();
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
    EXPECT_TRUE(main.mnuFileHEX.Checked());
    EXPECT_FALSE(main.mnuFileASCII.Checked());
    EXPECT_FALSE(main.mnuFileOCT.Checked());
    EXPECT_FALSE(main.mnuOptionsNonVis.Enabled()) << "the filter belongs to the ASCII chart";
    EXPECT_FALSE(main.Progress.Visible());

    user.Type("1000");
    main.mnuFileOCT_Click();
    entries = Entries(main);
    ASSERT_EQ(entries.size(), 1001u);
    EXPECT_EQ(entries.back(), "1000 = 1750");
    EXPECT_EQ(main.lblEquals.Caption(), "OCT(#)  =  Octal Character");
    EXPECT_TRUE(main.mnuFileOCT.Checked());
    EXPECT_FALSE(main.mnuFileHEX.Checked());

    // Leading zeros widen the numbers.
    user.Type("007");
    main.mnuFileHEX_Click();
    EXPECT_EQ(Entries(main), (std::vector<std::string>{"000 = 0", "001 = 1", "002 = 2", "003 = 3",
                                                       "004 = 4", "005 = 5", "006 = 6", "007 = 7"}));

    main.mnuFileASCII_Click();
    EXPECT_EQ(main.Display.ListCount(), 256);
    EXPECT_TRUE(main.mnuOptionsNonVis.Enabled());
    EXPECT_TRUE(main.mnuFileASCII.Checked());
    EXPECT_FALSE(main.mnuFileHEX.Checked());
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
    EXPECT_TRUE(main.mnuFileASCII.Checked());
    EXPECT_FALSE(main.mnuFileOCT.Checked());
    EXPECT_TRUE(main.mnuOptionsNonVis.Enabled());

    // Cancel at the prompt: no message, nothing changed.
    const size_t shown = user.Boxes.size();
    user.CancelInput();
    main.mnuFileHEX_Click();
    EXPECT_EQ(user.Boxes.size(), shown + 1);
    EXPECT_EQ(Entries(main), before);
    EXPECT_FALSE(main.mnuFileHEX.Checked());
}

TEST_F(GlyphdeckTest, ColumnsBoxAcceptsDigitsAndRestoresTheLastOne) {
    frmMain& main = Start();
    main.txtDisplayColumns.Text("3");
    EXPECT_EQ(main.Display.Columns(), 3);
    EXPECT_EQ(main.LastColumns, 3);

    for (const char* bad : {"0", "x"}) {
        main.txtDisplayColumns.Text(bad);
        EXPECT_EQ(main.txtDisplayColumns.Text(), "3") << bad;
        EXPECT_EQ(main.Display.Columns(), 3) << bad;
    }
    const auto refused = BoxesTitled("  Invalid Entry");
    ASSERT_EQ(refused.size(), 2u);
    EXPECT_EQ(refused[0].Prompt, "You can only specify a numeric value between 1 and 9 here.");
    EXPECT_EQ(refused[0].Style, rt::vbExclamation);

    main.txtDisplayColumns.Text("");
    EXPECT_EQ(main.Display.Columns(), 3);
    EXPECT_EQ(main.LastColumns, 3);
    main.txtDisplayColumns.Text("1");
    EXPECT_EQ(main.Display.Columns(), 1);
    main.txtDisplayColumns.Text("6");
    EXPECT_EQ(main.Display.Columns(), 6);
    EXPECT_EQ(BoxesTitled("  Invalid Entry").size(), 2u);
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
    main.txtDisplayColumns.Text("1");
    auto rows = Rows(main.GetPrintText());
    EXPECT_EQ(rows.size(), 128u);
    EXPECT_EQ(EntriesIn(rows[0]), 2u);

    main.txtDisplayColumns.Text("");
    rows = Rows(main.GetPrintText());
    EXPECT_EQ(rows.size(), 128u);

    main.txtDisplayColumns.Text("9");
    rows = Rows(main.GetPrintText());
    EXPECT_EQ(rows.size(), 29u);
    EXPECT_EQ(EntriesIn(rows.back()), 4u);

    main.Display.Clear();
    EXPECT_EQ(main.GetPrintText(), "");
    const auto nothing = BoxesTitled("  Nothing To Print");
    ASSERT_EQ(nothing.size(), 1u);
    EXPECT_EQ(nothing[0].Prompt, "There is currently nothing displayed to print.");
    EXPECT_EQ(nothing[0].Style, rt::vbExclamation);
}

// Counts the lists cleared on this thread while it lives: one per chart fill.
class ClearCounter {
  public:
    ClearCounter() : hook_(SetWindowsHookExW(WH_CALLWNDPROC, Count, nullptr, GetCurrentThreadId())) {
        cleared_ = 0;
    }
    ~ClearCounter() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }
    ClearCounter(const ClearCounter&) = delete;
    ClearCounter& operator=(const ClearCounter&) = delete;
    bool Hooked() const { return hook_ != nullptr; }
    int Cleared() const { return cleared_; }

  private:
    static LRESULT CALLBACK Count(int code, WPARAM wp, LPARAM lp) {
        if (code == HC_ACTION && reinterpret_cast<const CWPSTRUCT*>(lp)->message == LB_RESETCONTENT)
            ++cleared_;
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    HHOOK hook_;
    static inline int cleared_ = 0;
};

TEST_F(GlyphdeckTest, StoredUnfilteredStartFillsOnceAndRoundsTheFontSize) {
    rt::SaveSetting("Glyphdeck", "Settings", "FilterNonVisible", "False");
    rt::SaveSetting("Glyphdeck", "Settings", "FontSize", "9.75");
    ClearCounter fills;
    ASSERT_TRUE(fills.Hooked());
    frmMain& main = Start();
    EXPECT_EQ(fills.Cleared(), 1) << "the chart is filled once at start-up";
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
    auto stored = [](const char* key) { return rt::GetSetting("Glyphdeck", "Settings", key); };
    EXPECT_EQ(stored("Left"), "600");
    EXPECT_EQ(stored("Width"), "9000");
    EXPECT_EQ(stored("Columns"), "4");
    EXPECT_EQ(stored("FilterNonVisible"), "False");
    EXPECT_EQ(stored("CopyClipboard"), "False");
    EXPECT_EQ(stored("ShowInfo"), "True");
    EXPECT_EQ(stored("FontName"), "Courier New");
    EXPECT_EQ(stored("FontSize"), "12");
    EXPECT_EQ(stored("FontBold"), "True");
    EXPECT_EQ(stored("ForeColor"), "255");

    frmMain& again = Start();
    EXPECT_EQ(again.Left(), 600);
    EXPECT_EQ(again.Top(), 450);
    EXPECT_EQ(again.Width(), 9000);
    EXPECT_EQ(again.Height(), 6000);
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
    rt::SaveSetting("Glyphdeck", "Settings", "Width", "wide");
    rt::SaveSetting("Glyphdeck", "Settings", "FilterNonVisible", "maybe");
    rt::SaveSetting("Glyphdeck", "Settings", "CopyClipboard", "perhaps");
    rt::SaveSetting("Glyphdeck", "Settings", "FontBold", "2x");
    frmMain& main = Start();
    EXPECT_EQ(main.Width(), 8790);
    EXPECT_TRUE(main.mnuOptionsNonVis.Checked());
    EXPECT_EQ(Filtered(main), 41);
    EXPECT_TRUE(main.mnuOptionsClipboard.Checked());
    EXPECT_FALSE(main.Display.Font().Bold);
}

} // namespace
} // namespace glyphdeck::testing
