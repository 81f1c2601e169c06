// The GO button's refusals and its commands on windows that will not come in
// front, have stopped answering or have gone, and on Paneherd's own window.
#include "fixture.h"

namespace paneherd::testing {
namespace {

using Actions = PaneherdTest;

const std::string kNoWindow =
    "  No Window Found|Can't find window to work with, or no window has been selected.|48";

// Chooses a state and an action and presses GO; how long the press took.
DWORD Go(frmMain& main, rt::OptionButton& state, rt::OptionButton& action) {
    state.Value(true);
    action.Value(true);
    const DWORD start = GetTickCount();
    main.cmdOK.Press();
    return GetTickCount() - start;
}

TEST_F(Actions, RefusesWithoutATargetOrAGoneOneWithAnEmptyFieldAndToHidePaneherd) {
    frmMain& main = Start();
    Go(main, main.optNormal, main.optClose);
    EXPECT_EQ(Boxes(), std::vector<std::string>{kNoWindow});

    // A target that has gone is no window; its rectangle shows as nothing.
    auto gone = std::make_unique<TargetProgram>("Vanishing target");
    main.txtTitlebar.Text(gone->Caption());
    ASSERT_TRUE(Eventually([&] { return !main.txtWidth.Text().empty(); }));
    gone.reset();
    Go(main, main.optMaximized, main.optVisible);
    EXPECT_EQ(Boxes(), (std::vector<std::string>{kNoWindow, kNoWindow}));
    EXPECT_TRUE(Eventually([&] { return main.txtX.Text() + main.txtWidth.Text() == "00"; }));

    // The fields are needed whatever the action.
    TargetProgram target("Refusal target");
    main.txtTitlebar.Text(target.Caption());
    ASSERT_TRUE(Eventually([&] { return !main.txtHeight.Text().empty(); }));
    main.txtWidth.Text("");
    Go(main, main.optMaximized, main.optClose);
    EXPECT_EQ(Boxes().back(), "  Information Missing|The Width field is not complete.|48");
    EXPECT_EQ(GetFocus(), main.txtWidth.hWnd());
    Pause(300);
    EXPECT_FALSE(IsZoomed(target.hWnd()) || target.Ended());

    main.txtTitlebar.Text(main.Caption());
    ASSERT_TRUE(Eventually([&] { return !main.txtWidth.Text().empty(); }));
    Go(main, main.optNormal, main.optInvisible);
    EXPECT_EQ(Boxes().back(), "  Can't Make This Program Invisible|You can't make THIS program "
                              "invisible because that would leave it open in memory with no way "
                              "to access it.\r\rClick OK to continue.|48");
    EXPECT_TRUE(IsWindowVisible(main.hWnd()));
}

// Alt+F4 goes to the window in front: with the target refusing to come in
// front, the window there must not get it. After the close there is no target
// and the position fields are held until the next selection.
TEST_F(Actions, CloseTypesAltF4OnlyIntoTheTargetInFrontAndForgetsIt) {
    TargetProgram target("Shy target", 40, 150, true);
    frmMain& main = Start(&target);
    target.RefuseFront();
    SetForegroundWindow(target.Bystander());
    ASSERT_TRUE(Eventually([&] { return GetForegroundWindow() == target.Bystander(); }));
    Go(main, main.optNormal, main.optClose);
    EXPECT_TRUE(Eventually([&] { return !IsWindow(target.hWnd()); })) << "closed all the same";
    Pause(300);
    EXPECT_TRUE(IsWindow(target.Bystander()));
    EXPECT_FALSE(target.BystanderGotKeys());

    EXPECT_EQ(main.TargetWindow, nullptr);
    EXPECT_EQ(main.txtHandle.Text(), "0");
    for (rt::TextBox* field : {&main.txtClass, &main.txtTitlebar, &main.txtX, &main.txtY,
                               &main.txtWidth, &main.txtHeight})
        EXPECT_EQ(field->Text(), "");
    EXPECT_EQ(main.txtClassName1.Text(), "");
    EXPECT_TRUE(main.HoldPosition);
    EXPECT_TRUE(Boxes().empty());
}

// A target whose thread takes no messages: every command returns at once and
// the timer goes on; the target does as asked once it answers again.
TEST_F(Actions, AHungTargetNeverStopsPaneherd) {
    TargetProgram target("Hung target");
    frmMain& main = Start(&target);
    const HWND t = target.hWnd();
    struct Step {
        const char* name;
        rt::OptionButton &state, &action;
        std::function<bool()> done;
    };
    const Step steps[] = {
        {"maximise", main.optMaximized, main.optVisible, [&] { return IsZoomed(t) != 0; }},
        {"minimise", main.optMinimized, main.optVisible, [&] { return IsIconic(t) != 0; }},
        {"hide", main.optNormal, main.optInvisible, [&] { return !IsWindowVisible(t); }},
        {"show", main.optNormal, main.optVisible, [&] { return IsWindowVisible(t) != 0; }},
        {"pin", main.optNormal, main.optTopMost, [&] { return Topmost(t); }},
        {"unpin", main.optNormal, main.optNotTopMost, [&] { return !Topmost(t); }},
        {"move", main.optNormal, main.optMove, [&] { return Rect(t).left == 55; }},
        {"close", main.optNormal, main.optClose, [&] { return !IsWindow(t); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        main.txtTitlebar.Text(target.Caption()); // again after the close
        for (rt::TextBox* field : {&main.txtX, &main.txtY, &main.txtWidth, &main.txtHeight})
            field->Text("55");
        target.Hang();
        int ticks = 0;
        main.Timer1.Tick = [&] { ++ticks; };
        EXPECT_LT(Go(main, step.state, step.action), 3000u) << "it waited on the hung window";
        Pause(600);
        EXPECT_GT(ticks, 0) << "the timer stopped";
        main.Timer1.Tick = [&] { main.Timer1_Timer(); };
        target.Release();
        EXPECT_TRUE(Eventually(step.done)) << "done once the window answers again";
    }
    EXPECT_TRUE(Boxes().empty());
}

// Closing Paneherd's own window: nothing is done after the close (no wait
// for the window to come in front or to go, no keys, no close messages).
TEST_F(Actions, PaneherdsOwnWindowClosesAtOnce) {
    frmMain& main = Start();
    main.txtTitlebar.Text(main.Caption());
    ASSERT_TRUE(Eventually([&] { return !main.txtWidth.Text().empty(); }));
    const HWND own = main.hWnd();
    EXPECT_LT(Go(main, main.optNormal, main.optClose), 450u) << "it returns at once";
    EXPECT_FALSE(IsWindow(own));
    EXPECT_FALSE(frmMain::Exists()) << "unloaded and stays so";
    EXPECT_TRUE(Boxes().empty());
}

} // namespace
} // namespace paneherd::testing
