#include "frmMain.h"

#include <kit/kit.h>

#include <vector>

#include "documents.h"
#include "frmDisplay.h"
#include "frmText.h"

namespace glyphdeck {

namespace {

const kit::ListViewerConfig& Config() {
    static const kit::ListViewerConfig config = [] {
        kit::ListViewerConfig c;
        c.FilePrint = {"Print", rt::ShortcutCtrl('P')};
        c.FilePrintSetup = {"Print Setup...", 0};
        c.EditCopy = {"&Copy to Clipboard   ", rt::ShortcutCtrl('C')};
        c.OptionsClipboard = {"&Double Click = Copy Character", rt::ShortcutF(3)};
        c.OptionsAlwaysOnTop = {"&Always On Top", rt::ShortcutF(5)};
        c.OptionsFont = {"Change Fo&nt", rt::ShortcutF(6)};
        c.OptionsForeColor = {"Change Font &Color", rt::ShortcutF(7)};
        c.OptionsBackColor = {"Change &Background Color", rt::ShortcutF(8)};
        c.HelpHelp = {"Help", rt::ShortcutF(1)};
        c.HelpVBHelp = {"&Visual Basic Char Constants ", 0};
        c.HelpAbout = {"&About Glyphdeck", 0};
        c.ClipboardChecked = true;
        c.TipBoth = "Double-Click to copy character to clipboard and display it's info";
        c.TipShowOnly = "Double-Click to display character and it's info";
        c.TipCopyOnly = "Double-Click to copy character to clipboard";
        c.ProgressMargin = 4115;
        c.ShowHelp = [] { frmHelp::Get().Show(rt::vbModal); };
        c.ShowReference = [] { frmVBConsts::Get().Show(rt::vbModal); };
        return c;
    }();
    return config;
}

const char* const kSection = "Settings";

std::string Setting(const std::string& key, const std::string& defaultValue) {
    return rt::GetSetting(rt::App().Title, kSection, key, defaultValue);
}

// A stored whole number (twips, a colour), the current value when none is kept.
long StoredNumber(const std::string& key, long current) {
    return rt::CLng(rt::SettingValue(Setting(key, rt::CStr(current))));
}

void Store(const std::string& key, const std::string& value) {
    rt::Try([&] { rt::SaveSetting(rt::App().Title, kSection, key, value); });
}

// A statement of the chart fill: errors 0 and 20 go on with the next statement,
// every other error goes to the fill's handler.
template <class F> void Resuming(F&& statement) {
    try {
        statement();
    } catch (const rt::Error& e) {
        if (e.Number != 0 && e.Number != 20) throw;
        rt::Err().Set(e);
    }
}

// A stored option: a value that is no Boolean keeps the option as designed.
bool StoredOption(const std::string& key, bool designed) {
    bool value = designed;
    if (!rt::Try([&] { value = rt::CBool(Setting(key, rt::BoolText(designed))); })) {
        rt::Err().Clear();
        value = designed;
    }
    return value;
}

} // namespace

frmMain::frmMain() : kit::ListViewer(Config(), mnuOptionsShowChar) {
    Caption("  Glyphdeck");
    Width(8790);
    Height(7020);

    lblEquals.Move(175, 130, 2400, 195);
    lblEquals.AutoSize(true);
    lblEquals.Font(rt::Font{"MS Sans Serif", 8.25, true});
    lblEquals.ForeColor(0x00800000);
    lblEquals.Caption("Chr(#)  =  ASCII Character");

    lblCol.Move(2730, 130, 735, 195);
    lblCol.ForeColor(0x00800000);
    lblCol.Caption("Columns:");

    txtDisplayColumns.Move(3465, 85, 330, 285);
    txtDisplayColumns.MaxLength(1);
    txtDisplayColumns.Text("6");
    txtDisplayColumns.Change = [this] { txtDisplayColumns_Change(); };

    Progress.Move(3885, 85, 4740, 285);
    Progress.Visible(true);

    Display.Move(105, 420, 8532, 6300);
    Display.BackColor(0x00FFFFFF);
    Display.ForeColor(0x00000000);
    Display.Columns(6);
    Display.Font(rt::Font{"Arial", 9.75});
    Display.ToolTipText("Double-Click to copy character to clipboard");
    Display.DblClick = [this] { Display_DblClick(); };

    mnuFileASCII.Click = [this] { mnuFileASCII_Click(); };
    mnuFileHEX.Click = [this] { mnuFileHEX_Click(); };
    mnuFileOCT.Click = [this] { mnuFileOCT_Click(); };
    mnuFileConvertASCII.Click = [this] { mnuFileConvertASCII_Click(); };
    mnuFileConvertHEX.Click = [this] { mnuFileConvertHEX_Click(); };
    mnuFileConvertOCT.Click = [this] { mnuFileConvertOCT_Click(); };
    mnuFileExit.Click = [this] { mnuFileExit_Click(); };
    mnuOptionsNonVis.Click = [this] { mnuOptionsNonVis_Click(); };
    mnuOptionsShowChar.Click = [this] { mnuOptionsShowChar_Click(); };
    mnuPopCopy.Click = [this] { mnuPopCopy_Click(); };
    mnuPopShowInfo.Click = [this] { mnuPopShowInfo_Click(); };

    mnuFile.Add({&mnuFileASCII, &mnuFileHEX, &mnuFileOCT, &mnuFileBlank1, &mnuFileConvertASCII,
                 &mnuFileConvertHEX, &mnuFileConvertOCT, &mnuFileBlank2, &mnuFilePrint,
                 &mnuFilePrintSetup, &mnuFileBlank3, &mnuFileExit});
    mnuEdit.Add({&mnuEditCopy});
    mnuOptions.Add({&mnuOptionsNonVis, &mnuOptionsClipboard, &mnuOptionsShowChar,
                    &mnuOptionsBlank1, &mnuOptionsAlwaysOnTop, &mnuOptionsBlank2, &mnuOptionsFont,
                    &mnuOptionsForeColor, &mnuOptionsBackColor});
    mnuHelp.Add({&mnuHelpHelp, &mnuHelpVBHelp, &mnuHelpBlank1, &mnuHelpAbout});
    if (mnuPop.Items().empty()) mnuPop.Add({&mnuPopCopy, &mnuPopBlank1, &mnuPopShowInfo});
    mnuPop.Visible(false);
    Menus({&mnuFile, &mnuEdit, &mnuOptions, &mnuHelp, &mnuPop});
}

// ---- The chart -----------------------------------------------------------------

void frmMain::FillDisplay(int Mode) {
    try {
        if (Mode == ModeASCII) {
            Resuming([&] { mnuOptionsNonVis.Enabled(true); });
            Resuming([&] { mnuFileASCII.Checked(true); });
            Resuming([&] { mnuFileHEX.Checked(false); });
            Resuming([&] { mnuFileOCT.Checked(false); });
            Resuming([&] { Display.Clear(); });
            Resuming([&] { Display.Refresh(); });
            Resuming([&] { lblEquals.Caption(ModeHeading(ModeASCII)); });
            for (int code = 0; code <= 255; ++code)
                Resuming([&] { Display.AddItem(AsciiEntry(code, mnuOptionsNonVis.Checked())); });
        } else {
            const std::string answer =
                rt::InputBox("\r Enter number range :\r\r Numbers start from zero",
                             "  Enter Display Range - Starts At Zero", "1000");
            if (answer.empty()) return;
            if (!ValidRangeAnswer(answer)) {
                rt::MsgBox("Entry must be a positive numerical value less than, or equal to 32,500.",
                           rt::vbExclamation, "  Invalid Entry");
                return;
            }
            Resuming([&] { mnuOptionsNonVis.Enabled(false); });
            Resuming([&] { mnuFileASCII.Checked(false); });
            Resuming([&] { mnuFileHEX.Checked(Mode == ModeHEX); });
            Resuming([&] { mnuFileOCT.Checked(Mode != ModeHEX); });
            Resuming([&] { Display.Clear(); });
            Resuming([&] { Display.Refresh(); });
            Resuming([&] { lblEquals.Caption(ModeHeading(Mode == ModeHEX ? ModeHEX : ModeOCT)); });
            Resuming([&] { Progress.Visible(true); });
            const int16_t N = rt::CInt(answer);
            const int width = static_cast<int>(answer.size());
            for (long i = 0; i <= N; ++i) {
                Resuming([&] { Display.AddItem(NumberEntry(i, width, Mode == ModeHEX ? ModeHEX : ModeOCT)); });
                Resuming([&] {
                    kit::DrawProgress(&Progress, 0, N, i, false, 0xFFFFFF, 0xFF0000, 0x8000000F, 2, true);
                });
            }
        }
        ClosingSteps();
    } catch (const rt::Error& e) {
        const std::string source = e.Source.empty() ? rt::App().Title : e.Source;
        rt::MsgBox(source + " encountered the following error while trying to setup the display:\r\r"
                       "Error Number = " + rt::CStr(e.Number) + "\rError Discription = " + e.Description,
                   rt::vbExclamation, "  Error  -  " + e.Description);
        // The list keeps what was added; the window is put back in order even
        // when a closing step fails again.
        rt::Try([&] { Display.Refresh(); });
        rt::Try([&] { Progress.Visible(false); });
        rt::Try([&] { MoveSelectionDown(); });
        rt::Err().Clear();
    }
}

void frmMain::ClosingSteps() {
    Resuming([&] { Display.Refresh(); });
    Resuming([&] { Progress.Visible(false); });
    Resuming([&] { MoveSelectionDown(); });
}

std::string frmMain::GetPrintText() {
    if (Display.ListCount() == 0) {
        rt::MsgBox("There is currently nothing displayed to print.", rt::vbExclamation,
                   "  Nothing To Print");
        return {};
    }
    std::vector<std::string> entries;
    const int count = Display.ListCount();
    entries.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) rt::Try([&] { entries.push_back(Display.List(i)); });
    return ChartPrintText(entries, txtDisplayColumns.Text());
}

// ---- Start-up and shut-down ----------------------------------------------------

void frmMain::Form_Load() {
    LastColumns = 6;
    rt::Try([&] { Height(StoredNumber("Height", Height())); });
    rt::Try([&] { Width(StoredNumber("Width", Width())); });
    rt::Try([&] { Left(StoredNumber("Left", (rt::Screen::Width() - Width()) / 2)); });
    rt::Try([&] { Top(StoredNumber("Top", (rt::Screen::Height() - Height()) / 2)); });
    // A place kept on another screen, or spoiled, opens on this one.
    rt::Try([&] { PlaceOnScreen(); });
    rt::Try([&] { Display.ForeColor(StoredNumber("ForeColor", Display.ForeColor())); });
    rt::Try([&] { Display.BackColor(StoredNumber("BackColor", Display.BackColor())); });
    auto font = [&](auto&& change) {
        rt::Try([&] {
            rt::Font f = Display.Font();
            change(f);
            Display.Font(f);
        });
    };
    font([](rt::Font& f) { f.Bold = rt::CBool(Setting("FontBold", rt::BoolText(f.Bold))); });
    font([](rt::Font& f) { f.Italic = rt::CBool(Setting("FontItalic", rt::BoolText(f.Italic))); });
    font([](rt::Font& f) { f.Name = Setting("FontName", f.Name); });
    font([](rt::Font& f) {
        f.Size = rt::CLng(rt::KeptFontSize(Setting("FontSize", rt::SettingNumber(f.Size))));
    });
    font([](rt::Font& f) {
        f.Strikethru = rt::CBool(Setting("FontStrikethru", rt::BoolText(f.Strikethru)));
    });
    font([](rt::Font& f) {
        f.Underline = rt::CBool(Setting("FontUnderline", rt::BoolText(f.Underline)));
    });
    rt::Try([&] { txtDisplayColumns.Text(Setting("Columns", "6")); });

    rt::Try([&] { Show(); });
    // The list is first in the window's tab order, so it has the focus.
    rt::Try([&] { Display.SetFocus(); });

    // The chart is filled once, with the stored filter state.
    if (StoredOption("FilterNonVisible", true))
        rt::Try([&] { FillDisplay(ModeASCII); });
    else
        rt::Try([&] { mnuOptionsNonVis_Click(); });
    if (!StoredOption("CopyClipboard", true)) rt::Try([&] { mnuOptionsClipboard_Click(); });
    if (StoredOption("ShowInfo", false)) rt::Try([&] { mnuOptionsShowChar_Click(); });
}

void frmMain::Form_Unload(int& Cancel) {
    (void)Cancel;
    // Closed maximised or minimised, the window starts again where it stood
    // before.
    const rt::FormPlace place = RestoredPlace();
    Store("Height", rt::CStr(place.Height));
    Store("Width", rt::CStr(place.Width));
    Store("Left", rt::CStr(place.Left));
    Store("Top", rt::CStr(place.Top));
    Store("ForeColor", rt::CStr(Display.ForeColor()));
    Store("BackColor", rt::CStr(Display.BackColor()));
    const rt::Font& f = Display.Font();
    Store("FontBold", rt::BoolText(f.Bold));
    Store("FontItalic", rt::BoolText(f.Italic));
    Store("FontName", f.Name);
    Store("FontSize", rt::SettingNumber(f.Size));
    Store("FontStrikethru", rt::BoolText(f.Strikethru));
    Store("FontUnderline", rt::BoolText(f.Underline));
    Store("Columns", txtDisplayColumns.Text());
    Store("FilterNonVisible", rt::BoolText(mnuOptionsNonVis.Checked()));
    Store("CopyClipboard", rt::BoolText(mnuOptionsClipboard.Checked()));
    Store("ShowInfo", rt::BoolText(mnuOptionsShowChar.Checked()));

    const std::vector<rt::Form*> loaded = rt::Forms();
    for (rt::Form* form : loaded)
        if (form != this) rt::Try([&] { form->Unload(); });
}

// ---- Commands ------------------------------------------------------------------

void frmMain::mnuFileASCII_Click() { FillDisplay(ModeASCII); }
void frmMain::mnuFileHEX_Click() { FillDisplay(ModeHEX); }
void frmMain::mnuFileOCT_Click() { FillDisplay(ModeOCT); }
void frmMain::mnuFileExit_Click() { Unload(); }

void frmMain::mnuOptionsNonVis_Click() {
    mnuOptionsNonVis.Checked(!mnuOptionsNonVis.Checked());
    FillDisplay(ModeASCII);
}

void frmMain::mnuOptionsShowChar_Click() { ShowInfoToggle_Click(); }

void frmMain::txtDisplayColumns_Change() {
    const std::string text = txtDisplayColumns.Text();
    if (text.empty()) return;
    if (!rt::IsNumeric(text) || text == "0") {
        rt::Try([&] { txtDisplayColumns.Text(rt::CStr(static_cast<long>(LastColumns))); });
        rt::MsgBox("You can only specify a numeric value between 1 and 9 here.", rt::vbExclamation,
                   "  Invalid Entry");
        return;
    }
    rt::Try([&] { LastColumns = rt::CInt(text); });
    rt::Try([&] { Display.Columns(LastColumns); });
}

// ---- Handing a character on ----------------------------------------------------

void frmMain::CopyEntryValue() {
    rt::Try([] { rt::Clipboard::Clear(); });
    rt::Try([&] { rt::Clipboard::SetText(GetEntryChar(Display.Text())); });
}

void frmMain::ShowEntryValue() {
    frmText& info = frmText::Get();
    info.Load();
    info.txtText.Text(GetEntryChar(Display.Text()));
    info.Show(rt::vbModal);
}

void frmMain::Display_DblClick() {
    const bool copy = mnuOptionsClipboard.Checked();
    const bool show = mnuOptionsShowChar.Checked();
    if (copy) CopyEntryValue();
    if (show) rt::Try([&] { ShowEntryValue(); });
    if (!copy && !show) rt::DoEvents();
    rt::Try([&] { Form_Resize(); });
}

void frmMain::mnuPopCopy_Click() { CopyEntryValue(); }

void frmMain::mnuPopShowInfo_Click() { ShowEntryValue(); }

// ---- Conversions ---------------------------------------------------------------

void frmMain::ConvertCommand(const std::string& prompt, const std::string& title,
                             Conversion kind) {
    const std::string text = rt::InputBox(prompt, title, "");
    if (text.empty()) return;
    const int16_t perLine = CharsPerLineAnswer(rt::InputBox(
        "Enter the number of characters to display per line:", "  Enter Characters Per Line", "10"));
    frmDisplay& window = frmDisplay::Get();
    window.Load();
    window.SetDisplayText(text, perLine, kind == Conversion::ASCII, kind == Conversion::HEX,
                          kind == Conversion::OCT);
    // On Cancel at its question the window has closed itself.
    if (frmDisplay::Exists() && window.Loaded()) window.Show(rt::vbModal);
}

void frmMain::mnuFileConvertASCII_Click() {
    ConvertCommand("Enter the characters or value you wish to convert to ASCII values:",
                   "  Convert To ASCII", Conversion::ASCII);
}

void frmMain::mnuFileConvertHEX_Click() {
    ConvertCommand("Enter the characters or value you wish to convert to HEX values:",
                   "  Convert To HEX", Conversion::HEX);
}

void frmMain::mnuFileConvertOCT_Click() {
    ConvertCommand("Enter the characters or value you wish to convert to Octal values:",
                   "  Convert To OCT", Conversion::OCT);
}

} // namespace glyphdeck
