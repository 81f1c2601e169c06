// The player window on real lists and devices: a folder listed, files played
// by double-click and keys, the transport buttons, two kinds side by side,
// the error boxes, an unreadable drive, Open Directory and the refresh keys.
#include <windows.h>

#include <rt.h>
#include <rt/scripted_user.h>

#include "frmMain.h"
#include "player_support.h"
#include "test_support.h"

namespace tunebox {
namespace {

using rt::test::DoubleClickLine;
using rt::test::WriteBytes;
using test::DeviceStatus;

constexpr double kToneA = 880, kToneB = 988;

std::vector<std::string> Entries(const rt::FileListBox& list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list.ListCount(); ++i) entries.push_back(list.List(i));
    return entries;
}

// A wave format header: mono 16-bit samples, changed as the test says.
template <class F> test::WaveHeader Header(F change) {
    test::WaveHeader header;
    change(header);
    return header;
}

// Makes a header the extensible kind, of plain samples.
void Extensible(test::WaveHeader& h) {
    h.Tag = 0xFFFE;
    h.Extension = std::string("\x16\0\x10\0\x04\0\0\0", 8) + // size, valid bits, speaker
                  std::string("\x01\0\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 16);
}

int LineOf(const rt::FileListBox& list, const std::string& entry) {
    for (int i = 0; i < list.ListCount(); ++i)
        if (list.List(i) == entry) return i;
    return -1;
}

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetIdentity();
        rt::DeleteSetting("Tunebox");
        master_ = std::make_shared<cMCI_Adv>()->MCIa_VolumeSystem();
        test::WriteTone(folder / "a.wav", 3.0, kToneA);
        test::WriteTone(folder / "b.WAV", 3.0, kToneB);
        test::WriteMidi(folder / "c.mid", 8);
        test::WriteMidi(folder / "Song.MID", 4);
        test::WriteMidi(folder / "song.rmi", 2);
        WriteBytes(folder / "notes.txt", "not a sound");
        WriteBytes(folder / "broken.wav", "RIFF this is no wave at all");
    }
    void TearDown() override {
        if (frmMain::Exists()) frmMain::Get().Unload();
        rt::DoEvents();
        rt::DeleteSetting("Tunebox");
        std::make_shared<cMCI_Adv>()->MCIa_VolumeSystem(master_);
    }
    frmMain& Start() {
        rt::SaveSetting("Tunebox", "Settings", "Directory", folder.Path());
        frmMain& form = frmMain::Get();
        form.Show();
        rt::DoEvents();
        return form;
    }
    void Play(rt::FileListBox& list, const std::string& entry) {
        const int line = LineOf(list, entry);
        ASSERT_GE(line, 0) << entry;
        DoubleClickLine(list.hWnd(), line);
    }

    rt::ScriptedUser user;
    rt::test::TempFolder folder;
    long master_ = 0;
};

TEST_F(WindowTest, AFolderIsListedAndAWaveLinePlaysAudibly) {
    test::SoundMonitor monitor;
    ASSERT_TRUE(monitor.Running());
    frmMain& form = Start();
    EXPECT_EQ(rt::UCase(form.Directory1.Path()), rt::UCase(folder.Path()));
    EXPECT_EQ(Entries(form.MIDIs), (std::vector<std::string>{"c.mid", "Song.MID", "song.rmi"}));
    EXPECT_EQ(Entries(form.WAVEs), (std::vector<std::string>{"a.wav", "b.WAV", "broken.wav"}));

    // Nothing selected: a double-click does nothing.
    form.WAVEs_DblClick();
    EXPECT_FALSE(form.WAVEOpen);
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "(error)");

    monitor.Skip();
    Play(form.WAVEs, "a.wav");
    EXPECT_TRUE(form.WAVEOpen);
    EXPECT_FALSE(form.WAVEPaused);
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");
    EXPECT_GE(monitor.WaitForSound(kToneA, 2000), 0) << "a.wav was not heard";

    // Down moves to the next line and plays it when the key comes up.
    monitor.Skip();
    rt::test::PostKey(form.WAVEs.hWnd(), VK_DOWN);
    rt::DoEvents();
    EXPECT_EQ(form.WAVEs.ListIndex(), 1);
    EXPECT_GE(monitor.WaitForSound(kToneB, 2000), 0) << "b.WAV was not heard";
    EXPECT_TRUE(monitor.FallsSilent(kToneA)) << "a.wav still sounds after the next one started";
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(WindowTest, PausePlayAndStopFollowTheirStates) {
    test::SoundMonitor monitor;
    ASSERT_TRUE(monitor.Running());
    frmMain& form = Start();
    Play(form.WAVEs, "a.wav");
    ASSERT_EQ(DeviceStatus("WAVE", "mode"), "playing");

    form.cmdWAVE_Pause.Press();
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "paused");
    EXPECT_TRUE(form.WAVEPaused);
    EXPECT_EQ(form.cmdWAVE_Pause.Picture(), form.imgPaused.Picture());
    EXPECT_TRUE(form.imgPaused.Picture());
    EXPECT_TRUE(monitor.FallsSilent(kToneA)) << "heard while paused";

    // Play on a paused file resumes it; Pause on a paused one does too.
    monitor.Skip();
    form.cmdWAVE_Play.Press();
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");
    EXPECT_FALSE(form.WAVEPaused);
    EXPECT_EQ(form.cmdWAVE_Pause.Picture(), form.imgNormal.Picture());
    EXPECT_GE(monitor.WaitForSound(kToneA, 2000), 0);
    form.mnuSoundsWAVEPause.Click();
    form.mnuPopWAVEPause.Click();
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");
    EXPECT_FALSE(form.WAVEPaused);

    // Play on a playing file starts it again from the beginning.
    Sleep(900);
    const long before = std::stol(DeviceStatus("WAVE", "position"));
    form.cmdWAVE_Play.Press();
    const long after = std::stol(DeviceStatus("WAVE", "position"));
    EXPECT_LT(after, before - 300) << "from " << before << " to " << after;
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");

    form.cmdWAVE_Stop.Press();
    EXPECT_FALSE(form.WAVEOpen);
    EXPECT_FALSE(form.WAVEPaused);
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "(error)"); // closed
    EXPECT_TRUE(monitor.FallsSilent(kToneA)) << "heard after stop";
    // Stop and Pause with nothing open change nothing but the flags.
    form.cmdWAVE_Stop.Press();
    form.cmdWAVE_Pause.Press();
    EXPECT_FALSE(form.WAVEOpen);
    EXPECT_FALSE(form.WAVEPaused);
    // Play with nothing open plays the selected line.
    form.cmdWAVE_Play.Press();
    EXPECT_TRUE(form.WAVEOpen);
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(WindowTest, AMidiAndAWaveFilePlaySideBySide) {
    frmMain& form = Start();
    Play(form.WAVEs, "a.wav");
    Play(form.MIDIs, "c.mid");
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "playing");
    EXPECT_EQ(DeviceStatus("MIDI", "length"), "4000");
    form.cmdMIDI_Pause.Press();
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "paused");
    EXPECT_EQ(form.cmdMIDI_Pause.Picture(), form.imgPaused.Picture());
    EXPECT_EQ(form.cmdWAVE_Pause.Picture(), form.imgNormal.Picture());
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");

    // Another MIDI file while one is paused: the first is closed, the new one
    // plays with the Pause button as it was, and the next Pause pauses it.
    // (An Enter goes down in the list before.)
    PostMessageW(form.MIDIs.hWnd(), WM_KEYDOWN, VK_RETURN, 1);
    rt::DoEvents();
    Play(form.MIDIs, "Song.MID");
    EXPECT_EQ(DeviceStatus("MIDI", "length"), "2000");
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "playing");
    EXPECT_FALSE(form.MIDIPaused);
    EXPECT_EQ(form.cmdMIDI_Pause.Picture(), form.imgNormal.Picture());
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");
    form.mnuPopMIDIPause.Click();
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "paused");

    // Enter on a line plays it; so does a name in another case of letters.
    // An Enter that has not gone down here since the last play (it went down
    // on one of its boxes, say) plays nothing when it comes up here.
    form.MIDIs.ListIndex(LineOf(form.MIDIs, "song.rmi"));
    PostMessageW(form.MIDIs.hWnd(), WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001u));
    rt::DoEvents();
    EXPECT_EQ(DeviceStatus("MIDI", "length"), "2000");
    rt::test::PressKey(form.MIDIs.hWnd(), VK_RETURN);
    EXPECT_EQ(DeviceStatus("MIDI", "length"), "1000");
    form.mnuSoundsMIDIStop.Click();
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "(error)");
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(WindowTest, AFileTheDeviceCannotOpenShowsItsBoxes) {
    // Cut short in its format header, without one, with one of an old short
    // kind: the device refuses each as it refuses a file that is no wave.
    const std::string whole = rt::test::ReadBytes(folder / "a.wav");
    WriteBytes(folder / "short.wav", whole.substr(0, 30));
    WriteBytes(folder / "formless.wav",
               "RIFF" + std::string("\x14\0\0\0", 4) + "WAVE" + test::Chunk("data", "12345678"));
    WriteBytes(folder / "old.wav", "RIFF" + std::string("\x2A\0\0\0", 4) + "WAVE" +
                                       test::Chunk("fmt ", whole.substr(20, 14)) +
                                       test::Chunk("data", "12345678"));
    frmMain& form = Start();
    form.WAVEs.Refresh();
    for (const char* name : {"short.wav", "formless.wav", "old.wav", "broken.wav"}) {
        SCOPED_TRACE(name);
        user.Boxes.clear();
        Play(form.WAVEs, name);
        const auto boxes = user.MessageBoxes();
        ASSERT_EQ(boxes.size(), 2u); // the open's and the play's
        EXPECT_NE(boxes[0].Prompt.find("Error Number = 296"), std::string::npos) << boxes[0].Prompt;
        for (const auto& box : boxes) {
            EXPECT_EQ(box.Title, "  MCI ERROR");
            EXPECT_EQ(box.Style, rt::vbExclamation);
        }
    }
    // It counts as open: its commands fail quietly.
    EXPECT_TRUE(form.WAVEOpen);
    const size_t shown = user.Boxes.size();
    form.cmdWAVE_Pause.Press();
    form.cmdWAVE_Stop.Press();
    EXPECT_EQ(user.Boxes.size(), shown);
    EXPECT_FALSE(form.WAVEOpen);
}

// The format headers of waves that no player can play: one box of the
// program's own for each, and the device is not asked to open the file.
TEST_F(WindowTest, AWaveHeaderThatDescribesNoSoundIsRefused) {
    const std::string tone = test::ToneSamples(0.5, kToneA);
    const std::string info = test::Chunk("LIST", "INFOISFT" + test::Chunk("ISFT", "abc"));
    struct Case {
        const char* name;
        test::WaveHeader header;
        std::string before;
        const char* fault;
    };
    const std::vector<Case> cases{
        {"mute.wav", Header([](auto& h) { h.Channels = 0; }), "",
         "Its wave format header gives 0 channels."},
        {"rateless.wav", Header([](auto& h) { h.Rate = 0; }), "",
         "Its wave format header gives 0 samples per second."},
        {"blockless.wav", Header([](auto& h) { h.BlockAlign = 0; }), "",
         "Its wave format header gives a block alignment of 0."},
        {"bitless.wav", Header([](auto& h) { h.Bits = 0; }), "",
         "Its wave format header gives 0 bits per sample."},
        {"widebitless.wav", Header([](auto& h) { Extensible(h), h.Bits = 0; }), "",
         "Its wave format header gives 0 bits per sample."},
        // Found behind chunks of odd length, which are padded.
        {"latemute.wav", Header([](auto& h) { h.Channels = 0; }), info + test::Chunk("junk", "x"),
         "Its wave format header gives 0 channels."}};
    for (const Case& c : cases) test::WriteWave(folder / c.name, c.header, tone, c.before);
    frmMain& form = Start();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        user.Boxes.clear();
        Play(form.WAVEs, c.name);
        const auto boxes = user.MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].Title, "  Can Not Play File");
        EXPECT_EQ(boxes[0].Prompt, std::string(c.name) + " can not be played.\r\r" + c.fault);
        EXPECT_EQ(boxes[0].Style, rt::vbExclamation);
        EXPECT_EQ(DeviceStatus("WAVE", "mode"), "(error)") << "opened";
        // It counts as open, as a file the device refused: its commands fail quietly.
        EXPECT_TRUE(form.WAVEOpen);
        form.cmdWAVE_Play.Press();
        EXPECT_EQ(user.Boxes.size(), 1u);
    }
}

// Headers with fields that only compressed formats leave empty, the
// extensible header, and a format header behind other chunks still go to the
// device and play.
TEST_F(WindowTest, WaveHeadersThatPlayStillGoToTheDevice) {
    test::SoundMonitor monitor;
    ASSERT_TRUE(monitor.Running());
    const std::string info = test::Chunk("LIST", "INFOISFT" + test::Chunk("ISFT", "abc"));
    test::WriteWave(folder / "late.wav", {}, test::ToneSamples(2.0, kToneA),
                    info + test::Chunk("junk", "x"));
    test::WriteWave(folder / "wide.wav", Header([](auto& h) { Extensible(h); }),
                    test::ToneSamples(2.0, kToneB));
    // Block-coded samples with 0 bits, as such encoders write them.
    test::WriteWave(folder / "adpcm.wav", Header([](auto& h) {
                        h.Tag = 2, h.BlockAlign = 256, h.Bits = 0, h.BytesPerSecond = 11100;
                        h.Extension = std::string("\x20\0\xF4\x01\x07\0", 6) + std::string(28, '\0');
                    }),
                    std::string(2560, '\0'));
    test::WriteWave(folder / "unpaced.wav", Header([](auto& h) { h.BytesPerSecond = 0; }),
                    test::ToneSamples(0.5, kToneA));
    frmMain& form = Start();
    for (const auto& [name, tone] :
         {std::pair{"late.wav", kToneA}, std::pair{"wide.wav", kToneB}, std::pair{"adpcm.wav", 0.0},
          std::pair{"unpaced.wav", 0.0}}) {
        SCOPED_TRACE(name);
        monitor.Skip();
        Play(form.WAVEs, name);
        EXPECT_NE(DeviceStatus("WAVE", "mode"), "(error)") << "not opened";
        if (tone > 0) {
            EXPECT_GE(monitor.WaitForSound(tone, 2000), 0) << "not heard";
        }
    }
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(WindowTest, AnUnreadableDriveIsRefusedAndTheStartDriveComesBack) {
    rt::test::LostDrive lost;
    ASSERT_TRUE(lost.Defined());
    frmMain& form = Start();
    form.Drive1.Refresh();
    const std::string start = form.StartDrive;
    // The user moves to another drive first, then to the one without a medium.
    const std::string other = start[0] == 'c' ? "z:" : "c:";
    form.Drive1.Drive(other);
    const std::string folderThere = form.Directory1.Path();
    EXPECT_EQ(rt::LCase(folderThere.substr(0, 2)), other);
    // Chosen in the list, as the user does, by the drive's letter.
    form.Drive1.SetFocus();
    rt::SendKeys(lost.Name().substr(0, 1));
    rt::DoEvents();
    const auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Title, "  Can Not Access Drive");
    EXPECT_EQ(boxes[0].Prompt, lost.Name() + " is not accessible.\r\rThe device is not ready.");
    EXPECT_EQ(boxes[0].Style, rt::vbCritical);
    EXPECT_EQ(form.Drive1.Drive(), start);
    EXPECT_EQ(rt::test::WindowText(form.Drive1.hWnd()), start);
}

TEST_F(WindowTest, OpenDirectoryMovesTheListsOrLeavesThem) {
    rt::test::TempFolder other;
    test::WriteTone(other / "z.wav", 0.5, kToneA);
    frmMain& form = Start();
    user.CancelFolder();
    form.mnuFileOpen_Click();
    EXPECT_EQ(rt::UCase(form.Directory1.Path()), rt::UCase(folder.Path()));
    EXPECT_EQ(Entries(form.WAVEs).size(), 3u);

    user.ChooseFolder(other.Path());
    form.mnuFileOpen_Click();
    ASSERT_EQ(user.Boxes.size(), 2u);
    EXPECT_EQ(user.Boxes[1].Prompt, "Select The Directory To Open:");
    EXPECT_EQ(user.Boxes[1].Style, 0x51);
    EXPECT_EQ(rt::UCase(form.Directory1.Path()), rt::UCase(other.Path()));
    EXPECT_EQ(Entries(form.WAVEs), std::vector<std::string>{"z.wav"});
    EXPECT_TRUE(Entries(form.MIDIs).empty());

    // A folder the drive list cannot take (its drive went away) is reported,
    // and the window goes on.
    rt::test::LostDrive lost;
    ASSERT_TRUE(lost.Defined());
    user.ChooseFolder(lost.Name() + "\\music");
    form.mnuFileOpen_Click();
    const auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Title, "  Error Occured");
    EXPECT_NE(boxes[0].Prompt.find("Error Number = "), std::string::npos);
    EXPECT_EQ(rt::UCase(form.Directory1.Path()), rt::UCase(other.Path()));
    EXPECT_TRUE(form.Loaded());
}

TEST_F(WindowTest, RefreshFindsNewFiles) {
    frmMain& form = Start();
    test::WriteTone(folder / "d.wav", 0.5, kToneA);
    test::WriteMidi(folder / "e.mid", 1);
    EXPECT_EQ(Entries(form.WAVEs).size(), 3u);
    form.WAVEs_KeyUp(VK_F5, 0);
    EXPECT_EQ(Entries(form.WAVEs).size(), 4u);
    EXPECT_EQ(Entries(form.MIDIs).size(), 3u);
    form.mnuSoundsRefresh.Click();
    EXPECT_EQ(Entries(form.MIDIs).size(), 4u);
    CreateDirectoryW(rt::Wide(folder / "new folder").c_str(), nullptr);
    form.Directory1_KeyDown(VK_F5, 0);
    EXPECT_EQ(form.Directory1.ListCount(), 1);
}

} // namespace
} // namespace tunebox
