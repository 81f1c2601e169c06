// Tallyman's editor window: the Basic source in an edit box, its file,
// print and edit commands, the twelve-step undo, and the numbering commands.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <rt.h>

#include "numbering.h"
#include "undo.h"

namespace tallyman {

class frmMain : public rt::Form, public rt::FormOf<frmMain> {
  public:
    frmMain();

    rt::RichTextStandIn txtDisplay{*this}; // the editor
    rt::CommonDialog CD1;
    rt::Line Line1{*this, -15, 0, 65000, 0};
    rt::Line Line2{*this, -15, 15, 65000, 15};

    rt::MenuItem mnuFile{" &File"};
    rt::MenuItem mnuFileNew{"&New     ", rt::ShortcutCtrl('N')};
    rt::MenuItem mnuFileSave{"&Save", rt::ShortcutCtrl('S')};
    rt::MenuItem mnuFileSaveAs{"Save &As.."};
    rt::MenuItem mnuFileBlank{"-"};
    rt::MenuItem mnuFilePrint{"&Print", rt::ShortcutCtrl('P')};
    rt::MenuItem mnuFilePrintSetup{"Print Set&up.."};
    rt::MenuItem mnuFileBlank1{"-"};
    rt::MenuItem mnuFileExit{"&Exit", rt::ShortcutCtrl('E')};
    rt::MenuItem mnuEdit{" &Edit"};
    rt::MenuItem mnuEditUndo{"&Undo", rt::ShortcutCtrl('Z')};
    rt::MenuItem mnuEditBlank1{"-"};
    rt::MenuItem mnuEditCut{"Cu&t", rt::ShortcutCtrl('X')};
    rt::MenuItem mnuEditCopy{"&Copy", rt::ShortcutCtrl('C')};
    rt::MenuItem mnuEditCopyAll{"C&opy All     "};
    rt::MenuItem mnuEditPaste{"&Paste     ", rt::ShortcutCtrl('V')};
    rt::MenuItem mnuEditDelete{"&Delete", rt::kShortcutDel};
    rt::MenuItem mnuEditBlank{"-"};
    rt::MenuItem mnuEditSelectAll{"Select &All", rt::ShortcutCtrl('A')};
    rt::MenuItem mnuOptions{"&Options"};
    rt::MenuItem mnuOptionsFont{"Set Display &Font    "};
    rt::MenuItem mnuOptionsColor{"Set Display &Color"};
    rt::MenuItem mnuOptionsBlank{"-"};
    rt::MenuItem mnuOptionsAlwaysOnTop{"&Always On Top", 0, true};
    rt::MenuItem mnuTallyman{"&Tallyman"};
    rt::MenuItem mnuTallymanNum{"Number Lines", rt::ShortcutF(4)};
    rt::MenuItem mnuTallymanRemove{"Remove Line Numbers", rt::ShortcutF(5)};
    rt::MenuItem mnuTallymanBlank{"-"};
    rt::MenuItem mnuTallymanSample{"Sample Error Trap Code    "};
    rt::MenuItem mnuHelp{" &Help"};
    rt::MenuItem mnuHelpAbout{"&About     ", rt::ShortcutF(1)};

    // Numbering and removal of the editor's lines (each run one undo step).
    void NumberLines(int16_t intIncrement, int16_t intSpaces, bool SmartNumbering);
    void RemoveNumbers();
    int16_t CheckForLast(const std::string& LastLine, const std::string& CurrentLine);
    // Whether a numbering or removal run is working (the editor is inert then).
    bool Running() const { return rt::RunGuard::Running(*this); }

    // The undo history: X = 1 records the control's text, any other value
    // steps back. The three queries read the edit control's own flags.
    void MyUndo(rt::TextBox& ctlTextBox, int16_t X);
    bool Undo_CanUndo(rt::TextBox& ctlTextBox);
    void Undo_MarkAsChanged(rt::TextBox& ctlTextBox);
    bool Undo_Changed(rt::TextBox& ctlTextBox);

    void mnuFileNew_Click();
    void mnuFileSave_Click();
    void mnuFileSaveAs_Click();
    void mnuFilePrint_Click();
    void mnuFilePrintSetup_Click();
    void mnuFileExit_Click();
    void mnuEditUndo_Click();
    void mnuEditCut_Click();
    void mnuEditCopy_Click();
    void mnuEditCopyAll_Click();
    void mnuEditPaste_Click();
    void mnuEditDelete_Click();
    void mnuEditSelectAll_Click();
    void mnuOptionsFont_Click();
    void mnuOptionsColor_Click();
    void mnuOptionsAlwaysOnTop_Click();
    void mnuTallymanNum_Click();
    void mnuTallymanRemove_Click();
    void mnuTallymanSample_Click();
    void mnuHelpAbout_Click();
    void txtDisplay_Change();
    void txtDisplay_MouseDown(int Button, int Shift, float X, float Y);
    void txtDisplay_ContextMenuKey();

    const std::string& FileName() const { return m_FileName; }

  protected:
    void Form_Load() override;
    void Form_Resize() override;
    void Form_Unload(int& Cancel) override;

  private:
    class Run;
    // Reads the editor's lines, hands them to the transform and shows its
    // result; a failure is reported as the module's.
    void RunOverLines(const std::string& module, const std::string& reportTail,
                      const std::function<std::string(const std::vector<std::string_view>&, Run&)>& transform);
    // Writes the editor's text to a file; reports a failure and returns false.
    bool SaveFile(const std::string& path);
    // Sets the editor's text from code as one recorded change.
    void SetDisplayText(const std::string& text);
    void ShowPrinterDialog(long flags);
    void LoadSettings();
    void SaveSettings();
    void CommandsEnabled(bool enabled);

    std::string m_FileName;
    UndoHistory m_UndoText;
    LineClassifier m_Smart; // m_InSelect, m_Continued
    NumberWidth m_Width;    // m_NumWidth
    int settingText_ = 0;   // code is setting the text: it records the change itself
    bool m_StopRequested = false; // a close asked for during a run
};

} // namespace tallyman
