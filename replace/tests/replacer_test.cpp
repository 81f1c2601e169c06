// The replace work on a file's bytes, without the window: the line rule, the
// replacement's own rules, bytes that pass through untouched, the code page,
// stopping, counting a file's lines and saving with a backup.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include <rt.h>

#include "codepage.h"
#include "replacer.h"
#include "test_support.h"

namespace sweeper {
namespace {

using rt::test::ReadBytes;
using rt::test::WriteBytes;

const CodePage& Ansi() {
    static const CodePage cp;
    return cp;
}

bool NeverStop(long, int64_t) { return false; }

// The new text of `content` and the occurrences found, as the run makes it.
std::pair<std::string, int64_t> Replaced(std::string_view content, const std::string& search,
                                         const std::string& replacement, bool ignoreCase = false,
                                         const CodePage& cp = Ansi()) {
    Replacer r(ignoreCase ? cp.Upper(search) : search, replacement, ignoreCase, cp);
    std::string text = "left over from another file";
    Replacer::Result result = r.Run(content, NeverStop, text);
    EXPECT_FALSE(result.Stopped);
    EXPECT_EQ(result.Lines, CountLines(content));
    return {text, result.Found};
}

TEST(LineRule, LinesEndAtCrOrCrLfAndComeBackEndingInCrLf) {
    // content, lines, new text after "x" -> "y" (empty: nothing found, no new text)
    for (auto [content, lines, expected] : std::vector<std::tuple<std::string, long, std::string>>{
             {"x", 1, "y\r\n"},                        // the last line gets its break
             {"x\r\n", 1, "y\r\n"},
             {"x\r", 1, "y\r\n"},                      // a CR alone comes back as CR LF
             {"x\rx\rx", 3, "y\r\ny\r\ny\r\n"},
             {"a\r\n\r\nx\r\n", 3, "a\r\n\r\ny\r\n"},  // empty lines stay
             {"x\r\r\n", 2, "y\r\n\r\n"},
             {"\r\n", 1, ""},
             {"x\n", 1, "y\n\r\n"},                    // LF alone is part of the line
             {"x\nx\nx\n", 1, "y\ny\ny\n\r\n"},        // an LF-only file is one long line
             {"a\n\rx", 2, "a\n\r\ny\r\n"},
             {"abc", 1, ""}}) {
        SCOPED_TRACE(testing::PrintToString(content));
        EXPECT_EQ(CountLines(content), lines);
        EXPECT_EQ(Replaced(content, "x", "y").first, expected);
    }
    EXPECT_EQ(CountLines(""), 0);
}

TEST(LineRule, EveryOtherBytePassesThroughExactly) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r') all += static_cast<char>(b);
    // NUL, LF and every byte from 128 to 255 around and between the matches.
    const std::string content = all + "needle" + all + "\r\n" + std::string("\0\0needle\xff\x80", 10);
    const std::string expected = all + "thread" + all + "\r\n" + std::string("\0\0thread\xff\x80\r\n", 12);
    auto [text, found] = Replaced(content, "needle", "thread");
    EXPECT_EQ(text, expected);
    EXPECT_EQ(found, 2);
    // With case ignored, only the match changes: the bytes around it keep their case.
    std::tie(text, found) = Replaced(content, "NEEDLE", "thread", true);
    EXPECT_EQ(text, expected);
}

TEST(Replacing, EachOccurrenceOnceLeftToRight) {
    for (auto [line, search, replacement, ignoreCase, expected, count] :
         std::vector<std::tuple<std::string, std::string, std::string, bool, std::string, int>>{
             {"aaa", "a", "ab", false, "ababab", 3},    // the replacement is not searched again
             {"aaa", "a", "", false, "", 3},
             {"aaaa", "aa", "b", false, "bb", 2},       // occurrences do not overlap
             {"aaa", "aa", "b", false, "ba", 1},
             {"ABC abc", "abc", "x", true, "x x", 2},
             {"ABC abc", "abc", "x", false, "ABC x", 1},
             {"Abc aBC abc", "Abc", "ABC", false, "ABC aBC abc", 1},
             {"xAbCx", "abc", "-", true, "x-x", 1},
             {"abcab", "abc", "abcabc", false, "abcabcab", 1}}) {
        SCOPED_TRACE(line + " / " + search + " / " + replacement);
        auto [text, found] = Replaced(line, search, replacement, ignoreCase);
        EXPECT_EQ(text, expected + "\r\n");
        EXPECT_EQ(found, count);
    }
    // A search text holding a CR can never be inside a line.
    EXPECT_EQ(Replaced("a\r\nb", "a\r\nb", "c").second, 0);
}

TEST(Replacing, LongLinesTakeOnePass) {
    // 8 MB of "a" in one line, each "a" becoming "xy": the work grows with the
    // file, so this takes a moment, not hours.
    const std::string content(8 << 20, 'a');
    std::string expected;
    expected.reserve(16 << 20);
    for (size_t i = 0; i < content.size(); ++i) expected += "xy";
    expected += "\r\n";
    auto [text, found] = Replaced(content, "a", "xy");
    EXPECT_EQ(found, 8 << 20);
    EXPECT_TRUE(text == expected);
}

TEST(CodePageTest, TypedTextThatTheCodePageCannotHoldIsRefused) {
    const CodePage cp1252(1252);
    EXPECT_EQ(cp1252.Bytes("caf\xC3\xA9 \xE2\x82\xAC"), std::optional<std::string>("caf\xE9 \x80"));
    EXPECT_EQ(cp1252.Bytes(""), std::optional<std::string>(""));
    for (const char* foreign : {"\xCE\xA9", "a\xE2\x88\x9E", "\xE4\xB8\xAD", "\xF0\x9F\x98\x80",
                                "\xC4\x80"}) { // Omega, infinity, a CJK character, an emoji, A macron
        SCOPED_TRACE(foreign);
        EXPECT_FALSE(cp1252.Bytes(foreign).has_value()); // never stored as "?" or a look-alike
    }
    EXPECT_TRUE(Ansi().Bytes("needle").has_value());
}

TEST(CodePageTest, IgnoringCaseFollowsTheCodePagesLetters) {
    const CodePage cp1252(1252);
    EXPECT_EQ(cp1252.Upper("abc\xE9\xFF\x9A\xDF\xB5z"), "ABC\xC9\x9F\x8A\xDF\xB5Z");
    auto [text, found] = Replaced("\xC9t\xE9 \xE9T\xC9", "\xE9t\xE9", "x", true, cp1252);
    EXPECT_EQ(text, "x x\r\n");
    EXPECT_EQ(found, 2);
}

TEST(CodePageTest, AMatchNeverBeginsInsideADoubleByteCharacter) {
    const CodePage cp932(932);
    ASSERT_TRUE(cp932.DoubleByte());
    ASSERT_TRUE(cp932.LeadByte(0x83));
    // 0x83 0x5C is one character whose second byte is a backslash; 0x82 0x61
    // one whose second byte is "a".
    const std::string content = "\x83\x5C\\ \x82\x61" "a";
    auto [text, found] = Replaced(content, "\\", "/", false, cp932);
    EXPECT_EQ(text, "\x83\x5C/ \x82\x61" "a\r\n");
    EXPECT_EQ(found, 1);
    std::tie(text, found) = Replaced(content, "A", "b", true, cp932);
    EXPECT_EQ(text, "\x83\x5C\\ \x82\x61" "b\r\n");
    EXPECT_EQ(found, 1);
    EXPECT_EQ(cp932.Upper("\x82\x61" "a"), "\x82\x61" "A");
    // A lead byte at the end of a line does not take the CR.
    EXPECT_EQ(Replaced("\x83\r\\", "\\", "/", false, cp932).first, "\x83\r\n/\r\n");
}

TEST(Stopping, AskedBeforeEveryLineAndInsideLongLines) {
    Replacer r("needle", "thread", false, Ansi());
    std::string content;
    for (int i = 0; i < 10; ++i) content += "a needle\r\n";
    std::vector<long> asked;
    std::string text;
    auto result = r.Run(content, [&](long line, int64_t found) {
        asked.push_back(line);
        EXPECT_EQ(found, line - 1);
        return line == 4;
    }, text);
    EXPECT_TRUE(result.Stopped);
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(asked, (std::vector<long>{1, 2, 3, 4}));

    // One line of 8 MB: the question comes every few tens of kilobytes, with
    // or without matches, and a stop is taken at once.
    for (char fill : {'a', 'b'}) {
        const std::string line(8 << 20, fill);
        Replacer a("a", "xy", false, Ansi());
        int calls = 0;
        result = a.Run(line, [&](long n, int64_t) {
            EXPECT_EQ(n, 1);
            return ++calls == 20;
        }, text);
        EXPECT_TRUE(result.Stopped);
        EXPECT_EQ(calls, 20);
        calls = 0;
        EXPECT_FALSE(a.Run(line, [&](long, int64_t) { return ++calls < 0; }, text).Stopped);
        EXPECT_GT(calls, 100);
    }
}

TEST(BackupName, DatedAndFitForAFileName) {
    EXPECT_EQ(BackupFileName("12/8/2026", "notes.txt"), "[BACKUP 12_8_2026] notes.txt");
    EXPECT_EQ(BackupFileName("2026-08-12", "a.b"), "[BACKUP 2026-08-12] a.b");
    EXPECT_EQ(BackupFileName("1\\2:3*4?5|6\"7>8<9", "f"), "[BACKUP 1_2.3.4.5.6'7.8.9] f");
}

class FileTest : public ::testing::Test {
  protected:
    rt::test::TempFolder dir;
    long Count(const std::string& path, std::string* content = nullptr) {
        std::string bytes;
        number = 0;
        description.clear();
        long lines = CountFileLines(path, number, description, bytes);
        if (content) *content = bytes;
        return lines;
    }
    long number = 0;
    std::string description;
};

TEST_F(FileTest, CountingAFilesLines) {
    std::string content;
    WriteBytes(dir / "three.txt", "a\r\nb\rc");
    EXPECT_EQ(Count(dir / "three.txt", &content), 3);
    EXPECT_EQ(content, "a\r\nb\rc");
    WriteBytes(dir / "hidden.txt", "a\n\n", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(Count(dir / "hidden.txt"), 1);
    WriteBytes(dir / "empty.txt", "");
    EXPECT_EQ(Count(dir / "empty.txt"), 0);
    for (const std::string& path : {dir / "missing.txt", std::string("   "), std::string(), dir.Path()}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(Count(path), -1);
        EXPECT_EQ(number, 0);
    }

    // A file another program is writing cannot be taken: its error is told.
    HANDLE writer = CreateFileW(rt::Wide(dir / "three.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(Count(dir / "three.txt", &content), -1);
    EXPECT_EQ(number, rt::errPermissionDenied);
    EXPECT_EQ(description, "Permission denied");
    EXPECT_TRUE(content.empty());
    CloseHandle(writer);
}

TEST_F(FileTest, SavingMakesTheBackupFirstAndReplacesTheFileWhole) {
    const std::string file = dir / "notes.txt", backup = dir / "[BACKUP 1_2_2026] notes.txt";
    WriteBytes(file, "old");
    SaveReplaced(file, backup, "old", "new\r\n");
    EXPECT_EQ(ReadBytes(file), "new\r\n");
    EXPECT_EQ(ReadBytes(backup), "old");

    // A same-day backup is replaced, also when it is read-only.
    SetFileAttributesW(rt::Wide(backup).c_str(), FILE_ATTRIBUTE_READONLY);
    SaveReplaced(file, backup, "new\r\n", "newer\r\n");
    EXPECT_EQ(ReadBytes(file), "newer\r\n");
    EXPECT_EQ(ReadBytes(backup), "new\r\n");

    // No backup asked for: none made.
    SaveReplaced(file, "", "newer\r\n", "newest\r\n");
    EXPECT_EQ(ReadBytes(file), "newest\r\n");
    EXPECT_EQ(ReadBytes(backup), "new\r\n");
}

TEST_F(FileTest, AFailedSaveLeavesFileAndBackupAsTheyWere) {
    const std::string file = dir / "notes.txt", backup = dir / "[BACKUP 1_2_2026] notes.txt";
    // A read-only file is refused before any backup is made.
    WriteBytes(file, "keep", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(rt::test::ErrorOf([&] { SaveReplaced(file, backup, "keep", "x"); }), rt::errPathFileAccess);
    EXPECT_EQ(ReadBytes(file), "keep");
    EXPECT_FALSE(rt::FileExists(backup));
    SetFileAttributesW(rt::Wide(file).c_str(), FILE_ATTRIBUTE_NORMAL);

    // A backup that cannot be made (a folder has its name) stops the save.
    CreateDirectoryW(rt::Wide(backup).c_str(), nullptr);
    EXPECT_NE(rt::test::ErrorOf([&] { SaveReplaced(file, backup, "keep", "x"); }), 0);
    EXPECT_EQ(ReadBytes(file), "keep");

    // Neither is the file replaced while another program holds it open.
    HANDLE holder = CreateFileW(rt::Wide(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_NE(rt::test::ErrorOf([&] { SaveReplaced(file, "", "keep", "x"); }), 0);
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(file), "keep");
    std::vector<std::string> left = rt::Dir(dir / "*.*", 39);
    EXPECT_EQ(left, std::vector<std::string>{"notes.txt"}); // no temporary file stays
}

} // namespace
} // namespace sweeper
