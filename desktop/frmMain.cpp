#include "frmMain.h"

#include <kit/about.h>
#include <rt/handles.h>

#include "displaymode.h"
#include "elements.h"
#include "modCOMDLG32.h"
#include "modDecorum.h"
#include "modGetLastError1.h"
#include "modGradObj.h"
#include "modOS_Info.h"
#include "wallpaper.h"

namespace decorum {

long gPickedColor = 0;
long gPreviousColor = 0;
int gPreviousIndex = -1;

namespace {

constexpr long Sys(int index) { return static_cast<long>(0x80000000u + static_cast<unsigned>(index)); }

rt::Font SansSerif(bool bold = false) { return rt::Font{"MS Sans Serif", 8.25, bold}; }
rt::Font Arial(double size, bool bold = false) { return rt::Font{"Arial", size, bold}; }

// A picture of caption buttons side by side: raised faces with their marks.
enum CaptionMark { Minimise, Maximise, Close };
rt::Picture CaptionButtons(long widthTwips, long heightTwips, std::initializer_list<CaptionMark> marks) {
    const int w = static_cast<int>(widthTwips / rt::Screen::TwipsPerPixelX());
    const int h = static_cast<int>(heightTwips / rt::Screen::TwipsPerPixelY());
    rt::WindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    if (!bitmap) return {};
    rt::MemoryDC mem;
    {
        rt::Selected keep(mem, bitmap);
        rt::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT)));
        rt::Selected usePen(mem, pen);
        const int each = w / static_cast<int>(marks.size());
        int left = 0;
        for (CaptionMark mark : marks) {
            RECT r{left, 0, left + each, h};
            DrawEdge(mem, &r, EDGE_RAISED, BF_RECT | BF_MIDDLE);
            const int x = left + each / 2 - 4, y = h / 2 - 4; // an 8 x 8 mark in the middle
            switch (mark) {
            case Minimise:
                for (int row : {y + 6, y + 7}) MoveToEx(mem, x, row, nullptr), LineTo(mem, x + 6, row);
                break;
            case Maximise:
                Rectangle(mem, x, y, x + 8, y + 8);
                MoveToEx(mem, x, y + 1, nullptr), LineTo(mem, x + 8, y + 1);
                break;
            case Close:
                for (int d : {0, 1}) {
                    MoveToEx(mem, x + d, y, nullptr), LineTo(mem, x + 7 + d, y + 7);
                    MoveToEx(mem, x + 6 + d, y, nullptr), LineTo(mem, x - 1 + d, y + 7);
                }
                break;
            }
            left += each;
        }
    }
    return rt::Picture::FromBitmap(bitmap);
}

// The Refresh button's picture: a circling arrow.
rt::Picture RefreshPicture() {
    const int size = 16;
    rt::WindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, size, size);
    if (!bitmap) return {};
    rt::MemoryDC mem;
    {
        rt::Selected keep(mem, bitmap);
        RECT all{0, 0, size, size};
        FillRect(mem, &all, GetSysColorBrush(COLOR_BTNFACE));
        rt::GdiObject<HPEN> pen(CreatePen(PS_SOLID, 2, RGB(0, 0x80, 0)));
        rt::GdiObject<HBRUSH> fill(CreateSolidBrush(RGB(0, 0x80, 0)));
        rt::Selected usePen(mem, pen);
        rt::Selected useBrush(mem, fill);
        Arc(mem, 2, 2, 14, 14, 14, 8, 8, 2);
        const POINT head[] = {{7, 0}, {11, 3}, {7, 6}};
        Polygon(mem, head, 3);
    }
    return rt::Picture::FromBitmap(bitmap);
}

const char* const kNothingSelected = "Nothing selected to change";

void ShowColourError(const rt::Error& e) {
    rt::MsgBox("The following error occured while trying to change the specified color:\r\r"
               "Error Number = " + rt::CStr(e.Number) + "\rError Source = " + e.Source +
                   "\rError Description = " + e.Description,
               rt::vbExclamation, "  Decorum");
}

// One element's system colour, set for every window at once.
void SetSystemColour(int index, long colour) {
    const COLORREF value = static_cast<COLORREF>(colour);
    SetLastError(0);
    // Judged by the call's own result: windows repainting meanwhile may leave
    // a last error behind without anything having failed.
    if (!SetSysColors(1, &index, &value)) RaiseApiError("SetSysColors");
}

} // namespace

frmMain::frmMain() {
    Caption("  Decorum");
    BorderStyle(rt::vbFixedSingle);
    MinButton(true);
    MaxButton(false);
    StartUpPosition(rt::vbStartUpScreen);
    Font(SansSerif());
    ClientSize(6015, 6675);

    // ---- The sample desktop
    DesktopBackground.Move(120, 120, 5775, 2610);
    DesktopBackground.BackColor(Sys(COLOR_DESKTOP));
    DesktopBackground.Click = [this] { DesktopBackground_Click(); };

    InactiveBorder.Move(240 - 3 * rt::Screen::TwipsPerPixelX(), 240 - 3 * rt::Screen::TwipsPerPixelY(),
                        5175 + 6 * rt::Screen::TwipsPerPixelX(),
                        1695 + 6 * rt::Screen::TwipsPerPixelY());
    InactiveBorder.BorderColor = Sys(COLOR_INACTIVEBORDER);
    InactiveBorder.BorderWidth = 3;
    InactiveWindow.Move(240, 240, 5175, 1695);
    InactiveWindow.BackColor(Sys(COLOR_BTNFACE));
    InactiveWindow.Click = [this] { InactiveWindow_Click(); };

    InactiveTitleBar.Move(285, 285, 4245, 265);
    InactiveTitleBar.BorderStyle(0);
    InactiveTitleBar.BackColor(Sys(COLOR_INACTIVECAPTION));
    InactiveTitleBar.Click = [this] { InactiveTitleBar_Click(); };
    InactiveTitleBarText.Move(45, 0, 1500, 240);
    InactiveTitleBarText.Caption("Inactive Window");
    InactiveTitleBarText.Font(Arial(9.75, true));
    InactiveTitleBarText.ForeColor(Sys(COLOR_INACTIVECAPTIONTEXT));
    InactiveTitleBarText.BackStyle(0);
    InactiveTitleBarText.AutoSize(true);
    InactiveTitleBarText.Click = [this] { InactiveTitleBarText_Click(); };
    GradientInactiveTitleBar.Move(2940, 0, 2200, 645);
    GradientInactiveTitleBar.Click = [this] { GradientInactiveTitleBar_Click(); };

    InactiveTitleBar1.Move(4185, 285, 1170, 265);
    InactiveTitleBar1.BorderStyle(0);
    InactiveTitleBar1.BackColor(Sys(COLOR_INACTIVECAPTION));
    InactiveTitleBar1.Click = [this] { InactiveTitleBar1_Click(); };

    // Texts that stand wholly on one flat part are drawn in that part's colour,
    // which looks as if they were transparent and repaints at a fraction of the cost.
    InactiveMessageText.Move(4170, 840, 1100, 240);
    InactiveMessageText.Caption("Message Text");
    InactiveMessageText.Font(Arial(9));
    InactiveMessageText.ForeColor(Sys(COLOR_WINDOWTEXT));
    InactiveMessageText.BackColor(Sys(COLOR_BTNFACE));
    InactiveMessageText.AutoSize(true);
    InactiveMessageText.Click = [this] { InactiveMessageText_Click(); };

    // The sample button's edges: light above and left, dark below and right,
    // one pixel each, outside its face.
    const long px = rt::Screen::TwipsPerPixelX(), py = rt::Screen::TwipsPerPixelY();
    auto edge = [this](rt::Label& label, long left, long top, long width, long height, int index) {
        label.Move(left, top, width, height);
        label.BackColor(Sys(index));
        label.Click = [this] { InactiveOKButtonBackground_Click(); };
    };
    edge(InactiveButtonOuterDark, 4320 - 2 * px, 1155 - 2 * py, 855 + 4 * px, 345 + 4 * py,
         COLOR_3DDKSHADOW);
    edge(InactiveButtonOuterLight, 4320 - 2 * px, 1155 - 2 * py, 855 + 3 * px, 345 + 3 * py,
         COLOR_3DLIGHT);
    edge(InactiveButtonInnerDark, 4320 - px, 1155 - py, 855 + 2 * px, 345 + 2 * py,
         COLOR_BTNSHADOW);
    edge(InactiveButtonInnerLight, 4320 - px, 1155 - py, 855 + px, 345 + py, COLOR_BTNHIGHLIGHT);
    InactiveOKButtonBackground.Move(4320, 1155, 855, 345);
    InactiveOKButtonBackground.Alignment(rt::vbCenter);
    InactiveOKButtonBackground.BackColor(Sys(COLOR_BTNFACE));
    InactiveOKButtonBackground.Click = [this] { InactiveOKButtonBackground_Click(); };
    InactiveOKButton.Move(4635, 1200, 300, 240);
    InactiveOKButton.Caption("&OK");
    InactiveOKButton.Font(Arial(9, true));
    InactiveOKButton.ForeColor(Sys(COLOR_BTNTEXT));
    InactiveOKButton.BackColor(Sys(COLOR_BTNFACE));
    InactiveOKButton.AutoSize(true);
    InactiveOKButton.Click = [this] { InactiveOKButton_Click(); };

    // The active window's border: three pixels around it, over the inactive window.
    ActiveBorder.Move(480 - 3 * px, 720 - 3 * py, 3615 + 6 * px, 1335 + 6 * py);
    ActiveBorder.BackColor(Sys(COLOR_ACTIVEBORDER));
    ActiveBorder.Click = [this] { InactiveWindow_Click(); };
    ActiveWindow.Move(480, 720, 3615, 1335);
    ActiveWindow.BackColor(Sys(COLOR_BTNFACE));
    ActiveWindow.Click = [this] { ActiveWindow_Click(); };
    ActiveWindow1.Move(525, 1785, 3530, 225);
    ActiveWindow1.BackColor(Sys(COLOR_BTNFACE));
    ActiveWindow1.Click = [this] { ActiveWindow1_Click(); };

    ActiveTitleBar.Move(530, 765, 2655, 265);
    ActiveTitleBar.BorderStyle(0);
    ActiveTitleBar.BackColor(Sys(COLOR_ACTIVECAPTION));
    ActiveTitleBar.ForeColor(Sys(COLOR_WINDOWTEXT));
    ActiveTitleBar.Click = [this] { ActiveTitleBar_Click(); };
    ActiveTitleBarText.Move(45, 0, 1400, 240);
    ActiveTitleBarText.Caption("Active Window");
    ActiveTitleBarText.Font(Arial(9.75, true));
    ActiveTitleBarText.ForeColor(Sys(COLOR_CAPTIONTEXT));
    ActiveTitleBarText.BackStyle(0);
    ActiveTitleBarText.AutoSize(true);
    ActiveTitleBarText.Click = [this] { ActiveTitleBarText_Click(); };
    GradientActiveTitleBar.Move(2205, 0, 2205, 645);
    GradientActiveTitleBar.Click = [this] { GradientActiveTitleBar_Click(); };

    ActiveTitleBar1.Move(2875, 765, 1170, 265);
    ActiveTitleBar1.BorderStyle(0);
    ActiveTitleBar1.BackColor(Sys(COLOR_ACTIVECAPTION));
    ActiveTitleBar1.Click = [this] { ActiveTitleBar1_Click(); };

    for (auto [minMax, close, index] : {std::tuple{&picMinMax0, &picClose0, 0},
                                        std::tuple{&picMinMax1, &picClose1, 1}}) {
        minMax->Move(385, 30, 480, 210);
        minMax->BorderStyle(0);
        minMax->Picture(CaptionButtons(480, 210, {Minimise, Maximise}));
        minMax->Click = [this, i = index] { picMinMax_Click(i); };
        close->Move(900, 30, 240, 210);
        close->BorderStyle(0);
        close->Picture(CaptionButtons(240, 210, {Close}));
        close->Click = [this, i = index] { picClose_Click(i); };
    }

    ActiveMenu.Move(540, 1050, 3495, 255);
    ActiveMenu.BackColor(Sys(COLOR_MENU));
    ActiveMenu.ForeColor(Sys(COLOR_MENUTEXT));
    ActiveMenu.Font(Arial(9));
    ActiveMenu.Click = [this] { ActiveMenu_Click(); };
    ActiveMenuText.Move(600, 1065, 700, 225);
    ActiveMenuText.Caption(" Normal");
    ActiveMenuText.Font(Arial(9));
    ActiveMenuText.BackColor(Sys(COLOR_MENU));
    ActiveMenuText.ForeColor(Sys(COLOR_MENUTEXT));
    ActiveMenuText.AutoSize(true);
    ActiveMenuText.Click = [this] { ActiveMenuText_Click(); };
    ActiveMenuDisabled.Move(1395, 1065, 700, 225);
    ActiveMenuDisabled.Caption("Disabled");
    ActiveMenuDisabled.Font(Arial(9));
    ActiveMenuDisabled.ForeColor(Sys(COLOR_GRAYTEXT));
    ActiveMenuDisabled.BackColor(Sys(COLOR_MENU));
    ActiveMenuDisabled.AutoSize(true);
    ActiveMenuDisabled.Click = [this] { ActiveMenuDisabled_Click(); };
    ActiveMenuSelected.Move(2280, 1050, 930, 255);
    ActiveMenuSelected.BackColor(Sys(COLOR_HIGHLIGHT));
    ActiveMenuSelected.Click = [this] { ActiveMenuSelected_Click(); };
    ActiveMenuSelectedText.Move(2385, 1065, 700, 225);
    ActiveMenuSelectedText.Caption("Selected");
    ActiveMenuSelectedText.Font(Arial(9));
    ActiveMenuSelectedText.BackColor(Sys(COLOR_HIGHLIGHT));
    ActiveMenuSelectedText.ForeColor(Sys(COLOR_HIGHLIGHTTEXT));
    ActiveMenuSelectedText.AutoSize(true);
    ActiveMenuSelectedText.Click = [this] { ActiveMenuSelectedText_Click(); };

    ActiveWindowBackground.Move(540, 1320, 3495, 675);
    ActiveWindowBackground.BorderStyle(1);
    ActiveWindowBackground.BackColor(Sys(COLOR_WINDOW));
    ActiveWindowBackground.Click = [this] { ActiveWindowBackground_Click(); };
    ActiveWindowText.Move(630, 1440, 1100, 240);
    ActiveWindowText.Caption(" Window Text");
    ActiveWindowText.Font(Arial(9));
    ActiveWindowText.BackColor(Sys(COLOR_WINDOW));
    ActiveWindowText.ForeColor(Sys(COLOR_WINDOWTEXT));
    ActiveWindowText.AutoSize(true);
    ActiveWindowText.Click = [this] { ActiveWindowText_Click(); };
    ActiveScrollBar.Move(3750, 1350, 255, 615);
    ActiveScrollBar.Max(10);
    ActiveScrollBar.Change = [this] { ActiveScrollBar_Change(); };

    lblToolTipText_Text.Move(4695, 1785, 975, 330);
    lblToolTipText_Text.BorderStyle(1);
    lblToolTipText_Text.BackColor(Sys(COLOR_INFOBK));
    lblToolTipText_Text.Click = [this] { lblToolTipText_Text_Click(); };
    lblToolTipText.Move(4755, 1850, 850, 210);
    lblToolTipText.Caption("ToolTipText");
    lblToolTipText.BackColor(Sys(COLOR_INFOBK));
    lblToolTipText.ForeColor(Sys(COLOR_INFOTEXT));
    lblToolTipText.AutoSize(true);
    lblToolTipText.Click = [this] { lblToolTipText_Click(); };
    imgCursor.Move(5040, 1260, 375, 480); // inside the inactive window
    imgCursor.BorderStyle(0);
    imgCursor.BackColor(Sys(COLOR_BTNFACE)); // the inactive window's, which it stands on
    imgCursor.Picture(rt::Picture::SharedIcon(LoadCursorW(nullptr, IDC_ARROW)));

    lblWhatsSelected.Move(0, 2275, 5700, 255);
    lblWhatsSelected.Alignment(rt::vbCenter);
    lblWhatsSelected.BackColor(0x00404040);
    lblWhatsSelected.ForeColor(0x00E0E0E0);
    lblWhatsSelected.Click = [this] { lblWhatsSelected_Click(); };

    // ---- The element and its colour
    Label1.Move(120, 2760, 3000, 195);
    Label1.Caption("What to change the color of :");
    Label1.Font(SansSerif(true));
    Label1.AutoSize(true);
    cboWhatToChange.Move(120, 3000, 4095, 315);
    cboWhatToChange.Style(rt::vbComboDropdownList);
    cboWhatToChange.Sorted(true);
    for (const ScreenElement& e : ScreenElements()) cboWhatToChange.AddItem(e.Name);
    cboWhatToChange.Click = [this] { cboWhatToChange_Click(); };
    Label5.Move(4485, 2760, 1300, 195);
    Label5.Caption("Current  |  Picked");
    Label5.Alignment(rt::vbCenter);
    Label5.AutoSize(true);
    lblTheCurrentColor.Move(4320, 3000, 800, 315);
    lblTheCurrentColor.BorderStyle(1);
    lblPickedColor.Move(5100, 3000, 800, 315);
    lblPickedColor.BorderStyle(1);
    lblPickedColor.BackColor(0x00000000);
    cmdPickColor.Move(120, 3465, 1800, 315);
    cmdPickColor.Caption("&Pick Color");
    cmdPickColor.Click = [this] { cmdPickColor_Click(); };
    cmdChangeToColor.Move(2107, 3465, 1800, 315);
    cmdChangeToColor.Caption("C&hange To Color");
    cmdChangeToColor.Click = [this] { cmdChangeToColor_Click(); };
    cmdUndo.Move(4095, 3465, 1800, 315);
    cmdUndo.Caption("&Undo Change");
    cmdUndo.Click = [this] { cmdUndo_Click(); };

    // ---- The wallpaper
    Label2.Move(105, 4065, 4000, 195);
    Label2.Caption("What to change the Desktop Wallpaper to :");
    Label2.Font(SansSerif(true));
    Label2.AutoSize(true);
    txtWhatToChangeWallpaperTo.Move(105, 4305, 2850, 315);
    cmdWhatToChangeWallpaperTo.Move(2940, 4305, 315, 315);
    cmdWhatToChangeWallpaperTo.Caption("...");
    cmdWhatToChangeWallpaperTo.Font(Arial(8.25));
    cmdWhatToChangeWallpaperTo.Click = [this] { cmdWhatToChangeWallpaperTo_Click(); };
    cmdChangeWallpaper.Move(3360, 4305, 750, 315);
    cmdChangeWallpaper.Caption("Change");
    cmdChangeWallpaper.Click = [this] { cmdChangeWallpaper_Click(); };
    Frame1.Move(4200, 4050, 1695, 755);
    optTile.Move(0, 0, 1630, 225);
    optTile.Caption("Tile Wallpaper");
    optTile.Click = [this] { optTile_Click(); };
    optCenter.Move(0, 230, 1630, 225);
    optCenter.Caption("Center Wallpaper");
    optCenter.Value(true);
    optCenter.Click = [this] { optCenter_Click(); };
    chkCenter.Move(15, 450, 1630, 250);
    chkCenter.Caption("Stretch Wallpaper");
    chkCenter.Click = [this] { chkCenter_Click(); };

    // ---- The display mode
    Label4.Move(120, 4920, 2500, 195);
    Label4.Caption("Current Screen Resolution :");
    Label4.Font(SansSerif(true));
    Label4.AutoSize(true);
    txtCurrentScreenRes.Move(120, 5160, 1215, 315);
    txtCurrentScreenRes.Text("  800x600");
    txtCurrentScreenRes.Locked(true);
    txtCurrentScreenRes.TabStop(false);
    Label3.Move(1440, 5205, 200, 195);
    Label3.Caption("X");
    Label3.Font(SansSerif(true));
    Label3.AutoSize(true);
    txtCurrentScreenDepth.Move(1680, 5160, 1275, 315);
    txtCurrentScreenDepth.Style(rt::vbComboDropdownList);
    for (auto [entry, bits] : {std::pair{"16 Colors", 4}, {"256 Colors", 8}, {"16-Bit Color", 16},
                               {"24-Bit Color", 24}, {"32-Bit Color", 32}}) {
        txtCurrentScreenDepth.AddItem(entry);
        txtCurrentScreenDepth.ItemData(txtCurrentScreenDepth.ListCount() - 1, bits);
    }
    cmd640x480.Move(105, 5565, 1375, 315);
    cmd640x480.Caption("&640 x 480");
    cmd640x480.Click = [this] { cmd640x480_Click(); };
    cmd800x600.Move(1575, 5565, 1375, 315);
    cmd800x600.Caption("&800 x 600");
    cmd800x600.Click = [this] { cmd800x600_Click(); };
    cmd1024x768.Move(3045, 5565, 1375, 315);
    cmd1024x768.Caption("&1024 x 768");
    cmd1024x768.Click = [this] { cmd1024x768_Click(); };
    cmd1280x1024.Move(4515, 5565, 1375, 315);
    cmd1280x1024.Caption("1&280 x 1024");
    cmd1280x1024.Click = [this] { cmd1280x1024_Click(); };
    cmdRefresh.Move(5565, 4935, 330, 330);
    cmdRefresh.Style(rt::vbButtonGraphical);
    cmdRefresh.Picture(RefreshPicture());
    cmdRefresh.ToolTipText("Refresh Desktop Information");
    cmdRefresh.Click = [this] { cmdRefresh_Click(); };

    // ---- The bottom row
    cmdAbout.Move(105, 6195, 1155, 360);
    cmdAbout.Caption("&About");
    cmdAbout.Style(rt::vbButtonGraphical);
    cmdAbout.BackColor(0x00FFC0C0);
    cmdAbout.Click = [this] { cmdAbout_Click(); };
    cmdStartScreenSaver.Move(2092, 6195, 1830, 360);
    cmdStartScreenSaver.Caption("S&tart Screen Saver");
    cmdStartScreenSaver.Click = [this] { cmdStartScreenSaver_Click(); };
    cmdClose.Move(4725, 6195, 1155, 360);
    cmdClose.Caption("&Close");
    cmdClose.Style(rt::vbButtonGraphical);
    cmdClose.BackColor(0x00C0C0FF);
    cmdClose.Default(true);
    cmdClose.Cancel(true);
    cmdClose.Click = [this] { cmdClose_Click(); };
    for (rt::Line* line : {&Line1, &Line2, &Line3}) {
        line->BorderColor = 0x00C00000;
        line->BorderWidth = 2;
    }
}

// ---- Start-up, Refresh, About, screen saver, close --------------------------------

void frmMain::Form_Load() {
    // The sample's parts overlap as on a desktop: each lies over those before it.
    if (!stacked_) {
        for (rt::Container* c : {static_cast<rt::Container*>(&DesktopBackground),
                                 static_cast<rt::Container*>(&InactiveTitleBar1),
                                 static_cast<rt::Container*>(&ActiveTitleBar1)})
            for (rt::Control* part : c->Controls()) part->ZOrder(0);
        stacked_ = true;
    }

    gWindowsFolder = GetWindowsFolder();

    char wallpaper[MAX_PATH] = {};
    const DWORD n = GetPrivateProfileStringA("Desktop", "Wallpaper", "", wallpaper, MAX_PATH,
                                             rt::ToAnsi(WinIniPath()).c_str());
    txtWhatToChangeWallpaperTo.Text(rt::FromAnsi(std::string(wallpaper, n)));

    gPickedColor = lblPickedColor.BackColor();
    ShowResolution();

    // The colour depth of the screen, from a bitmap made to match it.
    int entry = -1;
    {
        rt::WindowDC desktop(GetDesktopWindow());
        if (desktop) {
            rt::GdiObject<HBITMAP> probe(CreateCompatibleBitmap(desktop, 1, 1));
            long height = 0, width = 0;
            int16_t bits = 0;
            double bytes = 0;
            if (probe && GetBitmapInfo(probe, height, width, bits, bytes)) {
                for (int i = 0; i < txtCurrentScreenDepth.ListCount(); ++i)
                    if (txtCurrentScreenDepth.ItemData(i) == bits) entry = i;
            }
        }
    }
    txtCurrentScreenDepth.ListIndex(entry);

    GetOSInfo();
    if (NoGradientCaptions(gOSCode)) {
        GradientActiveTitleBar.Visible(false);
        GradientInactiveTitleBar.Visible(false);
    } else {
        DrawTitleBars();
    }
}

// The sample's title bars run from the caption colour to the gradient colour;
// their right ends, with the caption buttons, have the gradient colour.
void frmMain::DrawTitleBars() {
    ActiveTitleBar1.BackColor(static_cast<long>(GetSysColor(COLOR_GRADIENTACTIVECAPTION)));
    DrawGradient(ActiveTitleBar, TranslateColor(Sys(COLOR_ACTIVECAPTION)),
                 static_cast<long>(GetSysColor(COLOR_GRADIENTACTIVECAPTION)), LeftToRight, 1);
    InactiveTitleBar1.BackColor(static_cast<long>(GetSysColor(COLOR_GRADIENTINACTIVECAPTION)));
    DrawGradient(InactiveTitleBar, TranslateColor(Sys(COLOR_INACTIVECAPTION)),
                 static_cast<long>(GetSysColor(COLOR_GRADIENTINACTIVECAPTION)), LeftToRight, 1);
}

// The gradient title bars are drawn pictures: a change of one of their colours
// draws them again, so that the sample shows it at once as its other parts do.
void frmMain::TitleBarsFollow(int index) {
    const bool caption = index == COLOR_ACTIVECAPTION || index == COLOR_INACTIVECAPTION ||
                         index == COLOR_GRADIENTACTIVECAPTION ||
                         index == COLOR_GRADIENTINACTIVECAPTION;
    if (!caption || NoGradientCaptions(gOSCode)) return;
    rt::Try([&] {
        DrawTitleBars();
        ActiveTitleBar.Refresh();
        InactiveTitleBar.Refresh();
    });
}

void frmMain::ShowResolution() {
    const long width = rt::Screen::Width() / rt::Screen::TwipsPerPixelX();
    const long height = rt::Screen::Height() / rt::Screen::TwipsPerPixelY();
    txtCurrentScreenRes.Text("  " + std::to_string(width) + "x" + std::to_string(height));
}

void frmMain::cmdRefresh_Click() {
    Form_Load();
    ActiveTitleBar.Refresh();
    InactiveTitleBar.Refresh();
}

void frmMain::cmdAbout_Click() {
    SetWindowPos(hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    kit::frmAbout::Get().Show(rt::vbModal);
    SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void frmMain::cmdStartScreenSaver_Click() {
    rt::Try([&] { SendMessageA(hWnd(), WM_SYSCOMMAND, SC_SCREENSAVE, 0); });
}

void frmMain::cmdClose_Click() {
    for (rt::Form* form : rt::Forms()) form->Unload();
}

void frmMain::Form_Unload(int&) {
    SetWindowPos(hWnd(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

// ---- Selecting an element -------------------------------------------------------

void frmMain::cboWhatToChange_Click() {
    const ScreenElement* element = nullptr;
    rt::Try([&] { element = FindElement(cboWhatToChange.Text()); });
    if (!element) {
        rt::Try([&] { lblWhatsSelected.Caption(""); });
        return;
    }
    rt::Try([&] { lblWhatsSelected.Caption(element->Description); });
    rt::Try([&] { lblTheCurrentColor.BackColor(static_cast<long>(GetSysColor(element->Index))); });
}

void frmMain::Select(const char* element) {
    cboWhatToChange.Text(element);
    cboWhatToChange_Click();
}

void frmMain::lblWhatsSelected_Click() { lblWhatsSelected.Caption(""); }
void frmMain::ActiveMenu_Click() { Select("COLOR_MENU"); }
void frmMain::ActiveMenuDisabled_Click() { Select("COLOR_GRAYTEXT"); }
void frmMain::ActiveMenuSelected_Click() { Select("COLOR_HIGHLIGHT"); }
void frmMain::ActiveMenuSelectedText_Click() { Select("COLOR_HIGHLIGHTTEXT"); }
void frmMain::ActiveMenuText_Click() { Select("COLOR_MENUTEXT"); }
void frmMain::ActiveScrollBar_Change() { Select("COLOR_SCROLLBAR"); }
void frmMain::ActiveTitleBar_Click() { Select("COLOR_ACTIVECAPTION"); }
void frmMain::ActiveTitleBar1_Click() {
    Select(NoGradientCaptions(gOSCode) ? "COLOR_ACTIVECAPTION" : "COLOR_GRADIENTACTIVECAPTION");
}
void frmMain::ActiveTitleBarText_Click() { Select("COLOR_CAPTIONTEXT"); }
void frmMain::ActiveWindow_Click() { Select("COLOR_BTNFACE"); }
void frmMain::ActiveWindow1_Click() { Select("COLOR_BTNFACE"); }
void frmMain::ActiveWindowBackground_Click() { Select("COLOR_WINDOW"); }
void frmMain::ActiveWindowText_Click() { Select("COLOR_WINDOWTEXT"); }
void frmMain::DesktopBackground_Click() { Select("COLOR_DESKTOP"); }
void frmMain::GradientActiveTitleBar_Click() { Select("COLOR_GRADIENTACTIVECAPTION"); }
void frmMain::GradientInactiveTitleBar_Click() { Select("COLOR_GRADIENTINACTIVECAPTION"); }
void frmMain::InactiveMessageText_Click() { Select("COLOR_WINDOWTEXT"); }
void frmMain::InactiveOKButton_Click() { Select("COLOR_BTNTEXT"); }
void frmMain::InactiveOKButtonBackground_Click() { Select("COLOR_BTNFACE"); }
void frmMain::InactiveTitleBar_Click() { Select("COLOR_INACTIVECAPTION"); }
void frmMain::InactiveTitleBar1_Click() {
    Select(NoGradientCaptions(gOSCode) ? "COLOR_INACTIVECAPTION" : "COLOR_GRADIENTINACTIVECAPTION");
}
void frmMain::InactiveTitleBarText_Click() { Select("COLOR_INACTIVECAPTIONTEXT"); }
void frmMain::InactiveWindow_Click() { Select("COLOR_BTNFACE"); }
void frmMain::lblToolTipText_Click() { Select("COLOR_INFOTEXT"); }
void frmMain::lblToolTipText_Text_Click() { Select("COLOR_INFOBK"); }
void frmMain::picClose_Click(int) { Select("COLOR_BTNFACE"); }
void frmMain::picMinMax_Click(int) { Select("COLOR_BTNFACE"); }

// ---- Picking, applying and undoing a colour ----------------------------------------

void frmMain::cmdPickColor_Click() {
    long flags = CC_RGBINIT_FULLOPEN;
    long colour = lblTheCurrentColor.BackColor();
    uint8_t red = 0, green = 0, blue = 0;
    if (!CD_ShowColor(hWnd(), flags, colour, red, green, blue)) return;
    gPickedColor = colour;
    lblPickedColor.BackColor(colour);
}

void frmMain::cmdChangeToColor_Click() {
    try {
        rt::Err().Clear();
        const std::string element = cboWhatToChange.Text();
        if (element.empty()) {
            rt::MsgBox(kNothingSelected, rt::vbExclamation, " ");
            return;
        }
        const int index = ElementIndex(element);
        if (index < 0) return;

        SetLastError(0);
        const long previous = static_cast<long>(GetSysColor(index));
        long number = 0;
        std::string text;
        if (CheckApiError(GetLastError(), "GetSysColor", number, text, false))
            rt::Raise(number, "GetSysColor()", text);
        SetSystemColour(index, gPickedColor);
        TitleBarsFollow(index);
        // Undo puts back what this change replaced, on the element it changed.
        gPreviousColor = previous;
        gPreviousIndex = index;
    } catch (const rt::Error& e) {
        ShowColourError(e);
    }
}

void frmMain::cmdUndo_Click() {
    try {
        rt::Err().Clear();
        // Nothing changed yet: nothing to take back.
        if (gPreviousIndex < 0) return;
        SetSystemColour(gPreviousIndex, gPreviousColor);
        TitleBarsFollow(gPreviousIndex);
    } catch (const rt::Error& e) {
        ShowColourError(e);
    }
}

// ---- Wallpaper ------------------------------------------------------------------

std::string frmMain::WallpaperPath() const {
    return mReapplyingWallpaper ? mReapplyPath : txtWhatToChangeWallpaperTo.Text();
}

void frmMain::WallpaperError(const rt::Error& e) {
    rt::MsgBox("There was an error while trying to set the Desktop Wallpaper.  The following was "
               "the error that occured :\r\rError Number : " + rt::CStr(e.Number) +
                   "\rError Description : " + e.Description,
               rt::vbExclamation, "  Decorum");
}

void frmMain::cmdWhatToChangeWallpaperTo_Click() {
    long flags = OFN_OPEN_BITMAP;
    std::string fileName, fileTitle;
    std::string filter = "All Bitmaps (*.bmp)|*.bmp|All Files (*.*)|*.*";
    if (CD_ShowOpen_Save(hWnd(), flags, fileName, fileTitle, "bmp",
                         "  Locate The Bitmap File To Use...", filter, rt::CurDir(), true))
        txtWhatToChangeWallpaperTo.Text(fileName);
}

void frmMain::cmdChangeWallpaper_Click() { ApplyWallpaper(); }

void frmMain::NoWallpaperSelected(const std::string& what) {
    rt::MsgBox("There is currently no Desktop Wallpaper selected to " + what + ".  You must first "
               "choose a Desktop Wallpaper to " + what + ".",
               rt::vbExclamation, "  No Wallpaper Selected");
    rt::Try([&] { txtWhatToChangeWallpaperTo.SetFocus(); });
}

bool frmMain::ApplyWallpaper() {
    try {
        const std::string path = WallpaperPath();
        if (path.empty()) {
            NoWallpaperSelected("change to");
            return false;
        }
        // A mistyped or missing file is refused before anything is written.
        CheckWallpaperFile(path);
        if (!LooksLikeBitmap(path) &&
            rt::MsgBox("The file you specified to make the new Desktop Wallpaper does not appear "
                       "to be a Windows Bitmap (.BMP) file.  This may not work if it is not a "
                       "Bitmap file.\r\rAre you sure you want to continue?",
                       rt::vbYesNo + rt::vbQuestion, "  Decorum") != rt::vbYes)
            return false;
        WriteWallpaperPath(path);
        ShowWallpaper(path);
        return true;
    } catch (const rt::Error& e) {
        WallpaperError(e);
        return false;
    }
}

bool frmMain::ApplyForStyle(const std::string& what, const std::function<void()>& setBack,
                            const std::function<void()>& putBack) {
    if (WallpaperPath().empty()) {
        setBack();
        NoWallpaperSelected(what);
        return false;
    }
    // Nothing applied (No to the question, or a refused file): no style
    // either, and the control shows what the system keeps.
    if (!ApplyWallpaper()) {
        putBack ? putBack() : setBack();
        return false;
    }
    return true;
}

void frmMain::PutBackStyle() {
    puttingBackStyle_ = true;
    styleInForce_->Value(true);
    puttingBackStyle_ = false;
}

void frmMain::WriteStyle(const std::function<void()>& write) {
    try {
        write();
        ShowWallpaper(WallpaperPath());
    } catch (const rt::Error& e) {
        WallpaperError(e);
    }
}

void frmMain::chkCenter_Click() {
    // Setting the tick back runs this handler again inside itself.
    if (chkCenter.Reentered()) return;
    // Nothing applied: the tick goes back to what it was, the style the system keeps.
    const long inForce = chkCenter.Value() == rt::vbChecked ? rt::vbUnchecked : rt::vbChecked;
    if (!ApplyForStyle("stretch", [&] { chkCenter.Value(rt::vbUnchecked); },
                       [&] { chkCenter.Value(inForce); }))
        return;
    WriteStyle([&] { WriteWallpaperStyle(chkCenter.Value() == rt::vbChecked ? "2" : "0"); });
}

void frmMain::optCenter_Click() {
    if (puttingBackStyle_) return;
    if (!ApplyForStyle("center", [&] { optCenter.Value(false); }, [&] { PutBackStyle(); }))
        return;
    if (!mReapplyingWallpaper && !optCenter.Value()) return;
    styleInForce_ = &optCenter;
    WriteStyle([&] {
        chkCenter.Enabled(true);
        WriteTileWallpaper("0");
    });
}

void frmMain::optTile_Click() {
    if (puttingBackStyle_) return;
    if (!ApplyForStyle("tile", [&] { optTile.Value(false); }, [&] { PutBackStyle(); })) return;
    if (!optTile.Value()) return;
    styleInForce_ = &optTile;
    WriteStyle([&] {
        chkCenter.Enabled(false);
        WriteTileWallpaper("1");
    });
}

// ---- Display mode -----------------------------------------------------------------

void frmMain::ModeButton(long width, long height) {
    // No depth chosen: the screen keeps the depth it has.
    const int entry = txtCurrentScreenDepth.ListIndex();
    long depth = entry >= 0 ? txtCurrentScreenDepth.ItemData(entry) : CurrentDisplayDepth();
    ChangeDisplayMode(width, height, depth);
}

void frmMain::cmd640x480_Click() { ModeButton(640, 480); }
void frmMain::cmd800x600_Click() { ModeButton(800, 600); }
void frmMain::cmd1024x768_Click() { ModeButton(1024, 768); }
void frmMain::cmd1280x1024_Click() { ModeButton(1280, 1024); }

void frmMain::ChangeDisplayMode(long width, long height, long& depth) {
    if (depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) depth = 16;

    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, 0, &mode);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmBitsPerPel = static_cast<DWORD>(depth);

    auto notSupported = [] {
        rt::MsgBox("Screen Resolution not supported", rt::vbExclamation + rt::vbSystemModal,
                   "  Decorum");
    };
    // A restart makes the mode take effect: it is stored first, so that the
    // restarted system comes up in it.
    auto askRestart = [&](bool stored) {
        if (rt::MsgBox("You must now reboot your computer.\r\rReboot Now ?",
                       rt::vbYesNo + rt::vbQuestion + rt::vbSystemModal, "  Decorum") != rt::vbYes)
            return;
        if (!stored) {
            const LONG store = ChangeDisplaySettingsNow(mode, CDS_UPDATEREGISTRY);
            if (store != DISP_CHANGE_SUCCESSFUL && store != DISP_CHANGE_RESTART) {
                notSupported();
                return;
            }
        }
        RestartWindows();
    };

    const LONG test = ChangeDisplaySettingsNow(mode, CDS_TEST);
    if (test == DISP_CHANGE_RESTART) {
        askRestart(false);
        return;
    }
    if (test != DISP_CHANGE_SUCCESSFUL) {
        notSupported();
        return;
    }
    // Only a change that was made is reported as made.
    const LONG made = ChangeDisplaySettingsNow(mode, CDS_UPDATEREGISTRY);
    if (made == DISP_CHANGE_RESTART) {
        askRestart(true);
        return;
    }
    if (made != DISP_CHANGE_SUCCESSFUL) {
        notSupported();
        return;
    }
    rt::Try([&] { ShowResolution(); });
    rt::Try([&] {
        Move((rt::Screen::Width() - Width()) / 2, (rt::Screen::Height() - Height()) / 2, Width(),
             Height());
    });
    // The wallpaper in force is centred again to fit the new size; a path
    // typed but never applied stays as it is.
    rt::Try([&] {
        const std::string inForce = WallpaperInForce();
        if (!optCenter.Value() || inForce.empty()) return;
        mReapplyingWallpaper = true;
        mReapplyPath = inForce;
        optCenter.Value(false);
        optCenter.Value(true);
    });
    mReapplyingWallpaper = false;
    mReapplyPath.clear();
    rt::MsgBox("Screen Resolution changes sucessfully", rt::vbInformation + rt::vbSystemModal,
               "  Decorum");
}

} // namespace decorum
