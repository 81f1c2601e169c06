// Glyphdeck's main window: the character chart in a multi-column list, with the
// chart, conversion, print and option commands.
#pragma once

#include <cstdint>
#include <string>

#include <kit/listviewer.h>
#include <rt.h>

#include "chart.h"

namespace glyphdeck {

class frmMain : public kit::ListViewer, public rt::FormOf<frmMain> {
  public:
    frmMain();

    rt::Label lblEquals{*this};
    rt::Label lblCol{*this};
    rt::TextBox txtDisplayColumns{*this};

    // Menus of the window's own (the kit owns print, copy, the display options,
    // help and the pop-up's items).
    rt::MenuItem mnuFile{"&File"};
    rt::MenuItem mnuFileASCII{"Show &ASCII Equivalents", rt::ShortcutCtrl('A'), true};
    rt::MenuItem mnuFileHEX{"Show &HEX Equivalents", rt::ShortcutCtrl('H')};
    rt::MenuItem mnuFileOCT{"Show &Octal Equivalents    ", rt::ShortcutCtrl('O')};
    rt::MenuItem mnuFileBlank1{"-"};
    rt::MenuItem mnuFileConvertASCII{"Convert ASCII"};
    rt::MenuItem mnuFileConvertHEX{"Convert HEX"};
    rt::MenuItem mnuFileConvertOCT{"Convert Octal"};
    rt::MenuItem mnuFileBlank2{"-"};
    rt::MenuItem mnuFileBlank3{"-"};
    rt::MenuItem mnuFileExit{"E&xit     ", rt::ShortcutCtrl('X')};
    rt::MenuItem mnuEdit{"&Edit"};
    rt::MenuItem mnuOptions{"&Options"};
    rt::MenuItem mnuOptionsNonVis{"&Filter Non-Visible Characters", rt::ShortcutF(2), true};
    rt::MenuItem mnuOptionsShowChar{"D&ouble Click = Show Char Info    ", rt::ShortcutF(4)};
    rt::MenuItem mnuOptionsBlank1{"-"};
    rt::MenuItem mnuOptionsBlank2{"-"};
    rt::MenuItem mnuHelp{"&Help"};
    rt::MenuItem mnuHelpBlank1{"-"};

    // Fills the list with the ASCII chart (0) or a hexadecimal (1) or octal (2)
    // chart up to a bound the user types.
    void FillDisplay(int Mode);

    // The kit's side of the window.
    std::string GetPrintText() override;
    void mnuPopCopy_Click() override;

    void Display_DblClick();
    void mnuPopShowInfo_Click();
    void mnuFileASCII_Click();
    void mnuFileHEX_Click();
    void mnuFileOCT_Click();
    void mnuFileConvertASCII_Click();
    void mnuFileConvertHEX_Click();
    void mnuFileConvertOCT_Click();
    void mnuFileExit_Click();
    void mnuOptionsNonVis_Click();
    void mnuOptionsShowChar_Click();
    void txtDisplayColumns_Change();

    // The last column count the Columns box accepted.
    int16_t LastColumns = 6;

  protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

  private:
    void ClosingSteps();
    void CopyEntryValue();
    void ShowEntryValue();
    void ConvertCommand(const std::string& prompt, const std::string& title, Conversion kind);
};

} // namespace glyphdeck
