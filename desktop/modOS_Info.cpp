#include "modOS_Info.h"

#include <cstring>

#include <rt.h>

namespace decorum {

long gOSCode = 0;

namespace {

VersionQuery& Query() {
    static VersionQuery query;
    return query;
}

BOOL AskSystem(OSVERSIONINFOA& info) {
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    return GetVersionExA(&info);
#pragma GCC diagnostic pop
}

} // namespace

void SetVersionQuery(VersionQuery query) { Query() = std::move(query); }

bool NoGradientCaptions(long osCode) {
    return osCode == 32 || osCode == 40 || osCode == 95 || osCode == 351;
}

bool GetOSInfo() {
    try {
        OSVERSIONINFOA info{};
        info.dwOSVersionInfoSize = sizeof info;
        std::memset(info.szCSDVersion, ' ', sizeof info.szCSDVersion);
        const BOOL read = Query() ? Query()(info) : AskSystem(info);
        if (!read) {
            rt::MsgBox("An error occured while trying to get the OS version and information.\r"
                       "Click OK to continue.",
                       rt::vbExclamation, "  Error Getting OS Information");
            return false;
        }
        switch (info.dwPlatformId) {
        case VER_PLATFORM_WIN32s:
            gOSCode = 32;
            break;
        case VER_PLATFORM_WIN32_WINDOWS:
            if (info.dwMinorVersion == 0) gOSCode = 95;
            else if (info.dwMinorVersion == 10) gOSCode = 98;
            break;
        case VER_PLATFORM_WIN32_NT:
            if (info.dwMajorVersion == 3) gOSCode = 351;
            else if (info.dwMajorVersion == 4) gOSCode = 40;
            else if (info.dwMajorVersion == 5) gOSCode = 2000;
            break;
        default:
            gOSCode = 0;
        }
        return true;
    } catch (const rt::Error& e) {
        rt::MsgBox(e.Source + " caused the following error while getting the OS version:\r\r"
                   "Error Number = " + rt::CStr(e.Number) + "\rError Description = " +
                       e.Description,
                   rt::vbExclamation, "  Error  -  " + e.Description);
        rt::Err().Clear();
        return false;
    }
}

} // namespace decorum
