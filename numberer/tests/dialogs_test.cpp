// The settings dialog typed into as a user would, the sample window, the
// About box and the registry reader.
#include "about.h"
#include "fixture.h"
#include "frmSample.h"
#include "frmSettings.h"
#include "modRegistry.h"


namespace tallyman {
namespace {

using test::EditorTest;
using Kind = rt::ScriptedUser::Kind;

// Types into a field of the dialog as the user would: the field's text
// selected (or the caret at its end), then the keys.
void TypeInto(rt::TextBox& field, const std::string& keys, bool replace = true) {
    field.SetFocus();
    SetForegroundWindow(GetAncestor(field.hWnd(), GA_ROOT));
    field.SelStart(replace ? 0 : static_cast<int>(field.Text().size()));
    field.SelLength(replace ? static_cast<int>(field.Text().size()) : 0);
    rt::SendKeys(keys);
}

// Opens the dialog from the Number Lines command (F4) and lets `typing` work in it.
void WithSettings(frmMain& form, rt::ScriptedUser& user, std::function<void(frmSettings&)> typing) {
    user.OnModal([typing](rt::Form& f) { typing(dynamic_cast<frmSettings&>(f)); });
    rt::test::PressKey(form.txtDisplay.hWnd(), VK_F4);
}

// A program that keeps the clipboard open until it is ended.
int HoldClipboard(const std::string&) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    if (!OpenClipboard(owner)) return 1;
    Sleep(INFINITE);
    return 0;
}
const int kHoldClipboard = rt::test::RegisterChild("hold-clipboard", &HoldClipboard);

const std::string kNumericOnly = "Only numeric values are allowed in this field.";

TEST_F(EditorTest, SettingsOpenWithTheirDefaultsAndOKNumbersWithTheTypedValues) {
    frmMain& form = Start("a\r\nDim b");
    std::string seen;
    WithSettings(form, user, [&](frmSettings& s) {
        seen = s.Caption() + "|" + s.txtIncrement.Text() + "|" + s.txtSpaces.Text() + "|" +
               rt::CStr(s.chkSmartNumber.Value()) + "|" +
               rt::CStr(static_cast<long>((GetWindowLongW(s.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0)) +
               "|" + rt::CStr(static_cast<long>(GetFocus() == s.txtIncrement.hWnd()));
        TypeInto(s.txtIncrement, "5");
        TypeInto(s.txtSpaces, "3");
        s.chkSmartNumber.SetFocus();
        rt::SendKeys(" "); // the space bar clears the tick
        rt::SendKeys("{ENTER}");
    });
    EXPECT_EQ(seen, "  Settings|10|2|1|1|1");
    EXPECT_EQ(Text(), "5   a\r\n10   Dim b\r\n");
    EXPECT_TRUE(user.MessageBoxes().empty());

    // The next time it opens with its design values again, and smart.
    WithSettings(form, user, [&](frmSettings& s) {
        seen = s.txtIncrement.Text() + "|" + s.txtSpaces.Text() + "|" + rt::CStr(s.chkSmartNumber.Value());
        s.cmdOK.Press();
    });
    EXPECT_EQ(seen, "10|2|1");
    EXPECT_EQ(Text(), "10  5   a\r\n20  10   Dim b\r\n    \r\n");
}

TEST_F(EditorTest, SettingsRefuseLettersZeroesAndEmptyFields) {
    frmMain& form = Start("x");
    WithSettings(form, user, [&](frmSettings& s) {
        // A letter after the digits, a sign in place of them: the message
        // once each, not again for the emptying of the field.
        TypeInto(s.txtIncrement, "a", false);
        EXPECT_EQ(s.txtIncrement.Text(), "");
        EXPECT_EQ(user.MessageBoxes().size(), 1u);
        TypeInto(s.txtIncrement, "5");
        TypeInto(s.txtIncrement, "$");
        EXPECT_EQ(s.txtIncrement.Text(), "");
        EXPECT_EQ(user.MessageBoxes().size(), 2u);
        // Deleting the last digit: the message once.
        TypeInto(s.txtSpaces, "{END}{BS}", false);
        EXPECT_EQ(s.txtSpaces.Text(), "");
        EXPECT_EQ(user.MessageBoxes().size(), 3u);
        // "0" is refused and the dialog stays; an empty field closes it unnumbered.
        TypeInto(s.txtIncrement, "0");
        s.cmdOK.Press();
        EXPECT_EQ(LastBox().Prompt, "You can not set the increment to zero ( 0 ).");
        EXPECT_EQ(LastBox().Title, "  Invalid Entry");
        TypeInto(s.txtIncrement, "7");
        TypeInto(s.txtSpaces, "0");
        s.cmdOK.Press();
        EXPECT_EQ(LastBox().Prompt, "You can not set the leading spaces to zero ( 0 ).");
        ASSERT_TRUE(s.Loaded() && s.Visible());
        TypeInto(s.txtSpaces, "{BS}", false);
        s.cmdOK.Press();
    });
    for (size_t i : {0u, 1u, 2u}) {
        EXPECT_EQ(user.MessageBoxes()[i].Prompt, kNumericOnly);
        EXPECT_EQ(user.MessageBoxes()[i].Title, "  Invalid Increment");
        EXPECT_EQ(user.MessageBoxes()[i].Style, 48);
    }
    EXPECT_EQ(Text(), "x") << "OK with an empty field numbers nothing";
    EXPECT_FALSE(frmSettings::Exists());

    // Zeros written another way pass; a decimal increment is rounded half to even.
    for (auto [increment, spaces, expected] :
         {std::tuple{"00", "1", "0 x\r\n"}, {"2.5", "00", "2x\r\n"}, {"3.5", "1", "4 x\r\n"}}) {
        form.txtDisplay.Text("x");
        WithSettings(form, user, [&](frmSettings& s) {
            TypeInto(s.txtIncrement, increment);
            TypeInto(s.txtSpaces, spaces);
            rt::SendKeys("{ENTER}");
        });
        EXPECT_EQ(Text(), expected) << increment << " / " << spaces;
    }
}

TEST_F(EditorTest, SettingsClosedWithoutOKNumberNothing) {
    frmMain& form = Start("x");
    WithSettings(form, user, [](frmSettings& s) { s.cmdCancel.Press(); });
    WithSettings(form, user, [](frmSettings& s) {
        s.txtSpaces.SetFocus();
        rt::SendKeys("{ESC}");
    });
    // A refused OK, then the title bar's close.
    WithSettings(form, user, [](frmSettings& s) {
        TypeInto(s.txtIncrement, "0");
        s.cmdOK.Press();
        SendMessageW(s.hWnd(), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(Text(), "x");
    EXPECT_EQ(Count(Kind::ModalForm), 3);
    EXPECT_EQ(user.MessageBoxes().size(), 1u);

    // A negative count of blanks passes the dialog and fails the run.
    WithSettings(form, user, [](frmSettings& s) {
        TypeInto(s.txtSpaces, "1");
        rt::SendKeys("{HOME}-"); // "-" alone is no number: typed in front of one
        EXPECT_EQ(s.txtSpaces.Text(), "-1");
        s.cmdOK.Press();
    });
    EXPECT_EQ(LastBox().Title, "  Error  -  Invalid procedure call or argument");
    EXPECT_EQ(Text(), "x");
}

TEST_F(EditorTest, SettingsAndRemovalTakeNumbersAsTheUsersLocaleWritesThem) {
    frmMain& form = Start();
    // The text numbered with both fields typed over, then Enter.
    auto number = [&](const std::string& text, const std::string& increment, const std::string& spaces) {
        form.txtDisplay.Text(text);
        WithSettings(form, user, [&](frmSettings& s) {
            TypeInto(s.txtIncrement, increment);
            TypeInto(s.txtSpaces, spaces);
            rt::SendKeys("{ENTER}");
        });
        return Text();
    };
    const std::string euro = "\xE2\x82\xAC";
    {
        rt::test::UserNumberSymbols symbols(".", ",", "$");
        // "$" alone is no number: typed in front of one, or after it.
        EXPECT_EQ(number("x\r\ny", "5{HOME}$", "1$"), "5 x\r\n10 y\r\n");
        EXPECT_EQ(number("x", "7 $", "1"), "7 x\r\n");
        EXPECT_EQ(number("x", "3{HOME}-$", "1"), "-3 x\r\n");
        // Beyond a 16-bit whole number: the dialog closes and nothing is numbered.
        EXPECT_EQ(number("x", "99{LEFT}e", "1"), "x");
        EXPECT_TRUE(user.MessageBoxes().empty());
        // Remove Line Numbers strips what the numeric test takes for a number.
        form.txtDisplay.Text("$5 z\r\n1,000 x\r\n5 $ w\r\n1.5 v\r\n" + euro + "5 u\r\nplain");
        rt::test::PressKey(form.txtDisplay.hWnd(), VK_F5);
        EXPECT_EQ(Text(), "z\r\nx\r\n$ w\r\nv\r\n     " + euro + "5 u\r\n     plain\r\n");
    }
    {
        rt::test::UserNumberSymbols symbols(",", ".", euro);
        // The decimal "," rounds half to even; "." only groups.
        EXPECT_EQ(number("x", "2,5", "1"), "2 x\r\n");
        EXPECT_EQ(number("x", "3,5", "1,"), "4 x\r\n");
        EXPECT_EQ(number("x", "5 " + euro, "1"), "5 x\r\n");
        EXPECT_EQ(number("x", "15{LEFT}.", "1"), "15 x\r\n");
        EXPECT_TRUE(user.MessageBoxes().empty());
        // "$" is no currency here: refused as soon as typed, once, and the
        // field emptied.
        EXPECT_EQ(number("x", "5{HOME}$", "1"), "x");
        ASSERT_EQ(user.MessageBoxes().size(), 1u);
        EXPECT_EQ(user.MessageBoxes()[0].Prompt, kNumericOnly);
        form.txtDisplay.Text(euro + "5 z\r\n1,000 x\r\n1.000 w\r\n$5 v");
        rt::test::PressKey(form.txtDisplay.hWnd(), VK_F5);
        EXPECT_EQ(Text(), "z\r\nx\r\nw\r\n     $5 v\r\n");
    }
}

TEST_F(EditorTest, TheSampleWindowShowsCopiesAndExplainsTheErrorTrap) {
    frmMain& form = Start();
    std::string shown;
    bool topmost = false;
    user.OnModal([&](rt::Form& f) {
        auto& sample = dynamic_cast<frmSample&>(f);
        shown = sample.txtDisplay.Text();
        topmost = GetWindowLongW(sample.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST;
        // Esc in the text is no command: only File > Exit and the close box close it.
        sample.txtDisplay.SetFocus();
        rt::test::PressKey(sample.txtDisplay.hWnd(), VK_ESCAPE);
        EXPECT_TRUE(sample.Loaded());
        rt::Clipboard::SetText("before");
        sample.mnuEditCopy_Click();
        EXPECT_EQ(rt::Clipboard::GetText(), SampleCode());
        sample.mnuSampleViewError_Click();
        // A clipboard another program holds open: said so, the window stays.
        {
            rt::test::ChildProcess holder("hold-clipboard", "");
            ASSERT_TRUE(rt::test::WaitFor(
                [] {
                    if (!OpenClipboard(nullptr)) return true; // held
                    CloseClipboard();
                    return false;
                },
                15000));
            sample.mnuEditCopy_Click();
        }
        EXPECT_TRUE(sample.Loaded());
        sample.mnuFileExit_Click();
    });
    form.mnuTallymanSample_Click();
    EXPECT_EQ(shown, SampleCode());
    EXPECT_TRUE(topmost);
    EXPECT_NE(shown.find("30  intValue = intValue & \"A\""), std::string::npos);
    EXPECT_NE(shown.find("CStr(Erl)"), std::string::npos);
    ASSERT_EQ(user.MessageBoxes().size(), 2u);
    EXPECT_EQ(user.MessageBoxes()[0].Prompt, "MyProgram caused the following error :\r\rError Number "
                                             "= 13\rError Description = Type Mismatch\rError Line = 30");
    EXPECT_EQ(user.MessageBoxes()[0].Title, "  Error  -  Type mismatch");
    EXPECT_EQ(user.MessageBoxes()[1].Prompt.rfind("The sample code could not be copied to the clipboard.", 0), 0u);
    EXPECT_FALSE(frmSample::Exists());
}

TEST_F(EditorTest, TheAboutBoxShowsTheVersionOnTop) {
    frmMain& form = Start();
    for (auto [revision, caption] : {std::pair{5, "Version 3.0.5"}, {0, "Version 3.0"}}) {
        rt::App().Major = 3, rt::App().Minor = 0, rt::App().Revision = revision;
        std::string seen;
        bool topmost = false;
        user.OnModal([&](rt::Form& f) {
            auto& about = dynamic_cast<frmAbout&>(f);
            seen = about.Label4.Caption() + "|" + about.lblVersion.Caption() + "|" +
                   about.Label8.Caption() + "|" + about.Label1.Caption() + "|" + about.Label2.Caption();
            EXPECT_NE(about.Label10.Caption().find("Erl"), std::string::npos);
            topmost = GetWindowLongW(about.hWnd(), GWL_EXSTYLE) & WS_EX_TOPMOST;
            about.cmdOK.Press();
        });
        rt::test::PressKey(form.txtDisplay.hWnd(), VK_F1);
        EXPECT_EQ(seen, std::string("Tallyman|") + caption +
                            "|Questions, Comments, Bug Reports:|www.example.org|tallyman@example.org");
        EXPECT_TRUE(topmost);
    }
    rt::App().Major = 1, rt::App().Minor = 0, rt::App().Revision = 0;
}

TEST(RegistryReader, ReadsTextValuesOnly) {
    const char* const key = "Software\\BenchwareTests\\Tallyman";
    HKEY k = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, key, &k), ERROR_SUCCESS);
    const char text[] = "C:\\Program Files\\Tallyman";
    RegSetValueExA(k, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text);
    const char cut[] = "before\0after";
    RegSetValueExA(k, "Cut", 0, REG_SZ, reinterpret_cast<const BYTE*>(cut), sizeof cut);
    RegSetValueExA(k, "NoEnd", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    const DWORD number = 7;
    RegSetValueExA(k, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    RegCloseKey(k);

    using modRegistry::GetRegString;
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, key, "Path"), text);
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, key, "Cut"), "before");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, key, "NoEnd"), "abc");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, key, "Number"), "");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, key, "Missing"), "");
    EXPECT_EQ(GetRegString(HKEY_CURRENT_USER, "Software\\BenchwareTests\\Nowhere", "Path"), "");
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
}

} // namespace
} // namespace tallyman
