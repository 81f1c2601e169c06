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
    Play(form.MIDIs, "Song.MID");
    EXPECT_EQ(DeviceStatus("MIDI", "length"), "2000");
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "playing");
    EXPECT_FALSE(form.MIDIPaused);
    EXPECT_EQ(form.cmdMIDI_Pause.Picture(), form.imgNormal.Picture());
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");
    form.mnuPopMIDIPause.Click();
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "paused");

    // Enter on a line plays it; so does a name in another case of letters.
    form.MIDIs.ListIndex(LineOf(form.MIDIs, "song.rmi"));
    form.MIDIs_KeyUp(VK_RETURN, 0);
    EXPECT_EQ(DeviceStatus("MIDI", "length"), "1000");
    form.mnuSoundsMIDIStop.Click();
    EXPECT_EQ(DeviceStatus("MIDI", "mode"), "(error)");
    EXPECT_EQ(DeviceStatus("WAVE", "mode"), "playing");
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(WindowTest, AFileTheDeviceCannotOpenShowsItsBoxes) {
    frmMain& form = Start();
    Play(form.WAVEs, "broken.wav");
    const auto boxes = user.MessageBoxes();
    ASSERT_GE(boxes.size(), 1u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.Title, "  MCI ERROR");
        EXPECT_EQ(box.Style, rt::vbExclamation);
    }
    // It counts as open: its commands fail quietly.
    EXPECT_TRUE(form.WAVEOpen);
    const size_t shown = user.Boxes.size();
    form.cmdWAVE_Pause.Press();
    form.cmdWAVE_Stop.Press();
    EXPECT_EQ(user.Boxes.size(), shown);
    EXPECT_FALSE(form.WAVEOpen);
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
