#include "documents.h"

#include <functional>
#include <string>
#include <vector>

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

struct KeyRow {
    std::string name;
    int value;
    std::string description;
};

// A table of the key code document: its heading, a row a constant, a blank line.
std::string KeyTable(const std::string& heading, const std::vector<KeyRow>& rows) {
    std::string table = "\\pard\\cf2\\b\\ul\\fs26 ";
    table.append(heading).append("\\ulnone\\par\n\\pard\\tx3000\\tx4300\\cf1\\b\\fs20 Constant"
                                 "\\tab Value\\tab Description\\b0\\par\n");
    for (const KeyRow& row : rows)
        table.append("\\cf3\\f1 ")
            .append(row.name)
            .append("\\f0\\tab ")
            .append(std::to_string(row.value))
            .append("\\tab ")
            .append(row.description)
            .append("\\par\n");
    return table.append("\\par\n");
}

// `count` keys in a run: named `prefix` + label, valued on from `value`, and
// described as label + `suffix` ("vbKeyA" 65 "A key", "vbKeyF1" 112 "F1 key").
std::vector<KeyRow> KeyRun(const std::string& prefix, int count, int value,
                           const std::function<std::string(int)>& label,
                           const std::string& suffix) {
    std::vector<KeyRow> rows;
    for (int i = 0; i < count; ++i) {
        const std::string name = label(i);
        rows.push_back(
            {std::string(prefix).append(name), value + i, std::string(name).append(suffix)});
    }
    return rows;
}

const std::string& KeyCodeDocument() {
    static const std::string document = [] {
        auto letter = [](int i) { return std::string(1, static_cast<char>('A' + i)); };
        auto digit = [](int i) { return std::to_string(i); };
        auto function = [](int i) { return std::string("F").append(std::to_string(i + 1)); };
        std::vector<KeyRow> keypad = KeyRun("vbKeyNumpad", 10, 96, digit, " key (keypad)");
        keypad.insert(keypad.end(), {{"vbKeyMultiply", 106, "Multiplication sign (*) key"},
                                     {"vbKeyAdd", 107, "Plus sign (+) key"},
                                     {"vbKeySeparator", 108, "Separator key"},
                                     {"vbKeySubtract", 109, "Minus sign (-) key"},
                                     {"vbKeyDecimal", 110, "Decimal point (.) key"},
                                     {"vbKeyDivide", 111, "Division sign (/) key"}});
        return std::string(
                   R"({\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss\fcharset0 Arial;}{\f1\fmodern\fcharset0 Courier New;}}
{\colortbl;\red0\green0\blue128;\red128\green0\blue0;\red0\green0\blue0;}
\viewkind4\uc1\pard\qc\cf1\b\f0\fs36 Key Code Constants\par
\cf3\b0\fs18 Use these constants in place of the key values in KeyDown and KeyUp events.\par
\pard\par
)") +
               KeyTable("Key Codes", {{"vbKeyLButton", 1, "Left mouse button"},
                                      {"vbKeyRButton", 2, "Right mouse button"},
                                      {"vbKeyCancel", 3, "Cancel key"},
                                      {"vbKeyMButton", 4, "Middle mouse button"},
                                      {"vbKeyBack", 8, "Backspace key"},
                                      {"vbKeyTab", 9, "Tab key"},
                                      {"vbKeyClear", 12, "Clear key"},
                                      {"vbKeyReturn", 13, "Enter key"},
                                      {"vbKeyShift", 16, "Shift key"},
                                      {"vbKeyControl", 17, "Ctrl key"},
                                      {"vbKeyMenu", 18, "Menu (Alt) key"},
                                      {"vbKeyPause", 19, "Pause key"},
                                      {"vbKeyCapital", 20, "Caps Lock key"},
                                      {"vbKeyEscape", 27, "Esc key"},
                                      {"vbKeySpace", 32, "Spacebar"},
                                      {"vbKeyPageUp", 33, "Page Up key"},
                                      {"vbKeyPageDown", 34, "Page Down key"},
                                      {"vbKeyEnd", 35, "End key"},
                                      {"vbKeyHome", 36, "Home key"},
                                      {"vbKeyLeft", 37, "Left Arrow key"},
                                      {"vbKeyUp", 38, "Up Arrow key"},
                                      {"vbKeyRight", 39, "Right Arrow key"},
                                      {"vbKeyDown", 40, "Down Arrow key"},
                                      {"vbKeySelect", 41, "Select key"},
                                      {"vbKeyPrint", 42, "Print Screen key"},
                                      {"vbKeyExecute", 43, "Execute key"},
                                      {"vbKeySnapshot", 44, "Snapshot key"},
                                      {"vbKeyInsert", 45, "Insert key"},
                                      {"vbKeyDelete", 46, "Delete key"},
                                      {"vbKeyHelp", 47, "Help key"},
                                      {"vbKeyNumlock", 144, "Num Lock key"},
                                      {"vbKeyScrollLock", 145, "Scroll Lock key"}}) +
               KeyTable("Keys A Through Z", KeyRun("vbKey", 26, 65, letter, " key")) +
               KeyTable("Keys 0 Through 9", KeyRun("vbKey", 10, 48, digit, " key")) +
               KeyTable("Keys on the Numeric Keypad", keypad) +
               KeyTable("Function Keys", KeyRun("vbKey", 16, 112, function, " key")) + "}";
    }();
    return document;
}

} // namespace

const kit::ViewerInfo& HelpInfo() {
    static const kit::ViewerInfo info{"  Glyphdeck Help File", 8790, 7350, 120, 105, 8550, 6420,
                                      1275, 390, 120, kHelpDocument};
    return info;
}

const kit::ViewerInfo& KeyCodeInfo() {
    static const kit::ViewerInfo info{"  VB5 / VB6 Key Code Constants", 8790, 7350, 105, 130, 8565,
                                      6465, 1290, 345, 130, KeyCodeDocument().c_str()};
    return info;
}

frmHelp::frmHelp() : kit::Viewer<frmHelp>(HelpInfo()) {}

frmVBConsts::frmVBConsts() : kit::Viewer<frmVBConsts>(KeyCodeInfo()) {}

} // namespace glyphdeck
