// Tunebox: plays the wave and MIDI files of a folder, sets the master volume
// and sits in the notification area.
#include <windows.h>

#include <kit/about.h>
#include <rt.h>

#include "frmMain.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    rt::Initialize(hInstance);
    tunebox::SetIdentity();
    return rt::Run<tunebox::frmMain>();
}
