#include "frmSample.h"

namespace tallyman {

const std::string& SampleCode() {
    static const std::string code =
        "Private Sub cmdTest_Click()\r\n"
        "\r\n"
        "    On Error GoTo ErrorHandler\r\n"
        "\r\n"
        "    Dim intValue As Integer\r\n"
        "\r\n"
        "10  intValue = 5\r\n"
        "20  intValue = intValue * 2\r\n"
        "30  intValue = intValue & \"A\"    ' Type mismatch: a letter joined to a number\r\n"
        "\r\n"
        "    Exit Sub\r\n"
        "\r\n"
        "ErrorHandler:\r\n"
        "    If Err.Number = 0 Then         ' No error\r\n"
        "        Resume Next\r\n"
        "    ElseIf Err.Number = 20 Then    ' Resume without error\r\n"
        "        Resume Next\r\n"
        "    Else\r\n"
        "        MsgBox Err.Source & \" caused the following error :\" & vbCr & vbCr & _\r\n"
        "               \"Error Number = \" & Err.Number & vbCr & _\r\n"
        "               \"Error Description = \" & Err.Description & vbCr & _\r\n"
        "               \"Error Line = \" & CStr(Erl), _\r\n"
        "               vbExclamation, \"  Error  -  \" & Err.Description\r\n"
        "        Err.Clear\r\n"
        "        Exit Sub\r\n"
        "    End If\r\n"
        "\r\n"
        "End Sub";
    return code;
}

frmSample::frmSample() {
    Caption("  Sample Usage Code   -   ERL Function");
    BorderStyle(rt::vbFixedSingle);
    MaxButton(false);
    StartUpPosition(rt::vbStartUpScreen);
    ClientSize(8955, 7065);

    txtDisplay.MultiLine(true);
    txtDisplay.ScrollBars(3);
    txtDisplay.Locked(true);
    txtDisplay.Font(rt::Font{"Courier New", 9.75});
    txtDisplay.Move(105, 105, 8730, 6840);
    txtDisplay.Text(SampleCode());

    mnuFileExit.Click = [this] { mnuFileExit_Click(); };
    mnuEditCopy.Click = [this] { mnuEditCopy_Click(); };
    mnuSampleViewError.Click = [this] { mnuSampleViewError_Click(); };
    mnuFile.Add({&mnuFileExit});
    mnuEdit.Add({&mnuEditCopy});
    mnuSample.Add({&mnuSampleViewError});
    Menus({&mnuFile, &mnuEdit, &mnuSample});
}

void frmSample::Form_Load() {
    rt::Try([&] { SetWindowPos(hWnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); });
}

void frmSample::mnuFileExit_Click() { Unload(); }

void frmSample::mnuEditCopy_Click() {
    // A clipboard held by another program is reported; the window stays.
    try {
        rt::Clipboard::Clear();
        rt::Clipboard::SetText(txtDisplay.Text());
    } catch (const rt::Error& e) {
        rt::MsgBox("The sample code could not be copied to the clipboard.\r\rError Number = " +
                       rt::CStr(e.Number) + "\rError Description = " + e.Description,
                   rt::vbExclamation, "  Error  -  " + e.Description);
        rt::Err().Clear();
    }
}

void frmSample::mnuSampleViewError_Click() {
    rt::MsgBox("MyProgram caused the following error :\r\rError Number = 13\rError Description = "
               "Type Mismatch\rError Line = 30",
               rt::vbExclamation, "  Error  -  Type mismatch");
}

} // namespace tallyman
