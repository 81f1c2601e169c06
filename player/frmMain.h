// Tunebox's main window: a drive and a folder, the folder's MIDI and wave
// files, playing one of each kind at a time with its own Play, Pause and
// Stop; the master volume; the tray icon and its pop-up menu; the options.
#pragma once

#include <bitset>
#include <memory>
#include <string>

#include <rt.h>

#include "cMCI_Adv.h"
#include "cSysTray.h"

namespace tunebox {

// The program's title, version and About box.
void SetIdentity();

// The master volume that the volume bar at `value` stands for, on a line whose
// maximum is `max` (the bar's top is the loudest).
long VolumeAtBar(long max, int value);

class frmMain : public rt::Form, public rt::FormOf<frmMain> {
  public:
    frmMain();
    ~frmMain() override;

    rt::Label Label3{*this};
    rt::DriveListBox Drive1{*this};
    rt::DirListBox Directory1{*this};
    rt::Label Label1{*this};
    rt::FileListBox MIDIs{*this};
    rt::CommandButton cmdMIDI_Play{*this}, cmdMIDI_Pause{*this}, cmdMIDI_Stop{*this};
    rt::Label Label2{*this};
    rt::FileListBox WAVEs{*this};
    rt::CommandButton cmdWAVE_Play{*this}, cmdWAVE_Pause{*this}, cmdWAVE_Stop{*this};
    rt::Frame Frame1{*this};
    rt::VScrollBar vsVolume{Frame1};
    rt::Line Line2{Frame1, 210, 315, 715, 315}, Line3{Frame1, 210, 630, 715, 630},
        Line4{Frame1, 210, 945, 715, 945}, Line5{Frame1, 210, 1260, 715, 1260},
        Line6{Frame1, 210, 1575, 715, 1575}, Line7{Frame1, 210, 1890, 715, 1890},
        Line8{Frame1, 210, 2205, 715, 2205}, Line9{Frame1, 210, 2520, 715, 2520},
        Line10{Frame1, 210, 2835, 715, 2835}, Line11{Frame1, 210, 3150, 715, 3150},
        Line12{Frame1, 210, 3465, 715, 3465}, Line13{Frame1, 210, 3780, 715, 3780},
        Line14{Frame1, 210, 4095, 715, 4095}, Line15{Frame1, 210, 4410, 715, 4410};
    rt::Image imgNormal{*this}, imgPaused{*this};
    rt::Line Line1{*this, -15, 0, 65500, 0}, Line16{*this, -15, 15, 65500, 15};

    rt::MenuItem mnuFile{" &File"};
    rt::MenuItem mnuFileOpen{"&Open Directory    ", rt::ShortcutCtrl('O')};
    rt::MenuItem mnuFileBlank1{"-"};
    rt::MenuItem mnuFileExit{"E&xit", rt::ShortcutCtrl('X')};
    rt::MenuItem mnuOptions{" &Options"};
    rt::MenuItem mnuOptionsTop{"&Always On Top    ", rt::ShortcutF(2), true};
    rt::MenuItem mnuOptionsMin{"&Show In Taskbar On Minimize   ", rt::ShortcutF(3)};
    rt::MenuItem mnuSounds{" &Sounds"};
    rt::MenuItem mnuSoundsRefresh{"&Refresh Lists    ", rt::ShortcutF(5)};
    rt::MenuItem mnuSoundsBlank1{"-"};
    rt::MenuItem mnuSoundsMIDIPlay{"Play &MIDI"}, mnuSoundsMIDIPause{"Pause M&IDI"},
        mnuSoundsMIDIStop{"Stop MI&DI"};
    rt::MenuItem mnuSoundsBlank2{"-"};
    rt::MenuItem mnuSoundsWAVEPlay{"Play &WAVE"}, mnuSoundsWAVEPause{"Pause W&AVE"},
        mnuSoundsWAVEStop{"Stop WA&VE"};
    rt::MenuItem mnuHelp{" &Help"};
    rt::MenuItem mnuHelpAbout{"&About     ", rt::ShortcutF(1)};
    rt::MenuItem mnuPop{"Pop"};
    rt::MenuItem mnuPopMIDIPlay{"Play &MIDI"}, mnuPopMIDIPause{"Pause M&IDI"},
        mnuPopMIDIStop{"Stop MI&DI"};
    rt::MenuItem mnuPopBlank1{"-"};
    rt::MenuItem mnuPopWAVEPlay{"Play &WAVE"}, mnuPopWAVEPause{"Pause W&AVE"},
        mnuPopWAVEStop{"Stop WA&VE"};
    rt::MenuItem mnuPopBlank2{"-"};
    rt::MenuItem mnuPopAbout{"&About"};
    rt::MenuItem mnuPopBlank3{"-"};
    rt::MenuItem mnuPopExit{"E&xit"};

    // The window's state.
    std::shared_ptr<cMCI_Adv> MCIObject;
    bool MIDIPaused = false, WAVEPaused = false, MIDIOpen = false, WAVEOpen = false;
    std::string StartDrive;
    std::unique_ptr<cSysTray> SysTray;
    bool ShowInTaskbar = false;

    // Lists and playback.
    void Drive1_Change();
    void Directory1_Change();
    void Directory1_KeyDown(int KeyCode, int Shift);
    void MIDIs_DblClick();
    void WAVEs_DblClick();
    void MIDIs_KeyDown(int KeyCode, int Shift);
    void WAVEs_KeyDown(int KeyCode, int Shift);
    void MIDIs_KeyUp(int KeyCode, int Shift);
    void WAVEs_KeyUp(int KeyCode, int Shift);
    void cmdMIDI_Play_Click();
    void cmdWAVE_Play_Click();
    void cmdMIDI_Pause_Click();
    void cmdWAVE_Pause_Click();
    void cmdMIDI_Stop_Click();
    void cmdWAVE_Stop_Click();
    void mnuSoundsRefresh_Click();
    void mnuFileOpen_Click();
    void mnuFileExit_Click();
    void mnuSoundsMIDIPlay_Click();
    void mnuSoundsMIDIPause_Click();
    void mnuSoundsMIDIStop_Click();
    void mnuSoundsWAVEPlay_Click();
    void mnuSoundsWAVEPause_Click();
    void mnuSoundsWAVEStop_Click();
    void mnuPopMIDIPlay_Click();
    void mnuPopMIDIPause_Click();
    void mnuPopMIDIStop_Click();
    void mnuPopWAVEPlay_Click();
    void mnuPopWAVEPause_Click();
    void mnuPopWAVEStop_Click();
    void mnuPopAbout_Click();
    void mnuPopExit_Click();
    // Volume, tray, options, About.
    void vsVolume_Change();
    void vsVolume_Scroll();
    void SysTray_LeftClick(long IconID);
    void SysTray_RightClick(long IconID);
    void mnuOptionsTop_Click();
    void mnuOptionsMin_Click();
    void mnuHelpAbout_Click();

  protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_KeyDown(int KeyCode, int Shift) override;
    void Form_Unload(int& Cancel) override;

  private:
    // What differs between the two kinds of file.
    struct Kind {
        const char* Alias;
        long DeviceType;
        rt::FileListBox& List;
        const char* Endings[2];
        rt::CommandButton& PauseButton;
        bool& Open;
        bool& Paused;
        std::bitset<256> KeysDown; // keys that went down in the list and are not up yet
    };
    Kind MIDI{"MIDI", mciSequencer, MIDIs, {".MID", ".RMI"}, cmdMIDI_Pause, MIDIOpen, MIDIPaused, {}};
    Kind WAVE{"WAVE", mciWaveAudio, WAVEs, {".WAV", ".WAV"}, cmdWAVE_Pause, WAVEOpen, WAVEPaused, {}};

    cMCI_Adv& Device(); // the device object; error 91 while there is none
    void PlaySelected(Kind& kind);
    void PlayCommand(Kind& kind);
    void PauseCommand(Kind& kind);
    void StopCommand(Kind& kind);
    void ResumeOrPlay(Kind& kind);
    void KeyDown(Kind& kind, int KeyCode);
    void KeyUp(Kind& kind, int KeyCode);
    void SetPointers(int pointer);
    bool TrayIconExists() const; // the tray shows the window's icon
    bool BringWaitingBoxForward() const;
};

} // namespace tunebox
