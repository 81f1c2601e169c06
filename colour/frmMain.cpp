#include "frmMain.h"

#include "frmScreen.h"
#include "modHuepick.h"

namespace huepick {

namespace {

constexpr long kCursorLeft[5] = {105, 700, 1300, 1900, 2500};
constexpr int kCursorResource = 101; // the five pointers follow in order
constexpr int kColorsResource = 201;
constexpr int kShadesResource = 202;
constexpr const char* kAuthor = "The Benchware developers";
constexpr const char* kWebAddress = "www.example.org";

rt::Font Bold() {
    rt::Font f;
    f.Bold = true;
    return f;
}

void Place(rt::Label& label, const char* caption, long left, long top, bool bold = false) {
    label.Caption(caption);
    label.AutoSize(true);
    label.Move(left, top, 0, 0);
    if (bold) label.Font(Bold());
}

void Place(rt::CommandButton& button, const char* caption, long left, long top, long width,
           long height, long backColor) {
    button.Caption(caption);
    button.Move(left, top, width, height);
    button.Style(rt::vbButtonGraphical);
    button.BackColor(backColor);
    button.Font(Bold());
}

} // namespace

frmMain::frmMain() {
    Caption("  Huepick");
    BorderStyle(rt::vbFixedSingle);
    MaxButton(false);
    StartUpPosition(rt::vbStartUpScreen);
    ClientSize(6975, 4530);

    Place(Label9, "Cursor to use :", 105, 105, true);
    for (int i = 0; i < 5; ++i) {
        picCursor[i].Move(kCursorLeft[i], 315, 510, 510);
        picCursor[i].Click = [this, i] { picCursor_Click(i); };
    }
    lblSelectedCursor.Caption("^");
    lblSelectedCursor.AutoSize(true);
    lblSelectedCursor.BackStyle(0);
    lblSelectedCursor.Font(rt::Font{"Times New Roman", 15.75, true});
    lblSelectedCursor.Move(270, 840, 0, 0);

    Place(Label7, "Point X :", 105, 1260);
    txtX.Move(105, 1470, 1275, 330);
    txtX.BackColor(0x8000000F);
    Place(Label8, "Point Y :", 1785, 1260);
    txtY.Move(1785, 1470, 1275, 330);
    txtY.BackColor(0x8000000F);
    Place(Label10, "HEX Value:", 105, 2205);
    txtHEX.Move(105, 2415, 1275, 330);
    Place(Label2, "RGB Color Value:", 1575, 2205, true);
    Place(Label3, "R:", 1575, 2415);
    RGB_R.Move(1785, 2415, 1275, 330);
    Place(Label4, "G:", 1575, 2835);
    RGB_G.Move(1785, 2835, 1275, 330);
    Place(Label5, "B:", 1575, 3255);
    RGB_B.Move(1785, 3255, 1275, 330);
    Place(Label6, "Long Value:", 105, 3045);
    txtColorValue.Move(105, 3255, 1275, 330);

    picColors.Move(3465, 315, 3015, 2835);
    Picture1.Move(6615, 315, 210, 2865);
    Place(Label1, "Selected Color:", 3465, 3255);
    picCurrentColor.Move(3465, 3465, 3375, 540);

    Place(cmdHuepick, "&Huepick", 105, 3990, 1275, 435, 0x00C0FFC0);
    cmdHuepick.Default(true);
    cmdHuepick.Click = [this] { cmdHuepick_Click(); };
    Place(cmdAbout, "?", 1785, 3990, 435, 435, 0x00FFC0C0);
    cmdAbout.Click = [this] { cmdAbout_Click(); };
    Place(cmdExit, "E&xit", 2310, 3990, 745, 435, 0x00C0C0FF);
    cmdExit.Cancel(true);
    cmdExit.Click = [this] { cmdExit_Click(); };

    chkHide.Caption(" Hide this screen while selecting color");
    chkHide.Move(3465, 4200, 3375, 225);
}

void frmMain::Form_Load() {
    for (int i = 0; i < 5; ++i)
        picCursor[i].Picture(rt::LoadResPicture(kCursorResource + i, rt::vbResCursor));
    picColors.Picture(rt::LoadResPicture(kColorsResource, rt::vbResBitmap));
    Picture1.Picture(rt::LoadResPicture(kShadesResource, rt::vbResBitmap));
}

void frmMain::picCursor_Click(int Index) {
    lblSelectedCursor.Left(picCursor[Index].Width() / 2 + picCursor[Index].Left() -
                           6 * rt::Screen::TwipsPerPixelX());
    SelectedCursor = Index;
}

void frmMain::cmdHuepick_Click() {
    const bool hide = chkHide.Value() == rt::vbChecked;
    if (hide) {
        RECT shown{};
        GetWindowRect(hWnd(), &shown);
        Hide();
        WaitForScreen(shown);
    }
    PickMade = false;
    frmScreen::Get().Load(); // captures the screen
    rt::DoEvents();
    // A capture that failed unloads the capture window at once: no pick.
    if (frmScreen::Exists()) {
        frmScreen::Get().MouseIcon(picCursor[SelectedCursor].Picture());
        frmScreen::Get().MousePointer(99);
        rt::DoEvents();
        frmScreen::Get().Show(rt::vbModal);
    }
    if (hide) Show();
    if (!PickMade) return;

    picCurrentColor.BackColor(SelectedColor);
    txtX.Text(rt::CStr(PointX));
    txtY.Text(rt::CStr(PointY));
    const Channels c = ColorChannels(SelectedColor);
    txtHEX.Text(HexText(SelectedColor));
    txtColorValue.Text(rt::CStr(SelectedColor));
    RGB_R.Text(rt::CStr(c.Red));
    RGB_G.Text(rt::CStr(c.Green));
    RGB_B.Text(rt::CStr(c.Blue));
}

// The About box's text, its lines joined by CR.
static std::string AboutText() {
    const rt::AppInfo& app = rt::App();
    std::string macrons, underscores(33, '_');
    for (int i = 0; i < 33; ++i) macrons += "\xC2\xAF"; // U+00AF
    return std::string(23, ' ') + "~  Huepicks  ~\r" + macrons + "\r Version\t: " +
           rt::CStr(app.Major) + "." + rt::Format(app.Minor, "00") + "." +
           rt::Format(app.Revision, "0000") + "\r Author\t: " + kAuthor + "\r\t  " + kWebAddress +
           "\r" + underscores;
}

void frmMain::cmdAbout_Click() { rt::MsgBox(AboutText(), rt::vbOKOnly, " "); }

void frmMain::cmdExit_Click() { Unload(); }

} // namespace huepick
