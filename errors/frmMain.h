// Faultbook's main window: the list of the runtime's error numbers with their
// messages, the commands that hand one message on, and Raise / Cause Error.
#pragma once

#include <cstdint>
#include <string>

#include <kit/listviewer.h>
#include <rt.h>

namespace faultbook {

class frmMain : public kit::ListViewer, public rt::FormOf<frmMain> {
  public:
    frmMain();

    rt::Label lblEquals{*this};
    rt::Line Line1{*this, -15, 0, 65000, 0};
    rt::Line Line2{*this, -15, 15, 65000, 15};

    rt::MenuItem mnuFile{"&File"};
    rt::MenuItem mnuFileList{"&List Errors", rt::ShortcutCtrl('L')};
    rt::MenuItem mnuFileClear{"Cl&ear List"};
    rt::MenuItem mnuFileBlank1{"-"};
    rt::MenuItem mnuFileRaiseError{"&Raise Error"};
    rt::MenuItem mnuFileCauseError{"C&ause Error"};
    rt::MenuItem mnuFileBlank2{"-"};
    rt::MenuItem mnuFileBlank3{"-"};
    rt::MenuItem mnuFileExit{"E&xit     ", rt::ShortcutCtrl('X')};
    rt::MenuItem mnuEdit{"&Edit"};
    rt::MenuItem mnuOptions{"&Options"};
    rt::MenuItem mnuOptionsShowErr{"D&ouble Click = Show Error Info    ", rt::ShortcutF(3), true};
    rt::MenuItem mnuOptionsBlank1{"-"};
    rt::MenuItem mnuOptionsBlank2{"-"};
    rt::MenuItem mnuHelp{"&Help"};
    rt::MenuItem mnuHelpBlank1{"-"};

    // The list viewer's side of the contract.
    std::string GetPrintText() override;
    void mnuPopCopy_Click() override;

    void mnuFileList_Click();
    void mnuFileClear_Click();
    void mnuFileExit_Click();
    void mnuFileRaiseError_Click();
    void mnuFileCauseError_Click();
    void mnuOptionsShowErr_Click();
    void Display_DblClick();
    void mnuPopShowInfo_Click();

  protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

  private:
    void FillErrorList();
};

// The line of the list for error number n: n padded with zeros to `digits`
// digits (more when n needs them), " = ", the message.
std::string ErrorLine(long n, std::size_t digits, const std::string& message);

// The error number a list line starts with: its text up to and including the
// first blank, as a 16-bit whole number. Raises type mismatch (13) when the line
// has no leading number, as the runtime's conversion does.
int16_t LineNumber(const std::string& line);

} // namespace faultbook
