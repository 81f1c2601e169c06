#include "frmDisplay.h"

#include "chart.h"

namespace glyphdeck {

frmDisplay::frmDisplay() {
    BorderStyle(rt::vbSizable);
    StartUpPosition(rt::vbStartUpWindowsDefault);
    Width(6840);
    Height(5355);
    txtDisplay.Move(105, 105, 6630, 5160);
    txtDisplay.MultiLine(true);
    txtDisplay.ScrollBars(3);
    txtDisplay.Locked(true);
}

void frmDisplay::Form_Resize() {
    rt::Try([&] { txtDisplay.Width(Width() - 330); });
    rt::Try([&] { txtDisplay.Height(Height() - 600); });
}

void frmDisplay::SetDisplayText(const std::string& ConvertText, int16_t Increment,
                                bool ASCII_Conv, bool HEX_Conv, bool OCT_Conv) {
    if (ASCII_Conv)
        Caption("  Convert To ASCII");
    else if (HEX_Conv)
        Caption("  Convert To Hexadecimal");
    else if (OCT_Conv)
        Caption("  Convert To Octal");

    if (rt::IsNumeric(ConvertText) && (HEX_Conv || OCT_Conv)) {
        const int answer = rt::MsgBox(
            "Would you like to convert this number as individual characters, or as one number?\r\r"
            "YES = Individual Characters,  NO = One Number",
            rt::vbYesNoCancel + rt::vbQuestion, "  Convert As Characters ?");
        if (answer == rt::vbCancel) {
            Unload();
            return;
        }
        if (answer == rt::vbNo) {
            const double value = rt::CDbl(ConvertText);
            if (value > kLargestNumber) {
                rt::MsgBox("You can not enter a value greater than 2,125,000,000 to be converted.",
                           rt::vbExclamation, "  Number Too Big");
                return;
            }
            // Below the smallest whole number there is no hexadecimal or octal form.
            if (value < -2147483648.5) {
                rt::MsgBox("You can not enter a value less than -2,147,483,648 to be converted.",
                           rt::vbExclamation, "  Number Too Small");
                return;
            }
            txtDisplay.Text(ConvertNumber(ConvertText, HEX_Conv));
            return;
        }
    }
    const Conversion kind = ASCII_Conv ? Conversion::ASCII
                            : HEX_Conv ? Conversion::HEX
                                       : Conversion::OCT;
    txtDisplay.Text(ConvertCharacters(ConvertText, Increment, kind));
}

} // namespace glyphdeck
