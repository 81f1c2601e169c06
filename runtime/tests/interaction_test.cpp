// Message boxes, input boxes, common dialogs, the printer object and modal
// forms: through the scripted user, and the real boxes driven as a user would.
#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "rt/commondialog.h"
#include "rt/convert.h"
#include "rt/error.h"
#include "rt/forms.h"
#include "rt/printer.h"
#include "rt/scripted_user.h"
#include "rt/services.h"

namespace {

using rt::ScriptedUser;

// The program's texts break lines with CR alone.
const std::string CR = "\r";

long RaisedNumber(const std::function<void()>& f, std::string* description = nullptr) {
    try {
        f();
    } catch (const rt::Error& e) {
        if (description) *description = e.Description;
        return e.Number;
    }
    return 0;
}

TEST(ScriptedUserTest, MessageBoxesAreRecordedAndAnsweredInOrder) {
    ScriptedUser user;
    user.Answer(rt::vbNo);
    user.Answer(rt::vbCancel);
    EXPECT_EQ(rt::MsgBox("a" + CR + CR + "b", 52, "  Confirm Overwrite File"), rt::vbNo);
    EXPECT_EQ(rt::MsgBox("second", rt::vbYesNoCancel, "t2"), rt::vbCancel);
    EXPECT_EQ(user.Unanswered, 0);
    EXPECT_TRUE(user.AllAnswersUsed());
    // Nothing queued: the box's first button, and it is counted.
    EXPECT_EQ(rt::MsgBox("ok only", 48, "t"), rt::vbOK);
    EXPECT_EQ(rt::MsgBox("ok cancel", rt::vbOKCancel, "t"), rt::vbOK);
    EXPECT_EQ(rt::MsgBox("abort", rt::vbAbortRetryIgnore + rt::vbCritical, "t"), rt::vbAbort);
    EXPECT_EQ(rt::MsgBox("yes no", rt::vbYesNo + rt::vbQuestion + rt::vbSystemModal, "t"), rt::vbYes);
    EXPECT_EQ(rt::MsgBox("retry", rt::vbRetryCancel, "t"), rt::vbRetry);
    EXPECT_EQ(user.Unanswered, 5);

    auto boxes = user.MessageBoxes();
    ASSERT_EQ(boxes.size(), 7u);
    EXPECT_EQ(boxes[0].Prompt, "a\r\rb");
    EXPECT_EQ(boxes[0].Title, "  Confirm Overwrite File");
    EXPECT_EQ(boxes[0].Style, 52);
    EXPECT_EQ(boxes[5].Style, rt::vbYesNo + rt::vbQuestion + rt::vbSystemModal);

    // No title given: the program's.
    rt::MsgBox("text");
    EXPECT_EQ(user.Boxes.back().Title, rt::App().Title);
    EXPECT_EQ(user.Boxes.back().Style, rt::vbOKOnly);
    EXPECT_FALSE(rt::App().Title.empty());
}

TEST(ScriptedUserTest, InputBoxesGiveTypedTextInOrderAndEmptyOnCancel) {
    ScriptedUser user;
    user.Type("1000");
    user.CancelInput();
    user.Type("  32500 ");
    std::string prompt = CR + " Enter number range :" + CR + CR + " Numbers start from zero";
    EXPECT_EQ(rt::InputBox(prompt, "  Enter Display Range - Starts At Zero", "1000"), "1000");
    EXPECT_EQ(rt::InputBox("p2"), "");
    EXPECT_EQ(rt::InputBox("p3", "t3", "d3"), "  32500 ");
    EXPECT_EQ(user.Unanswered, 0);
    EXPECT_EQ(rt::InputBox("p4", "t4", "d4"), "");
    EXPECT_EQ(user.Unanswered, 1);

    ASSERT_EQ(user.Boxes.size(), 4u);
    EXPECT_EQ(user.Boxes[0].What, ScriptedUser::Kind::InputBox);
    EXPECT_EQ(user.Boxes[0].Prompt, prompt);
    EXPECT_EQ(user.Boxes[0].Title, "  Enter Display Range - Starts At Zero");
    EXPECT_EQ(user.Boxes[0].DefaultText, "1000");
    EXPECT_EQ(user.Boxes[1].DefaultText, "");
    EXPECT_EQ(user.Boxes[1].Title, rt::App().Title);
    EXPECT_TRUE(user.MessageBoxes().empty());
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

TEST(CommonDialogTest, CancelRaisesOnlyWithCancelError) {
    ScriptedUser user;
    rt::CommonDialog cd;
    cd.CancelError = true;
    user.CancelDialog();
    std::string description;
    EXPECT_EQ(RaisedNumber([&] { cd.ShowPrinter(); }, &description), rt::errCancel);
    EXPECT_EQ(description, "Cancel was selected.");
    // Nothing queued is a Cancel too.
    EXPECT_EQ(RaisedNumber([&] { cd.ShowColor(); }), rt::errCancel);
    EXPECT_EQ(user.Unanswered, 1);

    cd.CancelError = false;
    cd.Color = 0x123456;
    user.CancelDialog();
    EXPECT_EQ(RaisedNumber([&] { cd.ShowColor(); }), 0);
    EXPECT_EQ(cd.Color, 0x123456);
}

TEST(CommonDialogTest, TheHandlerSeesTheSettingsAndItsAnswersComeBack) {
    ScriptedUser user;
    rt::CommonDialog cd;
    cd.CancelError = true;
    cd.Flags = 12;
    cd.Copies = 2;
    user.OnDialog([](rt::DialogKind kind, rt::CommonDialog& d) {
        EXPECT_EQ(kind, rt::DialogKind::Printer);
        EXPECT_EQ(d.Flags, 12);
        EXPECT_EQ(d.Copies, 2);
        d.Copies = 3;
        d.Orientation = 2;
        d.Flags |= rt::cdlPDPrintToFile;
        return true;
    });
    cd.ShowPrinter();
    EXPECT_EQ(cd.Copies, 3);
    EXPECT_EQ(cd.Orientation, 2);
    EXPECT_TRUE(cd.Flags & 0x20);

    cd.DialogTitle = "  Locate File To Print To";
    user.OnDialog([](rt::DialogKind kind, rt::CommonDialog& d) {
        EXPECT_EQ(kind, rt::DialogKind::Save);
        d.FileName = "C:\\out.txt";
        return true;
    });
    cd.ShowSave();
    EXPECT_EQ(cd.FileName, "C:\\out.txt");
    ASSERT_EQ(user.Boxes.size(), 2u);
    EXPECT_EQ(user.Boxes[1].What, ScriptedUser::Kind::Dialog);
    EXPECT_EQ(user.Boxes[1].Dialog, rt::DialogKind::Save);
    EXPECT_EQ(user.Boxes[1].Title, "  Locate File To Print To");
}

TEST(PrinterObjectTest, EndDocHandsOverOneJobAsPrinted) {
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
    printer = rt::PrinterObject{};
}

TEST(PrinterObjectTest, NoPrinterRaises482AndDropsTheDocument) {
    ScriptedUser user;
    user.NoPrinter = true;
    rt::Printer().Print("lost");
    EXPECT_EQ(RaisedNumber([] { rt::Printer().EndDoc(); }), rt::errPrinterError);
    user.NoPrinter = false;
    rt::Printer().Print("kept");
    rt::Printer().EndDoc();
    ASSERT_EQ(user.Jobs.size(), 1u);
    EXPECT_EQ(user.Jobs[0].Text, "kept\r\n");
}

class ModalProbe : public rt::Form {
  public:
    ModalProbe() { Caption("Probe Window"); }
    int unloads = 0;

  protected:
    void Form_Unload(int&) override { ++unloads; }
};

TEST(ScriptedUserTest, ModalFormsRunTheirHandlerAndAreUnloaded) {
    ScriptedUser user;
    ModalProbe form;
    bool shownWhileHandled = false;
    user.OnModal([&](rt::Form& f) {
        shownWhileHandled = f.Loaded() && f.Visible() && &f == &form;
    });
    form.Show(rt::vbModal);
    EXPECT_TRUE(shownWhileHandled);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(form.unloads, 1);

    // A handler that closes the form itself; then none queued at all.
    user.OnModal([](rt::Form& f) { f.Unload(); });
    form.Show(rt::vbModal);
    form.Show(rt::vbModal);
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(form.unloads, 3);
    EXPECT_EQ(user.Unanswered, 1);
    ASSERT_EQ(user.Boxes.size(), 3u);
    EXPECT_EQ(user.Boxes[0].What, ScriptedUser::Kind::ModalForm);
    EXPECT_EQ(user.Boxes[0].Prompt, "Probe Window");
}

// ---- The real boxes, driven from a timer the way another program would.

// Runs `step` from a thread timer while a box's own message loop runs, until it
// reports that it is done. A box never found is closed so that no test hangs.
class Driver {
  public:
    explicit Driver(std::function<bool()> step) {
        step_ = std::move(step);
        tries_ = 0;
        id_ = SetTimer(nullptr, 0, 50, &Driver::Tick);
    }
    ~Driver() {
        if (id_) KillTimer(nullptr, id_);
        id_ = 0;
    }
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;
    static bool GaveUp() { return gaveUp_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (!id_) return;
        if (step_()) {
            KillTimer(nullptr, id_);
            id_ = 0;
        } else if (++tries_ > 200) {
            KillTimer(nullptr, id_);
            id_ = 0;
            gaveUp_ = true;
            ADD_FAILURE() << "the box never became ready";
            if (HWND w = GetActiveWindow()) PostMessageW(w, WM_CLOSE, 0, 0);
        }
    }
    static inline std::function<bool()> step_;
    static inline UINT_PTR id_ = 0;
    static inline int tries_ = 0;
    static inline bool gaveUp_ = false;
};

class RealUser {
  public:
    RealUser() : previous_(&rt::CurrentUser()) { rt::SetUser(nullptr); }
    ~RealUser() { rt::SetUser(previous_); }

  private:
    rt::User* previous_;
};

std::string WindowText(HWND w) {
    wchar_t text[1024] = {};
    GetWindowTextW(w, text, 1024);
    return rt::Utf8(text);
}

HWND Child(HWND parent, const wchar_t* cls, const wchar_t* text = nullptr) {
    return FindWindowExW(parent, nullptr, cls, text);
}

// The first window of a class anywhere below a window.
HWND Descendant(HWND parent, const wchar_t* cls) {
    struct Search {
        const wchar_t* cls;
        HWND found;
    } search{cls, nullptr};
    EnumChildWindows(
        parent,
        [](HWND w, LPARAM p) -> BOOL {
            auto* s = reinterpret_cast<Search*>(p);
            wchar_t name[64] = {};
            GetClassNameW(w, name, 64);
            if (lstrcmpiW(name, s->cls) != 0) return TRUE;
            s->found = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A scalable face this machine has, for the font dialog to find.
std::string SomeTrueTypeFace() {
    std::wstring face;
    HDC dc = GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(
        dc, &query,
        [](const LOGFONTW* lf, const TEXTMETRICW*, DWORD type, LPARAM p) -> int {
            if (!(type & TRUETYPE_FONTTYPE) || lf->lfFaceName[0] == L'@') return 1;
            *reinterpret_cast<std::wstring*>(p) = lf->lfFaceName;
            return 0;
        },
        reinterpret_cast<LPARAM>(&face), 0);
    ReleaseDC(nullptr, dc);
    return rt::Utf8(face);
}

// A top-level window of this thread with the given caption.
HWND FindOwnWindow(const std::string& caption) {
    HWND w = FindWindowW(nullptr, rt::Wide(caption).c_str());
    if (!w || !IsWindowVisible(w)) return nullptr;
    return GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() ? w : nullptr;
}

struct SeenInputBox {
    std::string prompt, selected, ok, cancel;
};

// Finds the input box, looks at it, then types `text` and does `finish` to it.
std::function<bool()> OnInputBox(const std::string& title, const std::string& text,
                                 std::function<void(HWND box, HWND edit)> finish,
                                 SeenInputBox& seen) {
    return [=, &seen] {
        HWND box = FindOwnWindow(title);
        HWND edit = box ? Child(box, L"Edit") : nullptr;
        if (!edit) return false;
        seen.prompt = WindowText(Child(box, L"Static"));
        DWORD from = 0, to = 0;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        seen.selected = WindowText(edit).substr(from, to - from);
        seen.ok = WindowText(Child(box, L"Button", L"OK"));
        seen.cancel = WindowText(Child(box, L"Button", L"Cancel"));
        SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(rt::Wide(text).c_str()));
        finish(box, edit);
        return true;
    };
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
    auto key = [](UINT vk) {
        return [vk](HWND, HWND edit) {
            PostMessageW(edit, WM_KEYDOWN, vk, 1);
            PostMessageW(edit, WM_KEYUP, vk, 0xC0000001);
        };
    };
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
        SeenInputBox seen;
        std::string answer;
        {
            Driver d(OnInputBox(caption, "250", c.finish, seen));
            answer = rt::InputBox(prompt, c.title, "1000");
        }
        EXPECT_EQ(answer, c.expected);
        EXPECT_EQ(seen.selected, "1000"); // typing replaces the default
        EXPECT_EQ(seen.prompt, "\r\nEnter Error Number Range To List :\r\n\r\n"
                               "NOTE : Maximum Errors To List = 32,500");
        EXPECT_EQ(seen.ok, "OK");
        EXPECT_EQ(seen.cancel, "Cancel");
        EXPECT_EQ(FindOwnWindow(caption), nullptr);
    }
}

TEST(RealMessageBoxTest, YesAnswersSixAndTheLinesAreBroken) {
    RealUser real;
    const std::string title = "  Confirm Overwrite File";
    std::string shown;
    int answer = 0;
    {
        Driver d([&] {
            HWND box = FindOwnWindow(title);
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

// The real colour, font and save dialogs, answered by their OK button.
std::function<bool()> PressOK(const std::string& caption) {
    return [caption] {
        HWND dlg = FindOwnWindow(caption);
        HWND ok = dlg ? GetDlgItem(dlg, IDOK) : nullptr;
        if (!ok) return false;
        PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
        return true;
    };
}

TEST(RealCommonDialogTest, ColourAndFontComeBackAsGiven) {
    RealUser real;
    rt::CommonDialog cd;
    cd.CancelError = true;
    cd.Color = 0x00336699;
    cd.Flags = rt::cdlCCRGBInit | rt::cdlCCFullOpen;
    {
        Driver d(PressOK("Color"));
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
        Driver d(PressOK("Font"));
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

TEST(RealCommonDialogTest, CancelInTheColourDialogIsError32755) {
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
    Driver d([] {
        HWND dlg = FindOwnWindow("Color");
        if (!dlg) return false;
        PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        return true;
    });
    std::string description;
    EXPECT_EQ(RaisedNumber([&] { cd.ShowColor(); }, &description), rt::errCancel) << description;
    EXPECT_EQ(cd.Color, 0x0000FF00);
}

TEST(RealCommonDialogTest, SaveGivesThePathWithTheDefaultExtension) {
    RealUser real;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::string dir = rt::Utf8(temp);
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    rt::CommonDialog cd;
    cd.CancelError = true;
    cd.DefaultExt = "txt";
    cd.DialogTitle = "  Locate File To Print To";
    cd.Filter = "All Text Files  ( *.txt )|*.txt|All Files  ( *.* )|*.*";
    cd.Flags = rt::cdlOFNHideReadOnly;
    cd.InitDir = dir;
    {
        Driver d([] {
            HWND dlg = FindOwnWindow("  Locate File To Print To");
            if (!dlg) return false;
            // The file name box: the edit inside the name combo (or the plain edit).
            HWND name = GetDlgItem(dlg, 0x47C); // cmb13
            HWND edit = name ? Descendant(name, L"Edit") : GetDlgItem(dlg, 0x480); // edt1
            if (!edit) return false;
            SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"listing"));
            PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dlg, IDOK)));
            return true;
        });
        cd.ShowSave();
    }
    EXPECT_EQ(rt::LCase(cd.FileName), rt::LCase(dir + "\\listing.txt"));
    EXPECT_EQ(cd.FileTitle, "listing.txt");
    EXPECT_EQ(cd.FilterIndex, 1);
}

// This thread's common dialog, whatever its caption.
HWND FindOwnDialog() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM p) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(w, cls, 16);
            if (!IsWindowVisible(w) || lstrcmpW(cls, L"#32770") != 0) return TRUE;
            *reinterpret_cast<HWND*>(p) = w;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

void Press(HWND dlg, int id) {
    PostMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
}

TEST(RealCommonDialogTest, ThePrinterDialogReportsPrintToFileCopiesAndOrientation) {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) GTEST_SKIP() << "no default printer on this machine";
    RealUser real;
    rt::CommonDialog cd;
    cd.CancelError = true;
    cd.Flags = rt::cdlPDNoSelection | rt::cdlPDNoPageNums;
    {
        Driver d([] {
            HWND dlg = FindOwnDialog();
            HWND toFile = dlg ? GetDlgItem(dlg, chx1) : nullptr;
            HWND copies = dlg ? GetDlgItem(dlg, edt3) : nullptr;
            if (!toFile || !copies) return false;
            SendMessageW(toFile, BM_SETCHECK, BST_CHECKED, 0);
            SendMessageW(copies, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"3"));
            Press(dlg, IDOK);
            return true;
        });
        cd.ShowPrinter();
    }
    EXPECT_TRUE(cd.Flags & rt::cdlPDPrintToFile);
    EXPECT_TRUE(cd.Flags & rt::cdlPDNoPageNums); // what was asked stays
    EXPECT_EQ(cd.Copies, 3);

    // Cancel leaves the settings alone.
    cd.Flags = rt::cdlPDPrintSetup;
    cd.Orientation = 2;
    {
        Driver d([] {
            HWND dlg = FindOwnDialog();
            if (dlg) Press(dlg, IDCANCEL);
            return dlg != nullptr;
        });
        EXPECT_EQ(RaisedNumber([&] { cd.ShowPrinter(); }), rt::errCancel);
    }
    EXPECT_EQ(cd.Orientation, 2);
    EXPECT_EQ(cd.Copies, 3);

    // Print set-up: the landscape choice comes back, and what was printed to
    // file before is no longer.
    cd.Orientation = 1;
    {
        Driver d([] {
            HWND dlg = FindOwnDialog();
            HWND landscape = dlg ? GetDlgItem(dlg, rad2) : nullptr;
            if (!landscape) return false;
            SendMessageW(landscape, BM_CLICK, 0, 0);
            Press(dlg, IDOK);
            return true;
        });
        cd.ShowPrinter();
    }
    EXPECT_EQ(cd.Orientation, 2);
    EXPECT_FALSE(cd.Flags & rt::cdlPDPrintToFile);
}

} // namespace
