// The three convert commands and the conversion window.
#include "fixture.h"

#include "frmDisplay.h"
#include "test_support.h"

namespace glyphdeck::testing {
namespace {

using Command = void (frmMain::*)();
constexpr Command kASCII = &frmMain::mnuFileConvertASCII_Click,
                  kHEX = &frmMain::mnuFileConvertHEX_Click,
                  kOCT = &frmMain::mnuFileConvertOCT_Click;

class ConversionTest : public GlyphdeckTest {
  protected:
    // Types the text and the characters-per-line answer, answers the question
    // when one is given, and records the window the command opens.
    Shown Convert(Command command, const std::string& text, const std::string& perLine = "10",
                  int question = 0) {
        Shown shown;
        user.Type(text);
        user.Type(perLine);
        if (question) user.Answer(question);
        ExpectWindow<frmDisplay>(shown, [](frmDisplay& w) { return w.txtDisplay.Text(); });
        (frmMain::Get().*command)();
        rt::DoEvents();
        return shown;
    }
};

TEST_F(ConversionTest, TextBecomesLinesOfCodes) {
    Start();
    const Shown hello = Convert(kASCII, "Hello");
    EXPECT_EQ(hello.caption, "  Convert To ASCII");
    EXPECT_EQ(hello.text, "072  101  108  108  111     :   Hello\r\n");
    ASSERT_GE(user.Boxes.size(), 2u);
    EXPECT_EQ(user.Boxes[0].Prompt,
              "Enter the characters or value you wish to convert to ASCII values:");
    EXPECT_EQ(user.Boxes[0].Title, "  Convert To ASCII");
    EXPECT_EQ(user.Boxes[0].DefaultText, "");
    EXPECT_EQ(user.Boxes[1].Prompt, "Enter the number of characters to display per line:");
    EXPECT_EQ(user.Boxes[1].Title, "  Enter Characters Per Line");
    EXPECT_EQ(user.Boxes[1].DefaultText, "10");

    const struct {
        Command command;
        const char *text, *caption, *shown;
    } cases[] = {
        {kASCII, "AB", "  Convert To ASCII", "065  066     :   AB\r\n"},
        // Digits in an ASCII conversion are characters; there is no question.
        {kASCII, "123", "  Convert To ASCII", "049  050  051     :   123\r\n"},
        {kHEX, "A\nz", "  Convert To Hexadecimal", "41  0A  7A     :   A\nz\r\n"},
        {kOCT, "A\t", "  Convert To Octal", "101  011     :   A\t\r\n"},
    };
    for (const auto& c : cases) {
        const Shown shown = Convert(c.command, c.text);
        EXPECT_EQ(shown.caption, c.caption);
        EXPECT_EQ(shown.text, c.shown);
    }
    EXPECT_TRUE(BoxesTitled("  Convert As Characters ?").empty());
}

TEST_F(ConversionTest, CharactersPerLine) {
    Start();
    const std::string text = "abcdefghijklmnopqrstuvwxy"; // 25 characters
    const std::string tens =
        "097  098  099  100  101  102  103  104  105  106     :     abcdefghij\r\n"
        "107  108  109  110  111  112  113  114  115  116     :     klmnopqrst\r\n"
        "117  118  119  120  121     :   uvwxy\r\n";
    for (const char* unusable : {"abc", "40000", "", "9e99", "-4e4", "123456"})
        EXPECT_EQ(Convert(kASCII, text, unusable).text, tens) << unusable;
    const struct {
        const char *text, *perLine, *shown;
    } cases[] = {
        {"abcdefg", "3",
         "097  098  099     :     abc\r\n100  101  102     :     def\r\n103     :   g\r\n"},
        {"ab", "0", "097     :     a\r\n098     :   b\r\n"},
        {"ab", "-3", "097     :     a\r\n098     :   b\r\n"},
        {"abc", "32000", "097  098  099     :   abc\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Convert(kASCII, c.text, c.perLine).text, c.shown) << c.perLine;
}

TEST_F(ConversionTest, NumbersAsOneNumberOrAsCharactersAndOutOfRange) {
    Start();
    const struct {
        Command command;
        const char* text;
        int answer;
        const char* shown; // too big / small: an empty window
    } cases[] = {
        {kHEX, "255", rt::vbNo, "  255   :   FF"},
        {kHEX, "255", rt::vbYes, "32  35  35     :   255\r\n"},
        {kOCT, "8", rt::vbNo, "  8   :   10"},
        {kHEX, "2125000000", rt::vbNo, "  2125000000   :   7EA8ED40"},
        {kHEX, "2.5", rt::vbNo, "  2.5   :   2"},
        {kHEX, "-1", rt::vbNo, "  -1   :   FFFFFFFF"},
        {kHEX, "2125000001", rt::vbNo, ""},
        // A number with no 32-bit form is refused too instead of ending the program.
        {kOCT, "-3000000000", rt::vbNo, ""},
    };
    for (const auto& c : cases) {
        const Shown shown = Convert(c.command, c.text, "10", c.answer);
        EXPECT_TRUE(shown.opened) << c.text;
        EXPECT_EQ(shown.text, c.shown) << c.text;
    }
    const auto questions = BoxesTitled("  Convert As Characters ?");
    ASSERT_EQ(questions.size(), std::size(cases));
    EXPECT_EQ(questions[0].Prompt,
              "Would you like to convert this number as individual characters, or as one number?"
              "\r\rYES = Individual Characters,  NO = One Number");
    EXPECT_EQ(questions[0].Style, 35);
    const auto tooBig = BoxesTitled("  Number Too Big");
    ASSERT_EQ(tooBig.size(), 1u);
    EXPECT_EQ(tooBig[0].Prompt,
              "You can not enter a value greater than 2,125,000,000 to be converted.");
    EXPECT_EQ(tooBig[0].Style, rt::vbExclamation);
    EXPECT_EQ(BoxesTitled("  Number Too Small").size(), 1u);
}

TEST_F(ConversionTest, CancelOrNothingTypedOpensNoWindow) {
    Start();
    EXPECT_FALSE(Convert(kHEX, "255", "10", rt::vbCancel).opened);
    EXPECT_FALSE(frmDisplay::Exists());

    user.CancelInput();
    frmMain::Get().mnuFileConvertOCT_Click();
    EXPECT_EQ(ModalForms(), 0);
    EXPECT_EQ(user.Boxes.back().What, rt::ScriptedUser::Kind::InputBox);
    EXPECT_EQ(user.Boxes.back().Title, "  Convert To OCT");
}

TEST_F(ConversionTest, EscAndEnterInTheListingLeaveTheWindowOpenAndTheTextAsItWas) {
    Start();
    user.Type("Hi");
    user.Type("10");
    std::string text;
    bool open = false;
    user.OnModal([&](rt::Form& form) {
        auto& window = dynamic_cast<frmDisplay&>(form);
        window.txtDisplay.SetFocus();
        for (WORD key : {VK_ESCAPE, VK_RETURN, VK_ESCAPE}) rt::test::StrikeKey(window.hWnd(), key);
        open = frmDisplay::Exists() && IsWindowVisible(window.hWnd());
        text = window.txtDisplay.Text();
    });
    frmMain::Get().mnuFileConvertASCII_Click();
    EXPECT_TRUE(open) << "the window has no button; only its close box closes it";
    EXPECT_EQ(text, "072  105     :   Hi\r\n");
}

} // namespace
} // namespace glyphdeck::testing
