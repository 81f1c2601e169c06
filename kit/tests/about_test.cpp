// The About box: its version caption, a program's own load handler, and the
// link handlers' failure box, which leaves the box open.
#include <gtest/gtest.h>

#include <kit/about.h>
#include <rt/scripted_user.h>

namespace {

class AboutBox : public testing::Test {
  protected:
    void SetUp() override {
        saved = rt::App();
        kit::About() = kit::AboutInfo{};
        kit::About().Title = "Faultbook";
        kit::About().Description = "A test description.";
        kit::About().WebText = "www.example.org";
        kit::About().WebTarget = "Z:\\nonexistent\\page.htm";
        kit::About().MailAddress = "nobody@example.org";
    }
    void TearDown() override {
        rt::App() = saved;
        kit::About() = kit::AboutInfo{};
    }
    // The caption lblVersion shows once the box is up.
    std::string ShownVersion() {
        std::string caption;
        rt::ScriptedUser user;
        user.OnModal([&](rt::Form& f) { caption = static_cast<kit::frmAbout&>(f).lblVersion.Caption(); });
        kit::frmAbout::Get().Show(rt::vbModal);
        EXPECT_FALSE(kit::frmAbout::Exists()); // closed again after the user
        return caption;
    }
    rt::AppInfo saved;
};

TEST_F(AboutBox, VersionCaptionShowsTheRevisionOnlyWhenNotZero) {
    struct Case {
        int major, minor, revision;
        const char* caption;
    } cases[] = {{2, 1, 0, "Version 2.1"}, {2, 1, 15, "Version 2.1.15"}, {3, 0, 3, "Version 3.0.3"}};
    for (const Case& c : cases) {
        EXPECT_EQ(kit::frmAbout::VersionCaption(c.major, c.minor, c.revision), c.caption);
        rt::App().Major = c.major;
        rt::App().Minor = c.minor;
        rt::App().Revision = c.revision;
        EXPECT_EQ(ShownVersion(), c.caption);
    }
    // A program's own load handler takes the caption's place.
    kit::About().Load = [](kit::frmAbout& f) { f.lblVersion.Caption("3.00.0002"); };
    EXPECT_EQ(ShownVersion(), "3.00.0002");
}

// The box shows the program's icon, which every window of the program shares;
// closing the box must not take it from them.
TEST_F(AboutBox, TheProgramsIconOutlivesTheBox) {
    const HICON shared = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
    ASSERT_NE(shared, nullptr) << "the test program carries an icon";
    ShownVersion();
    ShownVersion();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(shared, &info)) << "the shared icon was destroyed with the box";
    rt::GdiObject<HBITMAP> mask(info.hbmMask), color(info.hbmColor);
    EXPECT_EQ(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)), shared);
}

TEST_F(AboutBox, FailingLinksShowTheShellBoxAndLeaveTheBoxOpen) {
    rt::ScriptedUser user;
    bool stillOpen = false;
    user.OnModal([&](rt::Form& f) {
        auto& about = static_cast<kit::frmAbout&>(f);
        about.Label2_Click();
        about.Picture1_Click(); // the logo opens the same target
        stillOpen = about.Loaded() && about.Visible();
        about.cmdOK_Click();
    });
    kit::frmAbout::Get().Show(rt::vbModal);
    EXPECT_TRUE(stillOpen);
    EXPECT_FALSE(kit::frmAbout::Exists());

    auto boxes = user.MessageBoxes();
    ASSERT_GE(boxes.size(), 2u);
    const std::string notFound =
        "The following error was encountered while trying to open the file:\r\r"
        "Error Number = 2\rError Description = The specified file was not found.";
    EXPECT_EQ(boxes[0].Prompt, notFound);
    EXPECT_EQ(boxes[1].Prompt, notFound);
    EXPECT_EQ(boxes[0].Title, "  Error Occured");
}

} // namespace
