// Link opener failure messages and the always-on-top switch.
#include <gtest/gtest.h>

#include <kit/kit.h>
#include <rt/scripted_user.h>

namespace {

std::string Box(const std::string& lead, long code, const std::string& description) {
    return lead + "\r\rError Number = " + std::to_string(code) + "\rError Description = " +
           description;
}

const char kOpenLead[] = "The following error was encountered while trying to open the file:";

TEST(ShowShellError, ShowsTheCodesTextOrUnknownError) {
    struct Case {
        long code;
        const char* description;
    } cases[] = {
        {0, "The operating system is out of memory or resources."},
        {1, "Unknown Error"},
        {2, "The specified file was not found."},
        {12, "Unknown Error"},
        {31, "There is no application associated with the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {-5, "Unknown Error"},
    };
    for (const Case& c : cases) {
        rt::ScriptedUser user;
        kit::ShowShellError(c.code, "open the file");
        auto boxes = user.MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u) << c.code;
        EXPECT_EQ(boxes[0].Prompt, Box(kOpenLead, c.code, c.description));
        EXPECT_EQ(boxes[0].Title, "  Error Occured");
        EXPECT_EQ(boxes[0].Style, 48);
    }
}

TEST(ShowShellError, SuccessCodesShowNothing) {
    rt::ScriptedUser user;
    kit::ShowShellError(33, "open the file");
    kit::ShowShellError(42, "");
    EXPECT_TRUE(user.Boxes.empty());
}

TEST(ShowShellError, EmptyActionUsesTheFixedLeadLine) {
    rt::ScriptedUser user;
    kit::ShowShellError(3, "");
    auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Prompt,
              Box("The following error was encountered while trying to access/open the file:", 3,
                  "The specified path was not found."));
}

TEST(OpenLink, MissingFileShowsFileNotFound) {
    rt::ScriptedUser user;
    kit::OpenLink(nullptr, "Z:\\nonexistent\\x.txt", SW_SHOW, std::nullopt, std::nullopt);
    auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Prompt, Box(kOpenLead, 2, "The specified file was not found."));
    EXPECT_EQ(boxes[0].Title, "  Error Occured");
}

class Plain : public rt::Form {};

bool Topmost(HWND h) { return (GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

TEST(SetAlwaysOnTop, OnlyTrueExactlyPins) {
    rt::ScriptedUser user;
    Plain form;
    form.Show();
    HWND h = form.hWnd();

    EXPECT_TRUE(kit::SetAlwaysOnTop(h, kit::vbTrue));
    EXPECT_TRUE(Topmost(h));
    EXPECT_TRUE(kit::SetAlwaysOnTop(h, 1)); // a non-zero Boolean that is not True
    EXPECT_FALSE(Topmost(h));
    kit::SetAlwaysOnTop(h, kit::vbTrue);
    EXPECT_TRUE(kit::SetAlwaysOnTop(h, kit::vbFalse));
    EXPECT_FALSE(Topmost(h));

    form.Unload();
    EXPECT_TRUE(user.Boxes.empty());
}

TEST(SetAlwaysOnTop, InvalidWindowGivesFalseAndNoBox) {
    rt::ScriptedUser user;
    EXPECT_FALSE(kit::SetAlwaysOnTop(reinterpret_cast<HWND>(0x7FFF0001), kit::vbTrue));
    EXPECT_FALSE(kit::SetAlwaysOnTop(nullptr, kit::vbFalse));
    EXPECT_TRUE(user.Boxes.empty());
}

} // namespace
