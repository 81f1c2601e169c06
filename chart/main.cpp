// Glyphdeck: the character code chart.
#include <windows.h>

#include <kit/about.h>
#include <rt.h>

#include "frmMain.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    rt::Initialize(hInstance);
    rt::AppInfo& app = rt::App();
    app.Title = "Glyphdeck";
    app.Major = 2;
    app.Minor = 1;
    app.Revision = 15;

    kit::AboutInfo& about = kit::About();
    about.Title = "Glyphdeck";
    about.Description =
        "Glyphdeck is a programming reference of the ASCII, HEX and Octal values of characters, "
        "for use with calls such as Chr() and for finding the code of any character.";
    about.WebText = "www.example.org";
    about.WebTarget = "http://www.example.org";
    about.MailAddress = "glyphdeck@example.org";

    return rt::Run<glyphdeck::frmMain>();
}
