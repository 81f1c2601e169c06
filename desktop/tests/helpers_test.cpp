// The helper modules against the real system: registry values as the system
// stores them, the Windows folder, bitmap facts, colour translation, the
// system's error texts and the operating-system code.
#include <windows.h>

#include <rt.h>
#include <rt/scripted_user.h>

#include "fixture.h"
#include "modDecorum.h"
#include "modGetLastError1.h"
#include "modOS_Info.h"
#include "test_support.h"

namespace decorum {
namespace {

using testing::RegistryText;

const char* const kTestKey = "Software\\Benchware\\DecorumTest";

class RegistryTest : public ::testing::Test {
  protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, rt::Wide(kTestKey).c_str()); }
};

TEST_F(RegistryTest, WritesTextValuesExactlyAndCreatesMissingKeys) {
    const std::string key = std::string(kTestKey) + "\\Deeper\\Still";
    // Characters outside ASCII take more bytes inside the program than in the
    // system's code page: the value must arrive whole, with nothing after it.
    for (const std::string value : {"C:\\Wallpapers\\Déjà vu.bmp", "plain", "1", ""}) {
        SCOPED_TRACE(value);
        SetRegistryString(HKEY_CURRENT_USER, key, "Wallpaper", value);
        EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, key, "Wallpaper"), value);
    }
    DWORD type = 0, size = 99;
    ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, rt::Wide(key).c_str(), L"Wallpaper", RRF_RT_ANY,
                           &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_LE(size, sizeof(wchar_t)); // empty: no characters, at most the terminator
}

TEST(Helpers, WindowsFolderIsTheSystemsWithoutATerminator) {
    wchar_t folder[MAX_PATH] = {};
    GetWindowsDirectoryW(folder, MAX_PATH);
    const std::string found = GetWindowsFolder();
    EXPECT_EQ(found, rt::Utf8(folder));
    EXPECT_EQ(found.find('\0'), std::string::npos);
    ASSERT_FALSE(found.empty());
    EXPECT_NE(found.back(), '\\');
}

TEST(DepthProbe, BitmapInfoReadsSizeDepthAndPaddedBytes) {
    long height = -1, width = -1;
    int16_t bits = -1;
    double bytes = -1;
    HDC screen = GetDC(nullptr);
    HBITMAP one = CreateCompatibleBitmap(screen, 1, 1);
    HBITMAP odd = CreateCompatibleBitmap(screen, 3, 2);
    ReleaseDC(nullptr, screen);
    ASSERT_TRUE(GetBitmapInfo(one, height, width, bits, bytes));
    EXPECT_EQ(width, 1);
    EXPECT_EQ(height, 1);
    EXPECT_EQ(bits, testing::WindowsDepth());
    EXPECT_EQ(bytes, 4.0); // one 24-bit pixel padded to four bytes
    ASSERT_TRUE(GetBitmapInfo(odd, height, width, bits, bytes));
    EXPECT_EQ(bytes, 24.0); // rows of 9 bytes padded to 12, two rows
    DeleteObject(one);
    DeleteObject(odd);

    // No bitmap, and one that is gone: nothing is read.
    for (HBITMAP handle : {static_cast<HBITMAP>(nullptr), one}) {
        height = width = 7, bits = 7, bytes = 7;
        EXPECT_FALSE(GetBitmapInfo(handle, height, width, bits, bytes));
        EXPECT_EQ(height, 0);
        EXPECT_EQ(width, 0);
        EXPECT_EQ(bits, 0);
        EXPECT_EQ(bytes, 0.0);
    }
}

TEST(Helpers, TranslateColorFollowsTheSystemColours) {
    testing::SavedColours saved;
    EXPECT_EQ(TranslateColor(0x80000002), static_cast<long>(GetSysColor(COLOR_ACTIVECAPTION)));
    EXPECT_EQ(TranslateColor(0x00123456), 0x00123456);
    EXPECT_EQ(TranslateColor(0x800000FF), -1); // no such system colour
    const int index = COLOR_ACTIVECAPTION;
    const COLORREF colour = RGB(1, 2, 3);
    ASSERT_TRUE(SetSysColors(1, &index, &colour));
    EXPECT_EQ(TranslateColor(0x80000002), 0x030201);
}

// ---- The system's error texts

class ApiErrorTest : public ::testing::Test {
  protected:
    rt::ScriptedUser user;
    long number = -1;
    std::string text = "left over";
};

TEST_F(ApiErrorTest, NoErrorClearsTheOutputsAndLeavesTheLastError) {
    SetLastError(0);
    EXPECT_FALSE(CheckApiError(0, "GetSysColor", number, text, true));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(text, "");
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(ApiErrorTest, TheLastErrorIsDescribedAndCleared) {
    SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_TRUE(CheckApiError(0, "SetSysColors", number, text, false));
    EXPECT_EQ(number, 5);
    char system[260] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, 5, 0,
                   system, sizeof system, nullptr);
    std::string expected = system;
    expected.erase(expected.find_last_not_of("\r\n") + 1);
    EXPECT_EQ(text, expected);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_TRUE(user.Boxes.empty());

    // A code given is used as it stands, whatever the last error says.
    SetLastError(0);
    EXPECT_TRUE(CheckApiError(ERROR_FILE_NOT_FOUND, "X", number, text, false));
    EXPECT_EQ(number, 2);
}

TEST_F(ApiErrorTest, ACodeWithoutTextAndATextWithInsertionMarks) {
    EXPECT_TRUE(CheckApiError(0x7FFFFFFF, "X", number, text, false));
    EXPECT_EQ(number, 0x7FFFFFFF);
    EXPECT_EQ(text, "");
    // ERROR_MR_MID_NOT_FOUND's text names two arguments that were never passed:
    // it comes back with its marks, not with whatever lay beyond the one given.
    EXPECT_TRUE(CheckApiError(ERROR_MR_MID_NOT_FOUND, "X", number, text, false));
    EXPECT_NE(text.find("%1"), std::string::npos) << text;
    EXPECT_NE(text.find("%2"), std::string::npos) << text;
}

TEST_F(ApiErrorTest, ShowsOneBoxWhenAsked) {
    EXPECT_TRUE(CheckApiError(ERROR_INVALID_PARAMETER, "SetSysColors", number, text, true));
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    const auto box = user.MessageBoxes()[0];
    EXPECT_EQ(box.Title, "  Windows API Error");
    EXPECT_EQ(box.Style, 48);
    EXPECT_EQ(box.Prompt, "An error occured while calling the SetSysColors Windows API function.\r"
                          "Below is the error information:\r\rError Number = 87\r"
                          "Error Description = " + text);
}

// ---- The operating-system code

class OSInfoTest : public ::testing::Test {
  protected:
    void TearDown() override {
        SetVersionQuery(nullptr);
        gOSCode = 0;
    }
    // GetOSInfo on a system that reports this version, starting from `before`.
    long CodeFor(DWORD platform, DWORD major, DWORD minor, long before = 0) {
        gOSCode = before;
        SetVersionQuery([=, this](OSVERSIONINFOA& info) {
            asked = info;
            info.dwPlatformId = platform;
            info.dwMajorVersion = major;
            info.dwMinorVersion = minor;
            return TRUE;
        });
        EXPECT_TRUE(GetOSInfo());
        return gOSCode;
    }
    OSVERSIONINFOA asked{};
    rt::ScriptedUser user;
};

TEST_F(OSInfoTest, EachKnownSystemGetsItsCode) {
    EXPECT_EQ(CodeFor(VER_PLATFORM_WIN32s, 3, 10), 32);
    EXPECT_EQ(CodeFor(VER_PLATFORM_WIN32_WINDOWS, 4, 0), 95);
    EXPECT_EQ(CodeFor(VER_PLATFORM_WIN32_WINDOWS, 4, 10), 98);
    EXPECT_EQ(CodeFor(VER_PLATFORM_WIN32_NT, 3, 51), 351);
    EXPECT_EQ(CodeFor(VER_PLATFORM_WIN32_NT, 4, 0), 40);
    EXPECT_EQ(CodeFor(VER_PLATFORM_WIN32_NT, 5, 0), 2000);
    EXPECT_EQ(CodeFor(VER_PLATFORM_WIN32_NT, 5, 1), 2000); // XP
    EXPECT_EQ(CodeFor(3, 1, 0, 98), 0);                      // another platform
    // The record handed over is the system's own size, its service-pack text blank.
    EXPECT_EQ(asked.dwOSVersionInfoSize, sizeof(OSVERSIONINFOA));
    EXPECT_EQ(std::string(asked.szCSDVersion, sizeof asked.szCSDVersion),
              std::string(sizeof asked.szCSDVersion, ' '));
    EXPECT_TRUE(user.Boxes.empty());
}

TEST_F(OSInfoTest, VersionsItDoesNotKnowLeaveTheCode) {
    EXPECT_EQ(CodeFor(VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0), 0);  // Me
    EXPECT_EQ(CodeFor(VER_PLATFORM_WIN32_NT, 6, 1, 0), 0);         // 7
    EXPECT_EQ(CodeFor(VER_PLATFORM_WIN32_NT, 10, 0, 2000), 2000);
    EXPECT_FALSE(NoGradientCaptions(0));
    for (long code : {32L, 40L, 95L, 351L}) EXPECT_TRUE(NoGradientCaptions(code));
    for (long code : {98L, 2000L}) EXPECT_FALSE(NoGradientCaptions(code));
}

TEST_F(OSInfoTest, AFailedQueryIsReportedAndKeepsTheCode) {
    gOSCode = 98;
    SetVersionQuery([](OSVERSIONINFOA&) { return FALSE; });
    EXPECT_FALSE(GetOSInfo());
    EXPECT_EQ(gOSCode, 98);
    ASSERT_EQ(user.MessageBoxes().size(), 1u);
    EXPECT_EQ(user.MessageBoxes()[0].Prompt,
              "An error occured while trying to get the OS version and information.\r"
              "Click OK to continue.");
    EXPECT_EQ(user.MessageBoxes()[0].Title, "  Error Getting OS Information");
    EXPECT_EQ(user.MessageBoxes()[0].Style, 48);

    SetVersionQuery([](OSVERSIONINFOA&) -> BOOL { rt::Raise(7, "Decorum"); });
    EXPECT_FALSE(GetOSInfo());
    EXPECT_EQ(user.MessageBoxes()[1].Prompt,
              "Decorum caused the following error while getting the OS version:\r\r"
              "Error Number = 7\rError Description = Out of memory");
    EXPECT_EQ(user.MessageBoxes()[1].Title, "  Error  -  Out of memory");
}

TEST_F(OSInfoTest, TheSystemsOwnVersionIsRead) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    ASSERT_TRUE(GetVersionExA(&info));
#pragma GCC diagnostic pop
    gOSCode = -5;
    EXPECT_TRUE(GetOSInfo());
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion >= 6) {
        EXPECT_EQ(gOSCode, -5);
    } else if (info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion == 5) {
        EXPECT_EQ(gOSCode, 2000);
    }
}

} // namespace
} // namespace decorum
