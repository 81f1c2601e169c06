#include "numbering.h"

#include <array>
#include <charconv>

#include <rt/convert.h>
#include <rt/error.h>

namespace tallyman {

namespace {

constexpr std::string_view kCrLf = "\r\n";

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Compares as the upper-cased text would (the keywords are upper-case ASCII).
bool StartsWithUpper(std::string_view s, std::string_view upperPrefix) {
    if (s.size() < upperPrefix.size()) return false;
    for (size_t i = 0; i < upperPrefix.size(); ++i)
        if (Upper(s[i]) != upperPrefix[i]) return false;
    return true;
}

bool ContainsUpper(std::string_view s, std::string_view upperNeedle) {
    if (upperNeedle.size() > s.size()) return false;
    for (size_t at = 0; at + upperNeedle.size() <= s.size(); ++at)
        if (StartsWithUpper(s.substr(at), upperNeedle)) return true;
    return false;
}

bool EndsWith(std::string_view s, std::string_view end) {
    return s.size() >= end.size() && s.substr(s.size() - end.size()) == end;
}

// Blanks (spaces only, not tabs) off one or both ends.
std::string_view LTrim(std::string_view s) {
    const size_t first = s.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : s.substr(first);
}

std::string_view Trim(std::string_view s) {
    s = LTrim(s);
    const size_t last = s.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view{} : s.substr(0, last + 1);
}

// Characters of a UTF-8 text.
size_t Length(std::string_view s) {
    size_t n = 0;
    for (char c : s)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    return n;
}

// n blanks; a negative count is an invalid argument (error 5), as for Space().
void AppendSpaces(std::string& out, long n) {
    if (n < 0) rt::Raise(rt::errInvalidProcedureCall);
    out.append(static_cast<size_t>(n), ' ');
}

size_t TotalSize(const std::vector<std::string_view>& lines) {
    size_t total = 0;
    for (std::string_view line : lines) total += line.size();
    return total;
}

} // namespace

std::vector<std::string_view> ReadLines(std::string_view working, RunProgress& progress) {
    std::vector<std::string_view> lines;
    size_t from = 0;
    for (size_t lf; (lf = working.find('\n', from)) != std::string_view::npos; from = lf + 1) {
        lines.push_back(working.substr(from, lf + 1 - from));
        progress.Reading(static_cast<long>(lines.size()));
    }
    progress.Total(static_cast<long>(lines.size()));
    return lines;
}

bool LineClassifier::CanNumberLine(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    // Only the first Case line after a Select Case line is refused.
    if (ContainsUpper(trimmed, "SELECT CASE")) {
        m_InSelect = true;
    } else if (StartsWithUpper(trimmed, "CASE") && m_InSelect) {
        m_Continued = false;
        m_InSelect = false;
        return false;
    }
    // The middle and last lines of a continued statement.
    if (EndsWith(trimmed, "_\r\n")) {
        if (m_Continued) return false;
        m_Continued = true;
    } else if (m_Continued) {
        m_Continued = false;
        return false;
    }
    if (trimmed == kCrLf) {
        m_Continued = false;
        return false;
    }
    const std::string_view left = LTrim(line);
    for (std::string_view end : {"END SUB", "END FUNCTION", "END TYPE", "END ENUM"}) {
        if (StartsWithUpper(left, end)) {
            m_Continued = false;
            return false;
        }
    }
    // A label alone on its line.
    if (EndsWith(line, ":\r\n") && !trimmed.starts_with('\'')) {
        bool statement = false;
        for (std::string_view word : {" IF", " THEN", " ELSE", " ELSEIF", " SELECT", " CASE"})
            statement = statement || ContainsUpper(line, word);
        if (!statement) {
            m_Continued = false;
            return false;
        }
    }
    // Comments and declarations.
    if (left.starts_with('\'')) return false;
    static constexpr std::array<std::string_view, 15> kDeclarations{
        "PUBLIC ", "GLOBAL ", "PRIVATE ", "STATIC ", "DIM ",     "FRIEND ", "CONST ", "PROPERTY ",
        "SUB ",    "FUNCTION ", "OPTION ", "TYPE ", "ENUM ", "DECLARE ", "EVENT "};
    for (std::string_view start : kDeclarations)
        if (StartsWithUpper(left, start)) return false;
    return true;
}

std::string NumberedText(const std::vector<std::string_view>& lines, int16_t intIncrement,
                         int16_t intSpaces, bool SmartNumbering, LineClassifier& classifier,
                         RunProgress& progress) {
    const long N = static_cast<long>(lines.size());
    std::string out;
    out.reserve(TotalSize(lines) + lines.size() * (static_cast<size_t>(intSpaces > 0 ? intSpaces : 0) + 8));
    int32_t n = 0;   // lines numbered so far
    char num[16] = "0"; // the last number given, as text
    size_t numLength = 1;
    for (long i = 1; i <= N; ++i) {
        const std::string_view line = lines[static_cast<size_t>(i - 1)];
        if (!SmartNumbering || classifier.CanNumberLine(line)) {
            ++n;
            const int64_t product = static_cast<int64_t>(intIncrement) * n;
            if (product < INT32_MIN || product > INT32_MAX) rt::Raise(rt::errOverflow);
            numLength = static_cast<size_t>(std::to_chars(num, num + sizeof num, product).ptr - num);
            out.append(num, numLength);
            AppendSpaces(out, intSpaces);
        } else {
            AppendSpaces(out, intSpaces + static_cast<long>(numLength));
        }
        out.append(line);
        progress.Processing(i, N);
    }
    return out;
}

int16_t NumberWidth::CheckForLast(std::string_view LastLine, std::string_view CurrentLine) {
    Widen(LastLine);
    Widen(CurrentLine);
    return 0;
}

void NumberWidth::Widen(std::string_view line) {
    const size_t blank = line.find(' ');
    if (blank == std::string_view::npos) return;
    const std::string_view word = line.substr(0, blank);
    if (!rt::IsNumeric(word)) return;
    const size_t width = Length(Trim(word));
    if (width > 32767) rt::Raise(rt::errOverflow); // the width is a 16-bit whole number
    if (static_cast<int16_t>(width) > m_NumWidth) m_NumWidth = static_cast<int16_t>(width);
}

std::string StripLineNumber(std::string_view line, int16_t width) {
    std::string out;
    const std::string_view trimmed = Trim(line);
    if (trimmed == kCrLf) {
        AppendSpaces(out, width);
        out.append(kCrLf);
        return out;
    }
    const size_t blank = line.find(' ');
    if (blank != std::string_view::npos && rt::IsNumeric(line.substr(0, blank)))
        return std::string(line.substr(blank + 1));
    AppendSpaces(out, width);
    out.append(trimmed);
    return out;
}

std::string StrippedText(const std::vector<std::string_view>& lines, NumberWidth& width,
                         RunProgress& progress) {
    const long N = static_cast<long>(lines.size());
    std::string out;
    out.reserve(TotalSize(lines) + lines.size() * 4);
    for (long i = 1; i <= N; ++i) {
        const std::string_view line = lines[static_cast<size_t>(i - 1)];
        width.CheckForLast(i == 1 ? std::string_view{} : lines[static_cast<size_t>(i - 2)], line);
        out += StripLineNumber(line, width.m_NumWidth);
        progress.Processing(i, N);
    }
    return out;
}

} // namespace tallyman
