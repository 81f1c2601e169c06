// The fonts the programs name, as the prefix the programs run in gives them:
// each face is there under its own name (not a wider stand-in that cuts
// captions), code in Courier New lines up, and the title bars' buttons and
// captions have their faces.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "rt/convert.h"
#include "rt/forms.h"
#include "rt/handles.h"
#include "test_support.h"

namespace {

using namespace rt::test;

// The face a font resolves to on the screen, and its metrics.
struct Resolved {
    std::wstring face;
    TEXTMETRICW metrics{};
};

Resolved Resolve(HFONT font) {
    Resolved r;
    rt::WindowDC dc(nullptr);
    rt::Selected selected(dc, font);
    wchar_t face[LF_FACESIZE]{};
    GetTextFaceW(dc, LF_FACESIZE, face);
    r.face = face;
    GetTextMetricsW(dc, &r.metrics);
    return r;
}

class FontsForm : public rt::Form {
  public:
    FontsForm() {
        Caption("  Fonts");
        ClientSize(4000, 1000);
        txtSample.Move(105, 105, 3000, 400);
    }
    rt::TextBox txtSample{*this};
};

using PrefixFonts = FormFixture<FontsForm>;

// The faces and sizes the programs give their controls, the runtime's default
// among them, reach the control under their own names.
TEST_F(PrefixFonts, EveryNamedFaceIsThereUnderItsName) {
    const struct {
        rt::Font font;
        const wchar_t* face;
    } cases[] = {{rt::Font{}, L"MS Sans Serif"},
                 {rt::Font{"MS Sans Serif", 8.25, true}, L"MS Sans Serif"},
                 {rt::Font{"MS Sans Serif", 12, true}, L"MS Sans Serif"},
                 {rt::Font{"Arial", 9.75}, L"Arial"},
                 {rt::Font{"Arial", 18, true}, L"Arial"},
                 {rt::Font{"Times New Roman", 15.75, true}, L"Times New Roman"},
                 {rt::Font{"Courier New", 9.75}, L"Courier New"},
                 {rt::Font{"Tahoma", 12, true}, L"Tahoma"}};
    for (const auto& c : cases) {
        form.txtSample.Font(c.font);
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(form.txtSample.hWnd(), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr);
        Resolved r = Resolve(font);
        EXPECT_EQ(r.face, c.face) << c.font.Name << " " << c.font.Size;
        EXPECT_EQ(r.metrics.tmWeight >= FW_BOLD, c.font.Bold) << c.font.Name << " " << c.font.Size;
    }

    // Tallyman's code: every character as wide as any other.
    form.txtSample.Font(rt::Font{"Courier New", 9.75});
    HFONT code = reinterpret_cast<HFONT>(SendMessageW(form.txtSample.hWnd(), WM_GETFONT, 0, 0));
    Resolved r = Resolve(code);
    EXPECT_EQ(r.metrics.tmPitchAndFamily & TMPF_FIXED_PITCH, 0); // set means variable pitch
    rt::WindowDC dc(nullptr);
    rt::Selected selected(dc, code);
    SIZE narrow{}, wide{};
    GetTextExtentPoint32W(dc, L"10  iiiii", 9, &narrow);
    GetTextExtentPoint32W(dc, L"   WWWWWW", 9, &wide);
    EXPECT_EQ(narrow.cx, wide.cx);
}

// The title bars: their buttons are glyphs of Marlett, their text is in the
// system's caption font; both faces must be there, not stand-ins.
TEST(PrefixFontMetrics, TitleBarsHaveTheirFaces) {
    rt::GdiObject<HFONT> marlett(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                             SYMBOL_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                             DEFAULT_QUALITY, DEFAULT_PITCH, L"Marlett"));
    Resolved r = Resolve(marlett);
    EXPECT_EQ(r.face, L"Marlett");
    EXPECT_EQ(r.metrics.tmCharSet, SYMBOL_CHARSET);

    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    for (const LOGFONTW* lf : {&metrics.lfCaptionFont, &metrics.lfMenuFont, &metrics.lfMessageFont}) {
        rt::GdiObject<HFONT> font(CreateFontIndirectW(lf));
        Resolved shown = Resolve(font);
        // The face named, or the one the system puts in its place.
        std::wstring named = lf->lfFaceName;
        wchar_t substitute[LF_FACESIZE]{};
        DWORD size = sizeof substitute;
        if (RegGetValueW(HKEY_LOCAL_MACHINE,
                         L"Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes",
                         named.c_str(), RRF_RT_REG_SZ, nullptr, substitute, &size) == ERROR_SUCCESS)
            named = substitute;
        EXPECT_EQ(shown.face, named) << rt::Utf8(lf->lfFaceName);
    }
}

} // namespace
