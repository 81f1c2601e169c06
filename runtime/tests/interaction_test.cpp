// Message boxes, input boxes, common dialogs and the printer object: through
// the scripted user, and the real boxes driven as a user would.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "rt/commondialog.h"
#include "rt/convert.h"
#include "rt/error.h"
#include "rt/printer.h"
#include "rt/scripted_user.h"
#include "test_support.h"

namespace {

using namespace rt::test;
using rt::ScriptedUser;

// The program's texts break lines with CR alone.
const std::string CR = "\r";

TEST(ScriptedUserTest, BoxesAreAnsweredInOrderOrByTheirFirstButtonAndRecorded) {
    ScriptedUser user;
    user.Answer(rt::vbNo);
    user.Type("  32500 ");
    user.CancelInput();
    EXPECT_EQ(rt::MsgBox("a" + CR + CR + "b", 52, "  Confirm Overwrite File"), rt::vbNo);
    EXPECT_EQ(rt::InputBox(CR + " Enter number range :", "  Enter Range", "1000"), "  32500 ");
    EXPECT_EQ(rt::InputBox("p2"), "");
    EXPECT_TRUE(user.AllAnswersUsed());
    // Nothing queued: the box's first button, an empty input, and each is counted.
    for (auto [style, button] :
         {std::pair{48, rt::vbOK}, {rt::vbOKCancel, rt::vbOK},
          {rt::vbAbortRetryIgnore + rt::vbCritical, rt::vbAbort},
          {rt::vbYesNo + rt::vbQuestion + rt::vbSystemModal, rt::vbYes},
          {rt::vbYesNoCancel, rt::vbYes}, {rt::vbRetryCancel, rt::vbRetry}})
        EXPECT_EQ(rt::MsgBox("unanswered", style, "t"), button) << style;
    EXPECT_EQ(rt::InputBox("p4", "t4", "d4"), "");
    EXPECT_EQ(user.Unanswered, 7);

    ASSERT_EQ(user.Boxes.size(), 10u);
    EXPECT_EQ(user.MessageBoxes().size(), 7u);
    const ScriptedUser::Shown &box = user.Boxes[0], &input = user.Boxes[1];
    EXPECT_EQ(box.What, ScriptedUser::Kind::MessageBox);
    EXPECT_EQ(box.Prompt + "|" + box.Title, "a\r\rb|  Confirm Overwrite File");
    EXPECT_EQ(box.Style, 52);
    EXPECT_EQ(input.What, ScriptedUser::Kind::InputBox);
    EXPECT_EQ(input.Prompt + "|" + input.Title, "\r Enter number range :|  Enter Range");
    EXPECT_EQ(input.DefaultText, "1000");
    // No title given: the program's.
    EXPECT_EQ(user.Boxes[2].Title, rt::App().Title);
    rt::MsgBox("text");
    EXPECT_EQ(user.Boxes.back().Title, rt::App().Title);
    EXPECT_EQ(user.Boxes.back().Style, rt::vbOKOnly);
}

TEST(ScriptedUserTest, NestedUsersPutThePreviousOneBack) {
    rt::User* real = &rt::CurrentUser();
    {
        ScriptedUser outer;
        {
            ScriptedUser inner;
            rt::MsgBox("to inner");
            EXPECT_EQ(inner.Boxes.size(), 1u);
        }
        EXPECT_EQ(&rt::CurrentUser(), &outer);
        rt::MsgBox("to outer");
        EXPECT_EQ(outer.Boxes.size(), 1u);
    }
    EXPECT_EQ(&rt::CurrentUser(), real);
}

TEST(CommonDialogTest, CancelRaisesOnlyWithCancelErrorAndAnswersComeBack) {
    ScriptedUser user;
    rt::CommonDialog cd;
    cd.CancelError = true;
    user.CancelDialog();
    std::string description;
    EXPECT_EQ(ErrorOf([&] { cd.ShowPrinter(); }, &description), rt::errCancel);
    EXPECT_EQ(description, "Cancel was selected.");
    // Nothing queued is a Cancel too.
    EXPECT_EQ(ErrorOf([&] { cd.ShowColor(); }), rt::errCancel);
    EXPECT_EQ(user.Unanswered, 1);

    cd.CancelError = false;
    cd.Color = 0x123456;
    user.CancelDialog();
    EXPECT_EQ(ErrorOf([&] { cd.ShowColor(); }), 0);
    EXPECT_EQ(cd.Color, 0x123456);

    // The handler sees the settings and its answers come back.
    cd.Copies = 2;
    cd.DialogTitle = "  Locate File To Print To";
    user.OnDialog([](rt::DialogKind kind, rt::CommonDialog& d) {
        EXPECT_EQ(kind, rt::DialogKind::Save);
        EXPECT_EQ(d.Copies, 2);
        d.FileName = "C:\\out.txt";
        return true;
    });
    cd.ShowSave();
    EXPECT_EQ(cd.FileName, "C:\\out.txt");
    ASSERT_EQ(user.Boxes.size(), 4u);
    EXPECT_EQ(user.Boxes[3].What, ScriptedUser::Kind::Dialog);
    EXPECT_EQ(user.Boxes[3].Dialog, rt::DialogKind::Save);
    EXPECT_EQ(user.Boxes[3].Title, "  Locate File To Print To");
}

TEST(PrinterObjectTest, EndDocHandsOverOneJobAsPrintedOrRaises482) {
    ScriptedUser user;
    rt::PrinterObject& printer = rt::Printer();
    printer.TextFont = rt::Font{"Tahoma", 12, true};
    printer.Copies = 2;
    printer.Orientation = 2;
    printer.Print("first line");
    printer.Print("");
    printer.Print("x\ty");
    printer.EndDoc();
    ASSERT_EQ(user.Jobs.size(), 1u);
    EXPECT_EQ(user.Jobs[0].Text, "first line\r\n\r\nx\ty\r\n");
    EXPECT_EQ(user.Jobs[0].TextFont, (rt::Font{"Tahoma", 12, true}));
    EXPECT_EQ(user.Jobs[0].Copies, 2);
    EXPECT_EQ(user.Jobs[0].Orientation, 2);

    // The next document starts empty; a discarded one never reaches the printer.
    printer.Print("killed");
    printer.KillDoc();
    printer.EndDoc();
    printer.Print("second");
    printer.EndDoc();
    ASSERT_EQ(user.Jobs.size(), 2u);
    EXPECT_EQ(user.Jobs[1].Text, "second\r\n");

    // With no printer: error 482, and the document is dropped.
    user.NoPrinter = true;
    printer.Print("lost");
    EXPECT_EQ(ErrorOf([&] { printer.EndDoc(); }), rt::errPrinterError);
    user.NoPrinter = false;
    printer.Print("kept");
    printer.EndDoc();
    ASSERT_EQ(user.Jobs.size(), 3u);
    EXPECT_EQ(user.Jobs[2].Text, "kept\r\n");
    printer = rt::PrinterObject{};
}

// ---- The real boxes, driven from a timer the way another program would.

int CALLBACK TakeTrueTypeFace(const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM p) {
    if (!(type & TRUETYPE_FONTTYPE) || lf->lfFaceName[0] == L'@') return 1;
    *reinterpret_cast<std::wstring*>(p) = lf->lfFaceName;
    return 0;
}

// A scalable face this machine has, for the font dialog to find.
std::string SomeTrueTypeFace() {
    std::wstring face;
    HDC dc = GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &query, TakeTrueTypeFace, reinterpret_cast<LPARAM>(&face), 0);
    ReleaseDC(nullptr, dc);
    return rt::Utf8(face);
}

TEST(RealInputBoxTest, OKAndEnterReturnTheTextCancelEscapeAndCloseNothing) {
    RealUser real;
    const std::string prompt = CR + "Enter Error Number Range To List :" + CR + CR +
                               "NOTE : Maximum Errors To List = 32,500";
    auto click = [](const wchar_t* caption) {
        return [caption](HWND box, HWND) {
            SendMessageW(Child(box, L"Button", caption), BM_CLICK, 0, 0);
        };
    };
    auto key = [](WORD vk) { return [vk](HWND, HWND edit) { PostKey(edit, vk); }; };
    auto close = [](HWND box, HWND) { PostMessageW(box, WM_CLOSE, 0, 0); };
    struct Case {
        std::string title;
        std::function<void(HWND, HWND)> finish;
        std::string expected;
    } cases[] = {
        {"  Enter Faultbook Range", click(L"OK"), "250"},
        {"  Enter Faultbook Range", click(L"Cancel"), ""},
        {"  Enter Faultbook Range", close, ""},
        {{}, key(VK_RETURN), "250"}, // no title: the program's
        {{}, key(VK_ESCAPE), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected + " / " + c.title);
        const std::string caption = c.title.empty() ? rt::App().Title : c.title;
        std::string seen, answer;
        {
            // Looks at the box, then types over the default and does `finish`.
            WhileModal d([&] {
                HWND box = FindShownWindow(caption);
                HWND edit = box ? Child(box, L"Edit") : nullptr;
                if (!edit) return false;
                DWORD from = 0, to = 0;
                SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                             reinterpret_cast<LPARAM>(&to));
                seen = WindowText(Child(box, L"Static")) + "|" +
                       WindowText(edit).substr(from, to - from) + "|" +
                       WindowText(Child(box, L"Button", L"OK")) + "|" +
                       WindowText(Child(box, L"Button", L"Cancel"));
                SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"250"));
                c.finish(box, edit);
                return true;
            });
            answer = rt::InputBox(prompt, c.title, "1000");
        }
        EXPECT_EQ(answer, c.expected);
        // The prompt's lines broken, the default selected for typing over.
        EXPECT_EQ(seen, "\r\nEnter Error Number Range To List :\r\n\r\n"
                        "NOTE : Maximum Errors To List = 32,500|1000|OK|Cancel");
        EXPECT_EQ(FindShownWindow(caption), nullptr);
    }
}

TEST(RealMessageBoxTest, YesAnswersSixAndTheLinesAreBroken) {
    RealUser real;
    const std::string title = "  Confirm Overwrite File";
    std::string shown;
    int answer = 0;
    {
        WhileModal d([&] {
            HWND box = FindShownWindow(title);
            HWND yes = box ? GetDlgItem(box, IDYES) : nullptr;
            if (!yes) return false;
            // The text is the static control that is not the icon.
            for (HWND s = Child(box, L"Static"); s; s = FindWindowExW(box, s, L"Static", nullptr))
                if (GetWindowTextLengthW(s) > 0) shown = WindowText(s);
            SendMessageW(yes, BM_CLICK, 0, 0);
            return true;
        });
        answer = rt::MsgBox("C:\\a.txt" + CR + "This File Already Exists." + CR + CR +
                                "Replace Existing File?",
                            52, title);
    }
    EXPECT_EQ(answer, rt::vbYes);
    EXPECT_EQ(shown, "C:\\a.txt\rThis File Already Exists.\r\rReplace Existing File?");
}

// Esc, Alt+F4 and the close box on a box: a box without a Cancel button
// stays open, so that only a button the user pressed answers it; a box
// with one answers Cancel, an OK box OK.
TEST(RealMessageBoxTest, EscAndCloseAnswerNothingOnABoxWithoutCancel) {
    RealUser real;
    rt::Form owner;
    owner.Caption("  Box owner");
    owner.Show();
    const struct {
        int style;
        int button; // pressed once the box has stood the keys and closes
        int answer;
    } cases[] = {{rt::vbYesNo + rt::vbQuestion, IDYES, rt::vbYes},
                 {rt::vbYesNo + rt::vbExclamation + rt::vbSystemModal, IDYES, rt::vbYes},
                 {rt::vbAbortRetryIgnore, IDIGNORE, rt::vbIgnore},
                 {rt::vbYesNoCancel, 0, rt::vbCancel},
                 {rt::vbOKOnly, 0, rt::vbOK}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.style);
        int stage = 0;
        bool greyed = false;
        HWND box = nullptr;
        int answer = 0;
        {
            WhileModal d([&] {
                if (!box) {
                    box = FindShownWindow("  Unanswered");
                    if (!box) return false;
                    SetForegroundWindow(box);
                    const UINT state = GetMenuState(GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND);
                    greyed = (state & (MF_GRAYED | MF_DISABLED)) != 0;
                }
                if (GetForegroundWindow() != box) return false;
                switch (stage++) {
                case 0: TapKey(VK_ESCAPE); return false;
                case 1: TapKeyWith({VK_MENU}, VK_F4); return false;
                case 2: PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0); return false;
                case 3: PostMessageW(box, WM_CLOSE, 0, 0); return false;
                default:
                    // Still open after all of them: the button ends it.
                    if (c.button) PressButton(box, c.button);
                    return true;
                }
            });
            answer = rt::MsgBox("What now?", c.style, "  Unanswered");
        }
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(greyed, c.button != 0) << "the close box of a box without Cancel is greyed";
        EXPECT_EQ(stage > 4, c.button != 0) << "the box stood Esc, Alt+F4 and Close";
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }, 3000));
    }
    owner.Unload();
}

// A box whose owner goes meanwhile (a close another program sent) gives
// the answer that does nothing: No on a Yes / No box, never Cancel.
TEST(RealMessageBoxTest, ABoxThatGoesWithItsOwnerAnswersNo) {
    RealUser real;
    rt::Form owner;
    owner.Caption("  Box owner");
    owner.Show();
    SetForegroundWindow(owner.hWnd());
    int answer = 0;
    {
        WhileModal d([&] {
            if (!FindShownWindow("  Owner goes")) return false;
            owner.Unload();
            return true;
        });
        answer = rt::MsgBox("Discard it?", rt::vbYesNo, "  Owner goes");
    }
    EXPECT_EQ(answer, rt::vbNo);
    EXPECT_FALSE(owner.Loaded());
}

// Once this thread's dialog shows item `id`, does `act` to it and presses `button`.
std::function<bool()> InDialog(int id, int button = IDOK,
                               std::function<void(HWND dlg, HWND item)> act = {}) {
    return [=] {
        HWND dlg = FindShownDialog();
        HWND item = dlg ? GetDlgItem(dlg, id) : nullptr;
        if (!item) return false;
        if (act) act(dlg, item);
        PressButton(dlg, button);
        return true;
    };
}

TEST(RealCommonDialogTest, ColourAndFontComeBackAsGivenAndCancelIsError32755) {
    RealUser real;
    // A failure of an earlier dialog stays in the extended error: Cancel must
    // still be a Cancel.
    PRINTDLGW broken{};
    broken.lStructSize = 1;
    ASSERT_FALSE(PrintDlgW(&broken));
    ASSERT_NE(CommDlgExtendedError(), 0u);
    rt::CommonDialog cd;
    cd.CancelError = true;
    cd.Color = 0x0000FF00;
    std::string description;
    {
        WhileModal d(InDialog(IDCANCEL, IDCANCEL));
        EXPECT_EQ(ErrorOf([&] { cd.ShowColor(); }, &description), rt::errCancel) << description;
    }
    EXPECT_EQ(cd.Color, 0x0000FF00);

    cd.Color = 0x00336699;
    cd.Flags = rt::cdlCCRGBInit | rt::cdlCCFullOpen;
    {
        WhileModal d(InDialog(IDOK));
        cd.ShowColor();
    }
    EXPECT_EQ(cd.Color, 0x00336699);

    // Screen and printer fonts with effects; works with or without a printer.
    cd.Color = 0x000000FF;
    const std::string face = SomeTrueTypeFace();
    ASSERT_FALSE(face.empty());
    cd.FontName = face;
    cd.FontSize = 12;
    cd.FontBold = true;
    cd.FontItalic = false;
    cd.FontUnderline = true;
    cd.Flags = rt::cdlCFScreenFonts | rt::cdlCFPrinterFonts | rt::cdlCFEffects;
    {
        WhileModal d(InDialog(IDOK));
        cd.ShowFont();
    }
    EXPECT_EQ(cd.FontName, face);
    EXPECT_DOUBLE_EQ(cd.FontSize, 12);
    EXPECT_TRUE(cd.FontBold);
    EXPECT_FALSE(cd.FontItalic);
    EXPECT_TRUE(cd.FontUnderline);
    EXPECT_FALSE(cd.FontStrikethru);
    EXPECT_EQ(cd.Color, 0x000000FF);
}

TEST(RealCommonDialogTest, SaveGivesThePathWithTheDefaultExtension) {
    RealUser real;
    TempFolder dir;
    rt::CommonDialog cd;
    cd.CancelError = true;
    cd.DefaultExt = "txt";
    cd.DialogTitle = "  Locate File To Print To";
    cd.Filter = "All Text Files  ( *.txt )|*.txt|All Files  ( *.* )|*.*";
    cd.Flags = rt::cdlOFNHideReadOnly;
    cd.InitDir = dir.Path();
    {
        WhileModal d(InDialog(IDOK, IDOK, [](HWND dlg, HWND) {
            EXPECT_EQ(WindowText(dlg), "  Locate File To Print To");
            // The file name box: the edit inside the name combo (or the plain edit).
            HWND name = GetDlgItem(dlg, cmb13);
            HWND edit = name ? Descendant(name, L"Edit") : GetDlgItem(dlg, edt1);
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"listing"));
        }));
        cd.ShowSave();
    }
    EXPECT_EQ(rt::LCase(cd.FileName), rt::LCase(dir / "listing.txt"));
    EXPECT_EQ(cd.FileTitle, "listing.txt");
    EXPECT_EQ(cd.FilterIndex, 1);
}

TEST(RealCommonDialogTest, ThePrinterDialogReportsPrintToFileCopiesAndOrientation) {
    if (!HaveDefaultPrinter()) GTEST_SKIP() << "no default printer on this machine";
    RealUser real;
    rt::CommonDialog cd;
    cd.CancelError = true;
    cd.Flags = rt::cdlPDNoSelection | rt::cdlPDNoPageNums;
    {
        WhileModal d(InDialog(edt3, IDOK, [](HWND dlg, HWND copies) {
            SendMessageW(GetDlgItem(dlg, chx1), BM_SETCHECK, BST_CHECKED, 0);
            SendMessageW(copies, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"3"));
        }));
        cd.ShowPrinter();
    }
    EXPECT_TRUE(cd.Flags & rt::cdlPDPrintToFile);
    EXPECT_TRUE(cd.Flags & rt::cdlPDNoPageNums); // what was asked stays
    EXPECT_EQ(cd.Copies, 3);

    // Cancel leaves the settings alone.
    cd.Flags = rt::cdlPDPrintSetup;
    cd.Orientation = 2;
    {
        WhileModal d(InDialog(IDCANCEL, IDCANCEL));
        EXPECT_EQ(ErrorOf([&] { cd.ShowPrinter(); }), rt::errCancel);
    }
    EXPECT_EQ(cd.Orientation, 2);
    EXPECT_EQ(cd.Copies, 3);

    // Print set-up: the landscape choice comes back, and what was printed to
    // file before is no longer.
    cd.Orientation = 1;
    {
        WhileModal d(InDialog(rad2, IDOK, [](HWND, HWND landscape) {
            SendMessageW(landscape, BM_CLICK, 0, 0);
        }));
        cd.ShowPrinter();
    }
    EXPECT_EQ(cd.Orientation, 2);
    EXPECT_FALSE(cd.Flags & rt::cdlPDPrintToFile);
}

} // namespace
