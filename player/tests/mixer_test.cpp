// The multimedia class's volumes on the real mixer: bounds and clamping per
// line, the lines this mixer lacks, the master volume heard on the sink's
// monitor, and a process without audio drivers, where there is no mixer.
#include <windows.h>

#include <rt.h>
#include <rt/scripted_user.h>

#include "cMCI_Adv.h"
#include "player_support.h"
#include "test_support.h"

namespace tunebox {
namespace {

// Puts the master and wave volumes back as they were.
class VolumeKeeper {
  public:
    explicit VolumeKeeper(cMCI_Adv& mci)
        : mci_(mci), system_(mci.MCIa_VolumeSystem()), wave_(mci.MCIa_VolumeWAVE()) {}
    ~VolumeKeeper() {
        mci_.MCIa_VolumeSystem(system_);
        mci_.MCIa_VolumeWAVE(wave_);
    }

  private:
    cMCI_Adv& mci_;
    long system_, wave_;
};

TEST(Mixer, EachLineClampsToItsOwnBoundsReadOnce) {
    rt::ScriptedUser user;
    auto mci = std::make_shared<cMCI_Adv>();
    VolumeKeeper keep(*mci);
    EXPECT_TRUE(user.Boxes.empty());
    const long max = mci->MCIa_VolumeSystem_Max();
    ASSERT_EQ(max, 65535) << "the speakers line of this mixer runs 0 to 65535";
    EXPECT_EQ(mci->MCIa_VolumeSystem_Min(), 0);

    mci->MCIa_VolumeSystem(max + 5000);
    EXPECT_EQ(mci->MCIa_VolumeSystem(), max);
    mci->MCIa_VolumeSystem(-7);
    EXPECT_EQ(mci->MCIa_VolumeSystem(), 0);
    mci->MCIa_VolumeSystem(30000);
    EXPECT_PRED2(test::ReadsAsSet, mci->MCIa_VolumeSystem(), 30000);
    // The wave line has bounds and a control of its own.
    EXPECT_EQ(mci->MCIa_VolumeWAVE_Max(), 65535);
    EXPECT_EQ(mci->MCIa_VolumeWAVE_Min(), 0);
    mci->MCIa_VolumeWAVE(60000);
    EXPECT_PRED2(test::ReadsAsSet, mci->MCIa_VolumeSystem(), 30000);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(mci->MCIa_VolumeSystem_Max(), max);
}

TEST(Mixer, LinesTheMixerLacksReadZeroAndLeaveTheMasterAlone) {
    rt::ScriptedUser user;
    auto mci = std::make_shared<cMCI_Adv>();
    VolumeKeeper keep(*mci);
    for (long bound : {mci->MCIa_VolumeMIDI_Min(), mci->MCIa_VolumeMIDI_Max(),
                       mci->MCIa_VolumeCD_Min(), mci->MCIa_VolumeCD_Max()})
        EXPECT_EQ(bound, 0);
    mci->MCIa_VolumeSystem(40000);
    mci->MCIa_VolumeMIDI(65535);
    mci->MCIa_VolumeCD(65535);
    mci->MCIa_VolumeMIDI(12);
    EXPECT_EQ(mci->MCIa_VolumeMIDI(), 0);
    EXPECT_EQ(mci->MCIa_VolumeCD(), 0);
    EXPECT_PRED2(test::ReadsAsSet, mci->MCIa_VolumeSystem(), 40000)
        << "a missing line wrote the master volume";
    EXPECT_TRUE(user.Boxes.empty());
}

TEST(Mixer, TheMasterVolumeChangesWhatIsHeard) {
    test::SoundMonitor monitor;
    ASSERT_TRUE(monitor.Running());
    rt::test::TempFolder folder;
    auto mci = std::make_shared<cMCI_Adv>();
    VolumeKeeper keep(*mci);
    test::WriteTone(folder / "tone.wav", 4.0, 830);
    mci->MCIa_VolumeSystem(mci->MCIa_VolumeSystem_Max());
    ASSERT_TRUE(mci->MCI_Open("WAVE", mciWaveAudio, folder / "tone.wav"));
    monitor.Skip();
    ASSERT_TRUE(mci->MCI_Play("WAVE"));
    ASSERT_GE(monitor.WaitForSound(830, 2000), 0);
    const double loud = monitor.Level(830, 400);
    mci->MCIa_VolumeSystem(mci->MCIa_VolumeSystem_Max() / 4);
    Sleep(250);
    monitor.Skip();
    const double softer = monitor.Level(830, 400);
    mci->MCIa_VolumeSystem(0);
    Sleep(250);
    monitor.Skip();
    const double silent = monitor.Level(830, 400);
    EXPECT_GT(loud, 5000);
    EXPECT_LT(softer, loud * 0.7) << loud << " then " << softer;
    EXPECT_GT(softer, silent);
    EXPECT_LT(silent, loud * 0.1);
}

constexpr char kSilenced[] = "tunebox_nomixer_tests.exe";

// Runs as a copy of this program whose audio drivers are switched off (below).
TEST(NoMixerChild, OneBoxAndEveryVolumeZero) {
    if (test::OwnFileName() != kSilenced) GTEST_SKIP() << "runs in a copy without audio drivers";
    rt::ScriptedUser user;
    auto mci = std::make_shared<cMCI_Adv>();
    const auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Title, "  Error Opening Volume Mixer");
    EXPECT_EQ(boxes[0].Prompt, "An error occured while trying to access the volume mixer.");
    EXPECT_EQ(boxes[0].Style, rt::vbExclamation);
    EXPECT_EQ(mci->MCIa_VolumeSystem_Max(), 0);
    EXPECT_EQ(mci->MCIa_VolumeSystem(), 0);
    mci->MCIa_VolumeSystem(500);
    EXPECT_EQ(mci->MCIa_VolumeSystem(), 0);
    EXPECT_EQ(mci->MCIa_VolumeWAVE_Max(), 0);
}

TEST(Mixer, AProcessWithoutAudioDriversHasNone) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    test::SilencedCopy copy(rt::Utf8(self), kSilenced);
    std::wstring command = L"\"" + rt::Wide(copy.Path()) + L"\" --gtest_filter=NoMixerChild.*";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &si, &pi));
    ASSERT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
    DWORD status = 1;
    GetExitCodeProcess(pi.hProcess, &status);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    EXPECT_EQ(status, 0u) << "the copy's checks failed (its output is above)";
}

} // namespace
} // namespace tunebox
