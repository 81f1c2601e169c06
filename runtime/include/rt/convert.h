// Conversions with the runtime's rules: the numeric test, whole numbers rounded
// half to even with overflow as error 6, formats, hexadecimal and octal text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace rt {

// The runtime's numeric test, with the decimal and group separators and the
// currency sign of the user's locale as they stand at the call: optional
// blanks, sign, a currency sign before or after the number, digits (grouped in
// the whole part), decimal separator, exponent; or "&H" / "&O" prefixed digits.
bool IsNumeric(std::string_view text);

// Text to a double, read by the same rules; raises error 13 (type mismatch)
// exactly when the text is not numeric.
double CDbl(std::string_view text);

// Round to the nearest whole number, halves to even; error 6 outside the range.
int16_t CInt(double value);
int16_t CInt(std::string_view text);
int32_t CLng(double value);
int32_t CLng(std::string_view text);

// "True" / "False" (any case) or a number (0 is False); otherwise error 13.
bool CBool(std::string_view text);
std::string BoolText(bool value); // "True" / "False"

// Decimal text as the runtime writes numbers, with the user's decimal
// separator so that CDbl reads it back: 9.75 gives "9.75" ("9,75" where the
// separator is ","), 10 gives "10".
std::string CStr(double value);
std::string CStr(long value);
inline std::string CStr(int value) { return CStr(static_cast<long>(value)); }

// Numbers kept in the settings store read the same whatever the user's locale
// is when they are read back: written with "." before the fraction ("9.75"
// under every locale), read in that form or in the user's locale form (as
// CStr wrote them under a "," locale: "9,75"); error 13 for any other text.
std::string SettingNumber(double value);
double SettingValue(std::string_view text);

// Upper-case hexadecimal / octal digits of a 32-bit value, no prefix; negative
// values give the two's-complement digits, as the runtime does.
std::string Hex(long value);
std::string Oct(long value);

// Number formatting with a pattern: "0%" (x 100, whole percent), "00", "0000"
// (zero-padded whole number), "0.00%", "0.00".
std::string Format(double value, std::string_view pattern);

// Text helpers with the runtime's meaning.
std::string Trim(std::string_view s);
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);

// UTF-8 <-> UTF-16 at the Win32 boundary, and the ANSI code page where a Part
// speaks of a character's code or of text files in the system's code page.
std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);
std::string ToAnsi(std::string_view utf8);
std::string FromAnsi(std::string_view ansi);
// The character of an ANSI code (0..255) as UTF-8, and the ANSI code of the
// first character of a UTF-8 text (63, "?", for one the code page lacks).
std::string Chr(int ansiCode);
int Asc(std::string_view utf8);

} // namespace rt
