// Paneherd: finds a window of the desktop and changes its state, position and size.
#include <windows.h>

#include <rt/forms.h>
#include <rt/services.h>

#include "frmMain.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    rt::Initialize(hInstance);
    rt::AppInfo& app = rt::App();
    app.Title = "Paneherd";
    app.Major = 1;
    app.Minor = 0;
    app.Revision = 0;
    return rt::Run<paneherd::frmMain>();
}
