// The wave recorder for real: what an open wave device plays is captured
// from the sink's monitor (the default recording source here) into a file
// that plays again; end positions, cancel, refusals and failures.
#include <windows.h>
#include <mmsystem.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include <rt.h>
#include <rt/scripted_user.h>

#include "cMCI_Adv.h"
#include "player_support.h"
#include "test_support.h"

namespace tunebox {
namespace {

// Runs an action once, from a timer, while a recording lets events run.
std::function<void()> g_later;

void CALLBACK RunLater(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto action = std::move(g_later);
    g_later = nullptr;
    if (action) action();
}

void After(UINT ms, std::function<void()> action) {
    g_later = std::move(action);
    SetTimer(nullptr, 0, ms, RunLater);
}

class RecordTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mci = std::make_shared<cMCI_Adv>();
        mci->CommandTrace = [this](const std::string& command) {
            // Where the input stood when the recording stopped it: a stop
            // that follows a play ends a wait, the ones before it do not.
            if (command.starts_with("play IN")) inputPlaying = true;
            if (command == "stop IN" && inputPlaying) {
                inputPlaying = false;
                inputAtStop = std::atol(test::DeviceStatus("IN", "position").c_str());
            }
            sent.push_back(command);
        };
        input = folder / "input.wav";
        output = folder / "recorded.wav";
    }
    void TearDown() override {
        g_later = nullptr;
        mci.reset();
    }
    // Opens a tone of this length as the input device "IN".
    void OpenInput(double seconds, double frequency) {
        test::WriteTone(input, seconds, frequency);
        ASSERT_TRUE(mci->MCI_Open("IN", mciWaveAudio, input));
        sent.clear();
    }
    bool Record(bool specifyEnd = false, long end = 0, long interval = 0, bool show = false) {
        return mci->MCIa_RecordWave("OUT", output, 16, 1, 22050, "IN", false, 0, specifyEnd, end,
                                    interval, nullptr, show);
    }
    bool Sent(const std::string& command) const {
        return std::find(sent.begin(), sent.end(), command) != sent.end();
    }

    rt::ScriptedUser user;
    rt::test::TempFolder folder;
    std::shared_ptr<cMCI_Adv> mci;
    std::vector<std::string> sent;
    std::string input, output;
    bool inputPlaying = false;
    long inputAtStop = -1; // in milliseconds
};

// What a recording saved is not measured against the time it ran: the wave
// recorder of the Windows layer (Wine) saves whole blocks of about a third of
// a second, up to a second less than it ran, and under 32-bit Wine a playing
// input reports its end about half a second before its last sound. A 1.5 s
// input saves 0.34 s there, 0.67 s under 64-bit Wine, whatever the load. How
// far a recording ran is read from the input's position when it was stopped.

TEST_F(RecordTest, RecordsWhatTheInputPlaysIntoAFileThatPlays) {
    OpenInput(2.0, 740);
    ASSERT_TRUE(Record());
    EXPECT_TRUE(Sent("open new type waveaudio alias OUT"));
    EXPECT_TRUE(Sent("set OUT samplespersec 22050 channels 1 bitspersample 16 alignment 2 "
                     "bytespersec 44100"));
    EXPECT_TRUE(Sent("record OUT overwrite"));
    EXPECT_TRUE(Sent("play IN")); // to its end, less a millisecond
    wchar_t shortPath[MAX_PATH] = {};
    GetShortPathNameW(rt::Wide(output).c_str(), shortPath, MAX_PATH);
    EXPECT_TRUE(Sent("save OUT " + rt::UCase(rt::Utf8(shortPath))));
    const test::WaveData wave = test::ReadWave(output);
    EXPECT_EQ(wave.Channels, 1);
    EXPECT_EQ(wave.Rate, 22050);
    EXPECT_EQ(wave.Bits, 16);
    EXPECT_GE(inputAtStop, 1999) << "stopped before the input's end";
    EXPECT_GT(wave.Seconds(), 0.3);
    EXPECT_LT(wave.Seconds(), 3.0); // stopped at the input's end, give or take a loaded machine
    // The recording holds the input's tone: where, Wine's recorder decides
    // (the tone may fill the first half of what it saved and no more).
    double loudest = 0;
    for (size_t at = 0; at + 2205 <= wave.Samples.size(); at += 2205) {
        const std::vector<short> tenth(wave.Samples.begin() + static_cast<long>(at),
                                       wave.Samples.begin() + static_cast<long>(at + 2205));
        loudest = std::max(loudest, test::ToneLevel(tenth, 22050, 740));
    }
    EXPECT_GT(loudest, 3000) << "a tenth of a second at least holds the input's tone";
    // The input is left open, stopped at its start; the output device is gone.
    EXPECT_EQ(test::DeviceStatus("IN", "mode"), "stopped");
    EXPECT_EQ(test::DeviceStatus("IN", "position"), "0");
    EXPECT_EQ(test::DeviceStatus("OUT", "mode"), "(error)");
    // And what was saved plays.
    ASSERT_TRUE(mci->MCI_Open("AGAIN", mciWaveAudio, output));
    EXPECT_NE(test::DeviceStatus("AGAIN", "length"), "0");
    EXPECT_TRUE(mci->MCI_Play("AGAIN"));
    EXPECT_EQ(test::DeviceStatus("AGAIN", "mode"), "playing");
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(RecordTest, ALongNameWithBlanksGetsTheRecording) {
    OpenInput(1.0, 740);
    output = folder / "my first recording of the tone.wav";
    rt::test::WriteBytes(output, "an older one");
    ASSERT_TRUE(Record());
    EXPECT_GT(test::ReadWave(output).Seconds(), 0.2);
    // Nothing else is left in the folder under another name.
    std::vector<std::string> names = rt::Dir(folder / "*.*");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"input.wav", "my first recording of the tone.wav"}));
}

TEST_F(RecordTest, EndPositionsAreKeptWithinTheInput) {
    OpenInput(1.0, 740);
    // -5,000 is taken as 5,000, which lies beyond the input: its length less 1.
    ASSERT_TRUE(Record(true, -5000, 1));
    EXPECT_TRUE(Sent("open new type waveaudio alias OUT buffer 1"));
    EXPECT_TRUE(Sent("play IN to 999"));
    sent.clear();
    ASSERT_TRUE(mci->MCIa_RecordWave("OUT", output, 16, 1, 22050, "IN", true, 200, true, 500));
    EXPECT_TRUE(Sent("seek IN to 200"));
    EXPECT_TRUE(Sent("play IN to 500"));
    EXPECT_LT(test::ReadWave(output).Seconds(), 0.8);
}

TEST_F(RecordTest, ACancelSavesWhatWasRecordedSoFar) {
    OpenInput(5.0, 740);
    After(800, [this] { mci->MCIa_RecordCancel(); });
    ASSERT_TRUE(Record());
    const double seconds = test::ReadWave(output).Seconds();
    EXPECT_LT(inputAtStop, 4999);
    EXPECT_GT(seconds, 0.1);
    EXPECT_LT(seconds, 2.5);
    // A cancel asked before the next recording starts waiting has no effect.
    mci->MCIa_RecordCancel();
    ASSERT_TRUE(mci->MCIa_RecordWave("OUT", output, 16, 1, 22050, "IN", false, 0, true, 2500));
    EXPECT_GE(inputAtStop, 2500) << "the earlier cancel ended this recording";
    EXPECT_GT(test::ReadWave(output).Seconds(), 0.1);
}

TEST_F(RecordTest, CallsThatCannotRecordLeaveAnExistingFileAlone) {
    OpenInput(1.0, 740);
    rt::test::WriteBytes(output, "keep");
    EXPECT_FALSE(mci->MCIa_RecordWave("in", output, 16, 1, 22050, "IN"));
    EXPECT_FALSE(mci->MCIa_RecordWave("  ", output, 16, 1, 22050, "IN"));
    EXPECT_FALSE(mci->MCIa_RecordWave("OUT", output, 16, 1, 22050, " "));
    EXPECT_FALSE(mci->MCIa_RecordWave("OUT", "   ", 16, 1, 22050, "IN"));
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(rt::test::ReadBytes(output), "keep");
}

TEST_F(RecordTest, AFailedRecordingLeavesNoFile) {
    OpenInput(1.0, 740);
    rt::test::WriteBytes(output, "old recording");
    EXPECT_FALSE(mci->MCIa_RecordWave("OUT", output, 16, 1, 22050, "NOTOPEN", false, 0, false, 0,
                                      0, nullptr, true));
    EXPECT_FALSE(rt::FileExists(output));
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].Title, "  MCI ERROR");
    EXPECT_EQ(test::DeviceStatus("OUT", "mode"), "(error)");
    // A format whose products overflow is the runtime's overflow error.
    EXPECT_EQ(rt::test::ErrorOf([&] {
                  mci->MCIa_RecordWave("OUT", output, 65536, 65536, 22050, "IN");
              }),
              rt::errOverflow);
}

TEST_F(RecordTest, ASaveTheDeviceRefusesIsReportedAsAFailure) {
    OpenInput(1.5, 740);
    const std::string subfolder = folder / "gone";
    CreateDirectoryW(rt::Wide(subfolder).c_str(), nullptr);
    output = subfolder + "\\recorded.wav";
    // The folder goes while the recording runs: nothing can be saved there.
    After(400, [&] { RemoveDirectoryW(rt::Wide(subfolder).c_str()); });
    EXPECT_FALSE(Record(false, 0, 0, true));
    EXPECT_FALSE(rt::FileExists(output));
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].Title, "  MCI ERROR");
    EXPECT_EQ(test::DeviceStatus("OUT", "mode"), "(error)");
}

TEST_F(RecordTest, OnlyThePlaceholderFileIsClosed) {
    OpenInput(0.5, 740);
    const int other = rt::FreeFile();
    rt::OpenForOutput(other, folder / "notes.txt");
    rt::PrintLine(other, "before");
    ASSERT_TRUE(Record());
    EXPECT_EQ(rt::test::ErrorOf([&] { rt::PrintLine(other, "after"); }), 0);
    rt::Close(other);
    EXPECT_EQ(rt::test::ReadBytes(folder / "notes.txt"), "before\r\nafter\r\n");
}

TEST_F(RecordTest, TheObjectLivesUntilARecordingItsOwnerReleasedHasEnded) {
    OpenInput(1.5, 740);
    std::weak_ptr<cMCI_Adv> watch = mci;
    cMCI_Adv* recorder = mci.get();
    bool released = false;
    // The owner lets go while the recording waits, as a closing window would.
    After(300, [&] {
        EXPECT_TRUE(recorder->Recording());
        mci.reset();
        released = true;
    });
    EXPECT_TRUE(recorder->MCIa_RecordWave("OUT", output, 16, 1, 22050, "IN"));
    EXPECT_TRUE(released);
    EXPECT_TRUE(watch.expired()); // gone once the recording returned
    EXPECT_GE(inputAtStop, 1499) << "the recording ended with its owner";
    EXPECT_GT(test::ReadWave(output).Seconds(), 0.1);
    EXPECT_EQ(test::DeviceStatus("IN", "mode"), "(error)"); // its end closed every device
}

} // namespace
} // namespace tunebox
