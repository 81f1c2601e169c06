// The three convert commands and the conversion window.
#include "fixture.h"

#include "frmDisplay.h"

namespace glyphdeck::testing {
namespace {

struct Shown {
    bool opened = false;
    std::string caption, text;
};

class ConversionTest : public GlyphdeckTest {
  protected:
    // Types the text and the characters-per-line answer, answers the question
    // when one is given, and records the window the command opens.
    Shown Convert(void (frmMain::*command)(), const std::string& text,
                  const std::string& perLine = "10", int question = 0) {
        Shown shown;
        user.Type(text);
        user.Type(perLine);
        if (question) user.Answer(question);
        user.OnModal([&shown](rt::Form& form) {
            auto* window = dynamic_cast<frmDisplay*>(&form);
            ASSERT_NE(window, nullptr);
            shown.opened = true;
            shown.caption = window->Caption();
            shown.text = window->txtDisplay.Text();
        });
        (frmMain::Get().*command)();
        rt::DoEvents();
        return shown;
    }

    std::vector<rt::ScriptedUser::Shown> Questions() const {
        return BoxesTitled("  Convert As Characters ?");
    }
};

TEST_F(ConversionTest, TextBecomesLinesOfCodes) {
    Start();
    Shown hello = Convert(&frmMain::mnuFileConvertASCII_Click, "Hello");
    EXPECT_TRUE(hello.opened);
    EXPECT_EQ(hello.caption, "  Convert To ASCII");
    EXPECT_EQ(hello.text, "072  101  108  108  111     :   Hello\r\n");
    ASSERT_GE(user.Boxes.size(), 2u);
    EXPECT_EQ(user.Boxes[0].Prompt, "Enter the characters or value you wish to convert to ASCII values:");
    EXPECT_EQ(user.Boxes[0].Title, "  Convert To ASCII");
    EXPECT_EQ(user.Boxes[0].DefaultText, "");
    EXPECT_EQ(user.Boxes[1].Prompt, "Enter the number of characters to display per line:");
    EXPECT_EQ(user.Boxes[1].Title, "  Enter Characters Per Line");
    EXPECT_EQ(user.Boxes[1].DefaultText, "10");

    EXPECT_EQ(Convert(&frmMain::mnuFileConvertASCII_Click, "AB").text, "065  066     :   AB\r\n");
    // Digits in an ASCII conversion are characters; there is no question.
    EXPECT_EQ(Convert(&frmMain::mnuFileConvertASCII_Click, "123").text,
              "049  050  051     :   123\r\n");
    EXPECT_TRUE(Questions().empty());

    Shown hex = Convert(&frmMain::mnuFileConvertHEX_Click, "A\nz");
    EXPECT_EQ(hex.caption, "  Convert To Hexadecimal");
    EXPECT_EQ(hex.text, "41  0A  7A     :   A\nz\r\n");
    Shown oct = Convert(&frmMain::mnuFileConvertOCT_Click, "A\t");
    EXPECT_EQ(oct.caption, "  Convert To Octal");
    EXPECT_EQ(oct.text, "101  011     :   A\t\r\n");
}

TEST_F(ConversionTest, CharactersPerLine) {
    Start();
    const std::string text = "abcdefghijklmnopqrstuvwxy"; // 25 characters
    const std::string tens =
        "097  098  099  100  101  102  103  104  105  106     :     abcdefghij\r\n"
        "107  108  109  110  111  112  113  114  115  116     :     klmnopqrst\r\n"
        "117  118  119  120  121     :   uvwxy\r\n";
    for (const char* unusable : {"abc", "40000", "", "9e99", "-4e4", "123456"})
        EXPECT_EQ(Convert(&frmMain::mnuFileConvertASCII_Click, text, unusable).text, tens)
            << unusable;
    EXPECT_EQ(Convert(&frmMain::mnuFileConvertASCII_Click, "abcdefg", "3").text,
              "097  098  099     :     abc\r\n"
              "100  101  102     :     def\r\n"
              "103     :   g\r\n");
    EXPECT_EQ(Convert(&frmMain::mnuFileConvertASCII_Click, "ab", "0").text,
              "097     :     a\r\n098     :   b\r\n");
    EXPECT_EQ(Convert(&frmMain::mnuFileConvertASCII_Click, "ab", "-3").text,
              "097     :     a\r\n098     :   b\r\n");
    EXPECT_EQ(Convert(&frmMain::mnuFileConvertASCII_Click, "abc", "32000").text,
              "097  098  099     :   abc\r\n");
}

TEST_F(ConversionTest, NumbersAsOneNumberOrAsCharacters) {
    Start();
    EXPECT_EQ(Convert(&frmMain::mnuFileConvertHEX_Click, "255", "10", rt::vbNo).text,
              "  255   :   FF");
    EXPECT_EQ(Convert(&frmMain::mnuFileConvertHEX_Click, "255", "10", rt::vbYes).text,
              "32  35  35     :   255\r\n");
    EXPECT_EQ(Convert(&frmMain::mnuFileConvertOCT_Click, "8", "10", rt::vbNo).text, "  8   :   10");
    EXPECT_EQ(Convert(&frmMain::mnuFileConvertHEX_Click, "2125000000", "10", rt::vbNo).text,
              "  2125000000   :   7EA8ED40");
    EXPECT_EQ(Convert(&frmMain::mnuFileConvertHEX_Click, "2.5", "10", rt::vbNo).text,
              "  2.5   :   2");
    EXPECT_EQ(Convert(&frmMain::mnuFileConvertHEX_Click, "-1", "10", rt::vbNo).text,
              "  -1   :   FFFFFFFF");

    const auto questions = Questions();
    ASSERT_EQ(questions.size(), 6u);
    EXPECT_EQ(questions[0].Prompt,
              "Would you like to convert this number as individual characters, or as one number?"
              "\r\rYES = Individual Characters,  NO = One Number");
    EXPECT_EQ(questions[0].Style, 35);
}

TEST_F(ConversionTest, NumbersOutOfRangeOpenAnEmptyWindow) {
    Start();
    Shown big = Convert(&frmMain::mnuFileConvertHEX_Click, "2125000001", "10", rt::vbNo);
    EXPECT_TRUE(big.opened);
    EXPECT_EQ(big.caption, "  Convert To Hexadecimal");
    EXPECT_EQ(big.text, "");
    const auto tooBig = BoxesTitled("  Number Too Big");
    ASSERT_EQ(tooBig.size(), 1u);
    EXPECT_EQ(tooBig[0].Prompt, "You can not enter a value greater than 2,125,000,000 to be converted.");
    EXPECT_EQ(tooBig[0].Style, rt::vbExclamation);

    // A number with no 32-bit form is refused too instead of ending the program.
    Shown small = Convert(&frmMain::mnuFileConvertOCT_Click, "-3000000000", "10", rt::vbNo);
    EXPECT_TRUE(small.opened);
    EXPECT_EQ(small.text, "");
    EXPECT_EQ(BoxesTitled("  Number Too Small").size(), 1u);
}

TEST_F(ConversionTest, CancelOrNothingTypedOpensNoWindow) {
    Start();
    Shown cancelled = Convert(&frmMain::mnuFileConvertHEX_Click, "255", "10", rt::vbCancel);
    EXPECT_FALSE(cancelled.opened);
    EXPECT_FALSE(frmDisplay::Exists());

    user.CancelInput();
    frmMain::Get().mnuFileConvertOCT_Click();
    EXPECT_EQ(ModalForms(), 0);
    EXPECT_EQ(user.Boxes.back().What, rt::ScriptedUser::Kind::InputBox);
    EXPECT_EQ(user.Boxes.back().Title, "  Convert To OCT");
}

} // namespace
} // namespace glyphdeck::testing
