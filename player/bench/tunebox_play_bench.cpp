// Times the player window: a double-click on a wave line until the device
// plays (in the program) and until the sound is heard on the null sink's
// monitor (outside it), and a folder of 2,000 files listed in both lists.
//   tunebox_play_bench: double-click to playing: median X ms, worst X ms
//   tunebox_play_bench: double-click to heard on the monitor: median X ms, worst X ms
//   tunebox_play_bench: 1000 .wav + 1000 .mid listed: median X.XXX s, worst X.XXX s
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

    // 2,000 files, listed in both lists when the folder is chosen.
    const std::string many = MakeFolder("tunebox_bench_many");
    for (int i = 0; i < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "\\sound %04d.wav", i);
        tunebox::test::detail::WriteFileBytes(many + name, "RIFF");
        std::snprintf(name, sizeof name, "\\song %04d.mid", i);
        tunebox::test::detail::WriteFileBytes(many + name, "MThd");
    }
    std::vector<double> listed;
    for (int round = 0; round < 5; ++round) {
        form.Directory1.Path(one);
        rt::DoEvents();
        const auto start = Clock::now();
        form.Directory1.Path(many);
        UpdateWindow(form.hWnd());
        rt::DoEvents();
        listed.push_back(Ms(start) / 1000);
        if (form.WAVEs.ListCount() != 1000 || form.MIDIs.ListCount() != 1000)
            std::printf("tunebox_play_bench: listed %d and %d files\n", form.WAVEs.ListCount(),
                        form.MIDIs.ListCount());
    }
    Report("1000 .wav + 1000 .mid listed", listed, "%.3f s");

    form.Unload();
    rt::DoEvents();
    rt::DeleteSetting("Tunebox");
    RemoveFolder(one);
    RemoveFolder(many);
    return 0;
}
