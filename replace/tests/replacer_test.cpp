// The replace work on a file's bytes, without the window: the line rule, the
// replacement's own rules, bytes that pass through untouched, double-byte
// characters, and the backup's name.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "codepage.h"
#include "replacer.h"

namespace sweeper {
namespace {

// The new text of `content` and the occurrences found, as the run makes it.
std::pair<std::string, int64_t> Replaced(std::string_view content, const std::string& search,
                                         const std::string& replacement, bool ignoreCase = false,
                                         const CodePage& cp = CodePage()) {
    Replacer r(ignoreCase ? cp.Upper(search) : search, replacement, ignoreCase, cp);
    std::string text = "left over from another file";
    const Replacer::Result result = r.Run(content, [](long, int64_t) { return false; }, text);
    EXPECT_EQ(result.Lines, CountLines(content));
    return {text, result.Found};
}

TEST(LineRule, LinesEndAtCrOrCrLfAndComeBackEndingInCrLf) {
    // content, lines, new text after "x" -> "y" (empty: nothing found, no new text)
    for (auto [content, lines, expected] : std::vector<std::tuple<std::string, long, std::string>>{
             {"x", 1, "y\r\n"},                        // the last line gets its break
             {"x\r\n", 1, "y\r\n"},
             {"x\rx\rx", 3, "y\r\ny\r\ny\r\n"},        // a CR alone comes back as CR LF
             {"a\r\n\r\nx\r\n", 3, "a\r\n\r\ny\r\n"},  // empty lines stay
             {"x\r\r\n", 2, "y\r\n\r\n"},
             {"x\nx\nx\n", 1, "y\ny\ny\n\r\n"},        // LF alone is part of the line
             {"a\n\rx", 2, "a\n\r\ny\r\n"},
             {"abc\r", 1, ""},
             {"", 0, ""}}) {
        SCOPED_TRACE(testing::PrintToString(content));
        EXPECT_EQ(CountLines(content), lines);
        EXPECT_EQ(Replaced(content, "x", "y").first, expected);
    }
    // Every other byte passes through: NUL, LF and 128 to 255 around the matches.
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r') all += static_cast<char>(b);
    EXPECT_EQ(Replaced(all + "needle" + all, "NEEDLE", "thread", true).first,
              all + "thread" + all + "\r\n");
}

TEST(Replacing, EachOccurrenceOnceLeftToRightCaseAsAsked) {
    for (auto [line, search, replacement, ignoreCase, expected, count] :
         std::vector<std::tuple<std::string, std::string, std::string, bool, std::string, int>>{
             {"aaa", "a", "ab", false, "ababab", 3}, // the replacement is not searched again
             {"aaa", "a", "", false, "", 3},
             {"aaaa", "aa", "b", false, "bb", 2},     // occurrences do not overlap
             {"ABC abc", "abc", "x", true, "x x", 2}, // the text around keeps its case
             {"ABC abc", "abc", "x", false, "ABC x", 1},
             {"Abc aBC abc", "Abc", "ABC", false, "ABC aBC abc", 1},
             {"\xC9t\xE9 \xE9T\xC9", "\xE9t\xE9", "x", true, "x x", 2}, // the code page's letters
             {"a\r\nb", "a\r\nb", "c", false, "", 0}}) { // a line never holds a CR
        SCOPED_TRACE(line + " / " + search + " / " + replacement);
        auto [text, found] = Replaced(line, search, replacement, ignoreCase);
        EXPECT_EQ(text, expected.empty() && count == 0 ? "" : expected + "\r\n");
        EXPECT_EQ(found, count);
    }
}

TEST(Replacing, AMatchNeverBeginsInsideADoubleByteCharacter) {
    const CodePage cp932(932);
    ASSERT_TRUE(cp932.DoubleByte());
    // 0x83 0x5C is one character whose second byte is a backslash; 0x82 0x61
    // one whose second byte is "a".
    const std::string content = "\x83\x5C\\ \x82\x61" "a";
    EXPECT_EQ(Replaced(content, "\\", "/", false, cp932),
              std::make_pair(std::string("\x83\x5C/ \x82\x61" "a\r\n"), int64_t{1}));
    EXPECT_EQ(Replaced(content, "A", "b", true, cp932),
              std::make_pair(std::string("\x83\x5C\\ \x82\x61" "b\r\n"), int64_t{1}));
    // A lead byte at the end of a line does not take the CR.
    EXPECT_EQ(Replaced("\x83\r\\", "\\", "/", false, cp932).first, "\x83\r\n/\r\n");
}

TEST(BackupName, DatedAndFitForAFileName) {
    EXPECT_EQ(BackupFileName("12/8/2026", "notes.txt"), "[BACKUP 12_8_2026] notes.txt");
    EXPECT_EQ(BackupFileName("1\\2:3*4?5|6\"7>8<9", "f"), "[BACKUP 1_2.3.4.5.6'7.8.9] f");
}

} // namespace
} // namespace sweeper
