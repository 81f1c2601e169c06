#include "frmText.h"

#include <cmath>

#include "frmMain.h"

namespace glyphdeck {

namespace {

// The tallest line the box shows at its design height.
constexpr long kDesignBoxHeight = 945;
// Room for the box's border and inner margin around its line of text.
constexpr long kBoxMarginPixels = 8;

} // namespace

long LineHeightTwips(const rt::Font& font) {
    rt::WindowDC screen(nullptr);
    if (!screen) return 0;
    const int pixels = static_cast<int>(std::lround(font.Size * GetDeviceCaps(screen, LOGPIXELSY) / 72.0));
    rt::GdiObject<HFONT> handle(CreateFontW(-pixels, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL,
                                            font.Italic, font.Underline, font.Strikethru,
                                            DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                            rt::Wide(font.Name).c_str()));
    if (!handle) return 0;
    rt::Selected selected(screen, handle);
    SIZE size{};
    if (!GetTextExtentPoint32W(screen, L"Ag", 2, &size)) return 0;
    return size.cy * rt::Screen::TwipsPerPixelY();
}

frmText::frmText() {
    BorderStyle(rt::vbFixedSingle);
    MinButton(false);
    MaxButton(false);
    StartUpPosition(rt::vbStartUpManual);
    ClientSize(2445, 3660); // inside the borders, so that OK at 3150 + 375 fits

    txtText.Move(120, 120, 2205, 945);
    txtText.MultiLine(true);
    txtText.Alignment(rt::vbCenter);
    txtText.MaxLength(6);
    txtText.Font(rt::Font{"Times New Roman", 18, true});
    txtText.Text("Char\r\n");

    lblReg.Move(105, 1365, 2235, 435);
    lblReg.WordWrap(true);
    lblReg.Caption("Cut and Paste the above character ...");
    Label2.Move(1080, 1995, 315, 195);
    Label2.AutoSize(true);
    Label2.Font(rt::Font{"MS Sans Serif", 8.25, true});
    Label2.Caption("OR");
    Label3.Move(105, 2460, 2190, 615);
    Label3.WordWrap(true);
    Label3.Caption("Hold <ALT> and type 0 + above # and let go of <ALT>");

    cmdOK.Move(660, 3150, 1095, 375);
    cmdOK.Caption("&OK");
    cmdOK.Default(true);
    cmdOK.Click = [this] { cmdOK_Click(); };

    for (rt::Line* line : {&Line1, &Line2}) {
        line->BorderColor = 0x00800000;
        line->BorderWidth = 2;
    }
}

void frmText::Form_Load() {
    Left((rt::Screen::Width() - Width()) / 3);
    Top((rt::Screen::Height() - Height()) / 2);

    rt::Font font = frmMain::Get().Display.Font();
    txtText.Font(font);
    const long margin = kBoxMarginPixels * rt::Screen::TwipsPerPixelY();
    const long line = LineHeightTwips(font);
    txtText.Height(line + margin);
    if (line > kDesignBoxHeight) {
        font.Size = 36;
        txtText.Font(font);
        rt::DoEvents();
        txtText.Height(LineHeightTwips(font) + margin);
    }
}

void frmText::Form_Activate() {
    frmMain& main = frmMain::Get();
    Caption("  " + main.lblEquals.Caption().substr(0, 3) + "(" +
            rt::CStr(static_cast<long>(main.Display.ListIndex())) + ")");
}

void frmText::cmdOK_Click() { Unload(); }

} // namespace glyphdeck
