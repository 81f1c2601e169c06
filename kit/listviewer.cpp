// The commands that Glyphdeck's and Faultbook's main windows share: pop-up
// menu, layout, copy, print (to the printer or to a text file), print setup,
// always on top, the list's colours and font, the Help menu and the two
// double-click options.
#include <algorithm>

#include <kit/about.h>
#include <kit/kit.h>
#include <kit/listviewer.h>

namespace kit {

namespace {

const char kCR[] = "\r";

// A runtime error from the printer or its dialog, told to the user rather
// than passed over.
void ShowPrintError(const rt::Error& e) {
    rt::MsgBox(std::string("The following error was encountered while trying to print:") + kCR +
                   kCR + "Error Number = " + rt::CStr(e.Number) + kCR +
                   "Error Description = " + e.Description,
               rt::vbExclamation, "  Error  -  " + e.Description);
}

// Shows the printer dialog; false when the user cancelled or it failed (the
// failure has then been shown).
bool ShowPrinterDialog(rt::CommonDialog& dialog) {
    try {
        dialog.ShowPrinter();
        return true;
    } catch (const rt::Error& e) {
        if (e.Number != rt::errCancel) ShowPrintError(e);
        return false;
    }
}

} // namespace

ListViewer::ListViewer(const ListViewerConfig& config, rt::MenuItem& showInfo)
    : mnuFilePrint(config.FilePrint.Caption, config.FilePrint.Shortcut),
      mnuFilePrintSetup(config.FilePrintSetup.Caption, config.FilePrintSetup.Shortcut),
      mnuEditCopy(config.EditCopy.Caption, config.EditCopy.Shortcut),
      mnuOptionsClipboard(config.OptionsClipboard.Caption, config.OptionsClipboard.Shortcut,
                          config.ClipboardChecked),
      mnuOptionsAlwaysOnTop(config.OptionsAlwaysOnTop.Caption,
                            config.OptionsAlwaysOnTop.Shortcut),
      mnuOptionsFont(config.OptionsFont.Caption, config.OptionsFont.Shortcut),
      mnuOptionsForeColor(config.OptionsForeColor.Caption, config.OptionsForeColor.Shortcut),
      mnuOptionsBackColor(config.OptionsBackColor.Caption, config.OptionsBackColor.Shortcut),
      mnuHelpHelp(config.HelpHelp.Caption, config.HelpHelp.Shortcut),
      mnuHelpVBHelp(config.HelpVBHelp.Caption, config.HelpVBHelp.Shortcut),
      mnuHelpAbout(config.HelpAbout.Caption, config.HelpAbout.Shortcut), config_(config),
      showInfo_(showInfo) {
    CD1.Owner = this;

    mnuFilePrint.Click = [this] { mnuFilePrint_Click(); };
    mnuFilePrintSetup.Click = [this] { mnuFilePrintSetup_Click(); };
    mnuEditCopy.Click = [this] { mnuEditCopy_Click(); };
    mnuOptionsClipboard.Click = [this] { mnuOptionsClipboard_Click(); };
    mnuOptionsAlwaysOnTop.Click = [this] { mnuOptionsAlwaysOnTop_Click(); };
    mnuOptionsFont.Click = [this] { mnuOptionsFont_Click(); };
    mnuOptionsForeColor.Click = [this] { mnuOptionsForeColor_Click(); };
    mnuOptionsBackColor.Click = [this] { mnuOptionsBackColor_Click(); };
    mnuHelpHelp.Click = [this] { mnuHelpHelp_Click(); };
    mnuHelpVBHelp.Click = [this] { mnuHelpVBHelp_Click(); };
    mnuHelpAbout.Click = [this] { mnuHelpAbout_Click(); };

    mnuPop.Add({&mnuPopCopy, &mnuPopBlank1, &mnuPopShowInfo});
    mnuPop.Visible(false);

    Display.MouseDown = [this](int Button, int Shift, float X, float Y) {
        Display_MouseDown(Button, Shift, X, Y);
    };
    Display.ContextMenuKey = [this] { Display_ContextMenuKey(); };
}

void ListViewer::Display_MouseDown(int Button, int Shift, float X, float Y) {
    (void)Shift, (void)X, (void)Y;
    if (Button == rt::vbRightButton) PopupMenu(mnuPop);
}

void ListViewer::Display_ContextMenuKey() {
    // Under the selected line where it is in view, else at the list's corner.
    rt::Try([&] {
        RECT list{}, line{};
        GetClientRect(Display.hWnd(), &list);
        POINT at{0, 0};
        const int index = Display.ListIndex();
        if (index >= 0 &&
            SendMessageW(Display.hWnd(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&line)) != LB_ERR &&
            line.bottom > 0 && line.bottom <= list.bottom)
            at = {line.left, line.bottom};
        MapWindowPoints(Display.hWnd(), hWnd(), &at, 1);
        PopupMenu(mnuPop, static_cast<float>(at.x * rt::Screen::TwipsPerPixelX()),
                  static_cast<float>(at.y * rt::Screen::TwipsPerPixelY()));
    });
}

void ListViewer::Form_Resize() {
    rt::Try([&] { Display.Height(Height() - 1050); });
    rt::Try([&] { Display.Width(Width() - 330); });
    rt::Try([&] { Progress.Width(Width() - config_.ProgressMargin); });
}

void ListViewer::mnuEditCopy_Click() { mnuPopCopy_Click(); }

void ListViewer::MoveSelectionDown() {
    if (hWnd() && GetForegroundWindow() == hWnd()) {
        rt::SendKeys("{DOWN}");
        return;
    }
    if (Display.ListCount() > 0)
        Display.ListIndex(std::min(Display.ListIndex() + 1, Display.ListCount() - 1));
}

void ListViewer::mnuFilePrint_Click() {
    using rt::Try;
    rt::PrinterObject& printer = rt::Printer();
    Try([&] { CD1.CancelError = true; });
    Try([&] { CD1.Copies = printer.Copies; });
    Try([&] { CD1.Orientation = printer.Orientation; });
    Try([&] { CD1.Flags = rt::cdlPDNoSelection | rt::cdlPDNoPageNums; });
    if (!ShowPrinterDialog(CD1)) return;

    Try([&] { printer.TextFont = Display.Font(); });
    Try([&] { printer.Copies = CD1.Copies; });
    Try([&] { printer.Orientation = CD1.Orientation; });

    if ((CD1.Flags & rt::cdlPDPrintToFile) == 0) {
        std::string text;
        Try([&] { text = GetPrintText(); });
        if (text.empty()) return;
        Try([&] { printer.Print(text); });
        try {
            printer.EndDoc();
        } catch (const rt::Error& e) {
            // No printer, or the job failed: the user is told, not left guessing.
            ShowPrintError(e);
        }
        return;
    }

    // Print to a text file the user names.
    Try([&] { rt::CloseAll(); });
    Try([&] { CD1.CancelError = true; });
    Try([&] { CD1.DefaultExt = "txt"; });
    Try([&] { CD1.DialogTitle = "  Locate File To Print To"; });
    Try([&] { CD1.FileName.clear(); });
    Try([&] { CD1.Filter = "All Text Files  ( *.txt )|*.txt|All Files  ( *.* )|*.*"; });
    Try([&] { CD1.Flags = rt::cdlOFNHideReadOnly; });
    Try([&] { CD1.InitDir = rt::CurDir(); });
    try {
        CD1.ShowSave();
    } catch (const rt::Error&) {
        return; // cancel leaves
    }
    const std::string file = CD1.FileName;

    bool exists = false;
    Try([&] { exists = rt::FileExists(file); });
    if (exists) {
        int answer = rt::vbNo;
        Try([&] {
            answer = rt::MsgBox(file + kCR + "This File Already Exists." + kCR + kCR +
                                    "Replace Existing File?",
                                rt::vbYesNo + rt::vbExclamation, "  Confirm Overwrite File");
        });
        if (answer != rt::vbYes) return;
        try {
            rt::Kill(file);
        } catch (const rt::Error& e) {
            Try([&] {
                rt::MsgBox(file + kCR + "An error occured while trying to delete the above file:" +
                               kCR + kCR + "Error Number = " + rt::CStr(e.Number) + kCR +
                               "Error Description = " + e.Description,
                           rt::vbExclamation, "  Error  -  " + e.Description);
            });
            rt::Err().Clear();
            return;
        }
    }

    std::string text;
    Try([&] { text = GetPrintText(); });
    if (text.empty()) return;
    try {
        rt::ReplaceFileText(file, text + "\r\n");
    } catch (const rt::Error& e) {
        // A folder that refuses the file, a full disk: told like a failed print
        // job, and no half-written file is left behind.
        ShowPrintError(e);
    }
}

void ListViewer::mnuFilePrintSetup_Click() {
    using rt::Try;
    rt::PrinterObject& printer = rt::Printer();
    Try([&] { CD1.CancelError = true; });
    Try([&] { CD1.Copies = printer.Copies; });
    Try([&] { CD1.Orientation = printer.Orientation; });
    Try([&] { CD1.Flags = rt::cdlPDPrintSetup; });
    if (!ShowPrinterDialog(CD1)) return;
    Try([&] { printer.Copies = CD1.Copies; });
    Try([&] { printer.Orientation = CD1.Orientation; });
}

void ListViewer::mnuOptionsAlwaysOnTop_Click() {
    mnuOptionsAlwaysOnTop.Checked(!mnuOptionsAlwaysOnTop.Checked());
    SetAlwaysOnTop(hWnd(), mnuOptionsAlwaysOnTop.Checked() ? vbTrue : vbFalse);
}

// The colour dialog, starting from the given colour; false on Cancel or any
// other failure, which leaves the colour as it was.
bool ListViewer::PickColor(long& color) {
    try {
        CD1.CancelError = true;
        CD1.Color = color;
        CD1.Flags = rt::cdlCCRGBInit | rt::cdlCCFullOpen;
        CD1.ShowColor();
        color = CD1.Color;
        return true;
    } catch (const rt::Error&) {
        return false;
    }
}

void ListViewer::mnuOptionsBackColor_Click() {
    long color = Display.BackColor();
    if (PickColor(color)) Display.BackColor(color);
}

void ListViewer::mnuOptionsForeColor_Click() {
    long color = Display.ForeColor();
    if (PickColor(color)) Display.ForeColor(color);
}

void ListViewer::mnuOptionsFont_Click() {
    try {
        CD1.CancelError = true;
        CD1.Color = Display.ForeColor();
        CD1.SetFont(Display.Font());
        CD1.Flags = rt::cdlCFScreenFonts | rt::cdlCFPrinterFonts | rt::cdlCFEffects;
        CD1.ShowFont();

        Display.ForeColor(CD1.Color);
        // One property after the other, as the user chose them.
        auto set = [&](auto change) {
            rt::Font f = Display.Font();
            change(f);
            Display.Font(f);
        };
        set([&](rt::Font& f) { f.Bold = CD1.FontBold; });
        set([&](rt::Font& f) { f.Italic = CD1.FontItalic; });
        set([&](rt::Font& f) { f.Name = CD1.FontName; });
        set([&](rt::Font& f) { f.Size = CD1.FontSize; });
        set([&](rt::Font& f) { f.Strikethru = CD1.FontStrikethru; });
        set([&](rt::Font& f) { f.Underline = CD1.FontUnderline; });
        Form_Resize();
    } catch (const rt::Error&) {
        // Cancel or any other failure leaves the list as it is.
    }
}

void ListViewer::mnuHelpAbout_Click() { frmAbout::Get().Show(rt::vbModal); }

void ListViewer::mnuHelpHelp_Click() {
    if (config_.ShowHelp) config_.ShowHelp();
}

void ListViewer::mnuHelpVBHelp_Click() {
    if (config_.ShowReference) config_.ShowReference();
}

void ListViewer::mnuOptionsClipboard_Click() {
    mnuOptionsClipboard.Checked(!mnuOptionsClipboard.Checked());
    SetToolTip();
}

void ListViewer::ShowInfoToggle_Click() {
    showInfo_.Checked(!showInfo_.Checked());
    SetToolTip();
}

void ListViewer::SetToolTip() {
    const bool copy = mnuOptionsClipboard.Checked();
    const bool show = showInfo_.Checked();
    if (copy && show)
        Display.ToolTipText(config_.TipBoth);
    else if (show)
        Display.ToolTipText(config_.TipShowOnly);
    else if (copy)
        Display.ToolTipText(config_.TipCopyOnly);
    else
        Display.ToolTipText("");
}

} // namespace kit
