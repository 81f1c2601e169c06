// Link opener failure messages and the always-on-top switch.
#include <gtest/gtest.h>

#include <kit/kit.h>
#include <rt/scripted_user.h>

namespace {

TEST(ShowShellError, ShowsTheCodesTextOrUnknownErrorAndNothingAbove32) {
    const std::string open = "open the file", access = "";
    const struct {
        long code;
        const std::string& action;
        const char* lead; // nullptr: no box
        const char* description;
    } cases[] = {
        {0, open, "open the file", "The operating system is out of memory or resources."},
        {1, open, "open the file", "Unknown Error"},
        {2, open, "open the file", "The specified file was not found."},
        {3, access, "access/open the file", "The specified path was not found."},
        {12, open, "open the file", "Unknown Error"},
        {31, open, "open the file",
         "There is no application associated with the given filename extension."},
        {32, open, "open the file", "The specified dynamic-link library was not found."},
        {-5, open, "open the file", "Unknown Error"},
        {33, open, nullptr, nullptr},
        {42, access, nullptr, nullptr},
    };
    for (const auto& c : cases) {
        rt::ScriptedUser user;
        kit::ShowShellError(c.code, c.action);
        const auto boxes = user.MessageBoxes();
        if (!c.lead) {
            EXPECT_TRUE(boxes.empty()) << c.code;
            continue;
        }
        ASSERT_EQ(boxes.size(), 1u) << c.code;
        EXPECT_EQ(boxes[0].Prompt,
                  std::string("The following error was encountered while trying to ") + c.lead +
                      ":\r\rError Number = " + std::to_string(c.code) +
                      "\rError Description = " + c.description);
        EXPECT_EQ(boxes[0].Title, "  Error Occured");
        EXPECT_EQ(boxes[0].Style, 48);
    }
}

class Plain : public rt::Form {};

// The shell runs parts of ShellExecute in the caller's thread and wants COM
// there, apartment-threaded: the program's thread has it from the start.
TEST(OpenLink, TheWindowsThreadIsASingleThreadedApartment) {
    Plain form;
    form.Show();
    const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(hr)) CoUninitialize();
    EXPECT_EQ(hr, RPC_E_CHANGED_MODE) << "COM was not initialised apartment-threaded";
    form.Unload();
}

TEST(SetAlwaysOnTop, OnlyTrueExactlyPinsAndABadWindowGivesFalse) {
    rt::ScriptedUser user;
    Plain form;
    form.Show();
    const HWND h = form.hWnd();
    // A non-zero Boolean that is not True releases the window like False.
    for (long onTop : {kit::vbTrue, 1L, kit::vbTrue, kit::vbFalse}) {
        EXPECT_TRUE(kit::SetAlwaysOnTop(h, onTop));
        EXPECT_EQ((GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, onTop == kit::vbTrue);
    }
    form.Unload();
    EXPECT_FALSE(kit::SetAlwaysOnTop(reinterpret_cast<HWND>(0x7FFF0001), kit::vbTrue));
    EXPECT_FALSE(kit::SetAlwaysOnTop(nullptr, kit::vbFalse));
    EXPECT_TRUE(user.Boxes.empty());
}

} // namespace
