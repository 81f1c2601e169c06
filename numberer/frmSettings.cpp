#include "frmSettings.h"

#include "frmMain.h"

namespace tallyman {

frmSettings::frmSettings() {
    Caption("  Settings");
    BorderStyle(rt::vbFixedSingle);
    MinButton(false);
    MaxButton(false);
    StartUpPosition(rt::vbStartUpScreen);
    ClientSize(2550, 2985);

    Label1.Move(120, 120, 2340, 225);
    Label1.Caption("Increment to use:");
    txtIncrement.Move(120, 360, 900, 300);
    txtIncrement.Text("10");
    txtIncrement.MaxLength(4);
    Label3.Move(120, 780, 2340, 225);
    Label3.Caption("Number of leading spaces:");
    txtSpaces.Move(120, 1020, 900, 300);
    txtSpaces.Text("2");
    txtSpaces.MaxLength(2);
    chkSmartNumber.Move(120, 1440, 2340, 255);
    chkSmartNumber.Caption("Smart Numbering  ");
    chkSmartNumber.Value(rt::vbChecked);
    Label2.Move(120, 1710, 2340, 660);
    Label2.WordWrap(true);
    Label2.Caption("(Don't number Sub lines, Function lines, Dim lines, etc.)");
    Line1.BorderColor = 0x80000010;
    Line2.BorderColor = 0x80000014;
    cmdOK.Move(120, 2535, 1080, 360);
    cmdOK.Caption("&OK");
    cmdOK.Default(true);
    cmdCancel.Move(1350, 2535, 1080, 360);
    cmdCancel.Caption("&Cancel");
    cmdCancel.Cancel(true);

    txtIncrement.Change = [this] { txtIncrement_Change(); };
    txtSpaces.Change = [this] { txtSpaces_Change(); };
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
}

void frmSettings::Form_Load() {
    rt::Try([&] { SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); });
}

void frmSettings::NumericOnly(rt::TextBox& field) {
    // The emptying of a refused text is no new entry of the user's: one
    // message for what was typed.
    if (m_Emptying || rt::IsNumeric(field.Text())) return;
    rt::Try([] {
        rt::MsgBox("Only numeric values are allowed in this field.", rt::vbExclamation,
                   "  Invalid Increment");
    });
    // Emptying a field that is empty already changes nothing.
    m_Emptying = true;
    rt::Try([&] {
        if (!field.Text().empty()) field.Text("");
    });
    m_Emptying = false;
}

void frmSettings::txtIncrement_Change() { NumericOnly(txtIncrement); }
void frmSettings::txtSpaces_Change() { NumericOnly(txtSpaces); }

void frmSettings::cmdOK_Click() {
    if (txtIncrement.Text() == "0") {
        rt::MsgBox("You can not set the increment to zero ( 0 ).", rt::vbExclamation,
                   "  Invalid Entry");
    } else if (txtSpaces.Text() == "0") {
        rt::MsgBox("You can not set the leading spaces to zero ( 0 ).", rt::vbExclamation,
                   "  Invalid Entry");
    } else {
        m_OK = true;
        Unload();
    }
}

void frmSettings::cmdCancel_Click() {
    m_OK = false;
    Unload();
}

void frmSettings::Form_Unload(int&) {
    rt::Try([&] { Hide(); });
    if (!m_OK) return;
    m_OK = false;
    // A field that does not convert (an empty one) numbers nothing.
    rt::Try([&] {
        const int16_t increment = rt::CInt(txtIncrement.Text());
        const int16_t spaces = rt::CInt(txtSpaces.Text());
        frmMain::Get().NumberLines(increment, spaces, chkSmartNumber.Value() == rt::vbChecked);
    });
    rt::Err().Clear();
}

} // namespace tallyman
