#include "frmMain.h"

#include <commctrl.h>

#include <array>
#include <cmath>

#include <kit/about.h>
#include <kit/kit.h>
#include <rt/resources.h>

#include "modCOMDLG32.h"
#include "modCommon.h"
#include "modWaveHeader.h"

namespace tunebox {

namespace {

const char kCR[] = "\r";
const char kSection[] = "Settings";
constexpr int kHourglass = 11;
constexpr int kF5 = 116, kEnter = 13, kUp = 38, kDown = 40;
constexpr int kRestored = 0, kMinimised = 1;
constexpr bool IsKeyCode(int code) { return code >= 0 && code < 256; }
// The transport buttons' pictures among the program's resources.
constexpr long kPlayPicture = 101, kPausePicture = 102, kPausedPicture = 103, kStopPicture = 104;

// One statement in resume-next mode: a runtime error skips it.
template <class F> void Step(F&& statement) { rt::Try(std::forward<F>(statement)); }

// A handler that must not end the program: a runtime error it meets is
// shown, and the program carries on.
template <class F> void CarryOn(const std::string& doing, F&& body) {
    try {
        body();
    } catch (const rt::Error& e) {
        rt::MsgBox("The following error occured while " + doing + ":" + kCR + kCR +
                       "Error Number = " + rt::CStr(e.Number) + kCR +
                       "Error Description = " + e.Description,
                   rt::vbExclamation, "  Error Occured");
        rt::Err().Clear();
    }
}

std::string Setting(const std::string& key, const std::string& defaultValue) {
    return rt::GetSetting(rt::App().Title, kSection, key, defaultValue);
}

rt::Picture ResourcePicture(long id) {
    rt::Picture picture;
    Step([&] { picture = rt::LoadResPicture(id, rt::vbResIcon); });
    return picture;
}

BOOL CALLBACK FindAnsweringWindow(HWND window, LPARAM found) {
    wchar_t cls[32] = {};
    GetClassNameW(window, cls, 32);
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) || lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The box the program waits on: of its shown windows, the frontmost one that
// still takes input (a message box over the About box, say, rather than the
// About box it disabled).
HWND OpenModalBox() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindAnsweringWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The bar's scale: the mixer's values above 32,767 do not fit the bar.
float ScaleFactor(long max) { return max > 32767 ? 32767.0f / static_cast<float>(max) : 1.0f; }

} // namespace

long VolumeAtBar(long max, int value) {
    if (max <= 32767) return max - value;
    const auto fromTop = static_cast<int16_t>(32767 - value);
    return rt::CLng(static_cast<double>(fromTop / ScaleFactor(max)));
}

void SetIdentity() {
    rt::AppInfo& app = rt::App();
    app.Title = "Tunebox";
    app.Major = 3;
    app.Minor = 0;
    app.Revision = 2;

    kit::AboutInfo& about = kit::About();
    about.Title = "Tunebox";
    about.Systems = "Windows 95/98/ME/NT4/2000/XP";
    about.Description =
        "Tunebox helps you find the wave sound or MIDI song you are looking for by playing "
        "each one quickly: pick a folder, then run through its files one after the other.";
    about.WebText = "www.example.org";
    about.WebTarget = "http://www.example.org/";
    about.MailAddress = "tunebox@example.org";
    // The version in full: major, minor as two digits, revision as four.
    about.Load = [](kit::frmAbout& form) {
        Step([&] {
            const rt::AppInfo& a = rt::App();
            form.lblVersion.Caption(rt::CStr(a.Major) + "." + rt::Format(a.Minor, "00") + "." +
                                    rt::Format(a.Revision, "0000"));
        });
    };
}

frmMain::frmMain() {
    Caption("  Tunebox");
    BorderStyle(rt::vbFixedSingle);
    MinButton(true);
    MaxButton(false);
    StartUpPosition(rt::vbStartUpScreen);
    ClientSize(7890, 5055);

    rt::Font bold;
    bold.Bold = true;
    Label3.Move(105, 210, 1500, 195);
    Label3.Caption("File Location :");
    Label1.Move(3675, 210, 1500, 195);
    Label1.Caption("MIDI Files :");
    Label2.Move(3675, 2700, 1500, 195);
    Label2.Caption("WAVE Files :");
    for (rt::Label* label : {&Label3, &Label1, &Label2}) {
        label->Font(bold);
        label->AutoSize(true);
    }

    Drive1.Move(105, 435, 3480, 315);
    Directory1.Move(105, 800, 3480, 4140);
    MIDIs.Move(3675, 420, 3060, 2040);
    MIDIs.Pattern("*.mid;*.rmi");
    WAVEs.Move(3675, 2910, 3060, 2040);
    WAVEs.Pattern("*.wav");

    imgNormal.Move(7875, 105, 240, 240);
    imgPaused.Move(7875, 420, 240, 240);
    imgNormal.Picture(ResourcePicture(kPausePicture));
    imgPaused.Picture(ResourcePicture(kPausedPicture));
    imgNormal.Visible(false);
    imgPaused.Visible(false);
    const rt::Picture play = ResourcePicture(kPlayPicture), stop = ResourcePicture(kStopPicture);
    long top = 105;
    for (auto buttons : {std::array{&cmdMIDI_Play, &cmdMIDI_Pause, &cmdMIDI_Stop},
                         std::array{&cmdWAVE_Play, &cmdWAVE_Pause, &cmdWAVE_Stop}}) {
        buttons[0]->Move(5670, top, 300, 300);
        buttons[1]->Move(6030, top, 300, 300);
        buttons[2]->Move(6405, top, 300, 300);
        buttons[0]->Picture(play);
        buttons[1]->Picture(imgNormal.Picture());
        buttons[2]->Picture(stop);
        for (rt::CommandButton* b : buttons) b->Style(rt::vbButtonGraphical);
        top = 2595;
    }

    Frame1.Move(6825, 350, 930, 4585);
    vsVolume.Move(330, 330, 255, 4080);
    for (rt::Line* tick : {&Line2, &Line3, &Line4, &Line5, &Line6, &Line7, &Line8, &Line9,
                           &Line10, &Line11, &Line12, &Line13, &Line14, &Line15})
        tick->BorderColor = 0x80000010;
    Line1.BorderColor = 0x80000010;
    Line16.BorderColor = 0x80000014;

    mnuFile.Add({&mnuFileOpen, &mnuFileBlank1, &mnuFileExit});
    mnuOptions.Add({&mnuOptionsTop, &mnuOptionsMin});
    mnuSounds.Add({&mnuSoundsRefresh, &mnuSoundsBlank1, &mnuSoundsMIDIPlay, &mnuSoundsMIDIPause,
                   &mnuSoundsMIDIStop, &mnuSoundsBlank2, &mnuSoundsWAVEPlay, &mnuSoundsWAVEPause,
                   &mnuSoundsWAVEStop});
    mnuHelp.Add({&mnuHelpAbout});
    mnuPop.Add({&mnuPopMIDIPlay, &mnuPopMIDIPause, &mnuPopMIDIStop, &mnuPopBlank1,
                &mnuPopWAVEPlay, &mnuPopWAVEPause, &mnuPopWAVEStop, &mnuPopBlank2, &mnuPopAbout,
                &mnuPopBlank3, &mnuPopExit});
    mnuPop.Visible(false);
    Menus({&mnuFile, &mnuOptions, &mnuSounds, &mnuHelp, &mnuPop});

    Drive1.Change = [this] { Drive1_Change(); };
    Directory1.Change = [this] { Directory1_Change(); };
    Directory1.KeyDown = [this](int k, int s) { Directory1_KeyDown(k, s); };
    MIDIs.DblClick = [this] { MIDIs_DblClick(); };
    WAVEs.DblClick = [this] { WAVEs_DblClick(); };
    MIDIs.KeyDown = [this](int k, int s) { MIDIs_KeyDown(k, s); };
    WAVEs.KeyDown = [this](int k, int s) { WAVEs_KeyDown(k, s); };
    MIDIs.KeyUp = [this](int k, int s) { MIDIs_KeyUp(k, s); };
    WAVEs.KeyUp = [this](int k, int s) { WAVEs_KeyUp(k, s); };
    // A key held while the focus leaves a list comes up elsewhere: it is no
    // longer down in that list.
    MIDIs.LostFocus = [this] { MIDI.KeysDown.reset(); };
    WAVEs.LostFocus = [this] { WAVE.KeysDown.reset(); };
    cmdMIDI_Play.Click = [this] { cmdMIDI_Play_Click(); };
    cmdMIDI_Pause.Click = [this] { cmdMIDI_Pause_Click(); };
    cmdMIDI_Stop.Click = [this] { cmdMIDI_Stop_Click(); };
    cmdWAVE_Play.Click = [this] { cmdWAVE_Play_Click(); };
    cmdWAVE_Pause.Click = [this] { cmdWAVE_Pause_Click(); };
    cmdWAVE_Stop.Click = [this] { cmdWAVE_Stop_Click(); };
    vsVolume.Change = [this] { vsVolume_Change(); };
    vsVolume.Scroll = [this] { vsVolume_Scroll(); };

    mnuFileOpen.Click = [this] { mnuFileOpen_Click(); };
    mnuFileExit.Click = [this] { mnuFileExit_Click(); };
    mnuOptionsTop.Click = [this] { mnuOptionsTop_Click(); };
    mnuOptionsMin.Click = [this] { mnuOptionsMin_Click(); };
    mnuSoundsRefresh.Click = [this] { mnuSoundsRefresh_Click(); };
    mnuHelpAbout.Click = [this] { mnuHelpAbout_Click(); };
    mnuSoundsMIDIPlay.Click = [this] { mnuSoundsMIDIPlay_Click(); };
    mnuSoundsMIDIPause.Click = [this] { mnuSoundsMIDIPause_Click(); };
    mnuSoundsMIDIStop.Click = [this] { mnuSoundsMIDIStop_Click(); };
    mnuSoundsWAVEPlay.Click = [this] { mnuSoundsWAVEPlay_Click(); };
    mnuSoundsWAVEPause.Click = [this] { mnuSoundsWAVEPause_Click(); };
    mnuSoundsWAVEStop.Click = [this] { mnuSoundsWAVEStop_Click(); };
    mnuPopMIDIPlay.Click = [this] { mnuPopMIDIPlay_Click(); };
    mnuPopMIDIPause.Click = [this] { mnuPopMIDIPause_Click(); };
    mnuPopMIDIStop.Click = [this] { mnuPopMIDIStop_Click(); };
    mnuPopWAVEPlay.Click = [this] { mnuPopWAVEPlay_Click(); };
    mnuPopWAVEPause.Click = [this] { mnuPopWAVEPause_Click(); };
    mnuPopWAVEStop.Click = [this] { mnuPopWAVEStop_Click(); };
    mnuPopAbout.Click = [this] { mnuPopAbout_Click(); };
    mnuPopExit.Click = [this] { mnuPopExit_Click(); };
}

frmMain::~frmMain() = default;

cMCI_Adv& frmMain::Device() {
    if (!MCIObject) rt::Raise(rt::errObjectVariableNotSet);
    return *MCIObject;
}

void frmMain::SetPointers(int pointer) {
    Step([&] { MousePointer(pointer); });
    Step([&] { rt::Screen::SetMousePointer(pointer); });
}

// ---------------------------------------------------------------------------
// Drive, folder and file lists

void frmMain::Drive1_Change() {
    static bool ChangingDrive = false;
    if (ChangingDrive) return;
    std::string old;
    Step([&] { old = Directory1.Path(); });
    Step([&] { Directory1.Path(Drive1.Drive()); });
    std::string now;
    Step([&] { now = Directory1.Path(); });
    if (now == old) {
        // The drive cannot be read: back to the drive of the start.
        Step([&] {
            rt::MsgBox(Drive1.Drive() + " is not accessible." + kCR + kCR +
                           "The device is not ready.",
                       rt::vbCritical, "  Can Not Access Drive");
        });
        ChangingDrive = true;
        Step([&] { Drive1.Drive(StartDrive); });
        ChangingDrive = false;
    }
}

void frmMain::Directory1_Change() {
    Step([&] { WAVEs.Path(Directory1.Path()); });
    Step([&] { MIDIs.Path(Directory1.Path()); });
}

void frmMain::Directory1_KeyDown(int KeyCode, int) {
    if (KeyCode == kF5) Step([&] { Directory1.Refresh(); });
}

void frmMain::mnuSoundsRefresh_Click() {
    Step([&] { Drive1.Refresh(); });
    Step([&] { Directory1.Refresh(); });
    Step([&] { MIDIs.Refresh(); });
    Step([&] { WAVEs.Refresh(); });
}

void frmMain::Form_KeyDown(int KeyCode, int) {
    if (KeyCode == kF5) mnuSoundsRefresh_Click();
}

// ---------------------------------------------------------------------------
// Playing

void frmMain::PlaySelected(Kind& kind) {
    // A key that went down before this play does not play again when it
    // comes up: the Enter that answers one of its boxes, say.
    kind.KeysDown.reset();
    std::string entry;
    Step([&] { entry = kind.List.List(kind.List.ListIndex()); });
    if (entry.empty()) return;
    const std::string ending = entry.size() >= 4 ? rt::UCase(entry.substr(entry.size() - 4)) : "";
    if (ending != kind.Endings[0] && ending != kind.Endings[1]) return;
    SetPointers(kHourglass);
    Step([&] { Device().MCI_Stop(kind.Alias); });
    Step([&] { Device().MCI_Close(kind.Alias); });
    kind.Open = false;
    kind.Paused = false;
    Step([&] { kind.PauseButton.Picture(imgNormal.Picture()); });
    std::string path;
    Step([&] {
        // A drive's root already ends in its backslash.
        path = kind.List.Path();
        if (path.empty() || path.back() != '\\') path += '\\';
        path += entry;
    });
    // A wave whose header describes no sound is not handed to the device,
    // which might end the program playing it.
    std::string fault;
    if (kind.DeviceType == mciWaveAudio) Step([&] { fault = WaveHeaderFault(path); });
    if (!fault.empty()) {
        Step([&] {
            rt::MsgBox(entry + " can not be played." + kCR + kCR + fault, rt::vbExclamation,
                       "  Can Not Play File");
        });
    } else {
        if (!path.empty())
            Step([&] {
                Device().MCI_Open(kind.Alias, kind.DeviceType, path, false, 0, nullptr, false,
                                  false, false, "", nullptr, true);
            });
        Step([&] {
            Device().MCI_Play(kind.Alias, false, 0, false, 0, false, false, nullptr, false, true);
        });
    }
    kind.Open = true;
    SetPointers(0);
}

void frmMain::MIDIs_DblClick() { PlaySelected(MIDI); }
void frmMain::WAVEs_DblClick() { PlaySelected(WAVE); }

void frmMain::KeyDown(Kind& kind, int KeyCode) {
    if (IsKeyCode(KeyCode)) kind.KeysDown.set(static_cast<size_t>(KeyCode));
}

void frmMain::MIDIs_KeyDown(int KeyCode, int) { KeyDown(MIDI, KeyCode); }
void frmMain::WAVEs_KeyDown(int KeyCode, int) { KeyDown(WAVE, KeyCode); }

void frmMain::KeyUp(Kind& kind, int KeyCode) {
    // A key plays only when it went down in this list: the Enter that closes
    // a box comes up here as well, and must not play the file once more.
    const bool wentDownHere = IsKeyCode(KeyCode) && kind.KeysDown.test(static_cast<size_t>(KeyCode));
    if (wentDownHere) kind.KeysDown.reset(static_cast<size_t>(KeyCode));
    if (KeyCode == kEnter || KeyCode == kUp || KeyCode == kDown) {
        if (wentDownHere) PlaySelected(kind);
    } else if (KeyCode == kF5)
        Step([&] { kind.List.Refresh(); });
}

void frmMain::MIDIs_KeyUp(int KeyCode, int) { KeyUp(MIDI, KeyCode); }
void frmMain::WAVEs_KeyUp(int KeyCode, int) { KeyUp(WAVE, KeyCode); }

// Resumes a paused device, or plays it when it will not resume.
void frmMain::ResumeOrPlay(Kind& kind) {
    bool resumed = false;
    Step([&] { resumed = Device().MCI_Resume(kind.Alias); });
    if (!resumed) Step([&] { resumed = Device().MCI_Play(kind.Alias); });
    if (resumed) {
        kind.Paused = false;
        Step([&] { kind.PauseButton.Picture(imgNormal.Picture()); });
    }
}

void frmMain::PlayCommand(Kind& kind) {
    Step([&] { kind.List.SetFocus(); });
    SetPointers(kHourglass);
    if (!kind.Open) {
        PlaySelected(kind);
    } else if (kind.Paused) {
        ResumeOrPlay(kind);
    } else {
        // Playing, or played to its end: from the beginning again.
        bool played = false;
        Step([&] { Device().MCI_Stop(kind.Alias); });
        Step([&] { Device().MCI_SeekBeginning(kind.Alias); });
        Step([&] { played = Device().MCI_Play(kind.Alias); });
        if (played) {
            kind.Paused = false;
            Step([&] { kind.PauseButton.Picture(imgNormal.Picture()); });
        }
    }
    SetPointers(0);
}

void frmMain::PauseCommand(Kind& kind) {
    Step([&] { kind.List.SetFocus(); });
    SetPointers(kHourglass);
    if (kind.Open) {
        if (!kind.Paused) {
            bool paused = false;
            Step([&] { paused = Device().MCI_Pause(kind.Alias); });
            if (paused) {
                kind.Paused = true;
                Step([&] { kind.PauseButton.Picture(imgPaused.Picture()); });
            }
        } else {
            ResumeOrPlay(kind);
        }
    }
    SetPointers(0);
}

void frmMain::StopCommand(Kind& kind) {
    Step([&] { kind.List.SetFocus(); });
    SetPointers(kHourglass);
    if (kind.Open) {
        Step([&] { Device().MCI_Stop(kind.Alias); });
        Step([&] { Device().MCI_Close(kind.Alias); });
        Step([&] { kind.PauseButton.Picture(imgNormal.Picture()); });
    }
    kind.Paused = false;
    kind.Open = false;
    SetPointers(0);
}

void frmMain::cmdMIDI_Play_Click() { PlayCommand(MIDI); }
void frmMain::cmdWAVE_Play_Click() { PlayCommand(WAVE); }
void frmMain::cmdMIDI_Pause_Click() { PauseCommand(MIDI); }
void frmMain::cmdWAVE_Pause_Click() { PauseCommand(WAVE); }
void frmMain::cmdMIDI_Stop_Click() { StopCommand(MIDI); }
void frmMain::cmdWAVE_Stop_Click() { StopCommand(WAVE); }

void frmMain::mnuFileOpen_Click() {
    CarryOn("opening the folder", [&] {
        long flags = BIF_TUNEBOX_OPEN;
        std::string name, path;
        if (!CD_ShowFolder(hWnd(), flags, name, path, "Select The Directory To Open:")) return;
        Drive1.Drive(path);
        Directory1.Path(path);
        MIDIs.Path(path);
        WAVEs.Path(path);
    });
}

void frmMain::mnuFileExit_Click() { Unload(); }

// The Sounds menu runs the buttons; the tray's pop-up menu runs the Sounds menu.
void frmMain::mnuSoundsMIDIPlay_Click() { cmdMIDI_Play_Click(); }
void frmMain::mnuSoundsMIDIPause_Click() { cmdMIDI_Pause_Click(); }
void frmMain::mnuSoundsMIDIStop_Click() { cmdMIDI_Stop_Click(); }
void frmMain::mnuSoundsWAVEPlay_Click() { cmdWAVE_Play_Click(); }
void frmMain::mnuSoundsWAVEPause_Click() { cmdWAVE_Pause_Click(); }
void frmMain::mnuSoundsWAVEStop_Click() { cmdWAVE_Stop_Click(); }
void frmMain::mnuPopMIDIPlay_Click() { mnuSoundsMIDIPlay_Click(); }
void frmMain::mnuPopMIDIPause_Click() { mnuSoundsMIDIPause_Click(); }
void frmMain::mnuPopMIDIStop_Click() { mnuSoundsMIDIStop_Click(); }
void frmMain::mnuPopWAVEPlay_Click() { mnuSoundsWAVEPlay_Click(); }
void frmMain::mnuPopWAVEPause_Click() { mnuSoundsWAVEPause_Click(); }
void frmMain::mnuPopWAVEStop_Click() { mnuSoundsWAVEStop_Click(); }
void frmMain::mnuPopAbout_Click() { mnuHelpAbout_Click(); }
void frmMain::mnuPopExit_Click() { Unload(); }

// ---------------------------------------------------------------------------
// Start-up, volume, tray, options and shutdown

void frmMain::Form_Load() {
    Step([&] { StartDrive = Drive1.Drive(); });
    Step([&] { MCIObject = std::make_shared<cMCI_Adv>(); });

    // The bar stands for the master volume, loudest at the top.
    Step([&] {
        const long M = Device().MCIa_VolumeSystem_Max();
        const float f = ScaleFactor(M);
        vsVolume.Min(static_cast<int>(std::nearbyint(f * static_cast<float>(
                                                             Device().MCIa_VolumeSystem_Min()))));
        vsVolume.Max(static_cast<int>(std::nearbyint(f * static_cast<float>(M))));
        vsVolume.Value(vsVolume.Max() -
                       static_cast<int>(std::nearbyint(
                           f * static_cast<float>(Device().MCIa_VolumeSystem()))));
    });
    Step([&] { vsVolume.SmallChange(static_cast<int>(std::nearbyint(vsVolume.Max() / 20.0))); });
    Step([&] { vsVolume.LargeChange(static_cast<int>(std::nearbyint(vsVolume.Max() / 10.0))); });

    Step([&] {
        SysTray = std::make_unique<cSysTray>();
        SysTray->LeftClick = [this](long id) { SysTray_LeftClick(id); };
        SysTray->RightClick = [this](long id) { SysTray_RightClick(id); };
        SysTray->ST_OwnerForm(*this);
        SysTray->ST_CreateIcon(1, Icon().Icon(), "Tunebox");
    });
    Step([&] { kit::SetAlwaysOnTop(hWnd(), kit::vbTrue); });

    Step([&] { Drive1.Drive(Setting("Drive", Drive1.Drive())); });
    Step([&] { Directory1.Path(Setting("Directory", Directory1.Path())); });
    Step([&] { vsVolume.Value(rt::CInt(Setting("Volume", rt::CStr(vsVolume.Value())))); });
    if (Setting("AlwaysOnTop", "True") == "False") mnuOptionsTop_Click();
    if (Setting("ShowMin", "False") == "True") mnuOptionsMin_Click();
}

void frmMain::vsVolume_Change() {
    if (!MCIObject) return; // no device object yet, or no more
    Device().MCIa_VolumeSystem(VolumeAtBar(Device().MCIa_VolumeSystem_Max(), vsVolume.Value()));
}

void frmMain::vsVolume_Scroll() { vsVolume_Change(); }

void frmMain::Form_Resize() {
    // Hidden when minimised only while the tray icon can bring it back.
    if (WindowState() == kMinimised && !Visible() && ShowInTaskbar)
        Visible(true);
    else if (WindowState() == kMinimised && Visible() && !ShowInTaskbar && TrayIconExists())
        Visible(false);
}

bool frmMain::TrayIconExists() const {
    if (!SysTray) return false;
    for (int slot = 1; slot <= SysTray->IconCount(); ++slot)
        if (SysTray->IconInUseAt(slot) && SysTray->IconIDAt(slot) == 1) return true;
    return false;
}

// While a box of the program waits for an answer, a click on the tray icon
// leaves the window where it is, out of the box's way, and brings the box to
// the front instead; true when it did so.
bool frmMain::BringWaitingBoxForward() const {
    if (!hWnd() || IsWindowEnabled(hWnd())) return false;
    if (HWND box = OpenModalBox()) SetForegroundWindow(box);
    return true;
}

void frmMain::SysTray_LeftClick(long) {
    if (BringWaitingBoxForward()) return;
    CarryOn("bringing the window back", [&] {
        WindowState(kRestored);
        Visible(true);
        ZOrder();
        SetFocus();
    });
}

void frmMain::SysTray_RightClick(long) {
    if (BringWaitingBoxForward()) return;
    CarryOn("showing the tray menu", [&] { PopupMenu(mnuPop); });
}

void frmMain::mnuOptionsTop_Click() {
    CarryOn("changing the option", [&] {
        mnuOptionsTop.Checked(!mnuOptionsTop.Checked());
        kit::SetAlwaysOnTop(hWnd(), mnuOptionsTop.Checked() ? kit::vbTrue : kit::vbFalse);
    });
}

void frmMain::mnuOptionsMin_Click() {
    CarryOn("changing the option", [&] {
        mnuOptionsMin.Checked(!mnuOptionsMin.Checked());
        ShowInTaskbar = mnuOptionsMin.Checked();
    });
}

void frmMain::mnuHelpAbout_Click() {
    CarryOn("showing the About box", [&] {
        // Let go of the top while the box is up, so that it comes in front.
        kit::SetAlwaysOnTop(hWnd(), kit::vbFalse);
        kit::frmAbout::Get().Show(rt::vbModal);
        kit::SetAlwaysOnTop(hWnd(), mnuOptionsTop.Checked() ? kit::vbTrue : kit::vbFalse);
    });
}

void frmMain::Form_Unload(int&) {
    if (MCIObject) {
        Step([&] { MCIObject->MCI_Stop("MIDI"); });
        Step([&] { MCIObject->MCI_Stop("WAVE"); });
        Step([&] { MCIObject->MCI_CloseAll(nullptr, true, false); });
        MCIObject.reset();
    }
    if (SysTray) {
        Step([&] { SysTray->ST_DeleteIcon(1); });
        SysTray.reset(); // its end takes any icon left and gives the window back
    }
    const std::string app = rt::App().Title;
    Step([&] { rt::SaveSetting(app, kSection, "Drive", Drive1.Drive()); });
    Step([&] { rt::SaveSetting(app, kSection, "Directory", Directory1.Path()); });
    Step([&] { rt::SaveSetting(app, kSection, "Volume", rt::CStr(vsVolume.Value())); });
    Step([&] { rt::SaveSetting(app, kSection, "AlwaysOnTop", rt::BoolText(mnuOptionsTop.Checked())); });
    Step([&] { rt::SaveSetting(app, kSection, "ShowMin", rt::BoolText(mnuOptionsMin.Checked())); });
    Step([&] { UnloadAllForms(false); });
}

} // namespace tunebox
