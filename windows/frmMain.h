// Paneherd's main window: choosing a window of the desktop (by pointing at it,
// by its class or by its title), following its position and size, and the GO
// button that changes its state and acts on it.
#pragma once

#include <windows.h>

#include <string>

#include <rt/forms.h>

#include "targetwindow.h"

namespace paneherd {

class frmMain : public rt::Form, public rt::FormOf<frmMain> {
  public:
    frmMain();

    // Made in tab order: what is made first also stands in front.
    rt::Label Label3{*this};
    rt::ComboBox txtClassName1{*this}; // sorted; lies over txtClassName
    rt::ComboBox txtClassName{*this};  // in the order the desktop lists its windows
    rt::CheckBox chkSort{*this};
    rt::CommandButton cmdRefreshClassList{*this};
    rt::Label Label5{*this};
    rt::Label Label4{*this};
    rt::TextBox txtTitlebar{*this};
    rt::CommandButton cmdFindWindow{*this};
    rt::Label Label8{*this};
    rt::TextBox txtHandle{*this};
    rt::Label Label9{*this};
    rt::TextBox txtClass{*this};
    rt::Line Line1{*this, 105, 1680, 7245, 1680};
    rt::Line Line2{*this, 105, 1695, 7245, 1695};
    rt::Label Label1{*this};
    rt::TextBox txtX{*this};
    rt::Label Label2{*this};
    rt::TextBox txtY{*this};
    rt::Label Label6{*this};
    rt::TextBox txtWidth{*this};
    rt::Label Label7{*this};
    rt::TextBox txtHeight{*this};
    rt::Frame Frame1{*this};
    rt::OptionButton optVisible{Frame1};
    rt::OptionButton optInvisible{Frame1};
    rt::OptionButton optTopMost{Frame1};
    rt::OptionButton optNotTopMost{Frame1};
    rt::OptionButton optMove{Frame1};
    rt::OptionButton optClose{Frame1};
    rt::Frame Frame2{*this};
    rt::OptionButton optNormal{Frame2};
    rt::OptionButton optMaximized{Frame2};
    rt::OptionButton optMinimized{Frame2};
    rt::Line Line3{*this, 105, 4620, 7245, 4620};
    rt::Line Line4{*this, 105, 4635, 7245, 4635};
    rt::CommandButton cmdOK{*this};
    rt::CommandButton cmdClose{*this};
    rt::Timer Timer1{*this};

    // The target: 0 for none.
    HWND TargetWindow = nullptr;
    // Its rectangle as text, for the timer.
    std::string CurX, CurY, CurWidth, CurHeight;
    // The program itself is writing the fields: their change handlers return at once.
    bool IsUpdating = false;
    // The user has edited a position field: the timer leaves the four alone.
    bool HoldPosition = false;

    void cmdClose_Click();
    void cmdFindWindow_Click();
    void cmdRefreshClassList_Click();
    void chkSort_Click();
    void txtClassName_Change();
    void txtClassName_Click();
    void txtClassName1_Change();
    void txtClassName1_Click();
    void txtTitlebar_Change();
    void txtClass_Change();
    void Timer1_Timer();
    void txtX_Change();
    void txtY_Change();
    void txtWidth_Change();
    void txtHeight_Change();
    void cmdOK_Click();

  protected:
    void Form_Load() override;

  private:
    void SelectTarget(HWND window);
    // The window's class into the handle and class fields, and its title into
    // the title field when asked.
    void FillWindowInfo(bool withTitle);
    void GetWindowRectText(std::string& X, std::string& Y, std::string& Width, std::string& Height);
    void ClassTyped(rt::ComboBox& combo);
    void PositionEdited(rt::TextBox& field, bool minusAllowed);
    // Writes a text the program shows, leaving the combo the user types into alone.
    void ShowClassIn(rt::ComboBox& combo, const std::string& text);
    bool RefuseMissingField();
    void ApplyState(HWND h);
    void ApplyAction(HWND h);
    void ForgetTarget();

    // The target with the thread that owned it when it was chosen.
    Target Chosen() const { return {TargetWindow, targetThread_}; }

    DWORD targetThread_ = 0;
    rt::ComboBox* typingIn_ = nullptr; // the class combo a lookup runs for
};

} // namespace paneherd
