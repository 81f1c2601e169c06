#include "documents.h"

namespace glyphdeck {

namespace {

const char* const kHelpDocument = R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}}
{\colortbl;\red0\green0\blue128;\red128\green0\blue0;\red0\green0\blue0;}
\viewkind4\uc1\pard\qc\cf1\b\f0\fs40 Glyphdeck Help\par
\cf3\b0\fs20 ________________________________________________________________\par
\pard\par
\cf2\b\fs26 Index\b0\par
\cf3\fs20 1.  What Glyphdeck Is For\par
2.  Installation\par
3.  License, Use And Distribution\par
4.  How To Use Glyphdeck\par
5.  Options\par
\pard\li400 a.  Filter Non-Visible Characters\par
b.  Double Click = Copy Character\par
c.  Double Click = Show Char Info\par
d.  Change Font\par
e.  Change Font Color\par
f.  Change Background Color\par
g.  Help\par
h.  Visual Basic Char Constants\par
\pard\par
\cf2\b\ul\fs26 1.  What Glyphdeck Is For\ulnone\b0\par
\cf3\fs20 Glyphdeck is a programming reference for Visual Basic programmers. It shows the 256 ASCII characters with their decimal codes, the values you pass to calls such as Chr(), and it builds hexadecimal and octal tables of the numbers from zero up to a bound you choose (at most 32,500). It also converts typed text or a number into a listing of its codes, and prints the chart.\par
\par
\cf2\b\ul\fs26 2.  Installation\ulnone\b0\par
\cf3\fs20 Glyphdeck is installed as part of the Benchware suite by the suite's setup program. It needs no other files: start Glyphdeck.exe and it is ready. Its window placement, font, colours, columns and options are kept for you between runs.\par
\par
\cf2\b\ul\fs26 3.  License, Use And Distribution\ulnone\b0\par
\cf3\fs20 Glyphdeck may be used and passed on under the terms of the Benchware license agreement that came with the suite. Please read that agreement before you give copies of Glyphdeck to others.\par
\par
\cf2\b\ul\fs26 4.  How To Use Glyphdeck\ulnone\b0\par
\cf3\fs20 The File menu chooses the chart: Show ASCII Equivalents (Ctrl+A) lists the codes 0 to 255 with their characters; Show HEX Equivalents (Ctrl+H) and Show Octal Equivalents (Ctrl+O) ask for the highest number to list and show each number with its hexadecimal or octal form, while a progress bar shows how far the list has got. The Columns box sets how many columns the list shows (1 to 9).\par
\par
Convert ASCII, Convert HEX and Convert Octal ask for some text and the number of characters to show per line, and list the code of every character. When you convert a number to hexadecimal or octal you are asked whether to convert it as individual characters (Yes) or as one number (No).\par
\par
Double-click an entry, or right-click it and use the pop-up menu, to copy its character to the clipboard or to see it on its own. Print (Ctrl+P) prints the chart, or writes it to a text file when you choose to print to a file.\par
\par
\cf2\b\ul\fs26 5.  Options\ulnone\b0\par
\cf3\fs20\b a.  Filter Non-Visible Characters (F2)\b0\par
Shows **** in place of the control codes below the space and the other codes that have no visible character. It is on when Glyphdeck is first started, and it can only be changed while the ASCII chart is shown.\par
\b b.  Double Click = Copy Character (F3)\b0\par
A double-click copies the entry's character (or its hexadecimal or octal digits) to the clipboard. It is on by default.\par
\b c.  Double Click = Show Char Info (F4)\b0\par
A double-click shows the character in a window of its own, with its code and how to type it by holding Alt and typing 0 and the code. It is off by default.\par
\b d.  Change Font (F6)\b0\par
Chooses the font of the chart; the character window uses the same font.\par
\b e.  Change Font Color (F7)\b0\par
Chooses the colour of the chart's text.\par
\b f.  Change Background Color (F8)\b0\par
Chooses the colour behind the chart.\par
\b g.  Help (F1)\b0\par
Shows this help.\par
\b h.  Visual Basic Char Constants\b0\par
Shows the key code constants of Visual Basic with their values.\par
\par
\pard\qc\cf1\b Questions, comments and bug reports are welcome by mail at glyphdeck@example.org\b0\par
})";

const char* const kKeyCodeDocument = R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fmodern\fcharset0 Courier New;}}
{\colortbl;\red0\green0\blue128;\red128\green0\blue0;\red0\green0\blue0;}
\viewkind4\uc1\pard\qc\cf1\b\f0\fs36 Key Code Constants\par
\cf3\b0\fs18 Use these constants in place of the key values in KeyDown and KeyUp events.\par
\pard\par
\pard\cf2\b\ul\fs26 Key Codes\ulnone\par
\pard\tx3000\tx4300\cf1\b\fs20 Constant\tab Value\tab Description\b0\par
\cf3\f1 vbKeyLButton\f0\tab 1\tab Left mouse button\par
\cf3\f1 vbKeyRButton\f0\tab 2\tab Right mouse button\par
\cf3\f1 vbKeyCancel\f0\tab 3\tab Cancel key\par
\cf3\f1 vbKeyMButton\f0\tab 4\tab Middle mouse button\par
\cf3\f1 vbKeyBack\f0\tab 8\tab Backspace key\par
\cf3\f1 vbKeyTab\f0\tab 9\tab Tab key\par
\cf3\f1 vbKeyClear\f0\tab 12\tab Clear key\par
\cf3\f1 vbKeyReturn\f0\tab 13\tab Enter key\par
\cf3\f1 vbKeyShift\f0\tab 16\tab Shift key\par
\cf3\f1 vbKeyControl\f0\tab 17\tab Ctrl key\par
\cf3\f1 vbKeyMenu\f0\tab 18\tab Menu (Alt) key\par
\cf3\f1 vbKeyPause\f0\tab 19\tab Pause key\par
\cf3\f1 vbKeyCapital\f0\tab 20\tab Caps Lock key\par
\cf3\f1 vbKeyEscape\f0\tab 27\tab Esc key\par
\cf3\f1 vbKeySpace\f0\tab 32\tab Spacebar\par
\cf3\f1 vbKeyPageUp\f0\tab 33\tab Page Up key\par
\cf3\f1 vbKeyPageDown\f0\tab 34\tab Page Down key\par
\cf3\f1 vbKeyEnd\f0\tab 35\tab End key\par
\cf3\f1 vbKeyHome\f0\tab 36\tab Home key\par
\cf3\f1 vbKeyLeft\f0\tab 37\tab Left Arrow key\par
\cf3\f1 vbKeyUp\f0\tab 38\tab Up Arrow key\par
\cf3\f1 vbKeyRight\f0\tab 39\tab Right Arrow key\par
\cf3\f1 vbKeyDown\f0\tab 40\tab Down Arrow key\par
\cf3\f1 vbKeySelect\f0\tab 41\tab Select key\par
\cf3\f1 vbKeyPrint\f0\tab 42\tab Print Screen key\par
\cf3\f1 vbKeyExecute\f0\tab 43\tab Execute key\par
\cf3\f1 vbKeySnapshot\f0\tab 44\tab Snapshot key\par
\cf3\f1 vbKeyInsert\f0\tab 45\tab Insert key\par
\cf3\f1 vbKeyDelete\f0\tab 46\tab Delete key\par
\cf3\f1 vbKeyHelp\f0\tab 47\tab Help key\par
\cf3\f1 vbKeyNumlock\f0\tab 144\tab Num Lock key\par
\cf3\f1 vbKeyScrollLock\f0\tab 145\tab Scroll Lock key\par
\par
\pard\cf2\b\ul\fs26 Keys A Through Z\ulnone\par
\pard\tx3000\tx4300\cf1\b\fs20 Constant\tab Value\tab Description\b0\par
\cf3\f1 vbKeyA\f0\tab 65\tab A key\par
\cf3\f1 vbKeyB\f0\tab 66\tab B key\par
\cf3\f1 vbKeyC\f0\tab 67\tab C key\par
\cf3\f1 vbKeyD\f0\tab 68\tab D key\par
\cf3\f1 vbKeyE\f0\tab 69\tab E key\par
\cf3\f1 vbKeyF\f0\tab 70\tab F key\par
\cf3\f1 vbKeyG\f0\tab 71\tab G key\par
\cf3\f1 vbKeyH\f0\tab 72\tab H key\par
\cf3\f1 vbKeyI\f0\tab 73\tab I key\par
\cf3\f1 vbKeyJ\f0\tab 74\tab J key\par
\cf3\f1 vbKeyK\f0\tab 75\tab K key\par
\cf3\f1 vbKeyL\f0\tab 76\tab L key\par
\cf3\f1 vbKeyM\f0\tab 77\tab M key\par
\cf3\f1 vbKeyN\f0\tab 78\tab N key\par
\cf3\f1 vbKeyO\f0\tab 79\tab O key\par
\cf3\f1 vbKeyP\f0\tab 80\tab P key\par
\cf3\f1 vbKeyQ\f0\tab 81\tab Q key\par
\cf3\f1 vbKeyR\f0\tab 82\tab R key\par
\cf3\f1 vbKeyS\f0\tab 83\tab S key\par
\cf3\f1 vbKeyT\f0\tab 84\tab T key\par
\cf3\f1 vbKeyU\f0\tab 85\tab U key\par
\cf3\f1 vbKeyV\f0\tab 86\tab V key\par
\cf3\f1 vbKeyW\f0\tab 87\tab W key\par
\cf3\f1 vbKeyX\f0\tab 88\tab X key\par
\cf3\f1 vbKeyY\f0\tab 89\tab Y key\par
\cf3\f1 vbKeyZ\f0\tab 90\tab Z key\par
\par
\pard\cf2\b\ul\fs26 Keys 0 Through 9\ulnone\par
\pard\tx3000\tx4300\cf1\b\fs20 Constant\tab Value\tab Description\b0\par
\cf3\f1 vbKey0\f0\tab 48\tab 0 key\par
\cf3\f1 vbKey1\f0\tab 49\tab 1 key\par
\cf3\f1 vbKey2\f0\tab 50\tab 2 key\par
\cf3\f1 vbKey3\f0\tab 51\tab 3 key\par
\cf3\f1 vbKey4\f0\tab 52\tab 4 key\par
\cf3\f1 vbKey5\f0\tab 53\tab 5 key\par
\cf3\f1 vbKey6\f0\tab 54\tab 6 key\par
\cf3\f1 vbKey7\f0\tab 55\tab 7 key\par
\cf3\f1 vbKey8\f0\tab 56\tab 8 key\par
\cf3\f1 vbKey9\f0\tab 57\tab 9 key\par
\par
\pard\cf2\b\ul\fs26 Keys on the Numeric Keypad\ulnone\par
\pard\tx3000\tx4300\cf1\b\fs20 Constant\tab Value\tab Description\b0\par
\cf3\f1 vbKeyNumpad0\f0\tab 96\tab 0 key (keypad)\par
\cf3\f1 vbKeyNumpad1\f0\tab 97\tab 1 key (keypad)\par
\cf3\f1 vbKeyNumpad2\f0\tab 98\tab 2 key (keypad)\par
\cf3\f1 vbKeyNumpad3\f0\tab 99\tab 3 key (keypad)\par
\cf3\f1 vbKeyNumpad4\f0\tab 100\tab 4 key (keypad)\par
\cf3\f1 vbKeyNumpad5\f0\tab 101\tab 5 key (keypad)\par
\cf3\f1 vbKeyNumpad6\f0\tab 102\tab 6 key (keypad)\par
\cf3\f1 vbKeyNumpad7\f0\tab 103\tab 7 key (keypad)\par
\cf3\f1 vbKeyNumpad8\f0\tab 104\tab 8 key (keypad)\par
\cf3\f1 vbKeyNumpad9\f0\tab 105\tab 9 key (keypad)\par
\cf3\f1 vbKeyMultiply\f0\tab 106\tab Multiplication sign (*) key\par
\cf3\f1 vbKeyAdd\f0\tab 107\tab Plus sign (+) key\par
\cf3\f1 vbKeySeparator\f0\tab 108\tab Separator key\par
\cf3\f1 vbKeySubtract\f0\tab 109\tab Minus sign (-) key\par
\cf3\f1 vbKeyDecimal\f0\tab 110\tab Decimal point (.) key\par
\cf3\f1 vbKeyDivide\f0\tab 111\tab Division sign (/) key\par
\par
\pard\cf2\b\ul\fs26 Function Keys\ulnone\par
\pard\tx3000\tx4300\cf1\b\fs20 Constant\tab Value\tab Description\b0\par
\cf3\f1 vbKeyF1\f0\tab 112\tab F1 key\par
\cf3\f1 vbKeyF2\f0\tab 113\tab F2 key\par
\cf3\f1 vbKeyF3\f0\tab 114\tab F3 key\par
\cf3\f1 vbKeyF4\f0\tab 115\tab F4 key\par
\cf3\f1 vbKeyF5\f0\tab 116\tab F5 key\par
\cf3\f1 vbKeyF6\f0\tab 117\tab F6 key\par
\cf3\f1 vbKeyF7\f0\tab 118\tab F7 key\par
\cf3\f1 vbKeyF8\f0\tab 119\tab F8 key\par
\cf3\f1 vbKeyF9\f0\tab 120\tab F9 key\par
\cf3\f1 vbKeyF10\f0\tab 121\tab F10 key\par
\cf3\f1 vbKeyF11\f0\tab 122\tab F11 key\par
\cf3\f1 vbKeyF12\f0\tab 123\tab F12 key\par
\cf3\f1 vbKeyF13\f0\tab 124\tab F13 key\par
\cf3\f1 vbKeyF14\f0\tab 125\tab F14 key\par
\cf3\f1 vbKeyF15\f0\tab 126\tab F15 key\par
\cf3\f1 vbKeyF16\f0\tab 127\tab F16 key\par
\par
})";

} // namespace

const kit::ViewerInfo& HelpInfo() {
    static const kit::ViewerInfo info{"  Glyphdeck Help File", 8790, 7350, 120, 105, 8550, 6420,
                                      1275, 390, 120, kHelpDocument};
    return info;
}

const kit::ViewerInfo& KeyCodeInfo() {
    static const kit::ViewerInfo info{"  VB5 / VB6 Key Code Constants", 8790, 7350, 105, 130, 8565,
                                      6465, 1290, 345, 130, kKeyCodeDocument};
    return info;
}

frmHelp::frmHelp() : kit::Viewer<frmHelp>(HelpInfo()) {}

frmVBConsts::frmVBConsts() : kit::Viewer<frmVBConsts>(KeyCodeInfo()) {}

} // namespace glyphdeck
