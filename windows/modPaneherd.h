// The list of window classes: one entry for every top-level window of the
// desktop, hidden ones included.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace paneherd {

// Adds the class name of one top-level window to the list of class names the
// caller's value points to; always goes on with the next window.
BOOL CALLBACK EnumWindowsProc(HWND hwnd, LPARAM lParam);

// The class name of every top-level window, once per window that has it, in
// the order the desktop enumerates them.
std::vector<std::string> ClassNames();

} // namespace paneherd
