#include "about.h"

#include <kit/about.h>

namespace tallyman {

namespace {

// Tallyman's own load handler: on top, the version caption, and the box laid
// out for its size.
void About_Form_Load(kit::frmAbout& box) {
    rt::Try([&] { SetWindowPos(box.hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); });
    rt::Try([&] {
        const rt::AppInfo& app = rt::App();
        box.lblVersion.Caption(kit::frmAbout::VersionCaption(app.Major, app.Minor, app.Revision));
    });
    rt::Try([&] {
        box.Image1.Move(210, 120, 900, 900);
        box.Picture1.Move(180, 1080, 960, 960);
        box.Frame1.Move(1440, 105, 3285, 975);
        box.Label1.Font(rt::Font{"Arial", 15.75, true});
        box.Label5.Move(1440, 1170, 3285, 900);
        box.Label3.Move(180, 2100, 4545, 225);
        box.Label2.Move(180, 2340, 4545, 225);
        box.Label6.Move(180, 2565, 4545, 225);
        box.Line2.X1 = 105;
        box.Line2.Y1 = 2955;
        box.Line2.X2 = 4740;
        box.Line2.Y2 = 2955;
        box.Line2.BorderWidth = 2;
        box.cmdOK.Move(3510, 3060, 1215, 495);
    });
}

} // namespace

void SetUpAbout() {
    kit::AboutInfo& about = kit::About();
    about.Title = "Tallyman";
    about.Description = "Tallyman numbers the lines of Visual Basic code automatically, so that "
                        "error handlers can use the Erl function to report the line that failed.";
    about.WebText = "www.example.org";
    about.WebTarget = "http://www.example.org/";
    about.MailAddress = "tallyman@example.org";
    about.InnerWidth = 4845;
    about.InnerHeight = 3645;
    about.Load = About_Form_Load;
}

} // namespace tallyman
