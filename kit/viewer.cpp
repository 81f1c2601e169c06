// The document viewers: the stored document fills the window, OK sits centred
// below it, and both follow the window when the user resizes it.
#include <kit/viewer.h>

namespace kit {

DocumentViewer::DocumentViewer(const ViewerInfo& info) : info_(info) {
    Caption(info.Caption);
    BorderStyle(rt::vbSizable);
    StartUpPosition(rt::vbStartUpScreen);
    ClientSize(info.InnerWidth, info.InnerHeight);

    RText.Move(info.TextLeft, info.TextTop, info.TextWidth, info.TextHeight);
    RText.Locked(true);
    RText.ScrollBars(2); // vertical only, so that the text wraps to the window
    if (info.Document) RText.TextRTF(info.Document);

    rt::Font okFont;
    okFont.Name = "MS Sans Serif";
    okFont.Size = 9.75;
    okFont.Bold = true;
    cmdOK.Caption("&OK");
    cmdOK.Font(okFont);
    cmdOK.Move((info.InnerWidth - 1215) / 2, info.TextTop + info.TextHeight + info.G, 1215, 495);
    cmdOK.Default(true);
    cmdOK.Cancel(true);
    cmdOK.Click = [this] { cmdOK_Click(); };
}

void DocumentViewer::cmdOK_Click() { Unload(); }

void DocumentViewer::Form_Resize() {
    // Each step on its own: a window made smaller than the margins refuses the
    // negative size, the document keeps its last size, and OK still follows.
    rt::Try([&] { RText.Height(Height() - info_.H); });
    rt::Try([&] { RText.Width(Width() - info_.W); });
    rt::Try([&] { cmdOK.Left((Width() - cmdOK.Width()) / 2); });
    rt::Try([&] { cmdOK.Top(RText.Height() + RText.Top() + info_.G); });
}

} // namespace kit
