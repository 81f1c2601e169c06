// Handing a chart value on: double-click and pop-up commands, the clipboard and
// the character-info window; and the two stored documents.
#include "fixture.h"

#include "documents.h"
#include "frmText.h"

namespace glyphdeck::testing {
namespace {

struct InfoWindow {
    bool shown = false;
    std::string caption, text;
    double fontSize = 0;
    long boxHeight = 0;
};

class HandOffTest : public GlyphdeckTest {
  protected:
    // The next character-info window: what it shows, then closed with OK.
    void ExpectInfoWindow(InfoWindow& seen) {
        user.OnModal([&seen](rt::Form& form) {
            auto* info = dynamic_cast<frmText*>(&form);
            ASSERT_NE(info, nullptr);
            seen.shown = true;
            seen.caption = info->Caption();
            seen.text = info->txtText.Text();
            seen.fontSize = info->txtText.Font().Size;
            seen.boxHeight = info->txtText.Height();
            info->cmdOK.Press();
        });
    }
};

TEST_F(HandOffTest, DoubleClickCopiesAndShowsByTheOptions) {
    frmMain& main = Start();
    main.mnuOptionsShowChar_Click(); // both on
    main.Display.ListIndex(65);
    InfoWindow seen;
    ExpectInfoWindow(seen);
    main.Display_DblClick();
    EXPECT_EQ(rt::Clipboard::GetText(), "A");
    ASSERT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, "  CHR(65)");
    EXPECT_EQ(seen.text, "A");
    EXPECT_FALSE(frmText::Exists()) << "OK unloads the window";

    // A filtered entry hands on its stars, the space nothing.
    main.Display.ListIndex(7);
    InfoWindow filtered;
    ExpectInfoWindow(filtered);
    main.Display_DblClick();
    EXPECT_EQ(rt::Clipboard::GetText(), "****");
    EXPECT_EQ(filtered.text, "****");
    EXPECT_EQ(filtered.caption, "  CHR(7)");

    main.Display.ListIndex(32);
    InfoWindow space;
    ExpectInfoWindow(space);
    main.Display_DblClick();
    EXPECT_EQ(rt::Clipboard::GetText(), "");
    EXPECT_EQ(space.text, "");

    // Show only: the clipboard is left alone.
    main.mnuOptionsClipboard_Click();
    rt::Clipboard::SetText("before");
    main.Display.ListIndex(66);
    InfoWindow showOnly;
    ExpectInfoWindow(showOnly);
    main.Display_DblClick();
    EXPECT_EQ(showOnly.text, "B");
    EXPECT_EQ(rt::Clipboard::GetText(), "before");

    // Both off: nothing happens.
    main.mnuOptionsShowChar_Click();
    const int windows = ModalForms();
    main.Display_DblClick();
    EXPECT_EQ(rt::Clipboard::GetText(), "before");
    EXPECT_EQ(ModalForms(), windows);

    // Copy only.
    main.mnuOptionsClipboard_Click();
    main.Display_DblClick();
    EXPECT_EQ(rt::Clipboard::GetText(), "B");
    EXPECT_EQ(ModalForms(), windows);
}

TEST_F(HandOffTest, PopUpCommandsIgnoreTheOptions) {
    frmMain& main = Start();
    main.mnuOptionsClipboard_Click(); // both off
    main.Display.ListIndex(97);
    rt::Clipboard::SetText("before");
    main.mnuPopCopy_Click();
    EXPECT_EQ(rt::Clipboard::GetText(), "a");

    InfoWindow seen;
    ExpectInfoWindow(seen);
    main.mnuPopShowInfo_Click();
    EXPECT_TRUE(seen.shown);
    EXPECT_EQ(seen.caption, "  CHR(97)");
    EXPECT_EQ(seen.text, "a");

    // Edit > Copy is the pop-up's Copy.
    main.Display.ListIndex(98);
    main.mnuEditCopy_Click();
    EXPECT_EQ(rt::Clipboard::GetText(), "b");

    // Nothing selected: an empty value and the index -1.
    main.Display.ListIndex(-1);
    main.mnuPopCopy_Click();
    EXPECT_EQ(rt::Clipboard::GetText(), "");
    InfoWindow none;
    ExpectInfoWindow(none);
    main.mnuPopShowInfo_Click();
    EXPECT_EQ(none.caption, "  CHR(-1)");
    EXPECT_EQ(none.text, "");
}

TEST_F(HandOffTest, NumberChartsHandOnTheirDigitsWithTheDecimalIndex) {
    frmMain& main = Start();
    user.Type("1000");
    main.mnuFileHEX_Click();
    main.Display.ListIndex(1000);
    main.mnuPopCopy_Click();
    EXPECT_EQ(rt::Clipboard::GetText(), "3E8");
    InfoWindow seen;
    ExpectInfoWindow(seen);
    main.mnuPopShowInfo_Click();
    EXPECT_EQ(seen.caption, "  HEX(1000)");
    EXPECT_EQ(seen.text, "3E8");

    user.Type("300");
    main.mnuFileOCT_Click();
    main.Display.ListIndex(255);
    InfoWindow octal;
    ExpectInfoWindow(octal);
    main.mnuPopShowInfo_Click();
    EXPECT_EQ(octal.caption, "  OCT(255)");
    EXPECT_EQ(octal.text, "377");
}

TEST_F(HandOffTest, InfoWindowTakesTheChartFontAndFitsTallOnesTo36Points) {
    frmMain& main = Start();
    main.Display.ListIndex(65);
    main.Display.Font(rt::Font{"Arial", 12, true});
    InfoWindow normal;
    ExpectInfoWindow(normal);
    main.mnuPopShowInfo_Click();
    EXPECT_EQ(normal.fontSize, 12);
    EXPECT_GT(normal.boxHeight, LineHeightTwips(rt::Font{"Arial", 12, true}));
    EXPECT_LT(normal.boxHeight, 945);

    main.Display.Font(rt::Font{"Arial", 60});
    ASSERT_GT(LineHeightTwips(main.Display.Font()), 945);
    InfoWindow tall;
    ExpectInfoWindow(tall);
    main.mnuPopShowInfo_Click();
    EXPECT_EQ(tall.fontSize, 36);
    EXPECT_GE(tall.boxHeight, LineHeightTwips(rt::Font{"Arial", 36}));
    EXPECT_LT(tall.boxHeight, LineHeightTwips(rt::Font{"Arial", 60}));
}

TEST_F(HandOffTest, StoredDocumentsShowTheirText) {
    Start();
    std::string help, keys;
    user.OnModal([&](rt::Form& form) {
        EXPECT_EQ(form.Caption(), "  Glyphdeck Help File");
        help = dynamic_cast<frmHelp&>(form).RText.Text();
    });
    frmHelp::Get().Show(rt::vbModal);
    user.OnModal([&](rt::Form& form) {
        EXPECT_EQ(form.Caption(), "  VB5 / VB6 Key Code Constants");
        keys = dynamic_cast<frmVBConsts&>(form).RText.Text();
    });
    frmVBConsts::Get().Show(rt::vbModal);

    EXPECT_EQ(help.find("{\\rtf"), std::string::npos) << "the rich text was read as such";
    EXPECT_NE(help.find("Glyphdeck Help"), std::string::npos);
    EXPECT_NE(help.find("Benchware"), std::string::npos);
    EXPECT_NE(help.find("Filter Non-Visible Characters"), std::string::npos);
    EXPECT_NE(help.find("glyphdeck@example.org"), std::string::npos);
    EXPECT_EQ(keys.find("\\par"), std::string::npos);
    for (const char* row : {"vbKeyLButton\t1\t", "vbKeyBack\t8\t", "vbKeyNumlock\t144\t",
                            "vbKeyA\t65\t", "vbKeyZ\t90\t", "vbKey0\t48\t", "vbKey9\t57\t",
                            "vbKeyNumpad0\t96\t", "vbKeyDivide\t111\t", "vbKeyF1\t112\t",
                            "vbKeyF16\t127\t"})
        EXPECT_NE(keys.find(row), std::string::npos) << row;
}

} // namespace
} // namespace glyphdeck::testing
