// The helper modules against the real system: registry values as the system
// stores them, the Windows folder, bitmap facts, colour translation, the
// system's error texts and the operating-system code.
#include <windows.h>

#include <rt.h>
#include <rt/handles.h>
#include <rt/scripted_user.h>

#include "fixture.h"
#include "modDecorum.h"
#include "modGetLastError1.h"
#include "modOS_Info.h"

namespace decorum {
namespace {

TEST(Helpers, RegistryValuesArriveWholeInKeysMadeOnTheWay) {
    const std::string key = "Software\\Benchware\\DecorumTest\\Deeper";
    // Characters outside ASCII are longer inside the program than in the
    // system's code page: the value must arrive whole, with nothing after it.
    for (const std::string value : {"C:\\Wallpapers\\Déjà vu.bmp", "1", ""}) {
        SetRegistryString(HKEY_CURRENT_USER, key, "Wallpaper", value);
        EXPECT_EQ(testing::RegistryText(HKEY_CURRENT_USER, key, "Wallpaper"), value);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Benchware\\DecorumTest");
    const std::string folder = GetWindowsFolder();
    EXPECT_EQ(folder, testing::WindowsFolder());
    EXPECT_NE(folder.back(), '\\');
}

TEST(DepthProbe, BitmapInfoReadsSizeDepthAndPaddedBytes) {
    long height = -1, width = -1;
    int16_t bits = -1;
    double bytes = -1;
    rt::WindowDC screen(nullptr);
    HBITMAP one = CreateCompatibleBitmap(screen, 1, 1);
    rt::GdiObject<HBITMAP> odd(CreateCompatibleBitmap(screen, 3, 2));
    ASSERT_TRUE(GetBitmapInfo(one, height, width, bits, bytes));
    EXPECT_EQ(width * height, 1);
    EXPECT_EQ(bits, testing::WindowsDepth());
    EXPECT_EQ(bytes, 4.0); // one 24-bit pixel padded to four bytes
    ASSERT_TRUE(GetBitmapInfo(odd, height, width, bits, bytes));
    EXPECT_EQ(bytes, 24.0); // rows of 9 bytes padded to 12, two rows
    DeleteObject(one);
    for (HBITMAP gone : {static_cast<HBITMAP>(nullptr), one}) {
        EXPECT_FALSE(GetBitmapInfo(gone, height, width, bits, bytes));
        EXPECT_EQ(height + width + bits + bytes, 0);
    }
}

TEST(Helpers, TranslateColorFollowsTheSystemColours) {
    testing::SavedColours saved;
    EXPECT_EQ(TranslateColor(0x00123456), 0x00123456);
    EXPECT_EQ(TranslateColor(0x800000FF), -1); // no such system colour
    const int index = COLOR_ACTIVECAPTION;
    const COLORREF colour = RGB(1, 2, 3);
    ASSERT_TRUE(SetSysColors(1, &index, &colour));
    EXPECT_EQ(TranslateColor(0x80000002), 0x030201);
}

// ---- The system's error texts

TEST(ApiError, TheLastErrorIsDescribedAndClearedOnlyWhenThereIsOne) {
    rt::ScriptedUser user;
    long number = -1;
    std::string text = "left over";
    SetLastError(0);
    EXPECT_FALSE(CheckApiError(0, "GetSysColor", number, text, true));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(text, "");

    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_TRUE(CheckApiError(0, "SetSysColors", number, text, false));
    EXPECT_EQ(number, 5);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n'); // without the system's closing line break
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_TRUE(user.Boxes.empty());

    EXPECT_TRUE(CheckApiError(0x7FFFFFFF, "X", number, text, false)); // no text for it
    EXPECT_EQ(number, 0x7FFFFFFF);
    EXPECT_EQ(text, "");
    // A text naming two arguments that were never passed comes back with its
    // marks, not with whatever lay beyond.
    EXPECT_TRUE(CheckApiError(ERROR_MR_MID_NOT_FOUND, "X", number, text, false));
    EXPECT_NE(text.find("%1"), std::string::npos) << text;
    EXPECT_NE(text.find("%2"), std::string::npos) << text;

    EXPECT_TRUE(CheckApiError(ERROR_INVALID_PARAMETER, "SetSysColors", number, text, true));
    ASSERT_EQ(user.Boxes.size(), 1u);
    EXPECT_EQ(user.Boxes[0].Title, "  Windows API Error");
    EXPECT_EQ(user.Boxes[0].Style, 48);
    EXPECT_EQ(user.Boxes[0].Prompt,
              "An error occured while calling the SetSysColors Windows API function.\r"
              "Below is the error information:\r\rError Number = 87\rError Description = " + text);
}

// ---- The operating-system code

class OSInfoTest : public ::testing::Test {
  protected:
    void TearDown() override {
        SetVersionQuery(nullptr);
        gOSCode = 0;
    }
    rt::ScriptedUser user;
};

TEST_F(OSInfoTest, EachKnownSystemGetsItsCodeAndOthersLeaveIt) {
    struct Case {
        DWORD platform, major, minor;
        long before, code;
    };
    const Case cases[] = {
        {VER_PLATFORM_WIN32s, 3, 10, 0, 32},     {VER_PLATFORM_WIN32_WINDOWS, 4, 0, 0, 95},
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, 0, 98}, {VER_PLATFORM_WIN32_NT, 3, 51, 0, 351},
        {VER_PLATFORM_WIN32_NT, 4, 0, 0, 40},    {VER_PLATFORM_WIN32_NT, 5, 1, 0, 2000},
        {3, 1, 0, 98, 0},                         // another platform
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, 40, 40}, // Me: unknown, left as it was
        {VER_PLATFORM_WIN32_NT, 10, 0, 2000, 2000},
    };
    OSVERSIONINFOA asked{};
    for (const Case& c : cases) {
        gOSCode = c.before;
        SetVersionQuery([&](OSVERSIONINFOA& info) {
            asked = info;
            info.dwPlatformId = c.platform, info.dwMajorVersion = c.major;
            info.dwMinorVersion = c.minor;
            return TRUE;
        });
        EXPECT_TRUE(GetOSInfo());
        EXPECT_EQ(gOSCode, c.code) << c.platform << " " << c.major << "." << c.minor;
    }
    // The record handed over has the system's own size, its service-pack text blank.
    EXPECT_EQ(asked.dwOSVersionInfoSize, sizeof(OSVERSIONINFOA));
    EXPECT_EQ(std::string(asked.szCSDVersion, sizeof asked.szCSDVersion),
              std::string(sizeof asked.szCSDVersion, ' '));
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(OSInfoTest, AFailedQueryIsReportedAndKeepsTheCode) {
    gOSCode = 98;
    SetVersionQuery([](OSVERSIONINFOA&) { return FALSE; });
    EXPECT_FALSE(GetOSInfo());
    SetVersionQuery([](OSVERSIONINFOA&) -> BOOL { rt::Raise(7, "Decorum"); });
    EXPECT_FALSE(GetOSInfo());
    EXPECT_EQ(gOSCode, 98);
    ASSERT_EQ(user.Boxes.size(), 2u);
    EXPECT_EQ(user.Boxes[0].Prompt,
              "An error occured while trying to get the OS version and information.\r"
              "Click OK to continue.");
    EXPECT_EQ(user.Boxes[0].Title, "  Error Getting OS Information");
    EXPECT_EQ(user.Boxes[1].Prompt,
              "Decorum caused the following error while getting the OS version:\r\r"
              "Error Number = 7\rError Description = Out of memory");
    EXPECT_EQ(user.Boxes[1].Title, "  Error  -  Out of memory");
}

} // namespace
} // namespace decorum
