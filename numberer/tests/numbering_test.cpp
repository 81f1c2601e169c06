// The transforms without a window: lines read by index, smart numbering's
// rules, numbering, removal and the undo history.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <rt.h>

#include "numbering.h"
#include "test_support.h"
#include "undo.h"

namespace tallyman {
namespace {

// Keeps what a run reported.
struct Recorded : RunProgress {
    std::vector<long> read, processed;
    long total = -1;
    void Reading(long k) override { read.push_back(k); }
    void Total(long N) override { total = N; }
    void Processing(long i, long N) override {
        processed.push_back(i);
        EXPECT_EQ(N, total < 0 ? N : total);
    }
};

std::vector<std::string_view> Lines(const std::string& working) {
    Recorded progress;
    return ReadLines(working, progress);
}

// A text numbered as a run does: the text with CR LF appended, read, numbered.
std::string Numbered(const std::string& text, int16_t increment, int16_t spaces, bool smart,
                     LineClassifier& classifier) {
    const std::string working = text + "\r\n";
    Recorded progress;
    return NumberedText(Lines(working), increment, spaces, smart, classifier, progress);
}

std::string Numbered(const std::string& text, bool smart = false) {
    LineClassifier classifier;
    return Numbered(text, 10, 2, smart, classifier);
}

std::string Stripped(const std::string& text, NumberWidth& width) {
    const std::string working = text + "\r\n";
    Recorded progress;
    return StrippedText(Lines(working), width, progress);
}

// Which lines of a text smart mode numbers ("1" numbered, "0" not), one run.
std::string Judged(const std::vector<std::string>& lines, LineClassifier& classifier) {
    std::string verdicts;
    for (const std::string& line : lines) verdicts += classifier.CanNumberLine(line) ? '1' : '0';
    return verdicts;
}

std::string Judged(const std::vector<std::string>& lines) {
    LineClassifier classifier;
    return Judged(lines, classifier);
}

TEST(ReadLines, CutsAfterEachLineFeedKeepingEveryTerminator) {
    const std::string working = "one\r\ntwo\nthree\r\rfour\r\n\r\n";
    Recorded progress;
    const auto lines = ReadLines(working, progress);
    EXPECT_EQ(lines, (std::vector<std::string_view>{"one\r\n", "two\n", "three\r\rfour\r\n", "\r\n"}));
    EXPECT_EQ(progress.read, (std::vector<long>{1, 2, 3, 4}));
    EXPECT_EQ(progress.total, 4);
    std::string joined;
    for (auto line : lines) joined += line;
    EXPECT_EQ(joined, working);
    EXPECT_TRUE(Lines("no line feed").empty());
    EXPECT_EQ(Lines("a\nrest").size(), 1u); // text after the last line feed is no line
}

TEST(NumberLines, PlainModeNumbersEveryLineWithTheIncrementAndBlanks) {
    EXPECT_EQ(Numbered("Word"), "10  Word\r\n");
    // The empty line the appended break makes is numbered too.
    EXPECT_EQ(Numbered("a\r\nb\r\n"), "10  a\r\n20  b\r\n30  \r\n");
    EXPECT_EQ(Numbered("a\nb"), "10  a\n20  b\r\n");
    LineClassifier classifier;
    EXPECT_EQ(Numbered("a\r\nb", 0, 2, false, classifier), "0  a\r\n0  b\r\n");
    EXPECT_EQ(Numbered("a\r\nb", -5, 1, false, classifier), "-5 a\r\n-10 b\r\n");
    EXPECT_EQ(Numbered("a\r\nb", 9999, 0, false, classifier), "9999a\r\n19998b\r\n");
    Recorded progress;
    const std::string working = "x\r\ny\r\nz\r\n";
    NumberedText(Lines(working), 10, 2, false, classifier, progress);
    EXPECT_EQ(progress.processed, (std::vector<long>{1, 2, 3}));
}

TEST(NumberLines, FailuresRaiseTheRuntimesErrors) {
    LineClassifier classifier;
    // The 32-bit product overflows on line 214,749 with increment 10,000.
    std::string many;
    for (int i = 0; i < 214750; ++i) many += "x\r\n";
    const std::string working = many;
    Recorded progress;
    std::string description;
    EXPECT_EQ(rt::test::ErrorOf([&] { NumberedText(Lines(working), 10000, 2, false, classifier,
                                                   progress); },
                                &description),
              rt::errOverflow);
    EXPECT_EQ(description, "Overflow");
    EXPECT_EQ(progress.processed.size(), 214748u);
    // A negative count of blanks: invalid argument in plain mode; in smart mode
    // only once blanks plus the number's width fall below zero.
    EXPECT_EQ(rt::test::ErrorOf([&] { Numbered("a", 10, -1, false, classifier); }), 5);
    EXPECT_EQ(Numbered("Dim a", 10, -1, true, classifier), "Dim a\r\n");
    EXPECT_EQ(rt::test::ErrorOf([&] { Numbered("Dim a", 10, -2, true, classifier); }), 5);
}

TEST(CanNumberLine, SmartModeOnAProcedure) {
    const std::string text = "Private Sub Command1_Click()\r\n    Dim i As Integer\r\n"
                             "    i = 5\r\nEnd Sub";
    EXPECT_EQ(Numbered(text, true), "   Private Sub Command1_Click()\r\n   "
                                    "    Dim i As Integer\r\n10      i = 5\r\n    End Sub\r\n");
    // Text ending in a break: the empty last line is indented, not numbered.
    EXPECT_EQ(Numbered("x = 1\r\n", true), "10  x = 1\r\n    \r\n");
}

TEST(CanNumberLine, SelectCaseContinuationsLabelsAndBlankLines) {
    EXPECT_EQ(Judged({"  Select Case x\r\n", "    Case 1\r\n", "      y = 1\r\n", "    Case 2\r\n",
                      "  End Select\r\n"}),
              "10111");
    // A Case line outside a Select block, and a name that starts with Case.
    EXPECT_EQ(Judged({"Case 1\r\n", "select case a\r\n", "CaseCount = 3\r\n"}), "110");
    EXPECT_EQ(Judged({"s = \"a\" & _\r\n", "    \"b\" & _\r\n", "    \"c\"\r\n", "t = 1\r\n"}),
              "1001");
    EXPECT_EQ(Judged({"x = 1 _  \r\n", "y\r\n"}), "11"); // blanks after the _ : no continuation
    EXPECT_EQ(Judged({"ErrHandler:\r\n", "  If x Then:\r\n", "'note:\r\n", "Here: \r\n"}),
              "0101");
    EXPECT_EQ(Judged({"   \r\n", "\r\n", "\n", "\tx = 1\r\n"}), "0011"); // bare LF, tab kept
}

TEST(CanNumberLine, CommentsDeclarationsAndEnds) {
    for (const char* refused :
         {"' comment\r\n", "   'indented\r\n", "Public x\r\n", "global y\r\n", "PRIVATE Sub a()\r\n",
          "Static s\r\n", "  Dim a\r\n", "Friend Sub f()\r\n", "Const c = 1\r\n",
          "Property Get p()\r\n", "Sub s()\r\n", "Function f()\r\n", "Option Explicit\r\n",
          "Type T\r\n", "Enum E\r\n", "Declare Function g Lib \"k\" ()\r\n", "Event e()\r\n",
          "End Sub\r\n", "  end function\r\n", "End Type\r\n", "End Enum\r\n"})
        EXPECT_EQ(Judged({refused}), "0") << refused;
    for (const char* numbered : {"Dimension = 1\r\n", "Dim\r\n", "Rem comment\r\n", "\t' tab\r\n",
                                 "End If\r\n", "End\r\n", "x = \"' not\"\r\n", "Subtotal = 1\r\n"})
        EXPECT_EQ(Judged({numbered}), "1") << numbered;
}

TEST(CanNumberLine, StateCarriesOverFromOneRunToTheNext) {
    LineClassifier classifier;
    EXPECT_EQ(Numbered("a = 1 & _", 10, 2, true, classifier), "10  a = 1 & _\r\n");
    EXPECT_TRUE(classifier.m_Continued);
    // The next run's first line is taken as the end of that statement.
    EXPECT_EQ(Numbered("b = 2\r\nc = 3", 10, 2, true, classifier), "   b = 2\r\n10  c = 3\r\n");
    EXPECT_EQ(Judged({"Select Case v\r\n"}, classifier), "1");
    EXPECT_EQ(Judged({"Case Else\r\n", "Case Else\r\n"}, classifier), "01");
}

TEST(RemoveNumbers, UndoesPlainNumberingLeavingOneBlankAndAnIndentedLastLine) {
    const std::string text = "Sub a()\r\n  x = 1\r\n\r\nEnd Sub";
    NumberWidth width;
    const std::string stripped = Stripped(Numbered(text), width);
    EXPECT_EQ(stripped, " Sub a()\r\n   x = 1\r\n \r\n End Sub\r\n  \r\n");
    EXPECT_EQ(width.m_NumWidth, 2);
    EXPECT_EQ(width.CheckForLast("", "100 x\r\n"), 0);
    EXPECT_EQ(width.m_NumWidth, 3);
    // Unnumbered lines lose their blanks and take the widest width so far.
    EXPECT_EQ(Stripped("  plain\r\n7 x", width), "   plain\r\nx\r\n");
    EXPECT_EQ(width.m_NumWidth, 3); // never narrows
}

TEST(RemoveNumbers, WhatCountsAsALeadingNumber) {
    NumberWidth width;
    EXPECT_EQ(Stripped("-10 neg\r\n&H1F hex\r\n1,000 x\r\n1.5e3 y", width),
              "neg\r\nhex\r\nx\r\ny\r\n");
    EXPECT_EQ(width.m_NumWidth, 5);
    NumberWidth fresh;
    // A number with no blank after it is the whole line: re-indented, not stripped.
    EXPECT_EQ(Stripped("10\r\nabc def\r\n\tx", fresh), "10\r\nabc def\r\n\tx\r\n");
    EXPECT_EQ(StripLineNumber("10  two blanks\r\n", 4), " two blanks\r\n");
    EXPECT_EQ(StripLineNumber("   \r\n", 2), "  \r\n");
    EXPECT_EQ(StripLineNumber(" 10 x\r\n", 1), " 10 x\r\n");
    // A smart-numbered text comes back with its skipped lines at the width.
    LineClassifier classifier;
    NumberWidth smart;
    EXPECT_EQ(Stripped(Numbered("Sub a()\r\n  x = 1\r\nEnd Sub", 10, 2, true, classifier), smart),
              "Sub a()\r\n   x = 1\r\n  End Sub\r\n  \r\n");
    const std::string huge = std::string(40000, '0') + "1 x\r\n"; // a 40,001-digit 1
    EXPECT_EQ(rt::test::ErrorOf([&] { smart.CheckForLast("", huge); }), rt::errOverflow);
}

TEST(UndoHistory, KeepsTwelveStepsAndEndsEmpty) {
    UndoHistory history;
    // Typing three characters, then three undos.
    for (const char* text : {"a", "ab", "abc"}) history.Record(text);
    EXPECT_EQ(history.Restore(), "ab");
    EXPECT_EQ(history.Restore(), "a");
    EXPECT_EQ(history.Restore(), "");
    EXPECT_EQ(history.Restore(), "");

    // Fifteen changes: twelve are kept, and the first undo pushes the oldest
    // of them out; the oldest left then stays on every further undo.
    for (int i = 1; i <= 15; ++i) history.Record(std::to_string(i).insert(0, 1, 't'));
    std::vector<std::string> shown;
    for (int i = 0; i < 13; ++i) shown.push_back(history.Restore());
    const std::vector<std::string> expected{"t14", "t13", "t12", "t11", "t10", "t9", "t8",
                                            "t7",  "t6",  "t5",  "t5",  "t5",  "t5"};
    EXPECT_EQ(shown, expected);

    history.Record("x");
    history.Clear();
    for (int k = 0; k < UndoHistory::kSlots; ++k) EXPECT_EQ(history.Slot(k), "");
    EXPECT_EQ(history.Restore(), "");
}

} // namespace
} // namespace tallyman
