// The error-trap sample code of the Help menu, as rich text: keywords in blue,
// comments in green, line numbers and strings in dark red.
#include "viewers.h"

namespace faultbook {

const char* const kSampleDocument = R"rtf({\rtf1\ansi\ansicpg1252\deff0
{\fonttbl{\f0\fmodern\fcharset0 Courier New;}}
{\colortbl ;\red0\green0\blue0;\red0\green0\blue255;\red0\green128\blue0;\red128\green0\blue0;}
\viewkind4\uc1\pard\f0\fs20
\cf3 ' Unloads every form of the program when OK is pressed.\par
\cf3 ' Any error on a numbered line is reported with the number of that line.\par
\cf1\par
\cf2 Private Sub\cf1  cmdOK_Click()\par
\par
\cf4 10\cf1      \cf2 On Error GoTo\cf1  ErrorTrap\par
\cf4 20\cf1      \cf2 Dim\cf1  frmEach \cf2 As\cf1  Form\par
\cf4 30\cf1      \cf3 ' Close every form the program has loaded\cf1\par
\cf4 40\cf1      \cf2 For Each\cf1  frmEach \cf2 In\cf1  Forms\par
\cf4 50\cf1          \cf2 Unload\cf1  frmEach\par
\cf4 60\cf1      \cf2 Next\cf1  frmEach\par
\cf4 70\cf1      \cf2 Exit Sub\cf1\par
\par
ErrorTrap:\par
    \cf3 ' Show where the error came from, what it was and on which line\cf1\par
    MsgBox Err.Source & \cf4 " caused the following error:"\cf1  & vbCr & vbCr & _\par
           \cf4 "Error Number = &H"\cf1  & Hex(Err.Number) & vbCr & _\par
           \cf4 "Error Description = "\cf1  & Err.Description & vbCr & _\par
           \cf4 "Line Number = "\cf1  & Erl, vbExclamation, _\par
           \cf4 "  Error  -  "\cf1  & Err.Description\par
    Err.Clear\par
\par
\cf2 End Sub\cf1\par
}
)rtf";

} // namespace faultbook
