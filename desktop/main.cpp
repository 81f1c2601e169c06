// Decorum: the desktop's colours, wallpaper and display mode.
#include <windows.h>

#include <kit/about.h>
#include <rt.h>

#include "frmMain.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    rt::Initialize(hInstance);
    rt::AppInfo& app = rt::App();
    app.Title = "Decorum";
    app.Major = 1;
    app.Minor = 0;
    app.Revision = 0;

    kit::AboutInfo& about = kit::About();
    about.Title = "Decorum";
    about.Description =
        "Decorum gives you full control over your desktop settings: colors, wallpaper and "
        "display mode, even where access to them has been restricted.";
    about.WebText = "www.example.org";
    about.WebTarget = "http://www.example.org/";
    about.MailAddress = "decorum@example.org";

    return rt::Run<decorum::frmMain>();
}
