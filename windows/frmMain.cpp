#include "frmMain.h"

#include <cmath>
#include <cstdint>

#include <rt/convert.h>
#include <rt/error.h>
#include <rt/interaction.h>
#include <rt/runguard.h>
#include <rt/services.h>

#include "modPaneherd.h"
#include "pictures.h"

namespace paneherd {

namespace {

constexpr long kDisplayForeColor = 0x00C00000;
constexpr long kButtonFace = 0x8000000F;
const char* const kClassTip = "Select / type the window's class name to locate it";

rt::Font Bold() { return rt::Font{"MS Sans Serif", 8.25, true}; }

void BoldLabel(rt::Label& label, const std::string& caption, long left, long top) {
    label.Caption(caption);
    label.Font(Bold());
    label.Move(left, top, 1500, 195);
    label.AutoSize(true);
}

void Field(rt::TextBox& field, long left, long top, long width, long height, const std::string& tip) {
    field.Move(left, top, width, height);
    field.ToolTipText(tip);
}

// A field that shows what the program found: read-only, on the button face.
void DisplayField(rt::TextBox& field, long left, long top, const std::string& tip) {
    Field(field, left, top, 3375, 330, tip);
    field.Locked(true);
    field.BackColor(kButtonFace);
    field.ForeColor(kDisplayForeColor);
}

void Option(rt::OptionButton& option, const std::string& caption, long left, long top,
            const std::string& tip) {
    option.Caption(caption);
    option.Font(Bold());
    option.Move(left, top, 3015, 225);
    if (!tip.empty()) option.ToolTipText(tip);
}

// A rule across the window: a dark line with a light one under it.
void SunkenRule(rt::Line& dark, rt::Line& light) {
    dark.BorderColor = 0x80000010;
    light.BorderColor = 0x80000014;
}

// Writes a text into a field only when it differs from what the field shows,
// so that the caret of a field the user is in stays where it is.
void ShowText(rt::TextBox& field, const std::string& text) {
    if (field.Text() != text) field.Text(text);
}

std::string HandleText(HWND window) {
    return std::to_string(static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)));
}

} // namespace

frmMain::frmMain() {
    Caption("  Paneherd");
    BorderStyle(rt::vbFixedSingle);
    MaxButton(false);
    StartUpPosition(rt::vbStartUpScreen);
    ClientSize(7365, 5370);

    BoldLabel(Label3, "Window Class Name :", 105, 105);
    txtClassName1.Sorted(true);
    txtClassName1.Move(105, 315, 3060, 315);
    txtClassName1.ToolTipText(kClassTip);
    txtClassName.Move(105, 315, 3060, 315);
    txtClassName.ToolTipText(kClassTip);
    txtClassName.Visible(false);
    chkSort.Caption("Sorted");
    chkSort.Move(2625, 85, 855, 225);
    chkSort.Value(rt::vbChecked);
    chkSort.ToolTipText("Sort the list of class names");
    cmdRefreshClassList.Style(rt::vbButtonGraphical);
    cmdRefreshClassList.Move(3165, 315, 315, 315);
    cmdRefreshClassList.ToolTipText("Refresh class names");

    Label5.Caption("or");
    Label5.ForeColor(0x000000C0);
    Label5.Font(rt::Font{"MS Sans Serif", 8.25, false, false, true});
    Label5.Move(3615, 345, 200, 195);
    Label5.AutoSize(true);

    BoldLabel(Label4, "Window Titlebar Text :", 3885, 105);
    Field(txtTitlebar, 3885, 315, 3060, 315, "Select / type the window's titlebar text to locate it");
    cmdFindWindow.Style(rt::vbButtonGraphical);
    cmdFindWindow.Move(6945, 315, 315, 315);
    cmdFindWindow.ToolTipText("Locate a window by clicking on it");

    BoldLabel(Label8, "Window Handle :", 105, 945);
    DisplayField(txtHandle, 105, 1155, "The selected window's handle");
    txtHandle.Text("0");
    BoldLabel(Label9, "Window Class Name :", 3885, 945);
    DisplayField(txtClass, 3885, 1155, "The selected window's class name");
    SunkenRule(Line1, Line2);

    BoldLabel(Label1, "X ( Left ) :", 105, 1890);
    Field(txtX, 105, 2100, 1485, 315, "X (Left) location to move the window to");
    BoldLabel(Label2, "Y ( Top ) :", 1995, 1890);
    Field(txtY, 1995, 2100, 1485, 315, "Y (Top) location to move the window to");
    BoldLabel(Label6, "Width :", 3885, 1890);
    Field(txtWidth, 3885, 2100, 1485, 315, "Width to change the window to");
    BoldLabel(Label7, "Height :", 5775, 1890);
    Field(txtHeight, 5775, 2100, 1485, 315, "Height to change the window to");

    Frame1.Caption(" Window Action ");
    Frame1.Move(105, 2520, 3375, 1905);
    Option(optVisible, " Make Window Visible", 105, 315, "Display the window normally");
    Option(optInvisible, " Make Window Invisible", 105, 525, "Make the window invisible");
    Option(optTopMost, " Make Window Top Most", 105, 735, "Make the specified window always on top");
    Option(optNotTopMost, " Make Window NOT Top Most", 105, 945,
           "Make the specified window NOT always on top");
    Option(optMove, " Move Window", 105, 1155,
           "Move and size the window to the X, Y, Width and Height given above");
    Option(optClose, " Close Window", 105, 1365, "Close the specified window");
    optVisible.Value(true);
    Frame2.Caption(" Window State ");
    Frame2.Move(3885, 2520, 3375, 1905);
    Option(optNormal, " Normal", 210, 315, "Display the window normally");
    Option(optMaximized, " Maximized", 210, 630, "Display the window maximized");
    Option(optMinimized, " Minimized", 210, 945, "Display the window minimized");
    optNormal.Value(true);
    SunkenRule(Line3, Line4);

    cmdOK.Caption("&GO");
    cmdOK.Style(rt::vbButtonGraphical);
    cmdOK.BackColor(0x00C0FFC0);
    cmdOK.Font(Bold());
    cmdOK.Move(105, 4830, 1170, 435);
    cmdOK.Default(true);
    cmdOK.ToolTipText("Move the window to the specified location and change it's window state to "
                      "the specified state");
    cmdClose.Caption("&Close");
    cmdClose.Style(rt::vbButtonGraphical);
    cmdClose.BackColor(0x00C0C0FF);
    cmdClose.Font(Bold());
    cmdClose.Move(6090, 4830, 1170, 435);
    cmdClose.Cancel(true);
    cmdClose.ToolTipText("Exit this program");

    Timer1.Interval(250);
    Timer1.Enabled(true);

    cmdClose.Click = [this] { cmdClose_Click(); };
    cmdFindWindow.Click = [this] { cmdFindWindow_Click(); };
    cmdRefreshClassList.Click = [this] { cmdRefreshClassList_Click(); };
    chkSort.Click = [this] { chkSort_Click(); };
    txtClassName.Change = [this] { txtClassName_Change(); };
    txtClassName.Click = [this] { txtClassName_Click(); };
    txtClassName1.Change = [this] { txtClassName1_Change(); };
    txtClassName1.Click = [this] { txtClassName1_Click(); };
    txtTitlebar.Change = [this] { txtTitlebar_Change(); };
    txtClass.Change = [this] { txtClass_Change(); };
    Timer1.Tick = [this] { Timer1_Timer(); };
    txtX.Change = [this] { txtX_Change(); };
    txtY.Change = [this] { txtY_Change(); };
    txtWidth.Change = [this] { txtWidth_Change(); };
    txtHeight.Change = [this] { txtHeight_Change(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
}

void frmMain::Form_Load() {
    cmdRefreshClassList.Picture(RefreshPicture());
    cmdFindWindow.Picture(FinderPicture());
    SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    LoadClassList();
    const long width = std::lround(double(rt::Screen::Width()) / rt::Screen::TwipsPerPixelX());
    const long height = std::lround(double(rt::Screen::Height()) / rt::Screen::TwipsPerPixelY());
    Caption(Caption() + "     [ Screen Size : " + std::to_string(width) + "x" +
            std::to_string(height) + " ]");
}

void frmMain::cmdClose_Click() { Unload(); }

// ---------------------------------------------------------------------------
// Choosing the target

void frmMain::cmdRefreshClassList_Click() {
    rt::Try([&] { chkSort.SetFocus(); });
    LoadClassList();
}

void frmMain::chkSort_Click() {
    txtClassName.Text("");
    txtClassName1.Text("");
    rt::ComboBox& shown = chkSort.Value() == rt::vbChecked ? txtClassName1 : txtClassName;
    rt::ComboBox& hidden = &shown == &txtClassName1 ? txtClassName : txtClassName1;
    shown.Visible(true);
    shown.ZOrder(0);
    hidden.Visible(false);
}

void frmMain::SelectTarget(HWND window) {
    TargetWindow = window;
    targetThread_ = Target::Of(window).Thread;
}

void frmMain::ShowClassIn(rt::ComboBox& combo, const std::string& text) {
    if (&combo != typingIn_) rt::Try([&] { combo.Text(text); });
}

void frmMain::FillWindowInfo(bool withTitle) {
    std::string className;
    rt::Try([&] { className = ClassText(TargetWindow); });
    rt::Try([&] { txtHandle.Text(HandleText(TargetWindow)); });
    rt::Try([&] { txtClass.Text(className); });
    if (!withTitle) return;
    rt::Try([&] { txtTitlebar.Text(TitleText(TargetWindow)); });
}

void frmMain::txtClass_Change() {
    IsUpdating = true;
    const std::string className = txtClass.Text();
    ShowClassIn(txtClassName, className);
    ShowClassIn(txtClassName1, className);
    IsUpdating = false;
}

// A class typed or chosen in one of the two combos. What the lookup finds is
// shown everywhere but in that combo: the user's text stays as typed.
void frmMain::ClassTyped(rt::ComboBox& combo) {
    if (IsUpdating) return;
    const std::string className = combo.Text();
    if (rt::Trim(className).empty()) return;
    rt::ComboBox* outer = typingIn_;
    typingIn_ = &combo;
    HoldPosition = false;
    rt::Try([&] { txtTitlebar.Text(""); });
    rt::Try([&] { SelectTarget(FindByClass(className)); });
    FillWindowInfo(true);
    typingIn_ = outer;
}

void frmMain::txtClassName_Change() { ClassTyped(txtClassName); }
void frmMain::txtClassName_Click() { txtClassName_Change(); }
void frmMain::txtClassName1_Change() { ClassTyped(txtClassName1); }
void frmMain::txtClassName1_Click() { txtClassName1_Change(); }

void frmMain::txtTitlebar_Change() {
    if (IsUpdating) return;
    const std::string title = txtTitlebar.Text();
    if (rt::Trim(title).empty()) return;
    HoldPosition = false;
    ShowClassIn(txtClassName, "");
    rt::Try([&] { SelectTarget(FindByTitle(title)); });
    FillWindowInfo(false);
}

void frmMain::cmdFindWindow_Click() {
    rt::RunGuard run(*this);
    if (!run) return;
    rt::Try([&] { txtTitlebar.SetFocus(); });
    rt::Try([&] { Hide(); });
    const PressWait press = WaitForPress(PrimaryButtonKey(), [&] { return run.StopRequested(); });
    HWND picked = nullptr;
    if (press == PressWait::Pressed) {
        rt::DoEvents();
        Sleep(250);
        rt::DoEvents();
        picked = Pickable(GetForegroundWindow());
        rt::DoEvents();
    }
    // The window closes once this run has ended: it is not shown again.
    if (run.Closing()) return;
    rt::Try([&] { Show(); });
    // Esc: the target stays what it was.
    if (press != PressWait::Pressed) return;
    if (!picked) {
        rt::MsgBox("Couldn't find the titlebar text of the selected window", rt::vbExclamation,
                   "  Titlebar Text Not Found");
        return;
    }
    IsUpdating = true;
    HoldPosition = false;
    Timer1.Enabled(false);
    SelectTarget(picked);
    FillWindowInfo(false);
    IsUpdating = true; // the class field's handler has cleared it
    rt::Try([&] { txtTitlebar.Text(TitleText(TargetWindow)); });
    IsUpdating = false;
    Timer1.Enabled(true);
}

// ---------------------------------------------------------------------------
// Following the target

void frmMain::GetWindowRectText(std::string& X, std::string& Y, std::string& Width,
                                std::string& Height) {
    const RectText r = WindowRectText(Chosen());
    X = r.X;
    Y = r.Y;
    Width = r.Width;
    Height = r.Height;
}

void frmMain::Timer1_Timer() {
    if (HoldPosition) return;
    IsUpdating = true;
    if (TargetWindow) {
        GetWindowRectText(CurX, CurY, CurWidth, CurHeight);
        ShowText(txtX, CurX);
        ShowText(txtY, CurY);
        ShowText(txtWidth, CurWidth);
        ShowText(txtHeight, CurHeight);
    }
    IsUpdating = false;
}

void frmMain::PositionEdited(rt::TextBox& field, bool minusAllowed) {
    if (IsUpdating) return;
    HoldPosition = true;
    const std::string text = field.Text();
    if (text.empty()) return;
    if (minusAllowed && text == "-") return;
    if (rt::IsNumeric(text)) return;
    rt::MsgBox("You can only have numbers in this field.", rt::vbExclamation,
               "  Non-Numeric Value Entered");
    field.Text("");
}

void frmMain::txtX_Change() { PositionEdited(txtX, true); }
void frmMain::txtY_Change() { PositionEdited(txtY, true); }
void frmMain::txtWidth_Change() { PositionEdited(txtWidth, false); }
void frmMain::txtHeight_Change() { PositionEdited(txtHeight, false); }

// ---------------------------------------------------------------------------
// Acting on the target

bool frmMain::RefuseMissingField() {
    const struct {
        rt::TextBox& field;
        const char* message;
    } fields[] = {{txtX, "The X (Left) field is not complete."},
                  {txtY, "The Y (Top) field is not complete."},
                  {txtWidth, "The Width field is not complete."},
                  {txtHeight, "The Height field is not complete."}};
    for (const auto& f : fields) {
        if (!f.field.Text().empty()) continue;
        rt::Try([&] { f.field.SetFocus(); });
        rt::MsgBox(f.message, rt::vbExclamation, "  Information Missing");
        return true;
    }
    return false;
}

void frmMain::ApplyState(HWND h) {
    if (optNormal.Value())
        ShowAs(h, SW_RESTORE);
    else if (optMaximized.Value())
        ShowAs(h, SW_SHOWMAXIMIZED);
    else if (optMinimized.Value())
        ShowAs(h, SW_MINIMIZE);
}

void frmMain::ApplyAction(HWND h) {
    if (optVisible.Value()) {
        ShowAs(h, SW_SHOW);
    } else if (optInvisible.Value()) {
        if (h == hWnd())
            rt::MsgBox("You can't make THIS program invisible because that would leave it open in "
                       "memory with no way to access it.\r\rClick OK to continue.",
                       rt::vbExclamation, "  Can't Make This Program Invisible");
        else
            ShowAs(h, SW_HIDE);
    } else if (optTopMost.Value()) {
        Pin(h, true);
    } else if (optNotTopMost.Value()) {
        Pin(h, false);
    } else if (optMove.Value()) {
        rt::Try([&] {
            MoveTo(h, rt::CLng(txtX.Text()), rt::CLng(txtY.Text()), rt::CLng(txtWidth.Text()),
                   rt::CLng(txtHeight.Text()));
        });
    } else if (optClose.Value()) {
        if (h == hWnd()) {
            // Closing this very window: nothing of it is touched afterwards.
            Unload();
            return;
        }
        CloseTarget(h);
        ForgetTarget();
    }
}

void frmMain::ForgetTarget() {
    SelectTarget(nullptr);
    rt::Try([&] { txtHandle.Text("0"); });
    rt::Try([&] { txtClass.Text(""); });
    rt::Try([&] { txtClassName.Text(""); });
    rt::Try([&] { txtClassName1.Text(""); });
    for (rt::TextBox* field : {&txtTitlebar, &txtX, &txtY, &txtWidth, &txtHeight})
        rt::Try([&] { field->Text(""); });
}

void frmMain::cmdOK_Click() {
    rt::RunGuard run(*this);
    if (!run) return;
    const HWND h = TargetWindow;
    // A window that has gone since it was chosen is no window to work with.
    if (!h || !Chosen().Exists()) {
        rt::MsgBox("Can't find window to work with, or no window has been selected.",
                   rt::vbExclamation, "  No Window Found");
        return;
    }
    if (RefuseMissingField()) return;
    rt::Try([&] { ApplyState(h); });
    rt::Try([&] { ApplyAction(h); });
}

} // namespace paneherd
