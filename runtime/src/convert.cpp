// Conversions with the runtime's rules.
#include "rt/convert.h"

#include <windows.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <optional>

#include "rt/error.h"
#include "rt/font.h"

namespace rt {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view TrimFront(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    return s;
}

std::string_view TrimBlanks(std::string_view s) {
    s = TrimFront(s);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// "&H..." / "&O..." text: up to 32 bits; values that fit 16 bits are read as
// a 16-bit pattern ("&HFFFF" is -1), the others as a 32-bit one.
std::optional<double> ParsePrefixed(std::string_view s) {
    if (s.size() < 3 || s[0] != '&') return std::nullopt;
    int base = 0;
    if (s[1] == 'H' || s[1] == 'h') base = 16;
    else if (s[1] == 'O' || s[1] == 'o') base = 8;
    else return std::nullopt;
    uint64_t value = 0;
    for (char c : s.substr(2)) {
        int d;
        if (IsDigit(c)) d = c - '0';
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else return std::nullopt;
        if (d >= base) return std::nullopt;
        value = value * base + d;
        if (value > 0xFFFFFFFFull) return std::nullopt;
    }
    if (value <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(value));
    return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

// The number symbols of the user's locale as its settings stand now: a change
// made in the control panel counts from the next number read or written.
struct NumberSymbols {
    std::string decimal, group, currency;
};

std::string LocaleText(LCTYPE type, const char* fallback) {
    wchar_t buf[16];
    const int n = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buf, static_cast<int>(std::size(buf)));
    if (n <= 1) return fallback;
    return Utf8(std::wstring_view(buf, static_cast<size_t>(n - 1)));
}

// Numbers in the settings store: "." before the fraction, no grouping, no
// currency, whatever the user's locale.
const NumberSymbols kSettingSymbols{".", "", ""};

NumberSymbols UserSymbols() {
    return {LocaleText(LOCALE_SDECIMAL, "."), LocaleText(LOCALE_STHOUSAND, ","),
            LocaleText(LOCALE_SCURRENCY, "")};
}

// Takes `token` off the front of `s` when `s` starts with it.
bool Take(std::string_view& s, std::string_view token) {
    if (token.empty() || s.substr(0, token.size()) != token) return false;
    s.remove_prefix(token.size());
    return true;
}

// The numeric test and its value in one pass, with the given decimal and
// group separators and currency sign (the user's: "$5", "-$1,000.50", "5 $"
// and, where the decimal separator is ",", "1,5"). The sign and a leading
// currency sign come in either order; blanks may stand only around the text
// and next to the currency sign. An empty group separator or currency sign
// allows none.
std::optional<double> ParseNumber(std::string_view text, const NumberSymbols& symbols) {
    std::string_view s = TrimBlanks(text);
    if (s.empty()) return std::nullopt;
    if (s[0] == '&') return ParsePrefixed(s);

    std::string clean; // the number without grouping, ready for strtod
    bool currency = false;
    auto takeCurrency = [&] {
        if (currency || !Take(s, symbols.currency)) return;
        currency = true;
        s = TrimFront(s);
    };
    takeCurrency();
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        clean += s[0];
        s.remove_prefix(1);
        takeCurrency();
    }
    size_t digits = 0;
    while (!s.empty()) {
        if (IsDigit(s[0])) {
            clean += s[0];
            s.remove_prefix(1);
            ++digits;
        } else if (symbols.group != symbols.decimal && Take(s, symbols.group)) {
            // Grouping stands between digits of the whole part.
            if (digits == 0 || s.empty() || !IsDigit(s[0])) return std::nullopt;
        } else {
            break;
        }
    }
    if (Take(s, symbols.decimal)) {
        clean += '.';
        while (!s.empty() && IsDigit(s[0])) {
            clean += s[0];
            s.remove_prefix(1);
            ++digits;
        }
    }
    if (digits == 0) return std::nullopt;
    if (!s.empty() && (s[0] == 'E' || s[0] == 'e' || s[0] == 'D' || s[0] == 'd')) {
        clean += 'E';
        s.remove_prefix(1);
        if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
            clean += s[0];
            s.remove_prefix(1);
        }
        size_t expDigits = 0;
        while (!s.empty() && IsDigit(s[0])) {
            clean += s[0];
            s.remove_prefix(1);
            ++expDigits;
        }
        if (expDigits == 0) return std::nullopt;
    }
    // A trailing currency sign, a blank or more after the number allowed.
    if (!currency && !s.empty()) {
        std::string_view rest = TrimFront(s);
        if (Take(rest, symbols.currency)) s = rest;
    }
    if (!s.empty()) return std::nullopt;
    double value = std::strtod(clean.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt; // beyond a double: overflow
    return value;
}

// Nearest whole number, halves to the even neighbour.
double RoundHalfEven(double value) {
    double floor = std::floor(value);
    double diff = value - floor;
    if (diff > 0.5) return floor + 1;
    if (diff < 0.5) return floor;
    return std::fmod(floor, 2.0) == 0 ? floor : floor + 1;
}

double WholeInRange(double value, double low, double high) {
    if (!std::isfinite(value)) Raise(errOverflow);
    double r = RoundHalfEven(value);
    if (r < low || r > high) Raise(errOverflow);
    return r;
}

std::string Radix(long value, unsigned base) {
    uint32_t v = static_cast<uint32_t>(value);
    char buf[16];
    auto res = std::to_chars(buf, buf + sizeof buf, v, static_cast<int>(base));
    std::string out(buf, res.ptr);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// Decimal digits of a value rounded to `decimals` places, halves away from
// zero. The value is first taken to 15 significant digits, as the runtime
// shows numbers, so 0.335 formats as the 0.335 the user sees.
std::string RoundedDigits(double value, int decimals, bool& negative) {
    negative = value < 0;
    double a = std::fabs(value);
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", a);
    // buf: d.dddddddddddddde[+-]xx
    std::string mant;
    mant += buf[0];
    mant.append(buf + 2, 14);
    int exp = std::atoi(std::strchr(buf, 'e') + 1);
    // The value is 0.mant x 10^(exp + 1); the whole digits come first.
    int pointPos = exp + 1; // digits of mant before the decimal point
    std::string digits;     // whole and fraction digits, `decimals` of fraction
    int keep = pointPos + decimals;
    if (keep < 0) {
        negative = false;
        return std::string(static_cast<size_t>(decimals) + 1, '0');
    }
    bool up = false;
    if (keep < static_cast<int>(mant.size())) {
        up = mant[static_cast<size_t>(keep)] >= '5';
        digits = mant.substr(0, static_cast<size_t>(keep));
    } else {
        digits = mant + std::string(static_cast<size_t>(keep) - mant.size(), '0');
    }
    if (up) {
        int k = static_cast<int>(digits.size()) - 1;
        while (k >= 0 && digits[static_cast<size_t>(k)] == '9') digits[static_cast<size_t>(k--)] = '0';
        if (k >= 0) ++digits[static_cast<size_t>(k)];
        else digits.insert(digits.begin(), '1');
    }
    // At least one whole digit before the fraction.
    if (static_cast<int>(digits.size()) < decimals + 1)
        digits.insert(0, static_cast<size_t>(decimals + 1) - digits.size(), '0');
    if (digits.find_first_not_of('0') == std::string::npos) negative = false;
    return digits;
}

std::wstring ToWide(std::string_view s, UINT codePage) {
    if (s.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
    return out;
}

std::string FromWide(std::wstring_view w, UINT codePage) {
    if (w.empty()) return {};
    int n = WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

// Decimal text of a number with the given decimal point, as CStr writes it.
std::string DecimalText(double value, const std::string& point) {
    if (value == 0) return "0";
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    std::string sci(buf, res.ptr); // shortest round trip: [-]d[.ddd]e[+-]xx
    bool negative = sci[0] == '-';
    if (negative) sci.erase(0, 1);
    size_t e = sci.find('e');
    int exp = std::atoi(sci.c_str() + e + 1);
    std::string digits;
    for (size_t i = 0; i < e; ++i)
        if (sci[i] != '.') digits += sci[i];

    std::string out = negative ? "-" : "";
    if (exp >= 15 || exp < -5) {
        // Very large and very small numbers in exponent form: 1E+15, 1.5E-07.
        out += digits[0];
        if (digits.size() > 1) {
            out += point;
            out.append(digits, 1);
        }
        char ex[8];
        std::snprintf(ex, sizeof ex, "E%c%02d", exp < 0 ? '-' : '+', std::abs(exp));
        return out + ex;
    }
    if (exp < 0) {
        out += "0" + point;
        out.append(static_cast<size_t>(-exp - 1), '0');
        out += digits;
        return out;
    }
    size_t whole = static_cast<size_t>(exp) + 1;
    if (digits.size() <= whole) {
        out += digits;
        out.append(whole - digits.size(), '0');
        return out;
    }
    out.append(digits, 0, whole);
    out += point;
    out.append(digits, whole);
    return out;
}

} // namespace

bool IsNumeric(std::string_view text) { return ParseNumber(text, UserSymbols()).has_value(); }

double CDbl(std::string_view text) {
    auto v = ParseNumber(text, UserSymbols());
    if (!v) Raise(errTypeMismatch);
    return *v;
}

double SettingValue(std::string_view text) {
    if (auto v = ParseNumber(text, kSettingSymbols)) return *v;
    return CDbl(text);
}

double KeptFontSize(std::string_view text) {
    const double size = SettingValue(text);
    if (!(size >= 1 && size <= kMaxKeptFontSize)) Raise(errInvalidPropertyValue);
    return size;
}

int16_t CInt(double value) { return static_cast<int16_t>(WholeInRange(value, -32768.0, 32767.0)); }
int16_t CInt(std::string_view text) { return CInt(CDbl(text)); }
int32_t CLng(double value) {
    return static_cast<int32_t>(WholeInRange(value, -2147483648.0, 2147483647.0));
}
int32_t CLng(std::string_view text) { return CLng(CDbl(text)); }

bool CBool(std::string_view text) {
    std::string t = UCase(TrimBlanks(text));
    if (t == "TRUE") return true;
    if (t == "FALSE") return false;
    return CDbl(text) != 0;
}

std::string BoolText(bool value) { return value ? "True" : "False"; }

std::string CStr(double value) {
    // The point as the user's locale writes it, so that the text reads back.
    return DecimalText(value, UserSymbols().decimal);
}

std::string SettingNumber(double value) { return DecimalText(value, kSettingSymbols.decimal); }

std::string CStr(long value) { return std::to_string(value); }

std::string Hex(long value) { return Radix(value, 16); }
std::string Oct(long value) { return Radix(value, 8); }

std::string Format(double value, std::string_view pattern) {
    // A digit pattern: "0" digits always shown, "#" digits only when needed,
    // an optional decimal point and an optional trailing percent sign.
    std::string_view p = pattern;
    bool percent = !p.empty() && p.back() == '%';
    if (percent) p.remove_suffix(1);
    size_t point = p.find('.');
    std::string_view whole = p.substr(0, point);
    std::string_view frac = point == std::string_view::npos ? std::string_view{} : p.substr(point + 1);
    auto valid = [](std::string_view part) {
        return part.find_first_not_of("0#") == std::string_view::npos;
    };
    if (p.empty() || !valid(whole) || !valid(frac)) Raise(errInvalidProcedureCall);
    int minWhole = static_cast<int>(std::count(whole.begin(), whole.end(), '0'));
    int decimals = static_cast<int>(frac.size());
    int fixedDecimals = static_cast<int>(frac.find('#'));
    if (fixedDecimals < 0) fixedDecimals = decimals;

    if (!std::isfinite(value)) Raise(errOverflow);
    if (percent) value *= 100;
    bool negative;
    std::string digits = RoundedDigits(value, decimals, negative);
    std::string w = digits.substr(0, digits.size() - static_cast<size_t>(decimals));
    std::string f = digits.substr(w.size());
    // Whole digits: no leading zeros beyond the pattern's own.
    size_t nz = w.find_first_not_of('0');
    w = nz == std::string::npos ? "" : w.substr(nz);
    if (static_cast<int>(w.size()) < minWhole)
        w.insert(0, static_cast<size_t>(minWhole) - w.size(), '0');
    while (static_cast<int>(f.size()) > fixedDecimals && f.back() == '0') f.pop_back();

    std::string out = negative ? "-" : "";
    out += w;
    if (point != std::string_view::npos && (!f.empty() || fixedDecimals > 0 || decimals == 0)) {
        out += '.';
        out += f;
    }
    if (percent) out += '%';
    return out;
}

std::string Trim(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return std::string(s);
}

std::string UCase(std::string_view s) {
    std::wstring w = Wide(s);
    if (!w.empty()) CharUpperBuffW(w.data(), static_cast<DWORD>(w.size()));
    return Utf8(w);
}

std::string LCase(std::string_view s) {
    std::wstring w = Wide(s);
    if (!w.empty()) CharLowerBuffW(w.data(), static_cast<DWORD>(w.size()));
    return Utf8(w);
}

std::wstring Wide(std::string_view utf8) { return ToWide(utf8, CP_UTF8); }
std::string Utf8(std::wstring_view wide) { return FromWide(wide, CP_UTF8); }
std::string ToAnsi(std::string_view utf8) { return FromWide(Wide(utf8), CP_ACP); }
std::string FromAnsi(std::string_view ansi) { return Utf8(ToWide(ansi, CP_ACP)); }

std::string Chr(int ansiCode) {
    if (ansiCode < 0 || ansiCode > 255) Raise(errInvalidProcedureCall);
    if (ansiCode == 0) return std::string(1, '\0');
    return FromAnsi(std::string(1, static_cast<char>(ansiCode)));
}

int Asc(std::string_view utf8) {
    std::wstring w = Wide(utf8);
    if (w.empty()) Raise(errInvalidProcedureCall);
    size_t len = (w.size() > 1 && IS_HIGH_SURROGATE(w[0])) ? 2 : 1;
    BOOL usedDefault = FALSE;
    char buf[8];
    int n = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(len), buf, sizeof buf,
                                nullptr, &usedDefault);
    if (n <= 0 || usedDefault) return '?';
    if (n == 1) return static_cast<unsigned char>(buf[0]);
    // A double-byte character: the runtime gives its two bytes as one 16-bit code.
    return static_cast<int16_t>((static_cast<unsigned char>(buf[0]) << 8) |
                                static_cast<unsigned char>(buf[1]));
}

} // namespace rt
