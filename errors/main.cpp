// Faultbook: the runtime's error catalogue.
#include <windows.h>

#include <kit/about.h>
#include <rt.h>

#include "frmMain.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    rt::Initialize(hInstance);
    rt::AppInfo& app = rt::App();
    app.Title = "Faultbook";
    app.Major = 3;
    app.Minor = 0;
    app.Revision = 3;

    kit::AboutInfo& about = kit::About();
    about.Title = "Faultbook";
    about.Description =
        "Faultbook is a utility designed to help Visual Basic programmers figure out how "
        "Errors work, how to trap them, and what their equivelant error numbers are.";
    about.WebText = "www.example.org";
    about.WebTarget = "http://www.example.org/";
    about.MailAddress = "faultbook@example.org";

    return rt::Run<faultbook::frmMain>();
}
