// Decorum's main window: a miniature desktop whose parts select the screen
// element to recolour, the colour commands, the wallpaper with its style, the
// display mode, and the About, screen-saver and Close buttons.
#pragma once

#include <functional>
#include <string>

#include <rt.h>

namespace decorum {

// The colour Change To Color applies: what the picked-colour swatch shows.
extern long gPickedColor;
// The colour the last Change To Color replaced, and the element it belonged
// to (-1 until a change was made).
extern long gPreviousColor;
extern int gPreviousIndex;

class frmMain : public rt::Form, public rt::FormOf<frmMain> {
  public:
    frmMain();

    // Made in tab order: the element list first, so that it has the focus
    // when the window opens; the sample, which only shows, last.
    // ---- The element and its colour
    rt::Label Label1{*this};
    rt::ComboBox cboWhatToChange{*this};
    rt::Label Label5{*this};
    rt::Label lblTheCurrentColor{*this};
    rt::Label lblPickedColor{*this};
    rt::CommandButton cmdPickColor{*this};
    rt::CommandButton cmdChangeToColor{*this};
    rt::CommandButton cmdUndo{*this};

    // ---- The wallpaper
    rt::Label Label2{*this};
    rt::TextBox txtWhatToChangeWallpaperTo{*this};
    rt::CommandButton cmdWhatToChangeWallpaperTo{*this};
    rt::CommandButton cmdChangeWallpaper{*this};
    rt::Frame Frame1{*this};
    rt::OptionButton optTile{Frame1};
    rt::OptionButton optCenter{Frame1};
    rt::CheckBox chkCenter{Frame1};

    // ---- The display mode
    rt::Label Label4{*this};
    rt::TextBox txtCurrentScreenRes{*this};
    rt::Label Label3{*this};
    rt::ComboBox txtCurrentScreenDepth{*this};
    rt::CommandButton cmd640x480{*this};
    rt::CommandButton cmd800x600{*this};
    rt::CommandButton cmd1024x768{*this};
    rt::CommandButton cmd1280x1024{*this};
    rt::CommandButton cmdRefresh{*this};

    // ---- The bottom row
    rt::CommandButton cmdAbout{*this};
    rt::CommandButton cmdStartScreenSaver{*this};
    rt::CommandButton cmdClose{*this};
    rt::Line Line1{*this, 120, 3960, 5880, 3960};
    rt::Line Line2{*this, 120, 4830, 5880, 4830};
    rt::Line Line3{*this, 120, 5985, 5880, 5985};

    // ---- The sample desktop
    rt::PictureBox DesktopBackground{*this};
    rt::Shape InactiveBorder{DesktopBackground}; // around the inactive window
    rt::Label InactiveWindow{DesktopBackground};
    rt::PictureBox InactiveTitleBar{DesktopBackground};
    rt::Label InactiveTitleBarText{InactiveTitleBar};
    rt::Image GradientInactiveTitleBar{InactiveTitleBar};
    rt::PictureBox InactiveTitleBar1{DesktopBackground};
    rt::PictureBox picMinMax0{InactiveTitleBar1};
    rt::PictureBox picClose0{InactiveTitleBar1};
    rt::Label InactiveMessageText{DesktopBackground};
    // The sample button's face and its 3D edges. Each edge lies over the one
    // before it: a light edge over its dark one leaves the dark showing below
    // and right, and the inner pair over the outer leaves the outer one ring.
    rt::Label InactiveButtonOuterDark{DesktopBackground};
    rt::Label InactiveButtonOuterLight{DesktopBackground};
    rt::Label InactiveButtonInnerDark{DesktopBackground};
    rt::Label InactiveButtonInnerLight{DesktopBackground};
    rt::Label InactiveOKButtonBackground{DesktopBackground};
    rt::Label InactiveOKButton{DesktopBackground};
    // The active window over the inactive one, framed by its border.
    rt::Label ActiveBorder{DesktopBackground};
    rt::Label ActiveWindow{DesktopBackground};
    rt::Label ActiveWindow1{DesktopBackground};
    rt::PictureBox ActiveTitleBar{DesktopBackground};
    rt::Label ActiveTitleBarText{ActiveTitleBar};
    rt::Image GradientActiveTitleBar{ActiveTitleBar};
    rt::PictureBox ActiveTitleBar1{DesktopBackground};
    rt::PictureBox picMinMax1{ActiveTitleBar1};
    rt::PictureBox picClose1{ActiveTitleBar1};
    rt::Label ActiveMenu{DesktopBackground};
    rt::Label ActiveMenuText{DesktopBackground};
    rt::Label ActiveMenuDisabled{DesktopBackground};
    rt::Label ActiveMenuSelected{DesktopBackground};
    rt::Label ActiveMenuSelectedText{DesktopBackground};
    rt::Label ActiveWindowBackground{DesktopBackground};
    rt::Label ActiveWindowText{DesktopBackground};
    rt::VScrollBar ActiveScrollBar{DesktopBackground};
    rt::Label lblToolTipText_Text{DesktopBackground};
    rt::Label lblToolTipText{DesktopBackground};
    rt::PictureBox imgCursor{DesktopBackground}; // the pointer, over the windows below it
    rt::Label lblWhatsSelected{DesktopBackground};

    // Selecting an element, from the list or from the sample.
    void cboWhatToChange_Click();
    void lblWhatsSelected_Click();
    void ActiveMenu_Click();
    void ActiveMenuDisabled_Click();
    void ActiveMenuSelected_Click();
    void ActiveMenuSelectedText_Click();
    void ActiveMenuText_Click();
    void ActiveScrollBar_Change();
    void ActiveTitleBar_Click();
    void ActiveTitleBar1_Click();
    void ActiveTitleBarText_Click();
    void ActiveWindow_Click();
    void ActiveWindow1_Click();
    void ActiveWindowBackground_Click();
    void ActiveWindowText_Click();
    void DesktopBackground_Click();
    void GradientActiveTitleBar_Click();
    void GradientInactiveTitleBar_Click();
    void InactiveMessageText_Click();
    void InactiveOKButton_Click();
    void InactiveOKButtonBackground_Click();
    void InactiveTitleBar_Click();
    void InactiveTitleBar1_Click();
    void InactiveTitleBarText_Click();
    void InactiveWindow_Click();
    void lblToolTipText_Click();
    void lblToolTipText_Text_Click();
    void picClose_Click(int Index);
    void picMinMax_Click(int Index);

    // The colour commands.
    void cmdPickColor_Click();
    void cmdChangeToColor_Click();
    void cmdUndo_Click();

    // The wallpaper.
    void cmdWhatToChangeWallpaperTo_Click();
    void cmdChangeWallpaper_Click();
    void chkCenter_Click();
    void optCenter_Click();
    void optTile_Click();

    // The display mode.
    void cmd640x480_Click();
    void cmd800x600_Click();
    void cmd1024x768_Click();
    void cmd1280x1024_Click();

    void cmdRefresh_Click();
    void cmdAbout_Click();
    void cmdStartScreenSaver_Click();
    void cmdClose_Click();

    // Switches the display to width x height pixels at depth bits per pixel
    // (anything but 4, 8, 16, 24 and 32 becomes 16).
    void ChangeDisplayMode(long width, long height, long& depth);

  protected:
    void Form_Load() override;
    void Form_Unload(int& Cancel) override;

  private:
    void Select(const char* element);
    void DrawTitleBars();
    void TitleBarsFollow(int index);
    void ShowResolution();
    // Applies the wallpaper path (the box's, or the one in force while the
    // display mode re-applies it); false when nothing was applied.
    bool ApplyWallpaper();
    std::string WallpaperPath() const;
    // Shows what stopped a wallpaper procedure.
    void WallpaperError(const rt::Error& e);
    // "There is currently no Desktop Wallpaper selected to <what>. ..."
    void NoWallpaperSelected(const std::string& what);
    // What the style controls do first: the wallpaper applied, or the control
    // set back (false): by setBack when there is no path, by putBack (setBack
    // when not given) when nothing was applied.
    bool ApplyForStyle(const std::string& what, const std::function<void()>& setBack,
                       const std::function<void()>& putBack = {});
    // Selects again the style option the system was last given, without
    // applying it anew.
    void PutBackStyle();
    // A style value written and shown; a failure reported.
    void WriteStyle(const std::function<void()>& write);
    void ModeButton(long width, long height);

    bool stacked_ = false;
    bool mReapplyingWallpaper = false;
    rt::OptionButton* styleInForce_ = &optCenter; // Center until a style is applied
    bool puttingBackStyle_ = false;
    std::string mReapplyPath; // the wallpaper in force, while it is re-applied
};

} // namespace decorum
