// Handing a chart value on: double-click and pop-up commands, the clipboard and
// the character-info window; and the two stored documents.
#include "fixture.h"

#include "documents.h"
#include "frmText.h"
#include "test_support.h"

namespace glyphdeck::testing {
namespace {

class HandOffTest : public GlyphdeckTest {
  protected:
    // The next character-info window, closed with OK.
    void ExpectInfo(Shown& shown) {
        ExpectWindow<frmText>(shown, [](frmText& info) {
            const std::string text = info.txtText.Text();
            info.cmdOK.Press();
            return text;
        });
    }
    // Shows the info of the selected entry; what the window showed.
    Shown ShowInfo() {
        Shown shown;
        ExpectInfo(shown);
        frmMain::Get().mnuPopShowInfo_Click();
        return shown;
    }
};

TEST_F(HandOffTest, DoubleClickCopiesAndShowsByTheOptions) {
    frmMain& main = Start();
    // A filtered entry hands on its stars, the space nothing.
    const struct {
        bool copy, show;
        int index;
        const char *clipboard, *caption, *text; // caption nullptr: no window
    } cases[] = {
        {true, true, 65, "A", "  CHR(65)", "A"},   {true, true, 7, "****", "  CHR(7)", "****"},
        {true, true, 32, "", "  CHR(32)", ""},     {false, true, 66, "before", "  CHR(66)", "B"},
        {false, false, 66, "before", nullptr, ""}, {true, false, 66, "B", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.index);
        if (main.mnuOptionsClipboard.Checked() != c.copy) main.mnuOptionsClipboard_Click();
        if (main.mnuOptionsShowChar.Checked() != c.show) main.mnuOptionsShowChar_Click();
        rt::Clipboard::SetText("before");
        main.Display.ListIndex(c.index);
        const int windows = ModalForms();
        Shown shown;
        if (c.caption) ExpectInfo(shown);
        main.Display_DblClick();
        EXPECT_EQ(rt::Clipboard::GetText(), c.clipboard);
        EXPECT_EQ(ModalForms(), windows + (c.caption ? 1 : 0));
        if (c.caption) {
            EXPECT_EQ(shown.caption, c.caption);
            EXPECT_EQ(shown.text, c.text);
        }
        EXPECT_FALSE(frmText::Exists()) << "OK unloads the window";
    }
}

TEST_F(HandOffTest, PopUpCommandsIgnoreTheOptionsAndNumberChartsHandOnTheirDigits) {
    frmMain& main = Start();
    main.mnuOptionsClipboard_Click(); // both off
    // The chart typed for (none: the ASCII chart), the entry, what Copy and
    // Show Info hand on; nothing selected is an empty value and the index -1.
    const struct {
        void (frmMain::*chart)();
        const char* typed;
        int index;
        const char *copied, *shown;
    } cases[] = {{nullptr, "", 97, "a", "  CHR(97)|a"},
                 {nullptr, "", -1, "", "  CHR(-1)|"},
                 {&frmMain::mnuFileHEX_Click, "1000", 1000, "3E8", "  HEX(1000)|3E8"},
                 {&frmMain::mnuFileOCT_Click, "300", 255, "377", "  OCT(255)|377"}};
    for (const auto& c : cases) {
        if (c.chart) user.Type(c.typed), (main.*c.chart)();
        main.Display.ListIndex(c.index);
        rt::Clipboard::SetText("before");
        main.mnuPopCopy_Click();
        EXPECT_EQ(rt::Clipboard::GetText(), c.copied);
        const Shown shown = ShowInfo();
        EXPECT_EQ(shown.caption + "|" + shown.text, c.shown);
    }
    main.Display.ListIndex(8); // Edit > Copy is the pop-up's Copy
    main.mnuEditCopy_Click();
    EXPECT_EQ(rt::Clipboard::GetText(), "10");
}

TEST_F(HandOffTest, InfoWindowTakesTheChartFontAndFitsTallOnesTo36Points) {
    frmMain& main = Start();
    main.Display.ListIndex(65);
    // The chart's size, the window's, and the box's height: at least, less than.
    const struct {
        double chart, shown;
        long lowest, below;
    } cases[] = {{12, 12, LineHeightTwips({"Arial", 12}) + 1, 945},
                 {60, 36, LineHeightTwips({"Arial", 36}), LineHeightTwips({"Arial", 60})}};
    for (const auto& c : cases) {
        main.Display.Font(rt::Font{"Arial", c.chart});
        double size = 0;
        long height = 0;
        user.OnModal([&](rt::Form& form) {
            auto& info = dynamic_cast<frmText&>(form);
            size = info.txtText.Font().Size;
            height = info.txtText.Height();
        });
        main.mnuPopShowInfo_Click();
        EXPECT_EQ(size, c.shown);
        EXPECT_GE(height, c.lowest);
        EXPECT_LT(height, c.below);
    }
}

TEST_F(HandOffTest, InfoWindowKeysEnterPressesOKCtrlEnterIsANewLineEscNothing) {
    frmMain& main = Start();
    main.Display.ListIndex(65);
    std::string typed, afterEsc;
    bool focused = false, stayedAfterEsc = false, closedByEnter = false;
    user.OnModal([&](rt::Form& form) {
        auto& info = dynamic_cast<frmText&>(form);
        info.txtText.SetFocus();
        info.txtText.SelStart(1);
        focused = GetFocus() == info.txtText.hWnd();
        // Six characters at most: the third line break does not fit whole.
        for (int i = 0; i < 3; ++i) rt::test::StrikeKey(info.hWnd(), VK_RETURN, true);
        typed = info.txtText.Text();
        rt::test::StrikeKey(info.hWnd(), VK_ESCAPE);
        stayedAfterEsc = frmText::Exists() && IsWindowVisible(info.hWnd());
        afterEsc = info.txtText.Text();
        rt::test::StrikeKey(info.hWnd(), VK_RETURN);
        closedByEnter = !frmText::Exists();
    });
    main.mnuPopShowInfo_Click();
    EXPECT_TRUE(focused);
    EXPECT_EQ(typed, "A\r\n\r\n");
    EXPECT_TRUE(stayedAfterEsc);
    EXPECT_EQ(afterEsc, typed);
    EXPECT_TRUE(closedByEnter) << "Enter in the box presses OK";
}

TEST_F(HandOffTest, StoredDocumentsShowTheirText) {
    Start();
    Shown help, keys;
    ExpectWindow<frmHelp>(help, [](frmHelp& f) { return f.RText.Text(); });
    frmHelp::Get().Show(rt::vbModal);
    ExpectWindow<frmVBConsts>(keys, [](frmVBConsts& f) { return f.RText.Text(); });
    frmVBConsts::Get().Show(rt::vbModal);

    EXPECT_EQ(help.caption, "  Glyphdeck Help File");
    EXPECT_EQ(keys.caption, "  VB5 / VB6 Key Code Constants");
    EXPECT_EQ(help.text.find("{\\rtf"), std::string::npos) << "the rich text was read as such";
    EXPECT_EQ(keys.text.find("\\par"), std::string::npos);
    for (const char* line :
         {"Glyphdeck Help", "Benchware", "Filter Non-Visible Characters", "glyphdeck@example.org"})
        EXPECT_NE(help.text.find(line), std::string::npos) << line;
    for (const char* row :
         {"vbKeyLButton\t1\t", "vbKeyBack\t8\t", "vbKeyNumlock\t144\t", "vbKeyA\t65\t",
          "vbKeyZ\t90\t", "vbKey0\t48\t", "vbKey9\t57\t", "vbKeyNumpad0\t96\t",
          "vbKeyDivide\t111\t", "vbKeyF1\t112\t", "vbKeyF16\t127\t"})
        EXPECT_NE(keys.text.find(row), std::string::npos) << row;
}

} // namespace
} // namespace glyphdeck::testing
