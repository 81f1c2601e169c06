// Huepick: the screen colour picker.
#include <windows.h>

#include <rt.h>

#include "frmMain.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    rt::Initialize(hInstance);
    rt::AppInfo& app = rt::App();
    app.Title = "Huepick";
    app.Major = 1;
    app.Minor = 2;
    app.Revision = 7;
    return rt::Run<huepick::frmMain>();
}
