// Times the volume bar and the recorder: 1,000 thumb-tracking steps, each
// setting the master volume through the mixer, and a recording of two seconds
// against the length saved.
//   tunebox_volume_bench: 1000 thumb steps: X.XXX ms a step (volume followed: yes)
//   tunebox_volume_bench: recording of 2.000 s requested: X.XXX s saved, took X.XXX s
#include <windows.h>

#include <chrono>
#include <cstdio>

#include <rt.h>

#include "cMCI_Adv.h"
#include "frmMain.h"
#include "support/quiet_user.h"
#include "support/sound.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

} // namespace

int main() {
    rt::Initialize(GetModuleHandleW(nullptr));
    tunebox::SetIdentity();
    rt::DeleteSetting("Tunebox");
    tunebox::test::QuietUser quiet("tunebox_volume_bench");
    const long master = std::make_shared<tunebox::cMCI_Adv>()->MCIa_VolumeSystem();

    {
        tunebox::frmMain& form = tunebox::frmMain::Get();
        form.Show();
        rt::DoEvents();
        HWND frame = form.Frame1.hWnd(), bar = form.vsVolume.hWnd();
        constexpr int kSteps = 1000;
        bool followed = true;
        const auto start = Clock::now();
        for (int step = 0; step < kSteps; ++step) {
            const int position = step * 32767 / (kSteps - 1);
            SendMessageW(frame, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, position),
                         reinterpret_cast<LPARAM>(bar));
            if (step % 100 == 99) {
                const long expected = std::lround((32767 - position) * 65535.0 / 32767);
                if (std::labs(form.MCIObject->MCIa_VolumeSystem() - expected) > 1) followed = false;
            }
        }
        const double took = Seconds(start);
        SendMessageW(frame, WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(bar));
        std::printf("tunebox_volume_bench: %d thumb steps: %.3f ms a step (volume followed: %s)\n",
                    kSteps, took * 1000 / kSteps, followed ? "yes" : "no");
        form.Unload();
        rt::DoEvents();
    }

    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        const std::string input = rt::Utf8(temp) + "tunebox_bench_input.wav";
        const std::string output = rt::Utf8(temp) + "tunebox_bench_recording.wav";
        tunebox::test::WriteTone(input, 3.0, 523);
        auto mci = std::make_shared<tunebox::cMCI_Adv>();
        mci->MCI_Open("IN", tunebox::mciWaveAudio, input);
        const auto start = Clock::now();
        const bool saved =
            mci->MCIa_RecordWave("OUT", output, 16, 1, 22050, "IN", false, 0, true, 2000);
        const double took = Seconds(start);
        const tunebox::test::WaveData wave = tunebox::test::ReadWave(output);
        std::printf("tunebox_volume_bench: recording of 2.000 s requested: %.3f s saved, took "
                    "%.3f s%s\n",
                    wave.Seconds(), took, saved ? "" : " (not saved)");
        mci.reset();
        DeleteFileW(rt::Wide(input).c_str());
        DeleteFileW(rt::Wide(output).c_str());
    }

    std::make_shared<tunebox::cMCI_Adv>()->MCIa_VolumeSystem(master);
    rt::DeleteSetting("Tunebox");
    return 0;
}
