// The help text of the Help menu, as rich text.
#include "viewers.h"

namespace faultbook {

const char* const kHelpDocument = R"rtf({\rtf1\ansi\ansicpg1252\deff0
{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fmodern\fcharset0 Courier New;}}
{\colortbl ;\red0\green0\blue0;\red0\green0\blue160;\red128\green0\blue0;\red128\green128\blue128;}
\viewkind4\uc1
\pard\qc\cf2\b\fs36 Faultbook Help\b0\par
\cf4\fs20 ________________________________________________________________\par
\pard\cf1\fs20\par
\cf2\b\fs24 Index\b0\cf1\fs20\par
\pard\li360 1.  What Faultbook Is For\par
2.  Installation\par
3.  Licence, Use And Distribution\par
4.  How To Use Faultbook\par
5.  Options\par
\pard\li720 a.  List Errors\par
b.  Clear List\par
c.  Raise Error\par
d.  Cause Error\par
e.  Copy To Clipboard\par
f.  Double Click = Copy Error\par
g.  Change Font Style\par
h.  Change Font Color\par
i.  Change Background Color\par
j.  Help\par
k.  VB Error Trap  -  Sample Code\par
\pard\par
\cf2\b\ul\fs24 1.  What Faultbook Is For\ul0\b0\cf1\fs20\par
Faultbook is part of the Benchware suite.  It is meant for Visual Basic programmers who want to see how run-time errors work: it lists the error numbers that the Visual Basic runtime can trap together with the message that belongs to each one, and it lets you raise any of them, once under an error handler and once without one, so that you can watch both behaviours for yourself.\par
\par
\cf2\b\ul\fs24 2.  Installation\ul0\b0\cf1\fs20\par
Faultbook is installed together with the other Benchware programs by the suite's setup.  It needs nothing else; it keeps its settings for the current user and writes no files of its own.\par
\par
\cf2\b\ul\fs24 3.  Licence, Use And Distribution\ul0\b0\cf1\fs20\par
Faultbook is covered by the Benchware licence agreement that comes with the suite.  Please read that agreement for the terms under which you may use, copy and pass on this program.\par
\par
\cf2\b\ul\fs24 4.  How To Use Faultbook\ul0\b0\cf1\fs20\par
When Faultbook starts it asks how far up the list of error numbers it should go.  Type a number from 1 to 32,500 and press Enter.  Faultbook then lists every error number from 0 up to that number for which the runtime has a message of its own; numbers that only give the runtime's general text ('Application-defined or object-defined error') are left out.  The numbers are padded with zeros to as many digits as you typed, so typing 00050 lists 00000 to 00050.\par
Double-click a line, or right-click it for the pop-up menu, to hand its message on.\par
\par
\cf2\b\ul\fs24 5.  Options\ul0\b0\cf1\fs20\par
\b a.  List Errors\b0  (File menu, Ctrl+L) asks for a new range and builds the list again.  The range reaches up to 32,500.\par
\b b.  Clear List\b0  (File menu) empties the list.\par
\b c.  Raise Error\b0  (File menu) asks for an error number and raises that error under an error handler.  The handler shows you the error's source, number and description, and the program goes on.\par
\b d.  Cause Error\b0  (File menu) raises the error number you give with no error handler at all.  This is a real error, not a controlled one: the runtime shows its own report and Faultbook really crashes and closes.  You can start it again afterwards without any problems.\par
\b e.  Copy To Clipboard\b0  (Edit menu, Ctrl+C, or Copy on the pop-up menu) puts the message of the selected line on the clipboard, without its number.\par
\b f.  Double Click = Copy Error\b0  (Options menu, F2): when checked, a double-click copies the line's message to the clipboard.  It is off by default.  The option beside it, Double Click = Show Error Info (F3), shows the message in a window of its own; it is on by default.  Both can be on at once.\par
\b g.  Change Font Style\b0  (Options menu, F5) chooses the font of the list.\par
\b h.  Change Font Color\b0  (Options menu, F6) chooses the colour of the list's text.\par
\b i.  Change Background Color\b0  (Options menu, F7) chooses the colour behind the list.\par
\b j.  Help\b0  (Help menu, F1) shows this text.\par
\b k.  VB Error Trap  -  Sample Code\b0  (Help menu) shows a short procedure with an error handler that reports the error's source, number, description and line number.\par
Faultbook remembers its size, position, colours, font and options from one run to the next.\par
\par
\pard\qc\cf3\b Questions, comments and bug reports are welcome by mail at faultbook@example.org\b0\cf1\par
}
)rtf";

} // namespace faultbook
