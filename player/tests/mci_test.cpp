// The multimedia class's device commands against the real devices: the
// command strings as they go out, wave playback heard on the sink's monitor,
// the sequencer's modes, the error boxes of devices that cannot exist here.
#include <windows.h>
#include <mmsystem.h>

#include <rt.h>
#include <rt/scripted_user.h>

#include "cMCI_Adv.h"
#include "player_support.h"
#include "test_support.h"

namespace tunebox {
namespace {

using test::DeviceStatus;

const char kLead[] = "The following error occured while calling the mciSendString MCI API:\r\r";

std::string ShortUpper(const std::string& path) {
    wchar_t buffer[MAX_PATH] = {};
    GetShortPathNameW(rt::Wide(path).c_str(), buffer, MAX_PATH);
    return rt::UCase(rt::Utf8(buffer));
}

std::string SystemErrorText(MCIERROR code) {
    wchar_t text[260] = {};
    mciGetErrorStringW(code, text, 260);
    return rt::Utf8(text);
}

class MciTest : public ::testing::Test {
  protected:
    void SetUp() override {
        mci = std::make_shared<cMCI_Adv>();
        mci->CommandTrace = [this](const std::string& command) { sent.push_back(command); };
    }
    void TearDown() override { mci.reset(); }
    std::string Last() const { return sent.empty() ? std::string() : sent.back(); }

    rt::ScriptedUser user;
    rt::test::TempFolder folder;
    std::shared_ptr<cMCI_Adv> mci;
    std::vector<std::string> sent;
};

TEST_F(MciTest, OpensByTheShortUpperCaseNameWithTheOptionsInOrder) {
    const std::string path = folder / "a tone with blanks.wav";
    test::WriteTone(path, 2.0, 523);
    const std::string shortPath = ShortUpper(path);
    ASSERT_EQ(shortPath.find(' '), std::string::npos) << shortPath;

    // This wave device cannot be shared; it says so in its box.
    EXPECT_FALSE(mci->MCI_Open("  WAVE ", mciWaveAudio, "  " + path + " ", true, 4, nullptr,
                               false, false, false, "", nullptr, true));
    EXPECT_EQ(Last(), "open WaveAudio!" + shortPath + " alias WAVE wait buffer 4 shareable");
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_NE(user.MessageBoxes()[0].Prompt.find("Error Number = 274"), std::string::npos);
    EXPECT_TRUE(mci->MCI_Open("  WAVE ", mciWaveAudio, "  " + path + " ", false, 4));
    EXPECT_EQ(Last(), "open WaveAudio!" + shortPath + " alias WAVE wait buffer 4");
    EXPECT_EQ(DeviceStatus("WAVE", "length"), "2000");
    EXPECT_TRUE(mci->MCI_Open("W2", mciWaveAudio, path));
    EXPECT_EQ(Last(), "open WaveAudio!" + shortPath + " alias W2 wait");

    // A wave path that is not there opens a new, empty wave device.
    EXPECT_TRUE(mci->MCI_Open("EMPTY", mciWaveAudio, folder / "missing.wav"));
    EXPECT_EQ(Last(), "open WaveAudio alias EMPTY wait");
    EXPECT_EQ(DeviceStatus("EMPTY", "mode"), "stopped");
    // A file opened by its own extension; one that is not there sends nothing.
    EXPECT_TRUE(mci->MCI_Open("BYNAME", mciOther, path));
    EXPECT_EQ(Last(), "open " + shortPath + " alias BYNAME wait");
    sent.clear();
    EXPECT_FALSE(mci->MCI_Open("NONE", mciOther, folder / "missing.wav", false, 0, nullptr, false,
                               false, false, "", nullptr, true));
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(user.Boxes.size(), 1u);
    EXPECT_TRUE(mci->MCI_CloseAll());
    EXPECT_EQ(Last(), "close all wait");
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "(error)");
}

TEST_F(MciTest, PlaysPausesResumesAndStopsAWaveAudibly) {
    test::SoundMonitor monitor;
    ASSERT_TRUE(monitor.Running()) << "parec did not start";
    const std::string path = folder / "tone.wav";
    test::WriteTone(path, 4.0, 659);
    ASSERT_TRUE(mci->MCI_Open("WAVE", mciWaveAudio, path));

    monitor.Skip();
    EXPECT_TRUE(mci->MCI_Play("WAVE"));
    EXPECT_EQ(Last(), "play WAVE");
    EXPECT_GE(monitor.WaitForSound(659, 2000), 0) << "the tone was not heard";
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");

    EXPECT_TRUE(mci->MCI_Pause("WAVE"));
    EXPECT_EQ(Last(), "pause WAVE");
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "paused");
    const std::string pausedAt = DeviceStatus("WAVE", "position");
    EXPECT_TRUE(monitor.FallsSilent(659)) << "still sounding while paused";
    EXPECT_EQ(DeviceStatus("WAVE", "position"), pausedAt);

    monitor.Skip();
    EXPECT_TRUE(mci->MCI_Resume("WAVE"));
    EXPECT_EQ(Last(), "resume WAVE");
    EXPECT_GE(monitor.WaitForSound(659, 2000), 0) << "not heard again after resuming";
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");

    EXPECT_TRUE(mci->MCI_Stop("WAVE"));
    EXPECT_EQ(Last(), "stop WAVE");
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "stopped");
    EXPECT_TRUE(monitor.FallsSilent(659)) << "still sounding after stop";

    EXPECT_TRUE(mci->MCI_SeekEnd("WAVE"));
    EXPECT_EQ(Last(), "seek WAVE to end wait");
    EXPECT_EQ(DeviceStatus("WAVE", "position"), "4000");
    EXPECT_TRUE(mci->MCI_Seek("WAVE", 1000));
    EXPECT_EQ(Last(), "seek WAVE to 1000 wait");
    EXPECT_EQ(DeviceStatus("WAVE", "position"), "1000");
    EXPECT_TRUE(mci->MCI_SeekBeginning("WAVE"));
    EXPECT_EQ(Last(), "seek WAVE to start wait");
    EXPECT_EQ(DeviceStatus("WAVE", "position"), "0");

    // From and to, waiting until the end position is reached.
    EXPECT_TRUE(mci->MCI_Play("WAVE", true, 500, true, 800, false, false, nullptr, true));
    EXPECT_EQ(Last(), "play WAVE from 500 to 800 wait");
    EXPECT_EQ(DeviceStatus("WAVE", "position"), "800");
    // Options the wave device does not know are still sent in their order.
    EXPECT_FALSE(mci->MCI_Play("WAVE", false, 0, false, 0, true, true));
    EXPECT_EQ(Last(), "play WAVE repeat fullscreen");

    std::string answer = "old";
    EXPECT_TRUE(mci->MCI_Status("WAVE", "length", answer));
    EXPECT_EQ(Last(), "status WAVE length wait");
    EXPECT_EQ(answer, "4000");
    EXPECT_TRUE(mci->MCI_Set("WAVE", "time format bytes"));
    EXPECT_EQ(Last(), "set WAVE time format bytes wait");
    EXPECT_TRUE(mci->MCI_Status("WAVE", "length", answer));
    EXPECT_EQ(answer, std::to_string(4 * 22050 * 2));
    EXPECT_TRUE(mci->MCI_Close("WAVE"));
    EXPECT_EQ(Last(), "close WAVE wait");
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "(error)");
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(MciTest, AFileNamedOutsideTheCodePageStillPlays) {
    test::SoundMonitor monitor;
    ASSERT_TRUE(monitor.Running());
    const std::string path = folder / "\xCE\xA9mega \xE2\x99\xAB \xD0\x96.wav"; // Omega, a note, Zhe
    test::WriteTone(path, 2.0, 587);
    ASSERT_TRUE(rt::FileExists(path));
    EXPECT_TRUE(mci->MCI_Open("WAVE", mciWaveAudio, path, false, 0, nullptr, false, false, false,
                              "", nullptr, true));
    EXPECT_EQ(DeviceStatus("WAVE", "length"), "2000");
    monitor.Skip();
    EXPECT_TRUE(mci->MCI_Play("WAVE", false, 0, false, 0, false, false, nullptr, false, true));
    EXPECT_GE(monitor.WaitForSound(587, 2000), 0);
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(MciTest, TheSequencerOpensAndChangesModesWithoutAnOutputDevice) {
    const std::string path = folder / "song.mid";
    test::WriteMidi(path, 8);
    EXPECT_TRUE(mci->MCI_Open("MIDI", mciSequencer, path, false, 4));
    EXPECT_EQ(Last(), "open Sequencer!" + ShortUpper(path) + " alias MIDI wait"); // no buffer
    EXPECT_EQ(DeviceStatus("MIDI", "length"), "4000");
    EXPECT_TRUE(mci->MCI_Play("MIDI"));
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "playing");
    EXPECT_TRUE(mci->MCI_Pause("MIDI"));
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "paused");
    EXPECT_TRUE(mci->MCI_Resume("MIDI"));
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "playing");
    EXPECT_TRUE(mci->MCI_Stop("MIDI"));
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "stopped");
    EXPECT_TRUE(mci->MCI_Close("MIDI"));
}

TEST_F(MciTest, DevicesThatCannotExistHereShowTheirErrorBoxes) {
    auto box = [](MCIERROR code) {
        return kLead + std::string("Error Number = ") + std::to_string(code) +
               "\rError Description = " + SystemErrorText(code);
    };
    EXPECT_FALSE(mci->MCI_Open("CD", mciCDAudio, "", true, 0, nullptr, false, false, false, "",
                               nullptr, true));
    EXPECT_EQ(Last(), "open cdaudio alias CD wait shareable");
    EXPECT_FALSE(mci->MCI_Open("CD", mciCDAudio, "C:\\", false, 0, nullptr, false, false, false,
                               "", nullptr, true));
    EXPECT_EQ(Last(), "open c: type cdaudio alias CD wait");
    EXPECT_FALSE(mci->MCI_Open("VD", mciVideoDisc, "", false, 0, nullptr, false, false, false,
                               "", nullptr, true));
    EXPECT_EQ(Last(), "open videodisc alias VD wait");
    // Without ShowErrors a refusal is quiet.
    EXPECT_FALSE(mci->MCI_Open("VD", mciVideoDisc));

    const auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    for (const auto& shown : boxes) {
        EXPECT_EQ(shown.Title, "  MCI ERROR");
        EXPECT_EQ(shown.Style, rt::vbExclamation);
        EXPECT_EQ(shown.Prompt.rfind(kLead, 0), 0u) << shown.Prompt;
    }
    // Each box carries the device's own number and text.
    std::vector<std::string> expected;
    for (const char* command : {"open cdaudio alias CD wait shareable",
                                "open c: type cdaudio alias CD wait", "open videodisc alias VD wait"})
        expected.push_back(box(mciSendStringW(rt::Wide(command).c_str(), nullptr, 0, nullptr)));
    for (size_t i = 0; i < boxes.size(); ++i) EXPECT_EQ(boxes[i].Prompt, expected[i]);

    // A windowed device type opens by name with its window options in order.
    sent.clear();
    EXPECT_FALSE(mci->MCI_Open("AVI", mciAVIVideo, folder / "none.avi", true, 0,
                               reinterpret_cast<HWND>(static_cast<intptr_t>(4242)), true, true, true,
                               "  thin  "));
    EXPECT_EQ(Last(), "open avivideo alias AVI wait parent 4242 shareable style child style "
                      "overlapped style popup style thin");
}

TEST_F(MciTest, FlagsAreWordsOfTheirOwnNotPartsOfAnAlias) {
    test::NotifyWindow window;
    const std::string path = folder / "short.wav";
    test::WriteTone(path, 0.3, 700);
    ASSERT_TRUE(mci->MCI_Open("NOTIFYME", mciWaveAudio, path));
    EXPECT_TRUE(mci->MCI_Play("NOTIFYME", false, 0, false, 0, false, false, window.hWnd()));
    EXPECT_EQ(Last(), "play NOTIFYME notify");
    EXPECT_TRUE(rt::test::WaitFor(
        [&] {
            return std::find(window.Codes.begin(), window.Codes.end(),
                             static_cast<WPARAM>(MCI_NOTIFY_SUCCESSFUL)) != window.Codes.end();
        },
        5000))
        << "the end of play was never notified";

    ASSERT_TRUE(mci->MCI_Open("WAITER", mciWaveAudio, path));
    EXPECT_TRUE(mci->MCI_SeekEnd("WAITER"));
    EXPECT_EQ(Last(), "seek WAITER to end wait");
    std::string answer;
    EXPECT_TRUE(mci->MCIa_SendCommand("   status WAITER mode Wait  ", true, &answer));
    EXPECT_EQ(Last(), "status WAITER mode Wait");
    EXPECT_EQ(answer, "stopped");
    EXPECT_TRUE(mci->MCIa_SendCommand("status waiter position NOTIFY", true, &answer,
                                      window.hWnd()));
    EXPECT_EQ(Last(), "status waiter position NOTIFY wait");
    EXPECT_EQ(answer, "300");
    // Whatever follows a NUL is not part of the command.
    EXPECT_TRUE(mci->MCIa_SendCommand(std::string("stop WAITER\0close all", 21)));
    EXPECT_EQ(Last(), "stop WAITER wait");
    EXPECT_EQ(DeviceStatus("WAITER", "mode"), "stopped");
    // A device called "wait" still gets the flag.
    EXPECT_TRUE(mci->MCI_Open("wait", mciWaveAudio, ""));
    EXPECT_TRUE(mci->MCI_Close("wait"));
    EXPECT_EQ(Last(), "close wait wait");
}

TEST_F(MciTest, BlankAliasesAndCommandsSendNothing) {
    std::string answer = "old";
    HWND none = nullptr;
    EXPECT_FALSE(mci->MCI_Status("   ", "mode", answer));
    EXPECT_EQ(answer, "");
    EXPECT_FALSE(mci->MCI_Open("   ", mciWaveAudio));
    EXPECT_FALSE(mci->MCI_Play(" "));
    EXPECT_FALSE(mci->MCI_Close(""));
    EXPECT_FALSE(mci->MCI_Pause(" "));
    EXPECT_FALSE(mci->MCI_Resume(" "));
    EXPECT_FALSE(mci->MCI_Stop(" "));
    EXPECT_FALSE(mci->MCI_Seek(" ", 5));
    EXPECT_FALSE(mci->MCI_SeekBeginning(" "));
    EXPECT_FALSE(mci->MCI_SeekEnd(" "));
    EXPECT_FALSE(mci->MCI_Set(" ", "time format milliseconds"));
    EXPECT_FALSE(mci->MCI_Door(" ", true));
    EXPECT_FALSE(mci->MCI_WindowCaption(" ", "x", none, false, true));
    EXPECT_FALSE(mci->MCIa_MoveVideo(" "));
    EXPECT_FALSE(mci->MCIa_SendCommand("     ", true, &answer, none, true, true));
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(MciTest, VideoAndDoorCommandsFailOnAWaveDevice) {
    ASSERT_TRUE(mci->MCI_Open("WAVE", mciWaveAudio));
    sent.clear();
    EXPECT_FALSE(mci->MCI_WindowCaption("WAVE", "Caption"));
    EXPECT_EQ(sent, std::vector<std::string>{"status WAVE window handle wait"});
    EXPECT_FALSE(mci->MCI_WindowIcon("WAVE", nullptr));
    sent.clear();
    EXPECT_FALSE(mci->MCIa_MoveVideo("WAVE", true, 1, 2, 3, 4, false, 5, 6, 7, 8, false));
    EXPECT_EQ(sent, std::vector<std::string>{"put WAVE window"}); // stops at the first refusal
    EXPECT_FALSE(mci->MCI_Door("WAVE", true, nullptr, true, true));
    EXPECT_EQ(Last(), "Set WAVE door open wait");
    EXPECT_FALSE(mci->MCI_Door("WAVE", false));
    EXPECT_EQ(Last(), "Set WAVE door closed wait");
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_NE(user.MessageBoxes()[0].Prompt.find("Error Number = 274"), std::string::npos);
}

TEST_F(MciTest, ANewObjectClosesWhatTheProgramLeftOpen) {
    ASSERT_EQ(mciSendStringW(L"open new type waveaudio alias STRAY wait", nullptr, 0, nullptr), 0u);
    ASSERT_EQ(DeviceStatus("STRAY", "mode"), "stopped");
    auto another = std::make_shared<cMCI_Adv>();
    EXPECT_EQ(DeviceStatus("STRAY", "mode"), "(error)");
    ASSERT_TRUE(another->MCI_Open("KEPT", mciWaveAudio));
    another.reset(); // and so does its end
    EXPECT_EQ(DeviceStatus("KEPT", "mode"), "(error)");
}

TEST(Drives, TypesByLetterAndTheCdCount) {
    auto mci = std::make_shared<cMCI_Adv>();
    EXPECT_EQ(mci->OS_CheckDriveType("c"), "Fixed");
    EXPECT_EQ(mci->OS_CheckDriveType("C"), "Fixed");
    EXPECT_EQ(mci->OS_CheckDriveType(""), "Invalid Drive Letter");
    EXPECT_EQ(mci->OS_CheckDriveType("cd"), "Invalid Drive Letter");
    EXPECT_EQ(mci->OS_CheckDriveType(" "), "Unknown");
    int16_t cds = 0;
    for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
        const std::wstring root = std::wstring(1, letter) + L":\\";
        if (GetDriveTypeW(root.c_str()) == DRIVE_NO_ROOT_DIR) {
            EXPECT_EQ(mci->OS_CheckDriveType(rt::Utf8(std::wstring(1, letter))), "Unknown");
        }
        if (GetDriveTypeW(root.c_str()) == DRIVE_CDROM) ++cds;
    }
    EXPECT_EQ(mci->OS_GetCdCount(), cds);
}

} // namespace
} // namespace tunebox
