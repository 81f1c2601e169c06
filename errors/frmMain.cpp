#include "frmMain.h"

#include <vector>

#include <kit/kit.h>

#include "frmText.h"
#include "viewers.h"

namespace faultbook {

namespace {

const char* const kSection = "Settings";
const char* const kHeading = "* Any Error Not Shown = 'Application-defined or object-defined error'";
const char* const kInvalidRange =
    "Entry must be a positive numerical value less than, or equal to 32,500.";
const char* const kInvalidNumber = "Entry must be a positive numerical value.";

const kit::ListViewerConfig& Config() {
    static const kit::ListViewerConfig config = [] {
        kit::ListViewerConfig c;
        c.FilePrint = {"Print", rt::ShortcutCtrl('P')};
        c.FilePrintSetup = {"Print Setup...    ", 0};
        c.EditCopy = {"&Copy To Clipboard    ", rt::ShortcutCtrl('C')};
        c.OptionsClipboard = {"&Double Click = Copy Error", rt::ShortcutF(2)};
        c.OptionsAlwaysOnTop = {"&Always On Top", rt::ShortcutF(4)};
        c.OptionsFont = {"Change Font &Style", rt::ShortcutF(5)};
        c.OptionsForeColor = {"Change Font &Color", rt::ShortcutF(6)};
        c.OptionsBackColor = {"Change &Background Color", rt::ShortcutF(7)};
        c.HelpHelp = {"Help", rt::ShortcutF(1)};
        c.HelpVBHelp = {"&VB Error Trap  -  Sample Code", 0};
        c.HelpAbout = {"&About Faultbook", 0};
        c.ClipboardChecked = false;
        c.TipBoth = "Double-Click to copy error to clipboard and display it's info";
        c.TipShowOnly = "Double-Click to display error and it's info";
        c.TipCopyOnly = "Double-Click to copy error to clipboard";
        c.ProgressMargin = 3165;
        c.ShowHelp = [] { frmHelp::Get().Show(rt::vbModal); };
        c.ShowReference = [] { frmVBSample::Get().Show(rt::vbModal); };
        return c;
    }();
    return config;
}

// FillErrorList's handler lets errors 0 and 20 through: the statement that
// raised one is skipped and the next one runs. Any other error goes on to the
// handler at the end of the procedure.
template <class F> void ResumingOn0And20(F&& statement) {
    try {
        statement();
    } catch (const rt::Error& e) {
        if (e.Number != 0 && e.Number != 20) throw;
        rt::Err().Clear();
    }
}

// Hands the message for an error number to the clipboard as plain text.
void CopyMessage(long number) {
    rt::Try([] { rt::Clipboard::Clear(); });
    rt::Try([&] { rt::Clipboard::SetText(rt::ErrorText(number)); });
}

// Shows the message for an error number in the message window, modally.
void ShowMessage(long number) {
    rt::Try([] { frmText::Get().Load(); });
    rt::Try([&] { frmText::Get().Caption("  Error " + rt::CStr(number)); });
    rt::Try([&] { frmText::Get().txtText.Text(rt::ErrorText(number)); });
    rt::Try([] { rt::DoEvents(); });
    rt::Try([] { frmText::Get().Show(rt::vbModal); });
}

} // namespace

std::string ErrorLine(long n, std::size_t digits, const std::string& message) {
    std::string number = std::to_string(n);
    if (number.size() < digits) number.insert(0, digits - number.size(), '0');
    return number + " = " + message;
}

int16_t LineNumber(const std::string& line) {
    const auto blank = line.find(' ');
    return rt::CInt(std::string_view(line).substr(0, blank == std::string::npos ? 0 : blank + 1));
}

frmMain::frmMain() : kit::ListViewer(Config(), mnuOptionsShowErr) {
    Caption("  Faultbook");
    BorderStyle(rt::vbSizable);
    ClientSize(8790, 7020);

    lblEquals.Caption("Err.Number =  Err.Description");
    lblEquals.Font(rt::Font{"MS Sans Serif", 8.25, true});
    lblEquals.ForeColor(0x00800000);
    lblEquals.BackStyle(0);
    lblEquals.Move(180, 135, 2700, 195);
    lblEquals.AutoSize(true);

    // The bar is drawn by code alone: it paints from its own buffer.
    Progress.Move(2940, 105, 5685, 265);
    Progress.AutoRedraw(true);
    Progress.Visible(false);

    Display.Move(105, 420, 8532, 6300);
    Display.BackColor(0x00FFFFFF);
    Display.ForeColor(0x00000000);
    Display.Font(rt::Font{"Arial", 9.75});
    Display.Columns(0);
    Display.ToolTipText("Double-Click to display error and it's info");
    Display.DblClick = [this] { Display_DblClick(); };

    Line1.BorderColor = 0x80000010;
    Line1.BorderWidth = 2;
    Line2.BorderColor = 0x80000014;

    mnuFileList.Click = [this] { mnuFileList_Click(); };
    mnuFileClear.Click = [this] { mnuFileClear_Click(); };
    mnuFileRaiseError.Click = [this] { mnuFileRaiseError_Click(); };
    mnuFileCauseError.Click = [this] { mnuFileCauseError_Click(); };
    mnuFileExit.Click = [this] { mnuFileExit_Click(); };
    mnuOptionsShowErr.Click = [this] { mnuOptionsShowErr_Click(); };
    mnuPopCopy.Click = [this] { mnuPopCopy_Click(); };
    mnuPopShowInfo.Click = [this] { mnuPopShowInfo_Click(); };

    mnuFile.Add({&mnuFileList, &mnuFileClear, &mnuFileBlank1, &mnuFileRaiseError,
                 &mnuFileCauseError, &mnuFileBlank2, &mnuFilePrint, &mnuFilePrintSetup,
                 &mnuFileBlank3, &mnuFileExit});
    mnuEdit.Add({&mnuEditCopy});
    mnuOptions.Add({&mnuOptionsClipboard, &mnuOptionsShowErr, &mnuOptionsBlank1,
                    &mnuOptionsAlwaysOnTop, &mnuOptionsBlank2, &mnuOptionsFont,
                    &mnuOptionsForeColor, &mnuOptionsBackColor});
    mnuHelp.Add({&mnuHelpHelp, &mnuHelpVBHelp, &mnuHelpBlank1, &mnuHelpAbout});
    if (mnuPop.Items().empty()) mnuPop.Add({&mnuPopCopy, &mnuPopBlank1, &mnuPopShowInfo});
    mnuPop.Visible(false);
    Menus({&mnuFile, &mnuEdit, &mnuOptions, &mnuHelp, &mnuPop});
}

// --- The list ---------------------------------------------------------------------

void frmMain::FillErrorList() {
    try {
        const std::string range = rt::InputBox(
            "\rEnter Error Number Range To List :\r\rNOTE : Maximum Errors To List = 32,500",
            "  Enter Faultbook Range", "1000");
        if (range.empty()) return;

        // The first failing check wins; a five-digit number beyond the 16-bit
        // range raises overflow in the conversion, which goes to the handler.
        if (!rt::IsNumeric(range) || range.size() > 5 || rt::CInt(range) < 1 ||
            rt::CInt(range) > 32500) {
            rt::MsgBox(kInvalidRange, rt::vbExclamation, "  Invalid Entry");
            return;
        }
        const int16_t bound = rt::CInt(range);

        ResumingOn0And20([&] { Display.Clear(); });
        ResumingOn0And20([&] { Progress.Visible(true); });
        ResumingOn0And20([&] { Display.AddItem(kHeading); });
        ResumingOn0And20([&] { Display.AddItem(""); });

        for (int16_t n = 0; n <= bound; ++n) {
            ResumingOn0And20([&] {
                kit::DrawProgress(&Progress, 0, bound, n, false, 0xFFFFFF, 0xFF0000, 0x8000000F,
                                  2, true);
            });
            ResumingOn0And20([&] {
                const std::string message = rt::ErrorText(n);
                if (message != rt::kGenericErrorText)
                    Display.AddItem(ErrorLine(n, range.size(), message));
            });
        }

        // The first line is selected (by the Down key when the window is in front).
        ResumingOn0And20([&] { Display.Refresh(); });
        ResumingOn0And20([&] { MoveSelectionDown(); });
        ResumingOn0And20([&] { Progress.Visible(false); });
    } catch (const rt::Error& e) {
        rt::MsgBox(e.Source +
                       " encountered the following error while trying to setup the display:\r\r"
                       "Error Number = " + rt::CStr(e.Number) +
                       "\rError Discription = " + e.Description,
                   rt::vbExclamation, "  Error  -  " + e.Description);
        rt::Err().Clear();
        rt::Try([&] { Display.Refresh(); });
        rt::Try([&] { Progress.Visible(false); });
    }
}

std::string frmMain::GetPrintText() {
    if (Display.ListCount() == 0) {
        rt::MsgBox("There is currently nothing displayed to print.", rt::vbExclamation,
                   "  Nothing To Print");
        return {};
    }
    std::string text = "\r\n\r\n";
    for (int i = 0; i < Display.ListCount(); ++i)
        rt::Try([&] { text += "  " + Display.List(i) + "\r\n"; });
    return text;
}

void frmMain::mnuFileList_Click() { FillErrorList(); }
void frmMain::mnuFileClear_Click() { Display.Clear(); }
void frmMain::mnuFileExit_Click() { Unload(); }
void frmMain::mnuOptionsShowErr_Click() { ShowInfoToggle_Click(); }

// --- Start-up and shutdown ----------------------------------------------------------

void frmMain::Form_Load() {
    const std::string& app = rt::App().Title;
    auto number = [&](const char* key, long current) {
        return rt::CLng(rt::SettingValue(rt::GetSetting(app, kSection, key, rt::CStr(current))));
    };
    auto boolean = [&](const char* key, bool current) {
        return rt::CBool(rt::GetSetting(app, kSection, key, rt::BoolText(current)));
    };
    // Each font property on its own, so one bad value leaves the others.
    auto font = [&](auto change) {
        rt::Font f = Display.Font();
        change(f);
        Display.Font(f);
    };

    rt::Try([&] { Height(number("Height", Height())); });
    rt::Try([&] { Width(number("Width", Width())); });
    rt::Try([&] {
        Left(rt::CLng(rt::SettingValue(rt::GetSetting(
            app, kSection, "Left", rt::SettingNumber((rt::Screen::Width() - Width()) / 2.0)))));
    });
    rt::Try([&] {
        Top(rt::CLng(rt::SettingValue(rt::GetSetting(
            app, kSection, "Top", rt::SettingNumber((rt::Screen::Height() - Height()) / 2.0)))));
    });
    // A place kept on another screen, or spoiled, opens on this one.
    rt::Try([&] { PlaceOnScreen(); });

    rt::Try([&] { Display.ForeColor(number("ForeColor", Display.ForeColor())); });
    rt::Try([&] { Display.BackColor(number("BackColor", Display.BackColor())); });
    rt::Try([&] { font([&](rt::Font& f) { f.Bold = boolean("FontBold", f.Bold); }); });
    rt::Try([&] { font([&](rt::Font& f) { f.Italic = boolean("FontItalic", f.Italic); }); });
    rt::Try([&] {
        font([&](rt::Font& f) { f.Name = rt::GetSetting(app, kSection, "FontName", f.Name); });
    });
    rt::Try([&] {
        font([&](rt::Font& f) {
            f.Size = rt::CLng(rt::KeptFontSize(
                rt::GetSetting(app, kSection, "FontSize", rt::SettingNumber(f.Size))));
        });
    });
    rt::Try([&] {
        font([&](rt::Font& f) { f.Strikethru = boolean("FontStrikethru", f.Strikethru); });
    });
    rt::Try([&] {
        font([&](rt::Font& f) { f.Underline = boolean("FontUnderline", f.Underline); });
    });

    rt::Try([&] {
        if (rt::CBool(rt::GetSetting(app, kSection, "CopyClipboard", "False")))
            mnuOptionsClipboard_Click();
    });
    rt::Try([&] {
        if (!rt::CBool(rt::GetSetting(app, kSection, "ShowInfo", "True")))
            mnuOptionsShowErr_Click();
    });

    rt::Try([&] { Show(); });
    rt::Try([&] { FillErrorList(); });
}

void frmMain::Form_Unload(int& Cancel) {
    (void)Cancel;
    const std::string& app = rt::App().Title;
    auto save = [&](const char* key, auto value) {
        rt::Try([&] { rt::SaveSetting(app, kSection, key, value()); });
    };
    // Closed maximised or minimised, the window starts again where it stood
    // before.
    const rt::FormPlace place = RestoredPlace();
    save("Height", [&] { return rt::CStr(place.Height); });
    save("Width", [&] { return rt::CStr(place.Width); });
    save("Left", [&] { return rt::CStr(place.Left); });
    save("Top", [&] { return rt::CStr(place.Top); });
    save("ForeColor", [&] { return rt::CStr(Display.ForeColor()); });
    save("BackColor", [&] { return rt::CStr(Display.BackColor()); });
    save("FontBold", [&] { return rt::BoolText(Display.Font().Bold); });
    save("FontItalic", [&] { return rt::BoolText(Display.Font().Italic); });
    save("FontName", [&] { return Display.Font().Name; });
    save("FontSize", [&] { return rt::SettingNumber(Display.Font().Size); });
    save("FontStrikethru", [&] { return rt::BoolText(Display.Font().Strikethru); });
    save("FontUnderline", [&] { return rt::BoolText(Display.Font().Underline); });
    save("CopyClipboard", [&] { return rt::BoolText(mnuOptionsClipboard.Checked()); });
    save("ShowInfo", [&] { return rt::BoolText(mnuOptionsShowErr.Checked()); });

    const std::vector<rt::Form*> forms = rt::Forms();
    for (rt::Form* form : forms)
        if (form != this) rt::Try([&] { form->Unload(); });
}

// --- Commands on one line -------------------------------------------------------------

void frmMain::Display_DblClick() {
    int16_t number = 0;
    const bool copy = mnuOptionsClipboard.Checked();
    const bool show = mnuOptionsShowErr.Checked();
    if (copy || show) rt::Try([&] { number = LineNumber(Display.Text()); });
    if (copy) CopyMessage(number);
    if (show) ShowMessage(number);
    if (!copy && !show) rt::Try([] { rt::DoEvents(); });
    rt::Try([&] { Form_Resize(); });
}

void frmMain::mnuPopCopy_Click() {
    int16_t number = 0;
    rt::Try([&] { number = LineNumber(Display.Text()); });
    CopyMessage(number);
}

void frmMain::mnuPopShowInfo_Click() {
    const std::string line = Display.Text();
    if (!line.empty() && line[0] == '*') return;
    int16_t number = 0;
    if (!rt::Try([&] { number = LineNumber(line); })) {
        rt::Err().Clear();
        return;
    }
    ShowMessage(number);
}

// --- Raise and Cause Error ------------------------------------------------------------

namespace {

// Asks for the error number to `what` ("display", "cause"): the answer, or an
// empty text when the user cancelled or typed no number (and was told so).
std::string AskErrorNumber(const std::string& what, const std::string& title) {
    const std::string answer =
        rt::InputBox("Enter error number to " + what +
                         " :\r\r\rNOTE : Error numbers larger than 65535 may not display correctly",
                     title, "13");
    if (answer.empty() || rt::IsNumeric(answer)) return answer;
    rt::MsgBox(kInvalidNumber, rt::vbExclamation, "  Invalid Entry");
    return {};
}

} // namespace

void frmMain::mnuFileRaiseError_Click() {
    try {
        const std::string answer = AskErrorNumber("display", "  Raise Error");
        if (answer.empty()) return;
        rt::Raise(rt::CLng(answer));
    } catch (const rt::Error& e) {
        rt::MsgBox(e.Source + " caused the following error:\r\rError Number = " +
                       rt::CStr(e.Number) + "\rError Description = " + e.Description,
                   rt::vbExclamation, "  Error  -  " + e.Description);
        rt::Err().Clear();
    }
}

// No handler here on purpose: the raised error leaves the menu command, and the
// runtime's own report of an unhandled error ends the program.
void frmMain::mnuFileCauseError_Click() {
    const int answer = rt::MsgBox(
        "WARNING : By proceeding with this, you will cause a 'real' error, not a controlled "
        "error.  This will give you a better replication of true errors, but it will crash "
        "this program.  After this program crashes, however, you should be able to restart "
        "it without any problems.\r\rWould you like to continue anyway?",
        rt::vbYesNoCancel + rt::vbExclamation, "  Confirm Continue");
    if (answer != rt::vbYes) return;
    const std::string number = AskErrorNumber("cause", "  Cause Error");
    if (number.empty()) return;
    rt::Raise(rt::CLng(number));
}

} // namespace faultbook
