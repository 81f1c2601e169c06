// The common dialog object: colour, font, printer, print setup, open and save
// dialogs over comdlg32. With CancelError set, Cancel raises error 32755.
#pragma once

#include <string>

#include "font.h"
#include "interaction.h"

namespace rt {

class Form;

// Flag values the programs use.
enum CommonDialogFlags : long {
    cdlCCRGBInit = 0x1, cdlCCFullOpen = 0x2,                 // colour
    cdlCFScreenFonts = 0x1, cdlCFPrinterFonts = 0x2, cdlCFEffects = 0x100, // font
    cdlPDNoSelection = 0x4, cdlPDNoPageNums = 0x8, cdlPDPrintToFile = 0x20,
    cdlPDPrintSetup = 0x40,                                    // printer
    cdlOFNReadOnly = 0x1, cdlOFNOverwritePrompt = 0x2, cdlOFNHideReadOnly = 0x4,
    cdlOFNFileMustExist = 0x1000, cdlOFNPathMustExist = 0x800, // file
};

class CommonDialog {
  public:
    bool CancelError = false;
    long Flags = 0;
    // Colour dialog.
    long Color = 0;
    // Font dialog.
    std::string FontName;
    double FontSize = 0;
    bool FontBold = false, FontItalic = false, FontUnderline = false, FontStrikethru = false;
    // The font fields as one font: set before ShowFont, read after it.
    void SetFont(const Font& f) {
        FontName = f.Name;
        FontSize = f.Size;
        FontBold = f.Bold;
        FontItalic = f.Italic;
        FontUnderline = f.Underline;
        FontStrikethru = f.Strikethru;
    }
    Font ChosenFont() const {
        return Font{FontName, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru};
    }
    // Printer dialog.
    int Copies = 1;
    int Orientation = 1; // 1 portrait, 2 landscape
    // File dialogs.
    std::string DefaultExt, DialogTitle, FileName, FileTitle, Filter, InitDir;
    int FilterIndex = 1;
    // Owner window of the dialog (0: the active form).
    Form* Owner = nullptr;

    void ShowColor() { Show(DialogKind::Color); }
    void ShowFont() { Show(DialogKind::Font); }
    void ShowPrinter() { Show(DialogKind::Printer); }
    void ShowOpen() { Show(DialogKind::Open); }
    void ShowSave() { Show(DialogKind::Save); }

  private:
    void Show(DialogKind kind);
};

} // namespace rt
