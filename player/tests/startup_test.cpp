// The player window's life: first start and the stored options, the volume
// bar against the real mixer, hiding on minimise only while the tray icon
// can bring the window back, the About box unpinning the window, and what is
// saved at close.
#include <windows.h>

#include <rt.h>
#include <rt/scripted_user.h>

#include <kit/about.h>

#include "frmMain.h"
#include "player_support.h"
#include "test_support.h"

namespace tunebox {
namespace {

const char kApp[] = "Tunebox";
constexpr COLORREF kTrayAmber = RGB(255, 176, 0); // the program icon's face

bool Pinned(HWND w) { return (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

class StartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        SetIdentity();
        rt::DeleteSetting(kApp);
        mixer = std::make_shared<cMCI_Adv>();
        master = mixer->MCIa_VolumeSystem();
    }
    void TearDown() override {
        if (frmMain::Exists()) frmMain::Get().Unload();
        rt::DoEvents();
        rt::DeleteSetting(kApp);
        mixer->MCIa_VolumeSystem(master);
    }
    void Store(const std::string& key, const std::string& value) {
        rt::SaveSetting(kApp, "Settings", key, value);
    }
    std::string Stored(const std::string& key) {
        return rt::GetSetting(kApp, "Settings", key, "(none)");
    }
    frmMain& Start() {
        frmMain& form = frmMain::Get();
        form.Show();
        rt::DoEvents();
        return form;
    }
    // Closes the window as File > Exit does.
    void Close(frmMain& form) {
        form.mnuFileExit.Click();
        rt::DoEvents();
        EXPECT_FALSE(frmMain::Exists());
    }

    rt::ScriptedUser user;
    std::shared_ptr<cMCI_Adv> mixer;
    long master = 0;
};

TEST_F(StartupTest, AFirstStartKeepsTheVolumePinsTheWindowAndShowsTheTrayIcon) {
    mixer->MCIa_VolumeSystem(40000);
    const long before = mixer->MCIa_VolumeSystem(); // 39999 under 32-bit Wine
    frmMain& form = Start();
    EXPECT_TRUE(Pinned(form.hWnd()));
    EXPECT_TRUE(form.mnuOptionsTop.Checked());
    EXPECT_FALSE(form.mnuOptionsMin.Checked());
    EXPECT_EQ(form.vsVolume.Min(), 0);
    EXPECT_EQ(form.vsVolume.Max(), 32767);
    EXPECT_EQ(form.vsVolume.SmallChange(), 1638);
    EXPECT_EQ(form.vsVolume.LargeChange(), 3277);
    // The start sets the volume again from the bar, whose steps are two
    // volumes wide, and the mixer may read that one below (ReadsAsSet).
    EXPECT_NEAR(mixer->MCIa_VolumeSystem(), before, 2);
    EXPECT_NEAR(form.vsVolume.Value(), 32767 - before * 32767.0 / 65535, 1);
    EXPECT_TRUE(rt::test::WaitFor([] { return test::FindTrayIcon(kTrayAmber).x >= 0; }, 5000));
    EXPECT_TRUE(user.Boxes.empty());

    const long position = form.vsVolume.Value(); // the form is gone once closed
    Close(form);
    EXPECT_EQ(Stored("Volume"), rt::CStr(position));
    EXPECT_EQ(Stored("AlwaysOnTop"), "True");
    EXPECT_EQ(Stored("ShowMin"), "False");
    EXPECT_NE(Stored("Drive"), "(none)");
    EXPECT_NE(Stored("Directory"), "(none)");
    EXPECT_TRUE(rt::test::WaitFor([] { return test::FindTrayIcon(kTrayAmber).x < 0; }, 5000));
}

TEST_F(StartupTest, TheBarSetsTheMasterVolumeUpsideDown) {
    frmMain& form = Start();
    form.vsVolume.Value(0);
    EXPECT_EQ(mixer->MCIa_VolumeSystem(), 65535);
    form.vsVolume.Value(32767);
    EXPECT_EQ(mixer->MCIa_VolumeSystem(), 0);
    form.vsVolume.Value(16384);
    EXPECT_EQ(mixer->MCIa_VolumeSystem(), 32766);

    // Dragging the thumb sets the volume at every step, before the release.
    SendMessageW(form.Frame1.hWnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 8000),
                 reinterpret_cast<LPARAM>(form.vsVolume.hWnd()));
    rt::DoEvents();
    EXPECT_NEAR(mixer->MCIa_VolumeSystem(), (32767 - 8000) * 65535.0 / 32767, 1);
    SendMessageW(form.Frame1.hWnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 24000),
                 reinterpret_cast<LPARAM>(form.vsVolume.hWnd()));
    rt::DoEvents();
    EXPECT_NEAR(mixer->MCIa_VolumeSystem(), (32767 - 24000) * 65535.0 / 32767, 1);
    SendMessageW(form.Frame1.hWnd(), WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0),
                 reinterpret_cast<LPARAM>(form.vsVolume.hWnd()));
    rt::DoEvents();
}

TEST(VolumeBar, StandsForTheSinglePrecisionQuotientRoundedHalfToEven) {
    // (32767 - 16320) / (32767 / 65535) is 32894.5 in single precision: a
    // half, which goes to the even volume. Kept in the x87 unit's wider
    // precision it would be 32894.502 and give 32895.
    EXPECT_EQ(VolumeAtBar(65535, 16320), 32894);
    EXPECT_EQ(VolumeAtBar(65535, 16383), 32768);
    EXPECT_EQ(VolumeAtBar(65535, 0), 65535);
    EXPECT_EQ(VolumeAtBar(65535, 32767), 0);
    EXPECT_EQ(VolumeAtBar(255, 55), 200); // a bar as long as the line
}

TEST_F(StartupTest, RestartsFindTheBarWhereTheUserLeftItAndKeepItsVolume) {
    // A place whose volume 32-bit Wine reads back one below, which as a bar
    // would be a step lower: restarts must not move the bar down step by step.
    constexpr int kPlace = 16320;
    frmMain& form = Start();
    for (int code : {SB_THUMBTRACK, SB_THUMBPOSITION, SB_ENDSCROLL})
        SendMessageW(form.Frame1.hWnd(), WM_VSCROLL, MAKEWPARAM(code, kPlace),
                     reinterpret_cast<LPARAM>(form.vsVolume.hWnd()));
    rt::DoEvents();
    ASSERT_EQ(form.vsVolume.Value(), kPlace);
    const long volume = mixer->MCIa_VolumeSystem();
    Close(form);
    for (int restart = 1; restart <= 3; ++restart) {
        SCOPED_TRACE(restart);
        frmMain& again = Start();
        EXPECT_EQ(again.vsVolume.Value(), kPlace);
        EXPECT_EQ(mixer->MCIa_VolumeSystem(), volume);
        Close(again);
        EXPECT_EQ(Stored("Volume"), rt::CStr(kPlace));
    }
}

TEST_F(StartupTest, StoredOptionsComeBack) {
    // The bar at the top when it last closed: the master volume goes up to it.
    mixer->MCIa_VolumeSystem(1000);
    Store("Volume", "0");
    Store("AlwaysOnTop", "false"); // not exactly "False": stays pinned
    Store("ShowMin", "true");      // not exactly "True": off
    frmMain& form = Start();
    EXPECT_EQ(mixer->MCIa_VolumeSystem(), 65535);
    EXPECT_TRUE(Pinned(form.hWnd()));
    EXPECT_TRUE(form.mnuOptionsTop.Checked());
    EXPECT_FALSE(form.mnuOptionsMin.Checked());
    Close(form);

    Store("AlwaysOnTop", "False");
    Store("ShowMin", "True");
    Store("Volume", "40000"); // beyond the bar: refused
    mixer->MCIa_VolumeSystem(65535);
    frmMain& again = Start();
    EXPECT_FALSE(Pinned(again.hWnd()));
    EXPECT_FALSE(again.mnuOptionsTop.Checked());
    EXPECT_TRUE(again.mnuOptionsMin.Checked());
    EXPECT_TRUE(again.ShowInTaskbar);
    EXPECT_EQ(again.vsVolume.Value(), 0);
    EXPECT_EQ(mixer->MCIa_VolumeSystem(), 65535);
    again.mnuOptionsTop.Click();
    EXPECT_TRUE(Pinned(again.hWnd()));
    Close(again);
    EXPECT_EQ(Stored("AlwaysOnTop"), "True");
    EXPECT_EQ(Stored("ShowMin"), "True");
    EXPECT_EQ(Stored("Volume"), "0");
}

TEST_F(StartupTest, AWindowWithoutItsTrayIconIsNeverHiddenOnMinimise) {
    frmMain& form = Start();
    ASSERT_TRUE(rt::test::WaitFor([] { return test::FindTrayIcon(kTrayAmber).x >= 0; }, 5000));
    form.WindowState(rt::vbMinimized);
    rt::DoEvents();
    EXPECT_FALSE(IsWindowVisible(form.hWnd())) << "still on the taskbar";
    form.SysTray_LeftClick(1);
    EXPECT_TRUE(IsWindowVisible(form.hWnd()));
    EXPECT_FALSE(IsIconic(form.hWnd()));

    // Nothing could bring it back: it stays on the taskbar.
    form.SysTray->ST_DeleteIcon(1);
    form.WindowState(rt::vbMinimized);
    rt::DoEvents();
    EXPECT_TRUE(IsWindowVisible(form.hWnd()));
    form.WindowState(0);
}

TEST_F(StartupTest, TheAboutBoxUnpinsTheWindowWhileItIsUp) {
    frmMain& form = Start();
    bool pinnedMeanwhile = true;
    std::string version;
    user.OnModal([&](rt::Form& about) {
        pinnedMeanwhile = Pinned(form.hWnd());
        version = static_cast<kit::frmAbout&>(about).lblVersion.Caption();
    });
    form.mnuHelpAbout.Click();
    EXPECT_FALSE(pinnedMeanwhile);
    EXPECT_EQ(version, "3.00.0002");
    EXPECT_TRUE(Pinned(form.hWnd()));

    form.mnuOptionsTop.Click(); // off
    user.OnModal([](rt::Form&) {});
    form.mnuPopAbout.Click();
    EXPECT_FALSE(Pinned(form.hWnd()));
}

TEST_F(StartupTest, ClosingStopsTheDevicesAndUnloadsEveryForm) {
    rt::test::TempFolder folder;
    test::WriteTone(folder / "a.wav", 3.0, 880);
    Store("Directory", folder.Path());
    frmMain& form = Start();
    rt::test::DoubleClickLine(form.WAVEs.hWnd(), 0);
    ASSERT_EQ(test::DeviceStatus("WAVE", "mode"), "playing");
    kit::frmAbout::Get().Load(); // another form of the program
    form.mnuPopExit.Click();
    rt::DoEvents();
    EXPECT_EQ(test::DeviceStatus("WAVE", "mode"), "(error)");
    EXPECT_TRUE(rt::Forms().empty());
    EXPECT_EQ(rt::UCase(Stored("Directory")), rt::UCase(folder.Path()));
}

} // namespace
} // namespace tunebox
