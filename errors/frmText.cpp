#include "frmText.h"

namespace faultbook {

frmText::frmText() {
    Caption("  Faultbook");
    BorderStyle(rt::vbSizable);
    MinButton(false);
    MaxButton(false);
    StartUpPosition(rt::vbStartUpScreen);
    ClientSize(6870, 990);

    txtText.Move(120, 120, 6615, 300);
    txtText.Font(rt::Font{"Arial", 9.75});

    cmdOK.Caption("&OK");
    cmdOK.Move(105, 525, 1095, 375);
    cmdOK.Default(true);
    cmdOK.Cancel(true);
    cmdOK.Click = [this] { cmdOK_Click(); };
}

void frmText::cmdOK_Click() { Unload(); }

void frmText::Form_Resize() {
    rt::Try([&] { txtText.Width(Width() - 345); });
    // Only set the height when it differs, so the resize it causes ends here.
    rt::Try([&] {
        if (Height() != kHeight) Height(kHeight);
    });
}

} // namespace faultbook
