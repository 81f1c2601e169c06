#include "modPaneherd.h"

#include "targetwindow.h"

namespace paneherd {

BOOL CALLBACK EnumWindowsProc(HWND hwnd, LPARAM lParam) {
    std::string name = ClassText(hwnd);
    if (!name.empty()) reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(std::move(name));
    return TRUE;
}

std::vector<std::string> ClassNames() {
    std::vector<std::string> names;
    EnumWindows(EnumWindowsProc, reinterpret_cast<LPARAM>(&names));
    return names;
}

} // namespace paneherd
