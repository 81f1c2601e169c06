#include "about.h"

#include <kit/about.h>
#include <kit/kit.h>

namespace tallyman {

namespace {

const char* const kWebTarget = "http://www.example.org/";
const char* const kMailAddress = "tallyman@example.org";

} // namespace

frmAbout::frmAbout() {
    Caption(" ");
    BorderStyle(rt::vbFixedSingle);
    MinButton(false);
    MaxButton(false);
    StartUpPosition(rt::vbStartUpScreen);
    Font(kit::MakeFont("Arial", 9));
    ClientSize(4845, 3645);

    Picture1.Move(420, 330, 480, 480);
    Picture1.BorderStyle(0);
    Picture1.Picture(
        rt::Picture::SharedIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))));
    Picture2.Move(180, 1080, 960, 960);
    Picture2.BorderStyle(0);
    Picture2.MousePointer(99);
    Picture2.Picture(rt::Picture::FromBitmap(kit::InitialPicture(
        "Tallyman", 960 / rt::Screen::TwipsPerPixelX(), 960 / rt::Screen::TwipsPerPixelY())));
    Picture2.Click = [this] { Picture2_Click(); };

    Frame1.Move(1440, 105, 3285, 975);
    Label4.Move(120, 90, 3000, 435);
    Label4.Caption("Tallyman");
    Label4.Font(kit::MakeFont("Arial", 15.75, true));
    Label4.ForeColor(0x00C00000);
    Label4.BackStyle(0);
    Label4.AutoSize(true);
    rt::Font small;
    lblVersion.Move(120, 540, 3000, 195);
    lblVersion.Caption("Version x.x.x");
    lblVersion.Font(small);
    lblVersion.AutoSize(true);
    lblOS.Move(120, 740, 3100, 195);
    lblOS.Caption("Windows 95, 98, NT4 (SP6), 2000");
    lblOS.Font(small);

    Label10.Move(1440, 1170, 3285, 900);
    Label10.WordWrap(true);
    Label10.Caption("Tallyman numbers the lines of Visual Basic code automatically, so that "
                    "error handlers can use the Erl function to report the line that failed.");
    Label10.Font(kit::MakeFont("Arial", 8.25));

    Label8.Move(180, 2100, 4545, 225);
    Label8.Caption("Questions, Comments, Bug Reports:");
    Label8.Font(kit::MakeFont("Arial", 9, true));
    for (rt::Label* link : {&Label1, &Label2}) {
        link->Font(kit::MakeFont("Arial", 9, true, true));
        link->ForeColor(0x00FF0000);
        link->MousePointer(99);
    }
    Label1.Move(180, 2340, 4545, 225);
    Label1.Caption("www.example.org");
    Label1.Click = [this] { Label1_Click(); };
    Label2.Move(180, 2565, 4545, 225);
    Label2.Caption(kMailAddress);
    Label2.Click = [this] { Label2_Click(); };

    Line7.BorderWidth = 2;

    cmdOK.Move(3510, 3060, 1215, 495);
    cmdOK.Caption("&OK");
    cmdOK.Font(kit::MakeFont("MS Sans Serif", 12, true));
    cmdOK.Default(true);
    cmdOK.Cancel(true);
    cmdOK.Click = [this] { cmdOK_Click(); };
}

// On top while open, and the version caption.
void frmAbout::Form_Load() {
    rt::Try([&] { SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); });
    rt::Try([&] {
        const rt::AppInfo& app = rt::App();
        lblVersion.Caption(kit::frmAbout::VersionCaption(app.Major, app.Minor, app.Revision));
    });
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::Label1_Click() {
    rt::Try([&] { kit::OpenLink(hWnd(), kWebTarget, SW_SHOW, std::nullopt, std::nullopt); });
}

// The picture opens the web page as the web link does.
void frmAbout::Picture2_Click() { Label1_Click(); }

void frmAbout::Label2_Click() {
    rt::Try([&] {
        kit::OpenLink(hWnd(), std::string("mailto:") + kMailAddress, SW_SHOW, std::nullopt,
                      std::nullopt);
    });
}

} // namespace tallyman
