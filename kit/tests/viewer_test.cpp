// The document viewer's layout rule as the user resizes the window, and its
// OK pressed by Enter and Esc in the document.
#include <gtest/gtest.h>

#include <kit/viewer.h>
#include <rt/scripted_user.h>

#include "test_support.h"

namespace {

const kit::ViewerInfo kInfo{"  Test Help", 8790, 7350, 120, 105, 8550, 6420, 1275, 390, 120,
                            "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 Test Help\\par "
                            "\\b A bold line.\\b0\\par}"};

class frmTestHelp : public kit::Viewer<frmTestHelp> {
  public:
    frmTestHelp() : Viewer(kInfo) {}
};

class ViewerLayout : public testing::Test {
  protected:
    void SetUp() override {
        frmTestHelp::Get().Show();
        view = &frmTestHelp::Get();
    }
    void TearDown() override {
        if (frmTestHelp::Exists()) frmTestHelp::Get().Unload();
    }
    void ExpectOkCentredBelowText() {
        EXPECT_NEAR(view->cmdOK.Left(), (view->Width() - 1215) / 2, 1);
        EXPECT_EQ(view->cmdOK.Top(), view->RText.Top() + view->RText.Height() + kInfo.G);
    }
    rt::ScriptedUser user;
    frmTestHelp* view = nullptr;
};

TEST_F(ViewerLayout, TheDocumentFollowsTheWindowAndATooSmallOneKeepsTheLastValidSize) {
    const long width = view->RText.Width(), height = view->RText.Height();
    const long formW = view->Width(), formH = view->Height();
    view->Move(view->Left(), view->Top(), formW + 600, formH + 400);
    EXPECT_EQ(view->RText.Width(), width + (view->Width() - formW));
    EXPECT_EQ(view->RText.Height(), height + (view->Height() - formH));
    EXPECT_NEAR(view->Width() - formW, 600, 15);
    ExpectOkCentredBelowText();

    view->Move(view->Left(), view->Top(), 6000, 3000);
    const long lastHeight = view->RText.Height();
    ASSERT_EQ(lastHeight, view->Height() - kInfo.H);
    view->Move(view->Left(), view->Top(), 4000, 600); // shorter than the margin H
    ASSERT_LT(view->Height(), kInfo.H);
    EXPECT_EQ(view->RText.Height(), lastHeight);
    EXPECT_EQ(view->RText.Width(), view->Width() - kInfo.W); // the later steps still ran
    ExpectOkCentredBelowText();
}

TEST_F(ViewerLayout, MaximisedTheDocumentFillsTheWindowAndRestoredItIsAsBefore) {
    const long width = view->RText.Width(), height = view->RText.Height();
    SendMessageW(view->hWnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    rt::DoEvents();
    RECT outer{};
    GetWindowRect(view->hWnd(), &outer);
    EXPECT_EQ(view->RText.Width(),
              (outer.right - outer.left) * rt::Screen::TwipsPerPixelX() - kInfo.W);
    EXPECT_EQ(view->RText.Height(),
              (outer.bottom - outer.top) * rt::Screen::TwipsPerPixelY() - kInfo.H);
    ExpectOkCentredBelowText();
    SendMessageW(view->hWnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
    rt::DoEvents();
    EXPECT_EQ(view->RText.Width(), width);
    EXPECT_EQ(view->RText.Height(), height);
    ExpectOkCentredBelowText();
}

TEST_F(ViewerLayout, OKUnloadsAndTheNextOpeningStartsAtTheDesignSize) {
    view->Move(view->Left(), view->Top(), 5000, 4000);
    view->cmdOK_Click();
    EXPECT_FALSE(frmTestHelp::Exists());
    frmTestHelp::Get().Show();
    EXPECT_EQ(frmTestHelp::Get().ScaleWidth(), 8790);
    EXPECT_EQ(frmTestHelp::Get().RText.Text().substr(0, 9), "Test Help");
    EXPECT_EQ(frmTestHelp::Get().RText.Width(), frmTestHelp::Get().Width() - kInfo.W);
}

TEST_F(ViewerLayout, EnterAndEscInTheDocumentPressOK) {
    for (WORD key : {VK_RETURN, VK_ESCAPE}) {
        if (!frmTestHelp::Exists()) frmTestHelp::Get().Show();
        view = &frmTestHelp::Get();
        view->RText.SetFocus();
        rt::test::StrikeKey(view->hWnd(), key);
        EXPECT_FALSE(frmTestHelp::Exists()) << "key " << key;
    }
}

} // namespace
