#include "displaymode.h"

#include <rt/handles.h>

namespace decorum {

namespace {

// A restart needs the shutdown privilege, which a process holds but has not enabled.
bool SystemRestart() {
    rt::Owned<HANDLE, &rt::handles::CloseKernelHandle> token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY,
                          &token.Handle()))
        return false;
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        return false;
    AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr);
    if (GetLastError() != ERROR_SUCCESS) return false;
    return ExitWindowsEx(EWX_REBOOT, SHTDN_REASON_MAJOR_APPLICATION |
                                         SHTDN_REASON_MINOR_RECONFIG |
                                         SHTDN_REASON_FLAG_PLANNED) != FALSE;
}

} // namespace

DisplayCalls& DisplaySystem() {
    static DisplayCalls calls;
    return calls;
}

LONG ChangeDisplaySettingsNow(DEVMODEA& mode, DWORD flags) {
    if (DisplaySystem().ChangeDisplaySettings) return DisplaySystem().ChangeDisplaySettings(mode, flags);
    return ChangeDisplaySettingsA(&mode, flags);
}

bool RestartWindows() {
    if (DisplaySystem().Restart) return DisplaySystem().Restart();
    return SystemRestart();
}

int CurrentDisplayDepth() {
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return 0;
    return static_cast<int>(mode.dmBitsPerPel);
}

} // namespace decorum
