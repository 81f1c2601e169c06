// The list of window classes: one entry for every top-level window of the
// desktop, hidden ones included.
#pragma once

#include <windows.h>

namespace paneherd {

// Adds the class name of one top-level window to the list of class names the
// caller's value points to; always goes on with the next window.
BOOL CALLBACK EnumWindowsProc(HWND hwnd, LPARAM lParam);

// Fills both class lists of the main window afresh: the class name of every
// top-level window, once per window that has it, in the order the desktop
// enumerates them (the sorted list orders them itself).
void LoadClassList();

} // namespace paneherd
