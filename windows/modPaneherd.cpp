#include "modPaneherd.h"

#include <string>
#include <vector>

#include "frmMain.h"
#include "targetwindow.h"

namespace paneherd {

BOOL CALLBACK EnumWindowsProc(HWND hwnd, LPARAM lParam) {
    std::string name = ClassText(hwnd);
    if (!name.empty()) reinterpret_cast<std::vector<std::string>*>(lParam)->push_back(std::move(name));
    return TRUE;
}

void LoadClassList() {
    frmMain& form = frmMain::Get();
    form.txtClassName.Clear();
    form.txtClassName1.Clear();
    std::vector<std::string> names;
    EnumWindows(EnumWindowsProc, reinterpret_cast<LPARAM>(&names));
    for (const std::string& name : names) {
        form.txtClassName.AddItem(name);
        form.txtClassName1.AddItem(name);
    }
}

} // namespace paneherd
