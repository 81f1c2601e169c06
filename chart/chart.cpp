#include "chart.h"

#include <rt.h>

namespace glyphdeck {

std::string ModeHeading(int Mode) {
    switch (Mode) {
    case ModeHEX: return "HEX(#)  =  HEX Character";
    case ModeOCT: return "OCT(#)  =  Octal Character";
    default: return "CHR(#)  =  ASCII Character";
    }
}

bool IsFilteredCode(int code) {
    if (code < 32) return true;
    switch (code) {
    case 127: case 128: case 129: case 141: case 142: case 143: case 144: case 157: case 158:
        return true;
    default: return false;
    }
}

std::string AsciiEntry(int code, bool filter) {
    return rt::Format(code, "000") + " = " + (filter && IsFilteredCode(code) ? "****" : rt::Chr(code));
}

std::string NumberEntry(long number, int width, int Mode) {
    return rt::Format(static_cast<double>(number), std::string(static_cast<size_t>(width), '0')) +
           " = " + (Mode == ModeOCT ? rt::Oct(number) : rt::Hex(number));
}

bool ValidRangeAnswer(const std::string& answer) {
    if (!rt::IsNumeric(answer) || answer.size() > 5) return false;
    int32_t value = 0;
    // A bound such as "9e9" is numeric and short but beyond a whole number: refused
    // like any other bad bound instead of ending in an overflow.
    if (!rt::Try([&] { value = rt::CLng(answer); })) {
        rt::Err().Clear();
        return false;
    }
    return value > 0 && value < 32501;
}

std::string GetEntryChar(const std::string& Entry) {
    const auto blank = Entry.rfind(' ');
    if (blank == std::string::npos) return {};
    return Entry.substr(blank + 1);
}

std::string ChartPrintText(const std::vector<std::string>& entries,
                           const std::string& columnsText) {
    bool haveColumns = false;
    int16_t columns = 0;
    try {
        columns = rt::CInt(columnsText);
        haveColumns = true;
    } catch (const rt::Error&) {
        // An empty or odd box: only the two-a-row minimum decides.
    }
    std::string text = "\r\n\r\n  ";
    int k = 0;
    for (const std::string& entry : entries) {
        if (entry.empty()) continue;
        if (k >= 2 && (!haveColumns || k >= columns)) {
            text += "\r\n  ";
            k = 0;
        }
        if (entry.size() >= 4 && entry.compare(entry.size() - 4, 4, "****") == 0)
            text += entry.substr(0, entry.size() - 4) + " ";
        else
            text += entry;
        text += "      ";
        ++k;
    }
    return text;
}

std::vector<std::string> Characters(std::string_view text) {
    std::vector<std::string> out;
    size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t len = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        size_t end = i + 1;
        while (end < text.size() && end < i + len &&
               (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
        out.emplace_back(text.substr(i, end - i));
        i = end;
    }
    return out;
}

int16_t CharsPerLineAnswer(const std::string& answer) {
    int16_t result = 10;
    if (answer.empty() || !rt::IsNumeric(answer) || answer.size() > 5) return result;
    // Numbers beyond a whole number ("9e99") or below the smallest line count
    // ("-4e4") are as unusable as text: they get the default too.
    try {
        if (rt::CLng(answer) > 32000) return result;
        result = rt::CInt(answer);
    } catch (const rt::Error&) {
        result = 10;
    }
    return result;
}

namespace {
std::string Padded(std::string digits, size_t width) {
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::string CharacterCode(const std::string& ch, Conversion kind) {
    const int code = rt::Asc(ch);
    switch (kind) {
    case Conversion::HEX: return Padded(rt::Hex(code), 2);
    case Conversion::OCT: return Padded(rt::Oct(code), 3);
    default: return Padded(std::to_string(code), 3);
    }
}
} // namespace

std::string ConvertCharacters(const std::string& text, int Increment, Conversion kind) {
    std::string output, codes, chars;
    int n = 0;
    for (const std::string& ch : Characters(text)) {
        if (!chars.empty() && n >= Increment) {
            output += codes + "   :     " + chars + "\r\n";
            codes.clear();
            chars.clear();
            n = 0;
        }
        chars += ch;
        codes += CharacterCode(ch, kind) + "  ";
        ++n;
    }
    output += codes + "   :   " + chars + "\r\n";
    return output;
}

std::string ConvertNumber(const std::string& text, bool hex) {
    const int32_t value = rt::CLng(rt::CDbl(text));
    return "  " + text + "   :   " + (hex ? rt::Hex(value) : rt::Oct(value));
}

} // namespace glyphdeck
