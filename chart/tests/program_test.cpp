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
