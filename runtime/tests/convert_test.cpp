// The numeric test, whole-number conversion, number text and formats, and the
// code-page conversions.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "rt/convert.h"
#include "rt/error.h"
#include "test_support.h"

namespace {

using rt::test::ErrorOf;

TEST(NumericTest, WhatCountsAsANumber) {
    for (const char* s : {"1000", " 50 ", "00050", "-5", "+5", "1e3", "2.5D-2", "1,000,000.25",
                          ".5", "5.", "&HFF", "&o17", "&HFFFFFFFF", "\t7\t"})
        EXPECT_TRUE(rt::IsNumeric(s)) << '"' << s << '"';
    for (const char* s : {"abc", "", " ", "1.2.3", "12a", "-", ".", "1e", ",100", "100,", "1,.5",
                          "1.5,0", "&H", "&O8", "&H100000000", "1 2", "- 5", "1e400"})
        EXPECT_FALSE(rt::IsNumeric(s)) << '"' << s << '"';

    EXPECT_EQ(rt::CDbl(" 1,000.5 "), 1000.5);
    EXPECT_EQ(rt::CDbl("2.5D-2"), 0.025);
    EXPECT_EQ(rt::CDbl("&HFFFF"), -1); // a 16-bit pattern
    EXPECT_EQ(rt::CDbl("&H10000"), 65536);
    EXPECT_EQ(rt::CDbl("&HFFFFFFFF"), -1);
    EXPECT_EQ(rt::CDbl("&O1750"), 1000);
    EXPECT_EQ(ErrorOf([] { rt::CDbl("12a"); }), 13);
}

// What the numeric test says of a text and what it reads: "no" when it is not
// numeric, and then the conversion must refuse it too.
std::string Reading(const std::string& text) {
    double value = 0;
    const long error = ErrorOf([&] { value = rt::CDbl(text); });
    if (rt::IsNumeric(text) != (error == 0)) return "test and conversion disagree";
    return error ? "no" : rt::CStr(value);
}

TEST(NumericTest, TheUsersCurrencySignAndSeparators) {
    {
        rt::test::UserNumberSymbols symbols(".", ",", "$");
        for (auto [text, read] :
             {std::pair{"$5", "5"}, {" $5 ", "5"}, {"-$5", "-5"}, {"$-5", "-5"}, {"5$", "5"},
              {"5 $", "5"}, {"$ 5", "5"}, {"$1,000.50", "1000.5"}, {"+$.5", "0.5"}, {"$2e3", "2000"},
              {"$", "no"}, {"$$5", "no"}, {"$5$", "no"}, {"5 $ 6", "no"}, {"5-", "no"},
              {"- $5", "no"}, {"$&H10", "no"}, {"1,5", "15"}, {"1.5", "1.5"}, {"5 \xE2\x82\xAC", "no"}})
            EXPECT_EQ(Reading(text), read) << '"' << text << '"';
    }
    {
        // A "," decimal locale that groups with ".".
        rt::test::UserNumberSymbols symbols(",", ".", "\xE2\x82\xAC");
        for (auto [text, read] :
             {std::pair{"1,5", "1,5"}, {"1.5", "15"}, {"1.000,25", "1000,25"}, {",5", "0,5"},
              {"5 \xE2\x82\xAC", "5"}, {"-\xE2\x82\xAC" "2,5", "-2,5"}, {"1,5E2", "150"},
              {"1,5,0", "no"}, {"1.,5", "no"}, {"1,000.5", "no"}, {"$5", "no"}, {".5", "no"}})
            EXPECT_EQ(Reading(text), read) << '"' << text << '"';
        // The runtime writes what it reads back.
        EXPECT_EQ(rt::CStr(9.75), "9,75");
        EXPECT_EQ(rt::CStr(-1.5e-7), "-1,5E-07");
        for (double v : {1.0 / 3, -7.125, 123.456e20}) EXPECT_EQ(rt::CDbl(rt::CStr(v)), v);
        EXPECT_EQ(rt::CInt(std::string_view("2,5")) * 100 + rt::CInt(std::string_view("3,5")), 204);
        EXPECT_EQ(ErrorOf([] { rt::CInt(std::string_view("32.767,5")); }), 6);
        EXPECT_EQ(rt::CLng(std::string_view("-2.147.483.648")), -2147483647 - 1);
        EXPECT_EQ(ErrorOf([] { rt::CLng(std::string_view("2.147.483.648")); }), 6);
    }
    {
        // Separators and signs of more than one character, one outside ASCII.
        rt::test::UserNumberSymbols symbols(",", "\xC2\xA0", "kr");
        for (auto [text, read] : {std::pair{"1\xC2\xA0" "000,5 kr", "1000,5"}, {"kr5", "5"},
                                  {"5kr", "5"}, {"1 000", "no"}, {"1.5", "no"}, {"k5", "no"}})
            EXPECT_EQ(Reading(text), read) << '"' << text << '"';
    }
    // Each change counts from the next number: the earlier symbols are back.
    rt::test::UserNumberSymbols symbols(".", ",", "$");
    EXPECT_EQ(rt::CStr(9.75), "9.75");
    EXPECT_EQ(Reading("1,000.5"), "1000.5");
}

// Numbers kept in the settings store: one form written under every locale,
// read back the same under any; text kept by CStr under the user's locale
// still reads; a kept font size outside 1 to 500 points is refused.
TEST(SettingNumberTest, ReadTheSameWhateverTheLocale) {
    auto read = [](const std::string& text) {
        double value = 0;
        const long error = ErrorOf([&] { value = rt::SettingValue(text); });
        return error ? "error " + std::to_string(error) : rt::SettingNumber(value);
    };
    auto fontSize = [](const std::string& text) {
        double value = 0;
        const long error = ErrorOf([&] { value = rt::KeptFontSize(text); });
        return error ? "error " + std::to_string(error) : rt::SettingNumber(value);
    };
    for (auto [decimal, group] : {std::pair{".", ","}, {",", "."}, {",", "\xC2\xA0"}}) {
        SCOPED_TRACE(decimal);
        rt::test::UserNumberSymbols symbols(decimal, group, "$");
        EXPECT_EQ(rt::SettingNumber(9.75), "9.75");
        EXPECT_EQ(rt::SettingNumber(-1.5e-7), "-1.5E-07");
        EXPECT_EQ(rt::SettingNumber(15360), "15360");
        for (double v : {1.0 / 3, -7.125, 123.456e20})
            EXPECT_EQ(rt::SettingValue(rt::SettingNumber(v)), v);
        for (auto [text, value] :
             {std::pair{"9.75", "9.75"}, {" -3 ", "-3"}, {"&H8000000F", "-2147483633"},
              {"1e3", "1000"}, {"", "error 13"}, {"abc", "error 13"}, {"1..5", "error 13"}})
            EXPECT_EQ(read(text), value) << '"' << text << '"';
        // What CStr wrote under the locale of the moment reads as written.
        EXPECT_EQ(rt::SettingValue(rt::CStr(9.75)), 9.75);
        for (auto [text, size] :
             {std::pair{"9.75", "9.75"}, {"1", "1"}, {"500", "500"}, {"0", "error 380"},
              {"-3", "error 380"}, {"0.99", "error 380"}, {"500.5", "error 380"},
              {"975", "error 380"}, {"big", "error 13"}})
            EXPECT_EQ(fontSize(text), size) << '"' << text << '"';
    }
    rt::test::UserNumberSymbols comma(",", ".", "\xE2\x82\xAC");
    EXPECT_EQ(read("9,75"), "9.75");
    EXPECT_EQ(read("1.500"), "1.5") << "the settings' own form comes first";
}

TEST(WholeNumberTest, RoundsHalvesToEvenAndOverflows) {
    // -32768.5: its even neighbour is in range.
    for (auto [value, whole] : {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {2.51, 3},
                                {32767.4, 32767}, {-32768.5, -32768}})
        EXPECT_EQ(rt::CInt(value), whole) << value;
    EXPECT_EQ(rt::CInt(std::string_view("9.75")), 10);
    for (double overflow : {32767.5, -32768.6}) EXPECT_EQ(ErrorOf([=] { rt::CInt(overflow); }), 6);
    EXPECT_EQ(ErrorOf([] { rt::CInt(std::string_view("40000")); }), 6);
    EXPECT_EQ(ErrorOf([] { rt::CInt(std::string_view("abc")); }), 13);
    EXPECT_EQ(rt::CLng(-2147483648.5), -2147483647 - 1);
    EXPECT_EQ(ErrorOf([] { rt::CLng(2147483647.5); }), 6);
    EXPECT_EQ(ErrorOf([] { rt::CLng(std::string_view("1e10")); }), 6);
}

TEST(NumberTextTest, ShortestTextWithThePointHexAndOctal) {
    for (auto [value, text] : {std::pair{9.75, "9.75"}, {10.0, "10"}, {0.5, "0.5"}, {-3.0, "-3"},
                               {-0.0, "0"}, {123456789012345.0, "123456789012345"},
                               {0.0001, "0.0001"}, {1e15, "1E+15"}, {-1.5e-7, "-1.5E-07"}})
        EXPECT_EQ(rt::CStr(value), text);
    for (double v : {1.0 / 3, 1e-300, 123.456e10, -7.125})
        EXPECT_EQ(rt::CDbl(rt::CStr(v)), v) << rt::CStr(v); // reads back the same
    EXPECT_EQ(rt::Hex(1000) + " " + rt::Oct(1000), "3E8 1750");
    EXPECT_EQ(rt::Hex(0) + " " + rt::Oct(8), "0 10");
    EXPECT_EQ(rt::Hex(2125000000), "7EA8ED40");
    EXPECT_EQ(rt::Hex(-1) + " " + rt::Oct(-1), "FFFFFFFF 37777777777");
}

TEST(FormatTest, PercentagesAndDigitPatterns) {
    // Percentages halve away from zero, as shown; digit patterns grow when needed.
    struct Case {
        double value;
        const char *pattern, *text;
    } cases[] = {{1.0 / 3, "0%", "33%"},     {2.0 / 3, "0%", "67%"},    {0, "0%", "0%"},
                 {1, "0%", "100%"},          {0.335, "0%", "34%"},      {-0.001, "0%", "0%"},
                 {0.12345, "0.00%", "12.35%"}, {7, "0000", "0007"},     {12345, "00", "12345"},
                 {-2.5, "00", "-03"},        {1.005, "0.00", "1.01"},   {9.999, "0.00", "10.00"},
                 {3.1, "0.0#", "3.1"}};
    for (const Case& c : cases) EXPECT_EQ(rt::Format(c.value, c.pattern), c.text) << c.pattern;
    EXPECT_EQ(ErrorOf([] { rt::Format(1, "abc"); }), 5);
}

TEST(TextTest, BooleansTrimAndCase) {
    EXPECT_TRUE(rt::CBool(" TRUE "));
    EXPECT_FALSE(rt::CBool("false"));
    EXPECT_FALSE(rt::CBool("0"));
    EXPECT_TRUE(rt::CBool("-1"));
    EXPECT_EQ(ErrorOf([] { rt::CBool("yes"); }), 13);
    EXPECT_EQ(rt::Trim("  a b  "), "a b");
    EXPECT_EQ(rt::Trim("\ta\t"), "\ta\t"); // blanks only
    EXPECT_EQ(rt::UCase("abc \xC3\xA4"), "ABC \xC3\x84"); // ä -> Ä
    EXPECT_EQ(rt::LCase("X\xC3\x84"), "x\xC3\xA4");
}

TEST(CodePageTest, UnicodeAndAnsiConversions) {
    std::string s = "A\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E"; // A é € and a surrogate pair
    EXPECT_EQ(rt::Wide(s).size(), 5u);
    EXPECT_EQ(rt::Utf8(rt::Wide(s)), s);
    EXPECT_EQ(rt::Chr(0), std::string(1, '\0'));
    for (int code = 0; code < 128; ++code) EXPECT_EQ(rt::Asc(rt::Chr(code)), code);
    if (GetACP() == 1252) {
        for (int code = 128; code < 256; ++code) EXPECT_EQ(rt::Asc(rt::Chr(code)), code) << code;
        EXPECT_EQ(rt::Asc("\xE2\x82\xAC"), 128); // €
        EXPECT_EQ(rt::ToAnsi("Gr\xC3\xBC\xC3\x9F" "e"), "Gr\xFC\xDF" "e");
        EXPECT_EQ(rt::FromAnsi("Gr\xFC\xDF" "e"), "Gr\xC3\xBC\xC3\x9F" "e");
    }
    EXPECT_EQ(rt::Asc("\xE2\x98\x83"), 63); // a snowman has no ANSI code
    EXPECT_EQ(ErrorOf([] { rt::Asc(""); }), 5);
    EXPECT_EQ(ErrorOf([] { rt::Chr(256); }), 5);
}

} // namespace
