// Tallyman: numbers the lines of Basic source and takes the numbers off again.
#include <windows.h>

#include <rt.h>

#include "frmMain.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    rt::Initialize(hInstance);
    rt::AppInfo& app = rt::App();
    app.Title = "Tallyman";
    app.Major = 3;
    app.Minor = 0;
    app.Revision = 5;
    return rt::Run<tallyman::frmMain>();
}
