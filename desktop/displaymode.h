// The display-mode calls Decorum makes: changing the mode (or testing a
// change) and restarting Windows. Both go to the system unless a test answers
// them itself, so that no test restarts the machine it runs on.
#pragma once

#include <windows.h>

#include <functional>

namespace decorum {

struct DisplayCalls {
    // ChangeDisplaySettingsA(mode, flags): DISP_CHANGE_SUCCESSFUL, _RESTART or a failure.
    std::function<LONG(DEVMODEA& mode, DWORD flags)> ChangeDisplaySettings;
    // Restarts Windows (the shutdown privilege enabled first); false when refused.
    std::function<bool()> Restart;
};
// The calls in use; an empty member means the system's own.
DisplayCalls& DisplaySystem();

LONG ChangeDisplaySettingsNow(DEVMODEA& mode, DWORD flags);
bool RestartWindows();

// The bits per pixel of the display now.
int CurrentDisplayDepth();

} // namespace decorum
