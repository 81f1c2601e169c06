// The chart's entries and the texts built from them: list entries of the three
// charts, the value part of an entry, the print text, and the code listings of
// the conversion window. No windows here, so every rule can be checked alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace glyphdeck {

// The chart shown in the main window's list.
enum ChartMode : int { ModeASCII = 0, ModeHEX = 1, ModeOCT = 2 };

// The heading above the list for a chart mode.
std::string ModeHeading(int Mode);

// Codes hidden while "Filter Non-Visible Characters" is on: the control codes
// below the space and the nine non-printing codes of the upper half.
bool IsFilteredCode(int code);

// "065 = A"; "000 = ****" for a filtered code.
std::string AsciiEntry(int code, bool filter);
// "0255 = FF" (mode 1) or "0255 = 377" (mode 2), the number padded to width digits.
std::string NumberEntry(long number, int width, int Mode);

// Whether a typed chart bound is acceptable: numeric, at most five characters,
// and between 1 and 32,500 as a whole number.
bool ValidRangeAnswer(const std::string& answer);

// The text after the last blank of an entry ("" when there is none).
std::string GetEntryChar(const std::string& Entry);

// The chart as print text, rows of the Columns box's count (never fewer than two).
std::string ChartPrintText(const std::vector<std::string>& entries,
                           const std::string& columnsText);

// The characters of a UTF-8 text, one string each.
std::vector<std::string> Characters(std::string_view text);

// The conversion window's listings.
enum class Conversion { ASCII, HEX, OCT };
// Characters per line from the typed answer: "10" for anything unusable.
int16_t CharsPerLineAnswer(const std::string& answer);
// The code listing of a text, Increment characters a line, every line ended by CR LF.
std::string ConvertCharacters(const std::string& text, int Increment, Conversion kind);
// The largest number converted as one number.
inline constexpr double kLargestNumber = 2125000000.0;
// "  255   :   FF": a number typed as text in hexadecimal or octal (rounded half to even).
std::string ConvertNumber(const std::string& text, bool hex);

} // namespace glyphdeck
