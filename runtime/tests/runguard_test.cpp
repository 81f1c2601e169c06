// Runs that yield to the message loop: clicks, shortcut keys and closes that
// arrive while a run is working are refused or wait for it, on real windows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/forms.h"
#include "rt/runguard.h"
#include "rt/scripted_user.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

// A window shaped like a search-and-replace window: Start runs through many
// steps, yielding before each; Stop and Close ask it to stop; F4 starts
// other work on the same window.
class RunForm : public rt::Form {
  public:
    RunForm() {
        Caption("  Run Form");
        ClientSize(6000, 3000);
        cmdStart.Move(120, 120, 1200, 400);
        cmdStart.Caption("&Start");
        cmdStart.Click = [this] { cmdStart_Click(); };
        cmdStop.Move(1440, 120, 1200, 400);
        cmdStop.Caption("S&top");
        cmdStop.Click = [this] { StopRequested = true; };
        cmdClose.Move(2760, 120, 1200, 400);
        cmdClose.Caption("&Close");
        cmdClose.Click = [this] {
            StopRequested = true;
            rt::DoEvents();
            Unload();
        };
        lblStep.Move(120, 720, 3000, 300);
        mnuRun.Add({&mnuRunOther});
        mnuRunOther.Click = [this] { mnuRunOther_Click(); };
        Menus({&mnuRun});
    }

    rt::CommandButton cmdStart{*this}, cmdStop{*this}, cmdClose{*this};
    rt::Label lblStep{*this};
    rt::MenuItem mnuRun{"&Run"}, mnuRunOther{"&Other Work", rt::ShortcutF(4)};
    bool StopRequested = false;
    int started = 0, refused = 0, steps = 0, readsOfAnUnloadedForm = 0;
    int cancelClose = 0;
    bool unloadedDuringARun = false;
    std::vector<int> queryModes;

    void cmdStart_Click() {
        rt::RunGuard run(*this, StopRequested);
        if (!run) {
            ++refused;
            return;
        }
        ++started;
        StopRequested = false;
        for (int step = 1; step <= 50; ++step) {
            rt::DoEvents();
            if (!Loaded() || !lblStep.hWnd()) ++readsOfAnUnloadedForm;
            if (StopRequested) break;
            lblStep.Caption("Step " + std::to_string(step));
            ++steps;
        }
        if (StopRequested && !run.Closing())
            rt::MsgBox("Operation canceled by user", rt::vbInformation, "  Canceled");
        StopRequested = false;
    }

    void mnuRunOther_Click() {
        rt::RunGuard run(*this);
        if (!run) ++refused;
    }

  protected:
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        queryModes.push_back(UnloadMode);
        Cancel = cancelClose;
    }
    void Form_Unload(int&) override { unloadedDuringARun = rt::RunGuard::Running(*this); }
};

void Click(rt::CommandButton& button) { PostMessageW(button.hWnd(), BM_CLICK, 0, 0); }

class RunGuardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form.Show();
        rt::DoEvents();
    }
    void TearDown() override { form.Unload(); }
    rt::ScriptedUser user;
    RunForm form;
};

TEST_F(RunGuardTest, ASecondClickAndAShortcutKeyAreRefusedWhileTheRunYields) {
    Click(form.cmdStart);
    Click(form.cmdStart);
    PostKey(form.hWnd(), VK_F4);
    Click(form.cmdStop);
    rt::DoEvents();
    EXPECT_EQ(form.started, 1);
    EXPECT_EQ(form.refused, 2);
    EXPECT_LT(form.steps, 50) << "Stop ended the run at its next test";
    ASSERT_EQ(user.Boxes.size(), 1u);
    EXPECT_EQ(user.Boxes[0].Prompt, "Operation canceled by user");

    // Once the run has ended, both can start again.
    const int before = form.steps;
    Click(form.cmdStart);
    rt::DoEvents();
    PostKey(form.hWnd(), VK_F4);
    rt::DoEvents();
    EXPECT_EQ(form.started, 2);
    EXPECT_EQ(form.steps - before, 50) << "the second run ran through";
    EXPECT_EQ(form.refused, 2);
    EXPECT_TRUE(form.Loaded());
}

TEST_F(RunGuardTest, ATitleBarCloseWaitsForTheRunThenClosesTheWindow) {
    RunForm other;
    other.Show();
    Click(form.cmdStart);
    PostMessageW(form.hWnd(), WM_CLOSE, 0, 0);
    PostMessageW(other.hWnd(), WM_CLOSE, 0, 0); // another window closes at once
    rt::DoEvents();
    EXPECT_FALSE(other.Loaded());

    EXPECT_EQ(form.started, 1);
    EXPECT_LT(form.steps, 50) << "the close stopped the run";
    EXPECT_EQ(form.readsOfAnUnloadedForm, 0);
    EXPECT_FALSE(form.Loaded()) << "closed once the run had ended";
    EXPECT_FALSE(form.unloadedDuringARun);
    EXPECT_EQ(form.queryModes, std::vector<int>{0}) << "as the user's close from the title bar";
    EXPECT_TRUE(user.Boxes.empty()) << "no box for a window that is closing";
    EXPECT_FALSE(IsWindow(FindShownWindow("  Run Form")));
}

TEST_F(RunGuardTest, ACloseButtonThatUnloadsWaitsAsWell) {
    Click(form.cmdStart);
    Click(form.cmdClose);
    rt::DoEvents();
    EXPECT_EQ(form.readsOfAnUnloadedForm, 0);
    EXPECT_FALSE(form.Loaded());
    EXPECT_FALSE(form.unloadedDuringARun);
    EXPECT_EQ(form.queryModes, std::vector<int>{1}) << "as an unload from code";
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(RunGuardTest, AWaitingCloseThatIsCancelledLeavesTheWindowUsable) {
    form.cancelClose = 1; // the window's own question answered No
    Click(form.cmdStart);
    PostMessageW(form.hWnd(), WM_CLOSE, 0, 0);
    rt::DoEvents();
    EXPECT_TRUE(form.Loaded());
    EXPECT_EQ(form.queryModes.size(), 1u);
    EXPECT_TRUE(user.Boxes.empty());

    // No run any more: a close is handled at once, and a new run starts.
    Click(form.cmdStart);
    rt::DoEvents();
    EXPECT_EQ(form.started, 2);
    form.cancelClose = 0;
    PostMessageW(form.hWnd(), WM_CLOSE, 0, 0);
    rt::DoEvents();
    EXPECT_FALSE(form.Loaded());
}

} // namespace
