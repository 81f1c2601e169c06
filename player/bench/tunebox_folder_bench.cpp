// Times the player window listing big folders: the folder double-clicked in
// the folder list until both file lists show it, for 6,000 wave and 6,000
// MIDI files, for 12,000 files that match neither list and for twice as many
// sounds; and F5 on the first folder.
//   tunebox_folder_bench: 6000 .wav + 6000 .mid: listed 6000 + 6000, median X.XXX s, worst X.XXX s
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <rt.h>

#include "frmMain.h"
#include "support/quiet_user.h"
#include "support/sound.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

std::string MakeFolder(const std::string& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string folder = rt::Utf8(temp) + name;
    CreateDirectoryW(rt::Wide(folder).c_str(), nullptr);
    return folder;
}

void RemoveFolder(const std::string& folder) {
    for (const std::string& name : rt::Dir(folder + "\\*.*"))
        DeleteFileW(rt::Wide(folder + "\\" + name).c_str());
    RemoveDirectoryW(rt::Wide(folder).c_str());
}

// A folder of `each` files of each of the two extensions, made in no
// particular order.
std::string Corpus(const std::string& folder, int each, const char* first, const char* second) {
    CreateDirectoryW(rt::Wide(folder).c_str(), nullptr);
    for (int i = 0; i < each; ++i) {
        const int n = (i * 7919) % each;
        char file[48];
        std::snprintf(file, sizeof file, "\\Sound %05d%s", n, first);
        tunebox::test::detail::WriteFileBytes(folder + file, "RIFF");
        std::snprintf(file, sizeof file, "\\song %05d%s", n, second);
        tunebox::test::detail::WriteFileBytes(folder + file, "MThd");
    }
    return folder;
}

// The line of the folder list that shows this name.
int LineOf(HWND list, const std::string& name) {
    const std::wstring wanted = rt::Wide(name);
    const auto count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[MAX_PATH] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) >= MAX_PATH) continue;
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        if (_wcsicmp(text, wanted.c_str()) == 0) return i;
    }
    return -1;
}

// A double-click on a line of a list, as the mouse gives it to the list.
void DoubleClickLine(HWND list, int line) {
    RECT r{};
    SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM(r.left + 30, (r.top + r.bottom) / 2);
    SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
    SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    SendMessageW(list, WM_LBUTTONUP, 0, at);
}

// The folder's parent shown in the folder list, then the folder's line
// double-clicked; the seconds until both file lists are filled and drawn,
// over three rounds.
void Measure(tunebox::frmMain& form, const std::string& parent, const std::string& name,
             const char* what) {
    std::vector<double> listed;
    for (int round = 0; round < 3; ++round) {
        form.Directory1.Path(parent);
        rt::DoEvents();
        const HWND folders = form.Directory1.hWnd();
        const int line = LineOf(folders, name);
        if (line < 0) {
            std::printf("tunebox_folder_bench: %s not in the folder list\n", name.c_str());
            return;
        }
        SendMessageW(folders, LB_SETTOPINDEX, static_cast<WPARAM>(line), 0);
        UpdateWindow(folders);
        const auto start = Clock::now();
        DoubleClickLine(folders, line);
        rt::DoEvents();
        UpdateWindow(form.hWnd());
        listed.push_back(Seconds(start));
    }
    std::sort(listed.begin(), listed.end());
    std::printf("tunebox_folder_bench: %s: listed %d + %d, median %.3f s, worst %.3f s\n", what,
                form.WAVEs.ListCount(), form.MIDIs.ListCount(), listed[listed.size() / 2],
                listed.back());
}

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    tunebox::SetIdentity();
    rt::DeleteSetting("Tunebox");
    tunebox::test::QuietUser quiet("tunebox_folder_bench");

    const std::string parent = MakeFolder("tunebox_folder_bench");
    rt::SaveSetting("Tunebox", "Settings", "Directory", parent);
    rt::SaveSetting("Tunebox", "Settings", "Volume", "0");
    tunebox::frmMain& form = tunebox::frmMain::Get();
    form.Show();
    rt::DoEvents();

    const std::string sounds = Corpus(parent + "\\12000", 6000, ".wav", ".mid");
    Measure(form, parent, "12000", "6000 .wav + 6000 .mid");
    const std::string others = Corpus(parent + "\\other", 6000, ".txt", ".dat");
    Measure(form, parent, "other", "12000 files that match neither list");
    const std::string more = Corpus(parent + "\\24000", 12000, ".wav", ".mid");
    Measure(form, parent, "24000", "12000 .wav + 12000 .mid");

    // F5 in the window: all four lists read again.
    form.Directory1.Path(sounds);
    rt::DoEvents();
    const auto start = Clock::now();
    form.mnuSoundsRefresh_Click();
    rt::DoEvents();
    UpdateWindow(form.hWnd());
    std::printf("tunebox_folder_bench: 6000 .wav + 6000 .mid refreshed (F5) in %.3f s\n", Seconds(start));

    form.Unload();
    rt::DoEvents();
    rt::DeleteSetting("Tunebox");
    for (const std::string& folder : {sounds, others, more}) RemoveFolder(folder);
    RemoveDirectoryW(rt::Wide(parent).c_str());
    return 0;
}
