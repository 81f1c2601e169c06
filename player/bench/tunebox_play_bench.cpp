// Times the player window: a double-click on a wave line until the device
// plays (in the program) and until the sound is heard on the null sink's
// monitor (outside it); folders of 2,000, 12,000 and 24,000 sounds and one of
// 12,000 files that match neither list, chosen until both lists show them;
// and F5 over the 12,000 sounds.
//   tunebox_play_bench: double-click to playing: median X ms, worst X ms
//   tunebox_play_bench: double-click to heard on the monitor: median X ms, worst X ms
//   tunebox_play_bench: 1000 .wav + 1000 .mid listed: median X.XXX s, worst X.XXX s (...)
//   tunebox_play_bench: 6000 .wav + 6000 .mid listed: median X.XXX s, worst X.XXX s (...)
//   tunebox_play_bench: 6000 .wav + 6000 .mid refreshed (F5) in X.XXX s
#include <windows.h>
#include <mmsystem.h>

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
constexpr double kTone = 440;

double Ms(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
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

std::string Status(const char* item) {
    wchar_t answer[64] = {};
    const std::wstring command = L"status WAVE " + rt::Wide(item);
    mciSendStringW(command.c_str(), answer, 64, nullptr);
    return rt::Utf8(answer);
}

// A double-click of the real mouse on the list's first line.
void DoubleClickFirstLine(HWND list) {
    RECT line{};
    SendMessageW(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&line));
    POINT at{line.left + 20, (line.top + line.bottom) / 2};
    ClientToScreen(list, &at);
    SetCursorPos(at.x, at.y);
    INPUT clicks[4]{};
    for (int i = 0; i < 4; ++i) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
    }
    SendInput(4, clicks, sizeof(INPUT));
}

void Report(const char* what, std::vector<double> values, const char* format) {
    std::sort(values.begin(), values.end());
    std::printf("tunebox_play_bench: %s: median ", what);
    std::printf(format, values[values.size() / 2]);
    std::printf(", worst ");
    std::printf(format, values.back());
    std::printf(" (%zu runs)\n", values.size());
}

// A folder of `each` files of each of the two endings, made in no
// particular order.
std::string Corpus(const std::string& name, int each, const char* wave, const char* midi) {
    const std::string folder = MakeFolder(name);
    for (int i = 0; i < each; ++i) {
        const int n = (i * 7919) % each;
        char file[48];
        std::snprintf(file, sizeof file, "\\sound %05d%s", n, wave);
        tunebox::test::detail::WriteFileBytes(folder + file, "RIFF");
        std::snprintf(file, sizeof file, "\\Song %05d%s", n, midi);
        tunebox::test::detail::WriteFileBytes(folder + file, "MThd");
    }
    return folder;
}

// The folder chosen after another one, until both lists are filled and drawn.
void MeasureListing(tunebox::frmMain& form, const std::string& before, const std::string& folder,
                    int each, const char* what) {
    std::vector<double> listed;
    for (int round = 0; round < 3; ++round) {
        form.Directory1.Path(before);
        rt::DoEvents();
        const auto start = Clock::now();
        form.Directory1.Path(folder);
        UpdateWindow(form.hWnd());
        rt::DoEvents();
        listed.push_back(Ms(start) / 1000);
        if (form.WAVEs.ListCount() != each || form.MIDIs.ListCount() != each)
            std::printf("tunebox_play_bench: listed %d and %d files\n", form.WAVEs.ListCount(),
                        form.MIDIs.ListCount());
    }
    Report(what, listed, "%.3f s");
}

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    tunebox::SetIdentity();
    rt::DeleteSetting("Tunebox");
    tunebox::test::QuietUser quiet("tunebox_play_bench");

    const std::string one = MakeFolder("tunebox_bench_one");
    tunebox::test::WriteTone(one + "\\tone.wav", 3.0, kTone);
    rt::SaveSetting("Tunebox", "Settings", "Directory", one);
    rt::SaveSetting("Tunebox", "Settings", "Volume", "0");
    tunebox::frmMain& form = tunebox::frmMain::Get();
    form.Show();
    rt::DoEvents();

    tunebox::test::SoundMonitor monitor;
    if (!monitor.Running()) std::printf("tunebox_play_bench: parec does not run: no outside figure\n");
    std::vector<double> playing, heard;
    for (int round = 0; round < 10; ++round) {
        form.cmdWAVE_Stop.Press();
        if (monitor.Running()) monitor.FallsSilent(kTone);
        rt::DoEvents();
        monitor.Skip();
        const auto start = Clock::now();
        DoubleClickFirstLine(form.WAVEs.hWnd());
        // In the program: the device says it plays and has moved on.
        bool plays = false;
        while (!plays && Ms(start) < 5000) {
            rt::DoEvents();
            plays = Status("mode") == "playing" && rt::IsNumeric(Status("position")) &&
                    rt::CLng(Status("position")) > 0;
        }
        if (!plays) {
            std::printf("tunebox_play_bench: round %d: the double-click did not play\n", round);
            continue;
        }
        playing.push_back(Ms(start));
        // Outside: the first block with the tone on the sink's monitor.
        if (monitor.Running()) {
            const double seconds = monitor.WaitForSound(kTone, 5000);
            if (seconds >= 0) heard.push_back(Ms(start));
        }
    }
    Report("double-click to playing", playing, "%.0f ms");
    if (!heard.empty()) Report("double-click to heard on the monitor", heard, "%.0f ms");
    form.cmdWAVE_Stop.Press();

    // Folders of sounds, and one of files that match neither list, listed
    // in both lists when the folder is chosen.
    const std::string many = Corpus("tunebox_bench_many", 1000, ".wav", ".mid");
    MeasureListing(form, one, many, 1000, "1000 .wav + 1000 .mid listed");
    const std::string big = Corpus("tunebox_bench_big", 6000, ".wav", ".mid");
    MeasureListing(form, one, big, 6000, "6000 .wav + 6000 .mid listed");
    const std::string other = Corpus("tunebox_bench_other", 6000, ".txt", ".dat");
    MeasureListing(form, one, other, 0, "12000 files matching neither list listed");
    const std::string bigger = Corpus("tunebox_bench_bigger", 12000, ".wav", ".mid");
    MeasureListing(form, one, bigger, 12000, "12000 .wav + 12000 .mid listed");
    // F5 in the window: all four lists read again.
    form.Directory1.Path(big);
    rt::DoEvents();
    const auto refresh = Clock::now();
    form.mnuSoundsRefresh_Click();
    UpdateWindow(form.hWnd());
    rt::DoEvents();
    std::printf("tunebox_play_bench: 6000 .wav + 6000 .mid refreshed (F5) in %.3f s\n",
                Ms(refresh) / 1000);

    form.Unload();
    rt::DoEvents();
    rt::DeleteSetting("Tunebox");
    for (const std::string& folder : {one, many, big, other, bigger}) RemoveFolder(folder);
    return 0;
}
