#include "frmScreen.h"

#include <commctrl.h>

#include "modHuepick.h"
#include "modScreenCapture.h"

namespace huepick {

namespace {

// The swatch lets the mouse through to the capture window under it, so that a
// pointer that lands on it still moves over, and clicks on, the screen.
LRESULT CALLBACK PassMouse(HWND w, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_NCHITTEST) return HTTRANSPARENT;
    return DefSubclassProc(w, msg, wp, lp);
}

} // namespace

frmScreen::frmScreen() {
    BorderStyle(rt::vbBSNone);
    ShowInTaskbar(false);
    lblColor.Move(0, 0, 225, 225);
}

void frmScreen::Form_Load() {
    Move(0, 0, rt::Screen::Width(), rt::Screen::Height());
    rt::DoEvents();
    Picture(CaptureDesktop());
    // A screen that could not be copied is no pick: the window goes at once.
    if (!Picture()) {
        Unload();
        return;
    }
    SetWindowSubclass(lblColor.hWnd(), PassMouse, 0, 0);
    rt::DoEvents();
    Form_MouseMove(0, 0, 0, 0);
    // Topmost, neither moved nor sized, nor activated while still hidden: the
    // window active before the pick is the one that gets the activation back.
    SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void frmScreen::ReadPointer() {
    GetCursorPos(&CursorPoint);
    PointX = CursorPoint.x;
    PointY = CursorPoint.y;
    if (!Visible()) return;
    const COLORREF color = PictureColor(Picture(), PointX, PointY);
    if (color != CLR_INVALID) SelectedColor = static_cast<long>(color);
}

void frmScreen::Form_MouseMove(int, int, float, float) {
    ReadPointer();
    lblColor.Move(rt::Screen::TwipsPerPixelX() * PointX + 300,
                  rt::Screen::TwipsPerPixelY() * PointY - 300, lblColor.Width(), lblColor.Height());
    if (Visible()) lblColor.BackColor(SelectedColor);
}

void frmScreen::Form_Click() {
    ReadPointer(); // the click may come before any move over the shown window
    PickMade = true;
    Unload();
}

} // namespace huepick
