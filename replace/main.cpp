// Sweeper: replaces a text in many files of one folder at once.
#include <windows.h>

#include <rt.h>

#include "frmMain.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    rt::Initialize(hInstance);
    rt::AppInfo& app = rt::App();
    app.Title = "Sweeper";
    app.Major = 1;
    app.Minor = 2;
    app.Revision = 7;
    return rt::Run<sweeper::frmMain>();
}
