// Times Select All and Select None in the visible window over a folder of
// 1,000, 4,000 and 8,000 files, each until the list is drawn again; once with
// the focus on the button, once with the focus left in the list:
//   sweeper_select_bench: 8000 files, focus on the button: Select All X.XXX s (8000 selected), Select None X.XXX s
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include <rt.h>

#include "frmMain.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// An empty folder of that name in the temporary folder.
std::string Folder(const std::string& name) {
    wchar_t tmp[MAX_PATH];
    GetTempPathW(MAX_PATH, tmp);
    const std::string folder = rt::Utf8(tmp) + name;
    CreateDirectoryW(rt::Wide(folder).c_str(), nullptr);
    for (const std::string& f : rt::Dir(folder + "\\*.*")) rt::Kill(folder + "\\" + f);
    return folder;
}

void Fill(const std::string& folder, int count) {
    for (int i = 0; i < count; ++i) {
        const std::wstring name = rt::Wide(folder) + L"\\file" + std::to_wstring(10000 + i) + L".txt";
        HANDLE h = CreateFileW(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
}

// Presses the button and lets the window draw what it did.
double Press(sweeper::frmMain& form, rt::CommandButton& button) {
    const auto start = Clock::now();
    button.Press();
    rt::DoEvents();
    UpdateWindow(form.hWnd());
    return Seconds(start);
}

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    rt::App().Title = "Sweeper";
    sweeper::frmMain& form = sweeper::frmMain::Get();
    form.Show();
    rt::DoEvents();

    const std::string folder = Folder("sweeper_select_bench");
    for (int count : {1000, 4000, 8000}) {
        Fill(folder, count);
        form.ctlDirectory.Path(folder);
        form.ctlFile.Refresh();
        for (rt::Control* focus : {static_cast<rt::Control*>(&form.cmdSelectAll),
                                   static_cast<rt::Control*>(&form.ctlFile)}) {
            form.ctlFile.ListIndex(0);
            focus->SetFocus();
            rt::DoEvents();
            const double all = Press(form, form.cmdSelectAll);
            int selected = 0;
            for (int i = 0; i < form.ctlFile.ListCount(); ++i) selected += form.ctlFile.Selected(i);
            const double none = Press(form, form.cmdSelectNone);
            const int listed = form.ctlFile.ListCount();
            std::printf("sweeper_select_bench: %d files, focus on the %s: Select All %.3f s (%d selected), "
                        "Select None %.3f s\n",
                        listed, focus == &form.ctlFile ? "list" : "button", all, selected, none);
        }
    }
    form.Unload();
    rt::DoEvents();
    Folder("sweeper_select_bench");
    RemoveDirectoryW(rt::Wide(folder).c_str());
    return 0;
}
