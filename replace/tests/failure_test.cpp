// Files the run cannot change: a read-only file, a file another program holds
// open, a full volume. The run's error boxes, whether it goes on, and every
// file left exactly as it was.
#include <string>
#include <vector>

#include "fixture.h"

namespace sweeper::testing {
namespace {

using rt::test::WriteBytes;
using Names = std::vector<std::string>;
using Folder = std::map<std::string, std::string>;

std::string Failed(long number, const std::string& description) {
    return "The following error occured:\r\rError Number = " + std::to_string(number) +
           "\rError Description = " + description;
}

// Another program holding a file open: "r|path" reads it, letting others read
// only; "w|path" writes it, letting others read. It holds the file until killed.
int HoldOpen(const std::string& argument) {
    const DWORD access = argument[0] == 'w' ? GENERIC_WRITE : GENERIC_READ;
    if (CreateFileW(rt::Wide(argument.substr(2)).c_str(), access, FILE_SHARE_READ, nullptr,
                    OPEN_EXISTING, 0, nullptr) == INVALID_HANDLE_VALUE)
        return 3;
    Sleep(INFINITE);
    return 0;
}
const int kHoldOpen = rt::test::RegisterChild("sweeper-hold-open", &HoldOpen);

TEST_F(SweeperTest, AReadOnlyFileStopsTheRunUnchangedAndWithoutABackup) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteBytes(dir / name, "needle\r\n");
    SetFileAttributesW(rt::Wide(dir / "b.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    frmMain& form = Open(dir.Path());
    form.cmdSelectAll.Press();
    Run(form, "needle", "thread", rt::vbYes);

    EXPECT_EQ(Titles(), (Names{kConfirmTitle, "  Error"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt, Failed(75, "Path/File access error"));
    EXPECT_EQ(user.MessageBoxes().back().Style, 48);
    // The run stopped at b.txt: c.txt was not begun.
    EXPECT_EQ(Files(dir.Path()), (Folder{{"a.txt", "thread\r\n"},
                                         {TodaysBackup("a.txt"), "needle\r\n"},
                                         {"b.txt", "needle\r\n"},
                                         {"c.txt", "needle\r\n"}}));
    SetFileAttributesW(rt::Wide(dir / "b.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The next file is read and replaced while a file is saved: when the save
// fails, the run still ends where that file ended, its counts those of the
// files up to it, the next file untouched.
TEST_F(SweeperTest, AFailedSaveEndsTheRunWithTheCountsUpToItsFile) {
    WriteBytes(dir / "a.txt", "needle\r\n");
    WriteBytes(dir / "b.txt", "needle needle\r\n", FILE_ATTRIBUTE_READONLY);
    WriteBytes(dir / "c.txt", std::string(20, 'x') + "needle needle needle needle\r\n");
    frmMain& form = Open(dir.Path());
    form.cmdSelectAll.Press();
    Run(form, "needle", "thread", rt::vbNo);

    EXPECT_EQ(Titles(), (Names{kConfirmTitle, "  Error"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt, Failed(75, "Path/File access error"));
    EXPECT_EQ(form.lblFound.Caption(), "Searches Found = 3");
    EXPECT_EQ(Files(dir.Path()), (Folder{{"a.txt", "thread\r\n"},
                                         {"b.txt", "needle needle\r\n"},
                                         {"c.txt", std::string(20, 'x') + "needle needle needle needle\r\n"}}));
    SetFileAttributesW(rt::Wide(dir / "b.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A selected file that is the backup being made of the file before it is
// read once that backup is whole: it holds that file's text, and is replaced
// and backed up in turn. (A file named as a backup with nothing after it
// comes before its own backup in the list.)
TEST_F(SweeperTest, AFileThatIsTheBackupOfTheOneBeforeIsReadOnceItIsWhole) {
    std::string first = TodaysBackup("x");
    first.resize(first.size() - 2);
    const std::string second = TodaysBackup(first), third = TodaysBackup(second);
    WriteBytes(dir / first, "needle\r\n");
    WriteBytes(dir / second, "an old backup\r\n");
    frmMain& form = Open(dir.Path());
    EXPECT_EQ(Listed(form), (Names{first, second}));
    form.cmdSelectAll.Press();
    Run(form, "needle", "thread", rt::vbYes);

    EXPECT_EQ(Titles(), (Names{kConfirmTitle, "  Complete"}));
    EXPECT_EQ(form.lblFound.Caption(), "Searches Found = 2");
    EXPECT_EQ(Files(dir.Path()),
              (Folder{{first, "thread\r\n"}, {second, "thread\r\n"}, {third, "needle\r\n"}}));
}

TEST_F(SweeperTest, AFileAnotherProgramHoldsOpenIsLeftAsItWas) {
    frmMain& form = Open(dir.Path());
    // Being written by another program, a.txt cannot be examined: the run goes
    // on with b.txt. Only read by one that lets no one replace it, a.txt is
    // examined but not replaced: the run stops there.
    for (auto [mode, titles, changed] :
         {std::tuple{"w|", Names{kConfirmTitle, "  Error", "  Complete"}, "thread\r\n"},
          std::tuple{"r|", Names{kConfirmTitle, "  Error"}, "needle\r\n"}}) {
        SCOPED_TRACE(mode);
        for (const char* name : {"a.txt", "b.txt"}) WriteBytes(dir / name, "needle\r\n");
        form.ctlFile.Refresh();
        form.cmdSelectAll.Press();
        rt::test::ChildProcess holder("sweeper-hold-open", mode + dir / "a.txt");
        ASSERT_TRUE(rt::test::WaitFor([&] {
            HANDLE h = CreateFileW(rt::Wide(dir / "a.txt").c_str(), GENERIC_WRITE, 7, nullptr,
                                   OPEN_EXISTING, 0, nullptr);
            return h == INVALID_HANDLE_VALUE || !CloseHandle(h);
        }));
        user.Boxes.clear();
        Run(form, "needle", "thread", rt::vbNo);
        EXPECT_EQ(Titles(), titles);
        EXPECT_EQ(user.MessageBoxes()[1].Prompt,
                  *mode == 'w' ? dir / "a.txt" + "\rAn error occured while examining this file:\r\r"
                                                 "Error Number = 70\rError Description = Permission denied"
                               : Failed(70, "Permission denied"));
        EXPECT_EQ(Files(dir.Path()), (Folder{{"a.txt", "needle\r\n"}, {"b.txt", changed}}));
    }
}

// A volume of 64 KiB that fills up for real (the test command mounts one
// where it may), picked in the drive list.
class FullVolumeTest : public SweeperTest {
  protected:
    void SetUp() override {
        SweeperTest::SetUp();
        wchar_t drive[8] = {};
        if (!GetEnvironmentVariableW(L"BENCHWARE_SMALL_DRIVE", drive, 8))
            GTEST_SKIP() << "no small volume: the test command mounts one where it runs as root";
        volume = rt::Utf8(drive);
        Clear();
    }
    void TearDown() override {
        SweeperTest::TearDown();
        if (!volume.empty()) Clear();
    }
    void Clear() {
        for (const auto& [name, bytes] : Files(volume)) {
            SetFileAttributesW(rt::Wide(volume + "\\" + name).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(rt::Wide(volume + "\\" + name).c_str());
        }
    }
    frmMain& OpenVolume() {
        frmMain& form = Open(dir.Path());
        form.ctlDrive.Drive(volume);
        return form;
    }
    std::string volume;
};

std::string Lines(size_t bytes) {
    std::string text;
    while (text.size() + 82 <= bytes) text += std::string(80, 'a') + "\r\n";
    return text;
}

TEST_F(FullVolumeTest, TheNewTextDoesNotFitTheFileStaysAndTheRunStops) {
    const Folder files{{"big.txt", Lines(24000)}, {"small.txt", "a\r\n"}};
    for (const auto& [name, bytes] : files) WriteBytes(volume + "\\" + name, bytes);
    frmMain& form = OpenVolume();
    EXPECT_EQ(Listed(form), (Names{"big.txt", "small.txt"}));
    form.cmdSelectAll.Press();
    Run(form, "a", "aa", rt::vbNo); // twice the size: more than the volume holds

    EXPECT_EQ(Titles(), (Names{kConfirmTitle, "  Error"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt, Failed(61, "Disk full"));
    EXPECT_EQ(Files(volume), files);
}

TEST_F(FullVolumeTest, ABackupThatDoesNotFitKeepsTheOldBackupAndTheFile) {
    const Folder files{{"big.txt", Lines(36000)}, {TodaysBackup("big.txt"), "yesterday's text\r\n"}};
    for (const auto& [name, bytes] : files) WriteBytes(volume + "\\" + name, bytes, FILE_ATTRIBUTE_READONLY);
    SetFileAttributesW(rt::Wide(volume + "\\big.txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    frmMain& form = OpenVolume();
    Select(form, {"big.txt"});
    Run(form, "a", "b", rt::vbYes);

    EXPECT_EQ(Titles(), (Names{kConfirmTitle, "  Error"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt, Failed(61, "Disk full"));
    EXPECT_EQ(Files(volume), files);
    EXPECT_TRUE(GetFileAttributesW(rt::Wide(volume + "\\" + TodaysBackup("big.txt")).c_str()) &
                FILE_ATTRIBUTE_READONLY);
}

} // namespace
} // namespace sweeper::testing
