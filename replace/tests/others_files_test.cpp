// Files as users really have them: Unicode and binary files among the text,
// and files that another program changes or deletes while the run works on
// them. Each is left exactly as it is, and the run says so.
#include <string>
#include <vector>

#include "fixture.h"
#include "replacer.h"

namespace sweeper::testing {
namespace {

using rt::test::WriteBytes;
using Names = std::vector<std::string>;
using Folder = std::map<std::string, std::string>;

FILETIME LastWrite(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(rt::Wide(path).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Each character of the text as two bytes, low byte first.
std::string Utf16(const std::string& ascii) {
    std::string bytes;
    for (char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
}

TEST_F(SweeperTest, FilesThatAreNotTextInTheCodePageKeepEveryByteAndAreCounted) {
    const Folder unchanged{
        {"utf16.txt", "\xFF\xFE" + Utf16("Hello world\r\nfoo\r\n")},
        // No NUL in these two: only their byte-order marks tell; each holds
        // "o" bytes and a lone CR.
        {"cjk16le.txt", std::string("\xFF\xFE\x6F\x6F\x0D\x6F\x0A\x0D", 8)},
        {"cjk16be.txt", std::string("\xFE\xFF\x6F\x6F\x6F\x0D", 6)},
        {"utf32.txt", std::string("\xFF\xFE\0\0o\0\0\0\r\0\0\0", 12)},
        {"tool.bin", std::string("\x7F" "BIN\0\x01 one o\rtwo\r\xFFo\r", 20)},
    };
    for (const auto& [name, bytes] : unchanged) WriteBytes(dir / name, bytes);
    WriteBytes(dir / "bom8.txt", "\xEF\xBB\xBF" "foo\rbar");
    WriteBytes(dir / "plain.txt", "no\r\n");
    std::map<std::string, FILETIME> times;
    for (const auto& [name, bytes] : unchanged) times[name] = LastWrite(dir / name);
    frmMain& form = Open(dir.Path());
    form.cmdSelectAll.Press();
    Run(form, "o", "0", rt::vbYes);

    EXPECT_EQ(Titles(), (Names{kConfirmTitle, "  Complete"}));
    EXPECT_EQ(user.MessageBoxes().back().Prompt,
              "Search and replace operation completed successfully!\r\r5 files were left "
              "untouched: not text in the system's code page (Unicode or binary).");
    EXPECT_EQ(form.lblFound.Caption(), "Searches Found = 3");
    // The text files, a UTF-8 one with its mark, are replaced as ever and
    // backed up; the others have neither.
    Folder expected = unchanged;
    expected["bom8.txt"] = "\xEF\xBB\xBF" "f00\r\nbar\r\n";
    expected[TodaysBackup("bom8.txt")] = "\xEF\xBB\xBF" "foo\rbar";
    expected["plain.txt"] = "n0\r\n";
    expected[TodaysBackup("plain.txt")] = "no\r\n";
    EXPECT_EQ(Files(dir.Path()), expected);
    for (const auto& [name, time] : times) {
        const FILETIME now = LastWrite(dir / name);
        EXPECT_EQ(CompareFileTime(&time, &now), 0) << name << " was written";
    }
}

// Another program at work on the files between the run's reading and its
// replacing of each: one grows, one is deleted, one is touched (rewritten
// with the same length).
void AnotherProgram(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    if (name == "grown.txt") {
        WriteBytes(path, "needle\r\nanother program's line\r\n");
    } else if (name == "gone.txt") {
        DeleteFileW(rt::Wide(path).c_str());
    } else if (name == "touched.txt") {
        rt::FileHandle file(CreateFileW(rt::Wide(path).c_str(), FILE_WRITE_ATTRIBUTES, 7, nullptr,
                                        OPEN_EXISTING, 0, nullptr));
        FILETIME time = LastWrite(path);
        time.dwHighDateTime += 1; // some seven minutes on
        SetFileTime(file, nullptr, nullptr, &time);
    }
}

TEST_F(SweeperTest, AFileChangedOrDeletedAfterItWasReadIsLeftAsItIsAndReported) {
    frmMain& form = Open(dir.Path());
    for (bool backups : {true, false}) {
        SCOPED_TRACE(backups ? "with backups" : "without backups");
        for (const auto& [name, bytes] : Files(dir.Path())) DeleteFileW(rt::Wide(dir / name).c_str());
        for (const char* name : {"gone.txt", "grown.txt", "kept.txt", "touched.txt"})
            WriteBytes(dir / name, "needle\r\n");
        form.ctlFile.Refresh();
        form.cmdSelectAll.Press();
        user.Boxes.clear();
        seam::BeforeSave = &AnotherProgram;
        Run(form, "needle", "thread", backups ? rt::vbYes : rt::vbNo);
        seam::BeforeSave = nullptr;

        EXPECT_EQ(Titles(), (Names{kConfirmTitle, "  Error", "  Error", "  Error", "  Complete"}));
        const Names reported{"gone.txt", "grown.txt", "touched.txt"};
        for (size_t i = 1; i < 4 && i < user.MessageBoxes().size(); ++i)
            EXPECT_EQ(user.MessageBoxes()[i].Prompt,
                      dir / reported[i - 1] +
                          "\rAn error occured while examining this file:\r\rError Number = 1002\r"
                          "Error Description = The file was changed or deleted by another "
                          "program after it was read; it was left as it is now.");
        Folder expected{{"grown.txt", "needle\r\nanother program's line\r\n"},
                        {"kept.txt", "thread\r\n"},
                        {"touched.txt", "needle\r\n"}};
        if (backups) expected[TodaysBackup("kept.txt")] = "needle\r\n";
        EXPECT_EQ(Files(dir.Path()), expected);
        EXPECT_EQ(form.lblFound.Caption(), "Searches Found = 1");
    }
}

} // namespace
} // namespace sweeper::testing
