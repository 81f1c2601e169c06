// Glyphdeck.exe as a program of its own, closed by another program.
#include <gtest/gtest.h>

#include <rt.h>

#include "test_support.h"

namespace {

TEST(GlyphdeckProgram, EndsOnACloseSentByAnotherProgramAndKeepsItsSettings) {
    rt::DeleteSetting("Glyphdeck");
    rt::test::ExpectEndsOnSentCloses("Glyphdeck.exe", "  Glyphdeck", {}, [] {
        EXPECT_NE(rt::GetSetting("Glyphdeck", "Settings", "Width"), "");
        rt::DeleteSetting("Glyphdeck");
    });
}

// Another program types a letter into the columns box: the box the change
// opens goes with the program when a close comes meanwhile.
TEST(GlyphdeckProgram, EndsOnACloseSentWhileTheColumnsBoxRefusesALetter) {
    rt::test::ExpectEndsOnCloseSentOverBox("Glyphdeck.exe", "  Glyphdeck", "  Invalid Entry",
                                           [](HWND main) {
                                               HWND columns = rt::test::Child(main, L"Edit");
                                               ASSERT_NE(columns, nullptr);
                                               rt::test::PutText(columns, "x");
                                           });
    rt::DeleteSetting("Glyphdeck");
}

const rt::test::KeptWindow kGlyphdeck{"Glyphdeck.exe", "  Glyphdeck", "Glyphdeck", "Settings",
                                       "FontSize", L"ListBox", {}};

TEST(GlyphdeckProgram, MaximisedTheChartFillsTheWindow) {
    rt::test::ExpectContentsFillTheMaximisedWindow(kGlyphdeck);
}

TEST(GlyphdeckProgram, AKeptPlaceOpensOnTheScreen) {
    rt::test::ExpectKeptPlacesOpenOnTheScreen(kGlyphdeck);
}

TEST(GlyphdeckProgram, AKeptFontSizeReadsTheSameInEveryLocale) {
    rt::test::ExpectKeptFontSizesReadInEveryLocale(kGlyphdeck);
}

} // namespace
