// The tray icon's own message to its owner window: the window procedure of
// the owner is replaced by one that hands the icon's notifications to the
// tray object and passes every message on to the procedure it had before.
#pragma once

#include <windows.h>

#include <vector>

namespace tunebox {

class cSysTray;

// The message the shell sends for the icons of this route, registered once
// per process; 0 when it cannot be registered.
UINT GetTrayCallbackMessage();
// Replaces the window procedure of hWnd, its notifications going to Owner.
// False for no window, a window already replaced, or one whose procedure
// cannot be replaced (another program's); then nothing is kept.
bool SubclassTrayWindow(HWND hWnd, cSysTray& Owner);
bool IsTrayWindowSubclassed(HWND hWnd);
// Gives hWnd its procedure back; false when it was not replaced here.
bool UnsubclassTrayWindow(HWND hWnd);
// Gives hWnd its procedure back, for every entry it has.
void UnsubclassTrayOwner(HWND hWnd);
// Gives back every window whose notifications go to Owner (it is going).
void UnsubclassTrayObject(const cSysTray& Owner);
// The windows replaced, in the order of the table.
std::vector<HWND> TrayWindows();

LRESULT CALLBACK TrayWindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

} // namespace tunebox
