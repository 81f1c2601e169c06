#include "frmMain.h"

#include <kit/about.h>

namespace tunebox {

void SetIdentity() {
    rt::AppInfo& app = rt::App();
    app.Title = "Tunebox";
    app.Major = 3;
    app.Minor = 0;
    app.Revision = 2;
}

frmMain::frmMain() {
    Caption("  Tunebox");
    BorderStyle(rt::vbFixedSingle);
    MaxButton(false);
    StartUpPosition(rt::vbStartUpScreen);
    ClientSize(7890, 5055);
    Label3.Move(105, 210, 1200, 195);
    Label3.Caption("File Location :");
}

void frmMain::Form_Load() { MCIObject = std::make_shared<cMCI_Adv>(); }

void frmMain::Form_Unload(int&) { MCIObject.reset(); }

} // namespace tunebox
