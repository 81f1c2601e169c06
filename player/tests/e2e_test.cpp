// Tunebox.exe driven from this process as a user would, with the real mouse
// and keyboard: what it plays is heard on the sink's monitor, what it shows
// is read from its windows and the screen.
#include <windows.h>

#include <rt.h>

#include "cMCI_Adv.h"
#include "e2e_support.h"
#include "player_support.h"
#include "test_support.h"

namespace tunebox {
namespace {

using test::RunningTunebox;

const char kApp[] = "Tunebox";
constexpr double kTone = 698, kLong = 784;
constexpr COLORREF kTrayAmber = RGB(255, 176, 0);

// Where the tray icon shows, once it does (x below 0 while it does not).
POINT AwaitTrayIcon() {
    POINT icon{-1, -1};
    rt::test::WaitFor([&] { return (icon = test::FindTrayIcon(kTrayAmber)).x >= 0; }, 5000);
    return icon;
}
constexpr COLORREF kPausedRed = RGB(176, 0, 0);

class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        rt::DeleteSetting(kApp);
        rt::SaveSetting(kApp, "Settings", "Directory", folder.Path());
        rt::SaveSetting(kApp, "Settings", "Volume", "0"); // the loudest
        test::WriteTone(folder / "a.wav", 4.0, kTone);
        test::WriteTone(folder / "long.wav", 8.0, kLong);
        test::WriteMidi(folder / "c.mid", 16);
        rt::test::WriteBytes(folder / "broken.wav", "RIFF this is no wave at all");
        master_ = std::make_shared<cMCI_Adv>()->MCIa_VolumeSystem();
    }
    void TearDown() override {
        test::MoveMouseTo({5, 5});
        rt::DeleteSetting(kApp);
        std::make_shared<cMCI_Adv>()->MCIa_VolumeSystem(master_);
    }
    // The program's lists and buttons by their design places.
    static HWND Waves(const RunningTunebox& t) { return t.Control(L"ListBox", 3675, 2910); }
    static HWND Midis(const RunningTunebox& t) { return t.Control(L"ListBox", 3675, 420); }
    static HWND Button(const RunningTunebox& t, long left, long top) {
        return t.Control(L"Button", left, top);
    }
    static int LineOf(HWND list, const std::string& entry) {
        const auto lines = rt::test::ListLines(list);
        const auto at = std::find(lines.begin(), lines.end(), entry);
        return at == lines.end() ? -1 : static_cast<int>(at - lines.begin());
    }
    static void DoubleClick(const RunningTunebox& t, HWND list, const std::string& entry) {
        const int line = LineOf(list, entry);
        ASSERT_GE(line, 0) << entry;
        t.Activate();
        test::ClickAt(RunningTunebox::LinePoint(list, line), 1, true);
        test::WaitWhileBusy();
    }
    // The box that a double-click on a wave line brings, with its text
    // checked; null when none came.
    static HWND BoxOnPlaying(const RunningTunebox& t, const std::string& entry,
                             const std::string& title, const std::string& text) {
        DoubleClick(t, Waves(t), entry);
        HWND box = t.WaitForWindow(title);
        if (box) {
            EXPECT_NE(RunningTunebox::BoxText(box).find(text), std::string::npos)
                << RunningTunebox::BoxText(box);
        }
        return box;
    }
    // Keys typed on the keyboard, to the window in front.
    static void Type(const std::string& keys) {
        rt::SendKeys(keys);
        rt::test::WaitFor([] { return false; }, 150);
    }
    static void Click(const RunningTunebox& t, HWND control) {
        t.Activate();
        test::ClickAt(RunningTunebox::Middle(control), 1);
        test::WaitWhileBusy();
    }
    rt::test::TempFolder folder;
    long master_ = 0;
};

TEST_F(EndToEnd, AWaveIsHeardPausedResumedAndStoppedAndAMidiFileFollows) {
    test::SoundMonitor monitor;
    ASSERT_TRUE(monitor.Running());
    RunningTunebox tunebox;
    ASSERT_NE(tunebox.Main(), nullptr);
    HWND waves = Waves(tunebox), midis = Midis(tunebox);
    ASSERT_NE(waves, nullptr);
    ASSERT_NE(midis, nullptr);
    EXPECT_EQ(rt::test::ListLines(waves),
              (std::vector<std::string>{"a.wav", "broken.wav", "long.wav"}));
    EXPECT_EQ(rt::test::ListLines(midis), std::vector<std::string>{"c.mid"});

    monitor.Skip();
    DoubleClick(tunebox, waves, "a.wav");
    EXPECT_GE(monitor.WaitForSound(kTone, 3000), 0) << "a double-click did not sound";
    Click(tunebox, Button(tunebox, 6030, 2595)); // Pause
    EXPECT_TRUE(monitor.FallsSilent(kTone)) << "heard while paused";
    monitor.Skip();
    Click(tunebox, Button(tunebox, 5670, 2595)); // Play resumes
    EXPECT_GE(monitor.WaitForSound(kTone, 3000), 0) << "not heard after Play";
    Click(tunebox, Button(tunebox, 6405, 2595)); // Stop
    EXPECT_TRUE(monitor.FallsSilent(kTone)) << "heard after Stop";

    // The sequencer makes no sound here; its Pause button shows the state.
    HWND midiPause = Button(tunebox, 6030, 105);
    DoubleClick(tunebox, midis, "c.mid");
    EXPECT_EQ(SendMessageW(midis, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(test::PixelsOfColour(midiPause, kPausedRed), 0);
    Click(tunebox, midiPause);
    EXPECT_TRUE(rt::test::WaitFor([&] { return test::PixelsOfColour(midiPause, kPausedRed) > 10; },
                                  3000))
        << "the Pause button does not show the paused picture";
    Click(tunebox, Button(tunebox, 5670, 105)); // Play resumes
    EXPECT_TRUE(rt::test::WaitFor([&] { return test::PixelsOfColour(midiPause, kPausedRed) == 0; },
                                  3000));
    Click(tunebox, midiPause);
    Click(tunebox, Button(tunebox, 6405, 105)); // Stop: the normal picture again
    EXPECT_TRUE(rt::test::WaitFor([&] { return test::PixelsOfColour(midiPause, kPausedRed) == 0; },
                                  3000));
}

TEST_F(EndToEnd, BoxesForAFileThatWillNotPlayAndForADriveThatCannotBeRead) {
    rt::test::LostDrive lost;
    ASSERT_TRUE(lost.Defined());
    RunningTunebox tunebox;
    ASSERT_NE(tunebox.Main(), nullptr);
    HWND box = BoxOnPlaying(tunebox, "broken.wav", "  MCI ERROR",
                            "The following error occured while calling the mciSendString MCI API:");
    ASSERT_NE(box, nullptr);
    // The open failed, so does the play: each has its box.
    while ((box = tunebox.WaitForWindow("  MCI ERROR", 3000)) != nullptr) {
        rt::test::PressButton(box, IDOK);
        rt::test::WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3000);
    }

    // The drive chosen in the list by its letter cannot be read.
    HWND drives = tunebox.Control(L"ComboBox", 105, 435);
    ASSERT_NE(drives, nullptr);
    const std::string start = test::TextOf(drives);
    ASSERT_FALSE(start.empty());
    Click(tunebox, drives); // the list drops down: Escape closes it, the letter chooses
    Type("{ESC}" + lost.Name().substr(0, 1));
    box = tunebox.WaitForWindow("  Can Not Access Drive");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(RunningTunebox::BoxText(box).find(lost.Name() + " is not accessible."),
              std::string::npos)
        << RunningTunebox::BoxText(box);
    // The tray icon meanwhile brings this box forward, and nothing else.
    POINT icon = test::FindTrayIcon(kTrayAmber);
    ASSERT_GE(icon.x, 0);
    test::ClickAt(icon, 1);
    EXPECT_EQ(tunebox.WaitForWindow("  Error Occured", 1500), nullptr);
    EXPECT_EQ(GetForegroundWindow(), box);
    rt::test::PressButton(box, IDOK);
    EXPECT_TRUE(rt::test::WaitFor([&] { return test::TextOf(drives) == start; }, 5000))
        << "the drive list did not go back to " << start;
    EXPECT_EQ(rt::test::ListLines(Waves(tunebox)).size(), 3u); // the folder stayed
}

// The device's error boxes for a file that will not play, each answered by
// Enter on the keyboard: that Enter comes up in the list again, and must not
// play the file once more.
TEST_F(EndToEnd, EnterOnAnErrorBoxPlaysNothingAgain) {
    RunningTunebox tunebox;
    ASSERT_NE(tunebox.Main(), nullptr);
    HWND waves = Waves(tunebox);
    struct Way {
        const char* name;
        const char* selected; // the line clicked first, which plays nothing
        WORD key;             // the key that plays broken.wav
    };
    for (const Way& way : {Way{"Enter", "broken.wav", VK_RETURN}, Way{"Down", "a.wav", VK_DOWN}}) {
        SCOPED_TRACE(way.name);
        tunebox.Activate();
        test::ClickAt(RunningTunebox::LinePoint(waves, LineOf(waves, way.selected)), 1);
        ASSERT_EQ(tunebox.WaitForWindow("  MCI ERROR", 1000), nullptr) << "a click played";
        rt::test::StrikeKey(tunebox.Main(), way.key);
        std::vector<std::string> boxes;
        for (HWND box; boxes.size() < 6 && (box = tunebox.WaitForWindow("  MCI ERROR", 3000));) {
            boxes.push_back(RunningTunebox::BoxText(box));
            rt::test::StrikeKey(box, VK_RETURN);
            rt::test::WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3000);
        }
        // The open and the play each failed once: two boxes, and no more.
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_NE(boxes[0].find("Error Number = 296"), std::string::npos) << boxes[0];
        EXPECT_EQ(SendMessageW(waves, LB_GETCURSEL, 0, 0), LineOf(waves, "broken.wav"));
    }
}

// An Enter held down in the wave list while a click moves the focus to the
// MIDI list comes up there, and plays nothing there. Nor is it down in the
// wave list any more: the Enter that later closes the About box over that
// list comes up in it and plays nothing either.
TEST_F(EndToEnd, AnEnterThatCameUpInTheOtherListPlaysNothingLater) {
    RunningTunebox tunebox;
    ASSERT_NE(tunebox.Main(), nullptr);
    HWND waves = Waves(tunebox), midis = Midis(tunebox);
    auto enter = [](bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = VK_RETURN;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        SendInput(1, &in, sizeof in);
        test::WaitWhileBusy();
    };
    auto click = [&](HWND list, const char* entry) {
        test::ClickAt(RunningTunebox::LinePoint(list, LineOf(list, entry)), 1);
        test::WaitWhileBusy();
    };
    tunebox.Activate();
    click(waves, "broken.wav");
    enter(false);
    click(midis, "c.mid");
    enter(true);
    click(waves, "broken.wav");
    ASSERT_EQ(tunebox.WaitForWindow("  MCI ERROR", 1000), nullptr) << "a click or the Enter played";

    Type("{F1}");
    HWND about = tunebox.WaitForWindow(" ");
    ASSERT_NE(about, nullptr);
    rt::test::StrikeKey(about, VK_RETURN);
    ASSERT_TRUE(rt::test::WaitFor([&] { return !IsWindow(about) || !IsWindowVisible(about); }, 3000));
    EXPECT_EQ(tunebox.WaitForWindow("  MCI ERROR", 1500), nullptr)
        << "the Enter that closed the About box played broken.wav";
}

// A wave whose header gives 0 channels, which the wave device would divide
// by: the program's own box, and it goes on to play the next file.
TEST_F(EndToEnd, AWaveOfNoChannelsGivesABoxAndTheProgramGoesOn) {
    test::SoundMonitor monitor;
    ASSERT_TRUE(monitor.Running());
    test::WaveHeader mute;
    mute.Channels = 0;
    ASSERT_TRUE(test::WriteWave(folder / "mute.wav", mute, test::ToneSamples(2.0, kTone)));
    RunningTunebox tunebox;
    ASSERT_NE(tunebox.Main(), nullptr);
    HWND box = BoxOnPlaying(tunebox, "mute.wav", "  Can Not Play File",
                            "mute.wav can not be played.\r\rIts wave format header gives 0 channels.");
    ASSERT_NE(box, nullptr);
    rt::test::StrikeKey(box, VK_RETURN);
    ASSERT_TRUE(rt::test::WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 3000));
    EXPECT_EQ(tunebox.WaitForWindow("  MCI ERROR", 1500), nullptr);
    EXPECT_EQ(tunebox.WaitForWindow("  Can Not Play File", 500), nullptr);
    ASSERT_FALSE(tunebox.Ended(0)) << "Tunebox ended";

    monitor.Skip();
    DoubleClick(tunebox, Waves(tunebox), "a.wav");
    EXPECT_GE(monitor.WaitForSound(kTone, 3000), 0) << "a.wav was not heard after the box";
}

TEST_F(EndToEnd, MinimisedIntoTheTrayAndBackAndTheTrayMenuStopsTheWave) {
    test::SoundMonitor monitor;
    ASSERT_TRUE(monitor.Running());
    RunningTunebox tunebox;
    ASSERT_NE(tunebox.Main(), nullptr);
    const POINT icon = AwaitTrayIcon();
    ASSERT_GE(icon.x, 0) << "no icon in the notification area";

    PostMessageW(tunebox.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(rt::test::WaitFor([&] { return !IsWindowVisible(tunebox.Main()); }, 5000))
        << "still on the taskbar";
    test::ClickAt(icon, 1);
    EXPECT_TRUE(rt::test::WaitFor(
        [&] { return IsWindowVisible(tunebox.Main()) && !IsIconic(tunebox.Main()); }, 5000))
        << "the icon did not bring the window back";

    monitor.Skip();
    DoubleClick(tunebox, Waves(tunebox), "long.wav");
    ASSERT_GE(monitor.WaitForSound(kLong, 3000), 0);
    test::ClickAt(icon, 2);
    HWND menu = nullptr;
    ASSERT_TRUE(rt::test::WaitFor(
        [&] { return (menu = FindWindowW(L"#32768", nullptr)) && IsWindowVisible(menu); }, 5000))
        << "no menu on a right click";
    Type("v"); // Stop WA&VE
    EXPECT_TRUE(monitor.FallsSilent(kLong)) << "the menu's Stop did not stop the wave";
}

// Whether one window lies over another on the desktop.
bool Above(HWND upper, HWND lower) {
    for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (w == upper) return true;
    return false;
}

// Whether a pop-up menu is up anywhere on the desktop.
bool MenuShown() {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (IsWindowVisible(w)) return true;
    return false;
}

TEST_F(EndToEnd, ATrayClickWhileTheAboutBoxIsUpBringsForwardTheBoxAlone) {
    RunningTunebox tunebox;
    ASSERT_NE(tunebox.Main(), nullptr);
    const POINT icon = AwaitTrayIcon();
    ASSERT_GE(icon.x, 0);
    tunebox.Activate();
    Type("{F1}");
    HWND about = tunebox.WaitForWindow(" ");
    ASSERT_NE(about, nullptr);
    ASSERT_TRUE(Above(about, tunebox.Main()));
    rt::test::ForeignWindow other("  Another Program");
    for (int button : {1, 2}) {
        SCOPED_TRACE(button == 1 ? "left click" : "right click");
        ASSERT_TRUE(other.ToFront());
        test::ClickAt(icon, button);
        EXPECT_TRUE(rt::test::WaitFor([&] { return GetForegroundWindow() == about; }, 5000))
            << "the About box stayed behind";
        EXPECT_EQ(tunebox.WaitForWindow("  Error Occured", 1500), nullptr);
        EXPECT_FALSE(MenuShown()) << "a menu of commands that wait for the box";
        if (MenuShown()) Type("{ESC}");
        EXPECT_TRUE(Above(about, tunebox.Main())) << "the window came over its own About box";
        EXPECT_FALSE(IsWindowEnabled(tunebox.Main()));
    }

    // Once the box is answered the icon brings the window back as ever.
    PostMessageW(about, WM_CLOSE, 0, 0);
    ASSERT_TRUE(rt::test::WaitFor([&] { return IsWindowEnabled(tunebox.Main()) != FALSE; }, 5000));
    ASSERT_TRUE(other.ToFront());
    test::ClickAt(icon, 1);
    EXPECT_TRUE(rt::test::WaitFor([&] { return GetForegroundWindow() == tunebox.Main(); }, 5000));
}

// What the program's unload leaves: its icon gone from the notification
// area, its settings written.
void ExpectUnloadDone() {
    EXPECT_TRUE(rt::test::WaitFor([] { return test::FindTrayIcon(kTrayAmber).x < 0; }, 5000))
        << "the tray icon stayed";
    EXPECT_NE(rt::GetSetting(kApp, "Settings", "Drive"), "");
    EXPECT_EQ(rt::GetSetting(kApp, "Settings", "ShowMin"), "False");
}

TEST_F(EndToEnd, ExitFromTheTrayIconsMenuEndsTheProgram) {
    RunningTunebox tunebox;
    ASSERT_NE(tunebox.Main(), nullptr);
    const POINT icon = AwaitTrayIcon();
    ASSERT_GE(icon.x, 0) << "no icon in the notification area";
    test::ClickAt(icon, 2);
    ASSERT_TRUE(rt::test::WaitFor(
        [&] {
            HWND menu = FindWindowW(L"#32768", nullptr);
            return menu && IsWindowVisible(menu);
        },
        5000))
        << "no menu on a right click";
    Type("x"); // E&xit
    EXPECT_TRUE(tunebox.Ended(10000)) << "the program did not end";
    ExpectUnloadDone();
}

TEST_F(EndToEnd, EndsOnACloseSentByAnotherProgram) {
    rt::test::ExpectEndsOnSentCloses("Tunebox.exe", "  Tunebox", {}, [this] {
        ExpectUnloadDone();
        rt::DeleteSetting(kApp); // each close writes them afresh
        rt::SaveSetting(kApp, "Settings", "Directory", folder.Path());
    });
}

TEST_F(EndToEnd, TheVolumeBarChangesWhatIsHeard) {
    test::SoundMonitor monitor;
    ASSERT_TRUE(monitor.Running());
    RunningTunebox tunebox;
    ASSERT_NE(tunebox.Main(), nullptr);
    HWND bar = rt::test::Descendant(tunebox.Main(), L"ScrollBar");
    ASSERT_NE(bar, nullptr);
    monitor.Skip();
    DoubleClick(tunebox, Waves(tunebox), "long.wav");
    ASSERT_GE(monitor.WaitForSound(kLong, 3000), 0);
    const double loud = monitor.Level(kLong, 400);

    // The thumb stands at the top (the loudest, as stored); dragged to the
    // bottom, the quietest.
    RECT r;
    GetWindowRect(bar, &r);
    const int x = (r.left + r.right) / 2;
    const int thumb = r.top + GetSystemMetrics(SM_CYVSCROLL) + 3;
    tunebox.Activate();
    test::Drag({x, thumb}, {x, r.bottom + 20});
    Sleep(300);
    monitor.Skip();
    const double softer = monitor.Level(kLong, 400);
    EXPECT_GT(loud, 5000);
    EXPECT_LT(softer, loud * 0.3) << loud << " then " << softer;
}

TEST_F(EndToEnd, OptionsSurviveARestart) {
    {
        RunningTunebox tunebox;
        ASSERT_NE(tunebox.Main(), nullptr);
        EXPECT_TRUE(GetWindowLongW(tunebox.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
        tunebox.Activate();
        Type("{F2}"); // Always On Top off
        EXPECT_TRUE(rt::test::WaitFor(
            [&] { return !(GetWindowLongW(tunebox.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST); }, 3000));
        Type("{F3}"); // Show In Taskbar On Minimize on
        Type("^x");
        EXPECT_TRUE(tunebox.Ended(10000)) << "Ctrl+X did not end the program";
    }
    EXPECT_EQ(rt::GetSetting(kApp, "Settings", "AlwaysOnTop"), "False");
    EXPECT_EQ(rt::GetSetting(kApp, "Settings", "ShowMin"), "True");
    RunningTunebox again;
    ASSERT_NE(again.Main(), nullptr);
    EXPECT_FALSE(GetWindowLongW(again.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    PostMessageW(again.Main(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(rt::test::WaitFor([&] { return IsIconic(again.Main()) != FALSE; }, 5000));
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(again.Main())) << "hidden although Show In Taskbar is on";
}

TEST_F(EndToEnd, WithoutAudioDriversThereIsNoMixerAndTheWindowStillRuns) {
    test::SilencedCopy copy(test::Beside("Tunebox.exe"), "TuneboxWithoutSound.exe");
    RunningTunebox tunebox(copy.Path(), false);
    HWND box = tunebox.WaitForWindow("  Error Opening Volume Mixer");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(RunningTunebox::BoxText(box).find(
                  "An error occured while trying to access the volume mixer."),
              std::string::npos);
    rt::test::PressButton(box, IDOK);
    ASSERT_TRUE(tunebox.WaitForMain());
    // The volume bar has nothing to stand for: it runs from 0 to 0.
    HWND bar = rt::test::Descendant(tunebox.Main(), L"ScrollBar");
    ASSERT_NE(bar, nullptr);
    SCROLLINFO range{};
    range.cbSize = sizeof range;
    range.fMask = SIF_RANGE | SIF_POS;
    ASSERT_TRUE(GetScrollInfo(bar, SB_CTL, &range));
    EXPECT_EQ(range.nMin, 0);
    EXPECT_EQ(range.nMax, 0);
    EXPECT_EQ(range.nPos, 0);
    EXPECT_TRUE(IsWindowVisible(tunebox.Main()));
}

} // namespace
} // namespace tunebox
