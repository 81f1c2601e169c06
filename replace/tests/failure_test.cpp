// Files the run cannot change: a read-only file, a file another program holds
// open, a full volume. The run's error boxes, whether it goes on, and every
// file left exactly as it was.
#include <windows.h>

#include <string>
#include <vector>

#include "fixture.h"

namespace sweeper::testing {
namespace {

using rt::test::ReadBytes;
using rt::test::WriteBytes;

const char* const kConfirmTitle = "  Confirm Search And Replace";

std::string Failed(long number, const std::string& description) {
    return "The following error occured:\r\rError Number = " + std::to_string(number) +
           "\rError Description = " + description;
}

// Another program holding a file open: "r|path" reads it, letting others read
// only; "w|path" writes it, letting others read. It holds the file until killed.
int HoldOpen(const std::string& argument) {
    const DWORD access = argument[0] == 'w' ? GENERIC_WRITE : GENERIC_READ;
    HANDLE file = CreateFileW(rt::Wide(argument.substr(2)).c_str(), access, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    Sleep(INFINITE);
    return 0;
}
const int kHoldOpen = rt::test::RegisterChild("sweeper-hold-open", &HoldOpen);

// Whether some other program holds the file so that it cannot be written.
bool Held(const std::string& path) {
    HANDLE h = CreateFileW(rt::Wide(path).c_str(), GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return true;
    CloseHandle(h);
    return false;
}

TEST_F(SweeperTest, AReadOnlyFileStopsTheRunUnchangedAndWithoutABackup) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteBytes(dir / name, "needle\r\n");
    SetFileAttributesW(rt::Wide(dir / "b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    frmMain& form = Open(dir.Path());
    form.cmdSelectAll.Press();
    Run(form, "needle", "thread", rt::vbYes);

    EXPECT_EQ(Titles(), (std::vector<std::string>{kConfirmTitle, "  Error"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt, Failed(75, "Path/File access error"));
    EXPECT_EQ(user.MessageBoxes().back().Style, 48);
    // The run stopped at b.txt: c.txt was not begun.
    EXPECT_EQ(Files(dir.Path()), (std::map<std::string, std::string>{
                                     {"a.txt", "thread\r\n"},
                                     {TodaysBackup("a.txt"), "needle\r\n"},
                                     {"b.txt", "needle\r\n"},
                                     {"c.txt", "needle\r\n"}}));
    EXPECT_TRUE(form.cmdStart.Enabled());
    SetFileAttributesW(rt::Wide(dir / "b.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SweeperTest, AFileAnotherProgramHoldsOpenIsLeftAsItWas) {
    for (const char* name : {"a.txt", "b.txt"}) WriteBytes(dir / name, "needle\r\n");
    frmMain& form = Open(dir.Path());
    form.cmdSelectAll.Press();
    {
        // Being written by another program: it cannot be examined, and the run
        // goes on with the next file.
        rt::test::ChildProcess writer("sweeper-hold-open", "w|" + dir / "a.txt");
        ASSERT_TRUE(rt::test::WaitFor([&] { return Held(dir / "a.txt"); }, 15000));
        Run(form, "needle", "thread", rt::vbNo);
        EXPECT_EQ(Titles(), (std::vector<std::string>{kConfirmTitle, "  Error", "  Complete"}));
        EXPECT_EQ(user.MessageBoxes()[1].Prompt,
                  dir / "a.txt" + "\rAn error occured while examining this file:\r\r"
                                  "Error Number = 70\rError Description = Permission denied");
        EXPECT_EQ(ReadBytes(dir / "a.txt"), "needle\r\n");
        EXPECT_EQ(ReadBytes(dir / "b.txt"), "thread\r\n");
    }
    user.Boxes.clear();
    WriteBytes(dir / "b.txt", "needle\r\n");
    {
        // Read by another program that lets no one replace it: examined, but
        // not replaced; the run stops there.
        rt::test::ChildProcess reader("sweeper-hold-open", "r|" + dir / "a.txt");
        ASSERT_TRUE(rt::test::WaitFor([&] { return Held(dir / "a.txt"); }, 15000));
        Run(form, "needle", "thread", rt::vbNo);
        EXPECT_EQ(Titles(), (std::vector<std::string>{kConfirmTitle, "  Error"}));
        EXPECT_EQ(user.MessageBoxes().back().Prompt, Failed(70, "Permission denied"));
        EXPECT_EQ(Files(dir.Path()), (std::map<std::string, std::string>{
                                         {"a.txt", "needle\r\n"}, {"b.txt", "needle\r\n"}}));
    }
}

// A volume of 64 KiB that fills up for real (the test command mounts one
// where it may).
class FullVolumeTest : public SweeperTest {
  protected:
    void SetUp() override {
        SweeperTest::SetUp();
        wchar_t drive[8] = {};
        if (!GetEnvironmentVariableW(L"BENCHWARE_SMALL_DRIVE", drive, 8))
            GTEST_SKIP() << "no small volume: the test command mounts one where it runs as root";
        root = rt::Utf8(drive) + "\\";
        Clear();
    }
    void TearDown() override {
        SweeperTest::TearDown();
        if (!root.empty()) Clear();
    }
    void Clear() {
        for (const auto& [name, bytes] : Files(root.substr(0, 2))) {
            SetFileAttributesW(rt::Wide(root + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(rt::Wide(root + name).c_str());
        }
    }
    // The window on the volume, picked in the drive list.
    frmMain& OpenVolume() {
        frmMain& form = Open(dir.Path());
        form.ctlDrive.Drive(root.substr(0, 2));
        rt::DoEvents();
        return form;
    }
    std::string root;
};

std::string Lines(size_t bytes) {
    std::string text;
    while (text.size() + 82 <= bytes) text += std::string(80, 'a') + "\r\n";
    return text;
}

TEST_F(FullVolumeTest, TheNewTextDoesNotFitTheFileStaysAndTheRunStops) {
    const std::string big = Lines(24000), small = "a\r\n";
    WriteBytes(root + "big.txt", big);
    WriteBytes(root + "small.txt", small);
    frmMain& form = OpenVolume();
    EXPECT_EQ(Listed(form), (std::vector<std::string>{"big.txt", "small.txt"}));
    form.cmdSelectAll.Press();
    Run(form, "a", "aa", rt::vbNo); // twice the size: more than the volume holds

    EXPECT_EQ(Titles(), (std::vector<std::string>{kConfirmTitle, "  Error"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt, Failed(61, "Disk full"));
    EXPECT_EQ(Files(root.substr(0, 2)),
              (std::map<std::string, std::string>{{"big.txt", big}, {"small.txt", small}}));
}

TEST_F(FullVolumeTest, ABackupThatDoesNotFitKeepsTheOldBackupAndTheFile) {
    const std::string big = Lines(36000), old = "yesterday's text\r\n";
    const std::string backup = TodaysBackup("big.txt");
    WriteBytes(root + "big.txt", big);
    WriteBytes(root + backup, old, FILE_ATTRIBUTE_READONLY);
    frmMain& form = OpenVolume();
    Select(form, {"big.txt"});
    Run(form, "a", "b", rt::vbYes);

    EXPECT_EQ(Titles(), (std::vector<std::string>{kConfirmTitle, "  Error"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt, Failed(61, "Disk full"));
    EXPECT_EQ(Files(root.substr(0, 2)),
              (std::map<std::string, std::string>{{"big.txt", big}, {backup, old}}));
    EXPECT_TRUE(GetFileAttributesW(rt::Wide(root + backup).c_str()) & FILE_ATTRIBUTE_READONLY);
}

} // namespace
} // namespace sweeper::testing
