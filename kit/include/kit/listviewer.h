// The list-viewer window: the main-window shape that Glyphdeck and Faultbook
// share (list Display, picture box Progress, common dialog CD1) and the commands
// that are the same in both. The kit calls back into its host only through
// GetPrintText and mnuPopCopy_Click.
#pragma once

#include <functional>
#include <string>

#include <rt.h>

namespace kit {

// What differs between the hosts.
struct ListViewerConfig {
    struct Item {
        std::string Caption;
        int Shortcut = 0;
    };
    Item FilePrint, FilePrintSetup, EditCopy, OptionsClipboard, OptionsAlwaysOnTop, OptionsFont,
        OptionsForeColor, OptionsBackColor, HelpHelp, HelpVBHelp, HelpAbout;
    bool ClipboardChecked = false; // design check of the copy option
    // Tool tips by (copy, show): both, show only, copy only; neither is empty.
    std::string TipBoth, TipShowOnly, TipCopyOnly;
    long ProgressMargin = 3165; // Progress.Width = form Width - this
    // Shows the help viewer and the reference viewer modally without owner.
    std::function<void()> ShowHelp, ShowReference;
};

class ListViewer : public rt::Form {
  public:
    // showInfo is the host's own show-info option item (mnuOptionsShowErr /
    // mnuOptionsShowChar), which it owns and places in its Options menu; it is
    // not touched before the host's constructor has run. The constructor
    // builds the kit's items from the config's captions and shortcuts, wires
    // their Click to the handlers below, Display.MouseDown to
    // Display_MouseDown and Display.ContextMenuKey to Display_ContextMenuKey,
    // and fills the hidden mnuPop with mnuPopCopy,
    // mnuPopBlank1 and mnuPopShowInfo. The host wires mnuPopCopy.Click,
    // mnuPopShowInfo.Click and its show-info item, sets Display's design
    // properties (tool tip included) and places the items with Menus({...}).
    ListViewer(const ListViewerConfig& config, rt::MenuItem& showInfo);

    rt::ListBox Display{*this};
    rt::PictureBox Progress{*this};
    rt::CommonDialog CD1;

    rt::MenuItem mnuFilePrint, mnuFilePrintSetup, mnuEditCopy;
    rt::MenuItem mnuOptionsClipboard, mnuOptionsAlwaysOnTop, mnuOptionsFont,
        mnuOptionsForeColor, mnuOptionsBackColor;
    rt::MenuItem mnuHelpHelp, mnuHelpVBHelp, mnuHelpAbout;
    rt::MenuItem mnuPop{"mnuPop"}, mnuPopCopy{"&Copy"}, mnuPopBlank1{"-"},
        mnuPopShowInfo{"&Show Info"};

    // The host's side of the contract.
    virtual std::string GetPrintText() = 0;
    virtual void mnuPopCopy_Click() = 0;

    // The kit's commands.
    void Display_MouseDown(int Button, int Shift, float X, float Y);
    // Shift+F10 or the menu key: the pop-up menu at the selected line.
    void Display_ContextMenuKey();
    void mnuEditCopy_Click();
    void mnuFilePrint_Click();
    void mnuFilePrintSetup_Click();
    void mnuOptionsAlwaysOnTop_Click();
    void mnuOptionsBackColor_Click();
    void mnuOptionsForeColor_Click();
    void mnuOptionsFont_Click();
    void mnuHelpAbout_Click();
    void mnuHelpHelp_Click();
    void mnuHelpVBHelp_Click();
    void mnuOptionsClipboard_Click();
    // The show-info toggle; the host's mnuOptionsShowErr_Click /
    // mnuOptionsShowChar_Click runs it.
    void ShowInfoToggle_Click();
    void Form_Resize() override;
    // The list builders' last step: the selection moves down one line (to the
    // first line after a fill). The Down key is sent only while this window is
    // in front; when the user has switched to another program meanwhile, the
    // line is selected directly and the other program gets no key.
    void MoveSelectionDown();

  private:
    void SetToolTip();
    bool PickColor(long& color);
    const ListViewerConfig config_; // a copy: the host may pass a temporary
    rt::MenuItem& showInfo_;
};

} // namespace kit
